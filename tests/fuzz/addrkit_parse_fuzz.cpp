// Address texts and lists from arbitrary bytes. The first line is a list (or
// an address), the second a prefix list (or a second address); every result
// buffer is allocated at exactly its declared length, so a write past it is
// caught by the sanitizer.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "addrmodel.h"
#include "procedures.h"

namespace {

struct Out {
    int len;
    std::unique_ptr<char[]> buf;
    int ind = 0;
    explicit Out(int n) : len(n), buf(new char[static_cast<size_t>(n)]) {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string input(reinterpret_cast<const char *>(data), size);
    size_t nl = input.find('\n');
    std::string first = input.substr(0, nl);
    std::string second = nl == std::string::npos ? std::string() : input.substr(nl + 1);
    first = std::string(first.c_str());  // what a C caller would see
    second = std::string(second.c_str());
    int small = 1 + static_cast<int>(size % 97);

    unsigned char bytes[4];
    if (inet_pton4(first, bytes) && numberize(first) != 0xFFFFFFFFu) {
        char text[16];
        if (!inet_ntop4(bytes, text, sizeof text) || numberize(text) != numberize(first)) __builtin_trap();
    }
    std::vector<Network> nets;
    std::string err;
    extractipandprefixlst(first, second, nets, err);

    Out a(small), b(small), c(small), e(small);
    C_PoolRanges(first.c_str(), a.buf.get(), a.len, &a.ind, b.buf.get(), b.len, &b.ind, c.buf.get(), c.len, &c.ind,
                 e.buf.get(), e.len, &e.ind);
    C_NetPoolRanges(first.c_str(), second.c_str(), static_cast<int>(size & 1), a.buf.get(), a.len, &a.ind,
                    b.buf.get(), b.len, &b.ind, c.buf.get(), c.len, &c.ind, e.buf.get(), e.len, &e.ind);
    C_validate_network("10.0.0.0", 8, first.c_str(), second.c_str(), e.buf.get(), e.len, &e.ind);
    C_validate_ipaddress_fornw("10.0.0.0", 8, first.c_str(), e.buf.get(), e.len, &e.ind);
    C_GetAddressRange(a.buf.get(), a.len, &a.ind, first.c_str(), second.c_str(), e.buf.get(), e.len, &e.ind);
    C_check_subipaddress2(first.c_str(), small % 34, second.c_str(), e.buf.get(), e.len, &e.ind);
    C_ConvertIP(first.c_str(), second.c_str(), a.buf.get(), a.len, &a.ind, e.buf.get(), e.len, &e.ind);

    // The allocation procedures read the same lists as used blocks or
    // networks; small pools keep every call cheap.
    int wanted = 22 + static_cast<int>(size % 12), count = static_cast<int>(size % 300) - 20;
    int n1, n2, n3;
    C_get_next_subnw("10.0.0.0", 22, first.c_str(), second.c_str(), wanted, a.buf.get(), a.len, &a.ind, e.buf.get(),
                     e.len, &e.ind);
    C_get_maxsubnw_size("10.0.0.0", 22, first.c_str(), second.c_str(), &n1, &n2, &n3, e.buf.get(), e.len, &e.ind);
    C_aggregate(first.c_str(), second.c_str(), a.buf.get(), a.len, &a.ind, b.buf.get(), b.len, &b.ind, e.buf.get(),
                e.len, &e.ind);
    C_aggregate_toone(first.c_str(), second.c_str(), a.buf.get(), a.len, &a.ind, &n1, e.buf.get(), e.len, &e.ind);
    C_aggregate_toprefix(first.c_str(), second.c_str(), a.buf.get(), a.len, &a.ind, wanted - 10, e.buf.get(), e.len,
                         &e.ind);
    C_get_ipaddress_fornw(a.buf.get(), a.len, &a.ind, "10.0.0.0", 24, first.c_str(), e.buf.get(), e.len, &e.ind);
    C_get_ipaddress_nat(a.buf.get(), a.len, &a.ind, "10.0.0.0", 24, first.c_str(), e.buf.get(), e.len, &e.ind);
    C_get_ipaddress_forptopnw(a.buf.get(), a.len, &a.ind, b.buf.get(), b.len, &b.ind, "10.0.0.0", 24, first.c_str(),
                              e.buf.get(), e.len, &e.ind);
    C_get_ipaddress_natx(a.buf.get(), a.len, &a.ind, "10.0.0.0", 24, first.c_str(), second.c_str(), count,
                         static_cast<int>(size & 1), e.buf.get(), e.len, &e.ind);
    C_get_ipaddress_natnet(a.buf.get(), a.len, &a.ind, b.buf.get(), b.len, &b.ind, "10.0.0.0", 24, first.c_str(),
                           second.c_str(), count, static_cast<int>(size % 3), static_cast<int>(size / 3 % 3),
                           e.buf.get(), e.len, &e.ind);
    return 0;
}
