// Allocation failures on demand: a test program that links failing_new.cpp
// replaces operator new for itself and for every library it loads, and can
// make one chosen allocation throw std::bad_alloc, as an exhausted address
// space would. The count covers operator new only: C code (SQLite, malloc)
// is not touched.
#ifndef NDL_TESTS_SUPPORT_FAILING_NEW_H
#define NDL_TESTS_SUPPORT_FAILING_NEW_H

#include <utility>

// The NTH allocation (1 = the next one) throws; 0 fails none.
void fail_allocation(long nth);
// Allocations made so far.
long allocations_made();

// Runs BODY with the NTH allocation made inside it failing (0: none), and
// counts them into *MADE when given.
template <class Body>
auto with_failing_allocation(long nth, Body &&body, long *made = nullptr) {
    struct disarm {
        long from;
        long *made;
        ~disarm() {
            fail_allocation(0);
            if (made) *made = allocations_made() - from;
        }
    } d{allocations_made(), made};
    fail_allocation(nth);
    return std::forward<Body>(body)();
}

#endif
