// The *Lob variants of the address procedures: the external-procedure
// context first, list inputs as CLOB locators, list results as CLOB
// locators by reference. Each answers as the procedure it stands for.
#ifndef NDL_ADDRKIT_LOBPROCS_H
#define NDL_ADDRKIT_LOBPROCS_H

#include "export.h"
#include "oci.h"

#define NDL_CTX OCIExtProcContext *ctx
#define NDL_ERR char *err, int errlen, int *errind
#define NDL_RES(x) char *x, int x##len, int *x##ind
using Clob = OCILobLocator *;
using ClobRef = OCILobLocator **;

NDL_EXPORT int C_get_maxsubnw_sizeLob(NDL_CTX, const char *parent, int prefix, Clob used, Clob usedprefixes,
                                      int *parentsize, int *usedtotal, int *largest, NDL_ERR);
NDL_EXPORT int C_PoolRangesLob(NDL_CTX, Clob addresses, ClobRef ranges, ClobRef masks, NDL_RES(common), NDL_ERR);
NDL_EXPORT int C_get_ipaddress_fornwLob(NDL_CTX, NDL_RES(res), const char *network, int prefix, Clob used,
                                        NDL_ERR);
NDL_EXPORT int C_get_next_subnwLob(NDL_CTX, const char *parent, int prefix, Clob used, Clob usedprefixes,
                                   int wanted, NDL_RES(res), NDL_ERR);
NDL_EXPORT int C_get_ipaddress_forptopnwLob(NDL_CTX, NDL_RES(first), NDL_RES(second), const char *network,
                                            int prefix, Clob used, NDL_ERR);
NDL_EXPORT int C_get_ipaddress_natxLob(NDL_CTX, NDL_RES(res), const char *pool, int prefix, Clob used,
                                       Clob usedprefixes, int count, NDL_ERR);
NDL_EXPORT int C_validate_ipaddress_fornwLob(NDL_CTX, const char *network, int prefix, Clob addresses, NDL_ERR);
NDL_EXPORT int C_aggregate_tooneLob(NDL_CTX, Clob networks, Clob prefixes, NDL_RES(res), int *prefix, NDL_ERR);
NDL_EXPORT int C_aggregate_toprefixLob(NDL_CTX, Clob networks, Clob prefixes, NDL_RES(res), int limit, NDL_ERR);
NDL_EXPORT int C_aggregateLob(NDL_CTX, Clob networks, Clob prefixes, ClobRef nets, ClobRef prefs, NDL_ERR);
NDL_EXPORT int C_validate_networkLob(NDL_CTX, const char *network, int prefix, Clob assigned,
                                     Clob assignedprefixes, NDL_ERR);
NDL_EXPORT int C_validate_subnetworkLob(NDL_CTX, const char *network, int prefix, const char *parent,
                                        int parentprefix, Clob assigned, Clob assignedprefixes, NDL_ERR);
NDL_EXPORT int C_GetIPAddressListLob(NDL_CTX, ClobRef out, const char *network, int prefix, int start, int *next,
                                     NDL_ERR);
NDL_EXPORT int C_GetAddressRangeLob(NDL_CTX, ClobRef out, const char *first, const char *last, NDL_ERR);
NDL_EXPORT int C_NetPoolRangesLob(NDL_CTX, Clob networks, Clob prefixes, int hostonly, ClobRef ranges,
                                  ClobRef masks, NDL_RES(common), NDL_ERR);
NDL_EXPORT int C_get_ipaddress_natnetLob(NDL_CTX, ClobRef nets, ClobRef prefs, const char *pool, int prefix,
                                         Clob used, Clob usedprefixes, int count, int contiguous, int expand,
                                         NDL_ERR);

#undef NDL_CTX
#undef NDL_ERR
#undef NDL_RES

#endif
