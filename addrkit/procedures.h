// The exported address procedures, one row each: the parameters before the
// error triple (error text, declared length, indicator), which ends every
// procedure. The rows give the procedures' declarations (here), the host's
// parameter lists (platform/extproc/callspecs.cpp) and, for the procedures
// with a *Lob twin, the twin whole: its declaration (lobprocs.h), its
// definition (lobprocs.cpp) and its parameter list.
//
// A parameter is one of
//   text_in(name)            const char *
//   int_in(name)             int               uint_in(name): unsigned int
//   int_out(name)            int *             int_out_zero(name): one that the
//                                              twin zeroes before it reads its CLOBs
//   text_out(name, size)     char *, int, int *: buffer, declared length, indicator
//   list_in(name, clob[, most])       a space-separated list; the twin takes a CLOB,
//                                     read with CLOB's messages (lobframe.h), of at
//                                     most MOST characters (kMaxListChars)
//   list_out(name, size[, message[, last]])  a list result; the twin's is a CLOB by
//                                     reference, written with those messages (LobOut)
//   plain_int(name, value)   an int in that the twin does not take: it passes VALUE
//
// PROC(name, parameters...): a procedure alone.
// LOB(name, callee, parameters...): with a twin that reads its list CLOBs
//   (the last first) and calls CALLEE, the procedure or one with its
//   parameters, with their texts.
// LOB_BODY(name, body, parameters...): with a twin that runs BODY (Proc &,
//   then the parameters, each text result an OutText &) with its list
//   results in CLOBs.
// SECOND_LOB(name, callee, parameters...): as LOB, the twin only in the
//   second build (tmplibaddrkit, which defines NDL_SECOND_BUILD).
#ifndef NDL_ADDRKIT_PROCEDURES_H
#define NDL_ADDRKIT_PROCEDURES_H

#include "export.h"

