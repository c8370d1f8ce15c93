// operator new and delete of the test program, on malloc and free, with the
// failure that failing_new.h arms.
#include "failing_new.h"

#include <cstdlib>
#include <new>

#include "delete_on_free.h"

namespace {

long made = 0;
long countdown = 0;  // the allocation that throws when this reaches 0

void *allocate(std::size_t n) {
    ++made;
    if (countdown > 0 && --countdown == 0) throw std::bad_alloc();
    if (void *p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace

void fail_allocation(long nth) { countdown = nth; }
long allocations_made() { return made; }

void *operator new(std::size_t n) { return allocate(n); }
void *operator new[](std::size_t n) { return allocate(n); }
void *operator new(std::size_t n, const std::nothrow_t &) noexcept {
    try {
        return allocate(n);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}
void *operator new[](std::size_t n, const std::nothrow_t &t) noexcept { return operator new(n, t); }
