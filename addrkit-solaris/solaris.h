// What only the second build of the address library offers beside its
// twins of the rows of procedures.h (SECOND_LOB): a debugging log, and CIDR
// helpers.
#ifndef NDL_ADDRKIT_SOLARIS_H
#define NDL_ADDRKIT_SOLARIS_H

#include <cstdint>

#include "export.h"

// Append TEXT, or the decimal VALUE, to the debugging log; a log that cannot
// be opened is passed over.
NDL_EXPORT void writelog(const char *text);
NDL_EXPORT void writeint(int value);

// "a.b.c.d/p" of the smallest block holding LOW and HIGH, in a static buffer
// that the next call overwrites.
NDL_EXPORT char *cidrize(unsigned int low, unsigned int high);
// The last address of the block BASE/PREFIX; -1, with the reason on
// standard error, for a prefix outside 0..32 or a base off its boundary.
NDL_EXPORT std::int64_t add_offset(const char *base, int prefix);
// The number of set bits of NUMBER.
NDL_EXPORT int count_on_bits(unsigned int number);

#endif