// clang-format off
#define NDL_ADDRKIT_PROCEDURES(PROC, LOB, LOB_BODY, SECOND_LOB) \
    /* Validation: 0 when the check holds, 2 with a message otherwise. */ \
    PROC(C_validate_multicastaddr, text_in(address)) \
    PROC(C_check_subipaddress2, text_in(network), int_in(prefix), text_in(address)) \
    PROC(C_check_subipaddress, text_in(first), text_in(last), text_in(network), int_in(prefix)) \
    PROC(C_ipaddress_innet, text_in(network), int_in(prefix), text_in(parent), int_in(parentprefix)) \
    LOB(C_validate_ipaddress_fornw, C_validate_ipaddress_fornw, text_in(network), int_in(prefix), list_in(addresses, kIpaddressTab2)) \
    LOB(C_validate_network, C_validate_network, text_in(network), int_in(prefix), list_in(assigned, kNetworkTab), list_in(assignedprefixes, kPrefixTab)) \
    LOB(C_validate_subnetwork, C_validate_subnetwork, text_in(network), int_in(prefix), text_in(parent), int_in(parentprefix), list_in(assigned, kNetworkTab), list_in(assignedprefixes, kPrefixTab)) \
    PROC(C_ValidateAddressRange, text_in(first), text_in(last)) \
    PROC(C_ValidateIPAddressInRange, text_in(first), text_in(last), text_in(address)) \
    /* Masks and conversions. */ \
    PROC(C_compute_network, text_in(address), int_in(prefix), text_out(result, 4000)) \
    PROC(C_compute_mask, int_in(prefix), text_out(result, 4000)) \
    PROC(C_compute_inversemask, int_in(prefix), text_out(result, 4000)) \
    PROC(C_ExtractNetworkBroadcast, text_in(address), int_in(prefix), text_out(network, 4000), text_out(broadcast, 4000)) \
    PROC(C_ConvertIP, text_in(address), text_in(mode), text_out(result, 4000)) \
    /* Address lists and ranges. */ \
    LOB_BODY(C_GetIPAddressList, address_list_to_end, list_out(result, 32767), text_in(network), int_in(prefix), int_in(start), int_out_zero(next)) \
    LOB_BODY(C_GetAddressRange, address_range, list_out(result, 32767), text_in(first), text_in(last)) \
    LOB_BODY(C_PoolRanges, pool_ranges, list_in(addresses, kPoolAddressTab, kMaxPoolAddresses * kCharsPerItem), \
             list_out(ranges, 32767, "Error in OCILobWrite(1) -- %d %d %s\n", "Error in OCILobWrite (3)-- %d %d %s\n"), \
             list_out(masks, 32767, "Error in OCILobWrite (2) -- %d %d %s\n", "Error in OCILobWrite (4) -- %d %d %s\n"), \
             text_out(commonmask, 4000)) \
    LOB_BODY(C_NetPoolRanges, net_pool_ranges, list_in(networks, kNetworkTab2), list_in(prefixes, kPrefixTab2), int_in(hostonly), \
             list_out(ranges, 32767, "Error in OCILobWrite(1) -- %d %d %s\n"), list_out(masks, 32767, "Error in OCILobWrite (2) -- %d %d %s\n"), \
             text_out(commonmask, 4000)) \
    /* Subnet allocation; these set g_errorcode. */ \
    LOB(C_get_next_subnw, keeping_errorcode<C_get_next_subnw>, text_in(parent), int_in(prefix), list_in(used, kNetworkTab2), list_in(usedprefixes, kPrefixTab2), int_in(wanted), text_out(result, 4000)) \
    LOB(C_get_maxsubnw_size, C_get_maxsubnw_size, text_in(parent), int_in(prefix), list_in(used, kMaxsubnwNetworkTab), list_in(usedprefixes, kMaxsubnwPrefixTab), \
        int_out(parentsize), int_out_zero(usedtotal), int_out_zero(largest)) \
    /* Aggregation. */ \
    LOB(C_aggregate_toone, C_aggregate_toone, list_in(networks, kAddressTab), list_in(prefixes, kPrefixTab2), text_out(result, 4000), int_out(prefix)) \
    LOB(C_aggregate_toprefix, C_aggregate_toprefix, list_in(networks, kIpaddressTab2), list_in(prefixes, kPrefixTab2), text_out(result, 4000), int_in(limit)) \
    LOB_BODY(C_aggregate, aggregate_blocks, list_in(networks, kNewtworkTab), list_in(prefixes, kPrefixTab), list_out(networklist, 32767), list_out(prefixlist, 32767)) \
    /* Host, point-to-point and NAT addresses. */ \
    LOB(C_get_ipaddress_fornw, fornw_valid_network, text_out(result, 4000), text_in(network), int_in(prefix), list_in(used, kIpaddressTab2)) \
    SECOND_LOB(C_get_ipaddress_nat, C_get_ipaddress_nat, text_out(result, 4000), text_in(network), int_in(prefix), list_in(used, kIpaddressTab)) \
    LOB(C_get_ipaddress_forptopnw, C_get_ipaddress_forptopnw, text_out(first, 4000), text_out(second, 4000), text_in(network), int_in(prefix), list_in(used, kIpaddressTab)) \
    PROC(C_get_ipaddress_foroff, text_out(result, 4000), text_in(network), int_in(prefix), uint_in(offset)) \
    LOB(C_get_ipaddress_natx, C_get_ipaddress_natx, text_out(result, 32767), text_in(pool), int_in(prefix), list_in(used, kIpaddressTab2, kNatNetworkText - 1), \
        list_in(usedprefixes, kPrefixTab2, kNatPrefixText - 1), int_in(count), plain_int(contiguous, 0)) \
    LOB_BODY(C_get_ipaddress_natnet, nat_networks, list_out(networklist, 32767), list_out(prefixlist, 32767), text_in(pool), int_in(prefix), \
             list_in(used, kIpaddressLobTab), list_in(usedprefixes, kPrefixTab2), int_in(count), int_in(contiguous), int_in(expand))
// clang-format on

