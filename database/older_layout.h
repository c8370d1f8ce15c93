// The older, unversioned layout that the command-line build writes.
#ifndef NDL_DATABASE_OLDER_LAYOUT_H
#define NDL_DATABASE_OLDER_LAYOUT_H

#include "table_desc.h"

namespace ndldb {
// Its rules, derived once from the library's descriptions.
const layout_rules &older_layout();
}  // namespace ndldb

// An AS-path or community list start number as this layout stores it (a
// number column): its value, or -1 when the text is no number of 32 bits.
int filterlist_start_number(const char *text);

#endif
