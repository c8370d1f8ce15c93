// The exported address procedures. Every text out-parameter is a triple
// (buffer, declared length, indicator); the error triple comes last.
#ifndef NDL_ADDRKIT_PROCEDURES_H
#define NDL_ADDRKIT_PROCEDURES_H

#include "export.h"

#define NDL_ERR char *err, int errlen, int *errind

// Validation: 0 when the check holds, 2 with a message otherwise.
NDL_EXPORT int C_validate_multicastaddr(const char *address, NDL_ERR);
NDL_EXPORT int C_check_subipaddress2(const char *network, int prefix, const char *address, NDL_ERR);
NDL_EXPORT int C_check_subipaddress(const char *first, const char *last, const char *network, int prefix,
                                    NDL_ERR);
NDL_EXPORT int C_ipaddress_innet(const char *network, int prefix, const char *parent, int parentprefix,
                                 NDL_ERR);
NDL_EXPORT int C_validate_ipaddress_fornw(const char *network, int prefix, const char *addresses, NDL_ERR);
NDL_EXPORT int C_validate_network(const char *network, int prefix, const char *assigned,
                                  const char *assignedprefixes, NDL_ERR);
NDL_EXPORT int C_validate_subnetwork(const char *network, int prefix, const char *parent, int parentprefix,
                                     const char *assigned, const char *assignedprefixes, NDL_ERR);
NDL_EXPORT int C_ValidateAddressRange(const char *first, const char *last, NDL_ERR);
NDL_EXPORT int C_ValidateIPAddressInRange(const char *first, const char *last, const char *address, NDL_ERR);

// Masks and conversions.
NDL_EXPORT int C_compute_network(const char *address, int prefix, char *res, int reslen, int *resind, NDL_ERR);
NDL_EXPORT int C_compute_mask(int prefix, char *res, int reslen, int *resind, NDL_ERR);
NDL_EXPORT int C_compute_inversemask(int prefix, char *res, int reslen, int *resind, NDL_ERR);
NDL_EXPORT int C_ExtractNetworkBroadcast(const char *address, int prefix, char *net, int netlen, int *netind,
                                         char *bcast, int bcastlen, int *bcastind, NDL_ERR);
NDL_EXPORT int C_ConvertIP(const char *address, const char *mode, char *res, int reslen, int *resind, NDL_ERR);

// Address lists and ranges.
NDL_EXPORT int C_GetIPAddressList(char *res, int reslen, int *resind, const char *network, int prefix, int start,
                                  int *next, NDL_ERR);
NDL_EXPORT int C_GetAddressRange(char *res, int reslen, int *resind, const char *first, const char *last,
                                 NDL_ERR);
NDL_EXPORT int C_PoolRanges(const char *addresses, char *ranges, int rangeslen, int *rangesind, char *masks,
                            int maskslen, int *masksind, char *common, int commonlen, int *commonind, NDL_ERR);
NDL_EXPORT int C_NetPoolRanges(const char *networks, const char *prefixes, int hostonly, char *ranges,
                               int rangeslen, int *rangesind, char *masks, int maskslen, int *masksind,
                               char *common, int commonlen, int *commonind, NDL_ERR);

// Subnet allocation; these set g_errorcode.
NDL_EXPORT int C_get_next_subnw(const char *parent, int prefix, const char *used, const char *usedprefixes,
                                int wanted, char *res, int reslen, int *resind, NDL_ERR);
// A build may leave this one out of its exports (NDL_HIDE_LARGEST_SUBNW).
#ifdef NDL_HIDE_LARGEST_SUBNW
#define NDL_LARGEST_EXPORT extern "C"
#else
#define NDL_LARGEST_EXPORT NDL_EXPORT
#endif
NDL_LARGEST_EXPORT int C_get_largest_subnw(const char *parent, int prefix, const unsigned int *used,
                                           const int *usedprefixes, int count, int *best, char *res, int reslen,
                                           int *resind, NDL_ERR);
#undef NDL_LARGEST_EXPORT
NDL_EXPORT int C_get_maxsubnw_size(const char *parent, int prefix, const char *used, const char *usedprefixes,
                                   int *parentsize, int *usedtotal, int *largest, NDL_ERR);

// Aggregation.
NDL_EXPORT int C_aggregate_toone(const char *networks, const char *prefixes, char *res, int reslen, int *resind,
                                 int *prefix, NDL_ERR);
NDL_EXPORT int C_aggregate_toprefix(const char *networks, const char *prefixes, char *res, int reslen, int *resind,
                                    int limit, NDL_ERR);
NDL_EXPORT int C_aggregate(const char *networks, const char *prefixes, char *nets, int netslen, int *netsind,
                           char *prefs, int prefslen, int *prefsind, NDL_ERR);

// Host, point-to-point and NAT addresses.
NDL_EXPORT int C_get_ipaddress_fornw(char *res, int reslen, int *resind, const char *network, int prefix,
                                     const char *used, NDL_ERR);
NDL_EXPORT int C_get_ipaddress_nat(char *res, int reslen, int *resind, const char *network, int prefix,
                                   const char *used, NDL_ERR);
NDL_EXPORT int C_get_ipaddress_forptopnw(char *first, int firstlen, int *firstind, char *second, int secondlen,
                                         int *secondind, const char *network, int prefix, const char *used, NDL_ERR);
NDL_EXPORT int C_get_ipaddress_foroff(char *res, int reslen, int *resind, const char *network, int prefix,
                                      unsigned int offset, NDL_ERR);
NDL_EXPORT int C_get_ipaddress_natx(char *res, int reslen, int *resind, const char *pool, int prefix,
                                    const char *used, const char *usedprefixes, int count, int contiguous, NDL_ERR);
NDL_EXPORT int C_get_ipaddress_natnet(char *nets, int netslen, int *netsind, char *prefs, int prefslen,
                                      int *prefsind, const char *pool, int prefix, const char *used,
                                      const char *usedprefixes, int count, int contiguous, int expand, NDL_ERR);

#undef NDL_ERR

#endif
