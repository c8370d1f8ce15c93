// Preloaded into a whole process (LD_PRELOAD): operator new and delete on
// malloc and free, where the Nth allocation since the process started
// fails, as an exhausted heap would. NDL_FAIL_NEW=N fails the Nth only,
// N+ the Nth and every later one (unset or 0: none); NDL_COUNT_NEW=FILE
// receives, at exit, how many the run made and how many of them failed. Only operator new is counted:
// C code (SQLite, malloc) is not touched (malloc_shim.cpp fails that).
#include <atomic>
#include <cstdlib>
#include <new>

#include "delete_on_free.h"
#include "fail_at.h"

namespace {

std::atomic<long> made{0};
FailAt fail_at;

bool failing() { return fail_at.fails(++made, "NDL_FAIL_NEW"); }

void *allocate(std::size_t n) {
    if (failing()) throw std::bad_alloc();
    if (void *p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}

void *allocate_nothrow(std::size_t n) noexcept {
    if (failing()) return nullptr;
    return std::malloc(n ? n : 1);
}

__attribute__((destructor)) void report_count() { write_count("NDL_COUNT_NEW", made.load(), fail_at.failed); }

}  // namespace

void *operator new(std::size_t n) { return allocate(n); }
void *operator new[](std::size_t n) { return allocate(n); }
void *operator new(std::size_t n, const std::nothrow_t &) noexcept { return allocate_nothrow(n); }
void *operator new[](std::size_t n, const std::nothrow_t &) noexcept { return allocate_nothrow(n); }
