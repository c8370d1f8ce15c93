// The procedures whose results are lists, written to whatever their OutTexts
// stand for: the caller's buffers (the scalar procedures) or CLOBs (their
// *Lob variants). Each is called with a fresh Proc whose results these are.
#ifndef NDL_ADDRKIT_LISTPROCS_H
#define NDL_ADDRKIT_LISTPROCS_H

#include <cstdint>

#include "procframe.h"

// Addresses from START on, at most PAGE of them (0: to the end of the
// network); *NEXT as C_GetIPAddressList gives it.
int address_list(Proc &p, OutText &out, const char *network, int prefix, int start, std::uint64_t page, int *next);
int address_range(Proc &p, OutText &out, const char *first, const char *last);
int pool_ranges(Proc &p, const char *addresses, OutText &ranges, OutText &masks, OutText &common);
int net_pool_ranges(Proc &p, const char *networks, const char *prefixes, int hostonly, OutText &ranges,
                    OutText &masks, OutText &common);
int aggregate_blocks(Proc &p, const char *networks, const char *prefixes, OutText &nets, OutText &prefs);
int nat_networks(Proc &p, OutText &nets, OutText &prefs, const char *pool, int prefix, const char *used,
                 const char *usedprefixes, int count, int contiguous, int expand);

#endif