// The order `extproc call` lists the *Lob twins in: their own table's order,
// not the rows'. The host's build checks that it names every twin of the
// first build once.
#define NDL_ADDRKIT_TWINS_LISTED                                                                          \
    "C_get_maxsubnw_size", "C_PoolRanges", "C_get_ipaddress_fornw", "C_get_next_subnw",                 \
        "C_get_ipaddress_forptopnw", "C_get_ipaddress_natx", "C_validate_ipaddress_fornw", "C_aggregate_toone", \
        "C_aggregate_toprefix", "C_aggregate", "C_validate_network", "C_validate_subnetwork", "C_GetIPAddressList", \
        "C_GetAddressRange", "C_NetPoolRanges", "C_get_ipaddress_natnet"

// A parameter as the procedure declares it (the row kinds of export.h and
// the address procedures' own) ...
#define NDL_ROW_PARAM_int_out_zero(n) NDL_ROW_PARAM_int_out(n)
#define NDL_ROW_PARAM_list_in(n, ...) NDL_ROW_PARAM_text_in(n)
#define NDL_ROW_PARAM_list_out(n, size, ...) NDL_ROW_PARAM_text_out(n, size)
#define NDL_ROW_PARAM_plain_int(n, value) NDL_ROW_PARAM_int_in(n)
// ... and as its twin declares it, each followed by a comma.
#define NDL_LOB_DECL(p) NDL_LOB_DECL_##p
#define NDL_LOB_DECL_text_in(n) NDL_ROW_PARAM_text_in(n),
#define NDL_LOB_DECL_int_in(n) NDL_ROW_PARAM_int_in(n),
#define NDL_LOB_DECL_uint_in(n) NDL_ROW_PARAM_uint_in(n),
#define NDL_LOB_DECL_int_out(n) NDL_ROW_PARAM_int_out(n),
#define NDL_LOB_DECL_int_out_zero(n) NDL_ROW_PARAM_int_out_zero(n),
#define NDL_LOB_DECL_text_out(n, size) NDL_ROW_PARAM_text_out(n, size),
#define NDL_LOB_DECL_list_in(n, ...) OCILobLocator *n,
#define NDL_LOB_DECL_list_out(n, ...) OCILobLocator **n,
#define NDL_LOB_DECL_plain_int(n, value)

// The error triple that ends every procedure, after its row's parameters.
#define NDL_ERROR_OUT text_out(error, 4000)
#define NDL_DECLARE_PROC(name, ...) NDL_DECLARE_ROW(name, __VA_ARGS__, NDL_ERROR_OUT)
#define NDL_DECLARE_LOB(name, callee, ...) NDL_DECLARE_PROC(name, __VA_ARGS__)
NDL_ADDRKIT_PROCEDURES(NDL_DECLARE_PROC, NDL_DECLARE_LOB, NDL_DECLARE_LOB, NDL_DECLARE_LOB)
#undef NDL_DECLARE_LOB

// NDL_ADDRKIT_ROWS_DEFINED() ends each file that defines procedures
// (NDL_ROW_DEFINED, export.h).
#define NDL_PROC_DEFINED(name, ...) NDL_ROW_DEFINED(name, __VA_ARGS__, NDL_ERROR_OUT)
#define NDL_PROC_DEFINED_LOB(name, callee, ...) NDL_PROC_DEFINED(name, __VA_ARGS__)
#define NDL_ADDRKIT_ROWS_DEFINED()                                                                     \
    NDL_ADDRKIT_PROCEDURES(NDL_PROC_DEFINED, NDL_PROC_DEFINED_LOB, NDL_PROC_DEFINED_LOB, NDL_PROC_DEFINED_LOB) \
    NDL_DEFINED_AS_DECLARED(C_get_largest_subnw)

// Subnet allocation with the used blocks in arrays, which no parameter list
// of the host can pass. A build may leave it out of its exports
// (NDL_HIDE_LARGEST_SUBNW).
#ifdef NDL_HIDE_LARGEST_SUBNW
#define NDL_LARGEST_EXPORT extern "C"
#else
#define NDL_LARGEST_EXPORT NDL_EXPORT
#endif
NDL_LARGEST_EXPORT int C_get_largest_subnw(const char *parent, int prefix, const unsigned int *used,
                                           const int *usedprefixes, int count, int *best, char *res, int reslen,
                                           int *resind, NDL_ROW_PARAMS(NDL_ERROR_OUT));
#undef NDL_LARGEST_EXPORT

#endif
