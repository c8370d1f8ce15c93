// Network addresses, masks and numeric forms of an address.
#include <cstdio>
#include <cstring>

#include "addrmodel.h"
#include "procedures.h"
#include "procframe.h"

namespace {

// A prefix 0..32 written as its mask or as the inverse of it.
int write_mask(int prefix, bool inverse, const char *bad_prefix, char *res, int reslen, int *resind, ERR_ARGS) {
    Proc p(err, errlen, errind);
    OutText &out = p.result(res, reslen, resind);
    if (prefix < 0 || prefix > 32) return p.fail(bad_prefix, prefix);
    out.put_ip(inverse ? ~mask_of(prefix) : mask_of(prefix));
    return p.done();
}

}  // namespace

int C_compute_network(const char *address, int prefix, char *res, int reslen, int *resind, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &out = p.result(res, reslen, resind);
    ip_t a;
    if (validate_ipaddress(address, &a, p.message())) return p.fail();
    if (prefix < 1 || prefix > 32) return p.fail("Error : Invalid prefix value specifed: %d\n", prefix);
    out.put_ip(a & mask_of(prefix));
    return p.done();
}
PROC_GUARD

int C_compute_mask(int prefix, char *res, int reslen, int *resind, ERR_ARGS) try {
    return write_mask(prefix, false, "Error :Invalid prefix :%d\n", res, reslen, resind, err, errlen, errind);
}
PROC_GUARD

int C_compute_inversemask(int prefix, char *res, int reslen, int *resind, ERR_ARGS) try {
    return write_mask(prefix, true, "Error : Invalid prefix :%d\n", res, reslen, resind, err, errlen, errind);
}
PROC_GUARD

int C_ExtractNetworkBroadcast(const char *address, int prefix, char *net, int netlen, int *netind, char *bcast,
                              int bcastlen, int *bcastind, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &network = p.result(net, netlen, netind);
    OutText &broadcast = p.result(bcast, bcastlen, bcastind);
    // Both stay NULL until both are known.
    *netind = *bcastind = -1;
    if (prefix < 0 || prefix > 32) return p.fail("Error : Invalid prefix :%d\n", prefix);
    ip_t a;
    if (validate_ipaddress(address, &a, p.message())) return p.fail();
    network.put_ip(a & mask_of(prefix));
    broadcast.put_ip(a | set_bits_from_right(32 - prefix));
    *netind = *bcastind = 0;
    return p.done();
}
PROC_GUARD

int C_ConvertIP(const char *address, const char *mode, char *res, int reslen, int *resind, ERR_ARGS) try {
    Proc p(err, errlen, errind);
    OutText &out = p.result(res, reslen, resind);
    unsigned char bytes[4];
    if (!inet_pton4(address, bytes)) return p.fail("Error : Invalid ip address specified: %s\n", address);
    ip_t value = numberize(address);
    // The whole value is written as a signed number, the halves unsigned.
    int number;
    if (std::strcmp(mode, "CONVERTFIP") == 0)
        number = static_cast<int>(value);
    else if (std::strcmp(mode, "CONVERTUIP") == 0)
        number = static_cast<int>(value >> 16);
    else
        number = static_cast<int>(value & 0xFFFFu);
    char text[16];
    std::snprintf(text, sizeof text, "%d", number);
    out.put(text);
    return p.done();
}
PROC_GUARD

NDL_ADDRKIT_ROWS_DEFINED()
