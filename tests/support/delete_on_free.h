// The operator delete forms of a replaced operator new that allocates with
// malloc. Replacements cannot be inline: include this in one source file of
// the program or library that replaces operator new.
#ifndef NDL_TESTS_SUPPORT_DELETE_ON_FREE_H
#define NDL_TESTS_SUPPORT_DELETE_ON_FREE_H

#include <cstdlib>
#include <new>

void operator delete(void *p) noexcept { std::free(p); }
void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t) noexcept { std::free(p); }
void operator delete(void *p, const std::nothrow_t &) noexcept { std::free(p); }
void operator delete[](void *p, const std::nothrow_t &) noexcept { std::free(p); }

#endif
