#include "solaris.h"

#include <bit>
#include <cstdio>
#include <string>

#include "addrmodel.h"
#include "pathmap.h"

namespace {

// Where the debugging log lives, in the original platform's form.
constexpr const char *kLogFile = "d:\\tavlo\\log.txt";

// Short of memory for the path, the log is passed over as one that cannot
// be opened: nothing is thrown to the caller.
template <class... A>
void append_log(const char *format, A... args) noexcept {
    FILE *f = nullptr;
    try {
        f = std::fopen(pathmap::native(kLogFile).c_str(), "a");
    } catch (...) {
    }
    if (!f) return;
    std::fprintf(f, format, args...);
    std::fclose(f);
}

}  // namespace

void writelog(const char *text) { append_log("%s", text); }

void writeint(int value) { append_log("%d", value); }

char *cidrize(unsigned int low, unsigned int high) {
    static char buffer[128];
    int n = std::bit_width(low ^ high);
    // All 32 bits differ: the whole space, 0.0.0.0/0.
    ip_t network = n == 32 ? 0 : low & ~set_bits_from_right(n);
    char text[16];
    format_ip(network, text);
    std::snprintf(buffer, sizeof buffer, "%s/%d", text, 32 - n);
    return buffer;
}

std::int64_t add_offset(const char *base, int prefix) {
    if (prefix < 0 || prefix > 32) {
        std::fputs("CIDR offsets are between 0 and 32\n", stderr);
        return -1;
    }
    ip_t b = numberize(base);
    if (b & ~mask_of(prefix)) {
        std::fputs("CIDR base address didn't start at subnet boundary\n", stderr);
        return -1;
    }
    return static_cast<std::int64_t>(block_last(b, prefix));
}

int count_on_bits(unsigned int number) { return std::popcount(number); }
NDL_DEFINED_AS_DECLARED(writelog)
NDL_DEFINED_AS_DECLARED(writeint)
NDL_DEFINED_AS_DECLARED(cidrize)
NDL_DEFINED_AS_DECLARED(add_offset)
NDL_DEFINED_AS_DECLARED(count_on_bits)
