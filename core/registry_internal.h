// Helpers shared by the registry's own sources.
#ifndef NDL_CORE_REGISTRY_INTERNAL_H
#define NDL_CORE_REGISTRY_INTERNAL_H

#include <cstddef>

#include "records_topology.h"

// Copies `src` into `dst` of `size` bytes, cut to fit.
void copy_text(char *dst, size_t size, const char *src);
// The data type code of a variable's type text, refined by its list type.
void report_datatype(const char *variabletype, const char *variablename, int *datatype);
// The connection type of that name (the first declared), null when unknown.
domain_conn_type_rec *find_conntype(const char *connectionname);
// The first fixed connection of that number on the node, null when none.
domain_fixed_conn_rec *find_fixedconn(int connectionno, const char *domainname, const char *nodetype);

#endif
