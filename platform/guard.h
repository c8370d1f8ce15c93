// The last line of defence of an export or of a program's main: what the
// exception it caught was. Each only inside a catch handler; none
// allocates, so they answer while memory is short.
#ifndef NDL_GUARD_H
#define NDL_GUARD_H

#include <cstddef>
#include <cstdio>
#include <exception>
#include <new>

// The exception being handled is an allocation failure.
inline bool handling_out_of_memory() noexcept {
    try {
        throw;
    } catch (const std::bad_alloc &) {
        return true;
    } catch (...) {
        return false;
    }
}

// What the exception being handled says of itself.
inline const char *handled_what() noexcept {
    try {
        throw;
    } catch (const std::exception &e) {
        return e.what();
    } catch (...) {
        return "unknown exception";
    }
}

// The error text of an external procedure that the exception being handled
// ended, into TEXT of SIZE bytes.
inline void procedure_error_text(char *text, std::size_t size) noexcept {
    if (handling_out_of_memory())
        std::snprintf(text, size, "Error : Out of memory\n");
    else
        std::snprintf(text, size, "Error : Unexpected failure (%s)\n", handled_what());
}

// For the catch handler of a program's main: says on standard error what
// stopped PROGRAM.
inline void report_exception(const char *program) noexcept {
    if (handling_out_of_memory())
        std::fprintf(stderr, "%s: out of memory\n", program);
    else
        std::fprintf(stderr, "%s: unexpected failure (%s)\n", program, handled_what());
}

#endif
