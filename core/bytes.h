// Short byte runs read a word at a time: the texts the tokenizer and the
// text store compare are mostly names of a few bytes, where a call to
// memcmp costs more than the comparison.
#ifndef NDL_CORE_BYTES_H
#define NDL_CORE_BYTES_H

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace bytes {

inline uint64_t word8(const char *s) {
    uint64_t v;
    std::memcpy(&v, s, sizeof v);
    return v;
}
inline uint64_t word4(const char *s) {
    uint32_t v;
    std::memcpy(&v, s, sizeof v);
    return v;
}

// All of a run of 1 to 7 bytes as one word, in at most two loads that may
// overlap; none reads past the run.
inline uint64_t short_word(const char *s, size_t len) {
    if (len >= 4) return word4(s) | word4(s + len - 4) << 32;
    return static_cast<unsigned char>(s[0]) | static_cast<uint64_t>(static_cast<unsigned char>(s[len / 2])) << 8 |
           static_cast<uint64_t>(static_cast<unsigned char>(s[len - 1])) << 16;
}

// memcmp(a, b, len) == 0.
inline bool same(const char *a, const char *b, size_t len) {
    if (len == 0) return true;
    if (len < 8) return short_word(a, len) == short_word(b, len);
    for (size_t i = 0; i + 8 < len; i += 8)
        if (word8(a + i) != word8(b + i)) return false;
    return word8(a + len - 8) == word8(b + len - 8);
}

}  // namespace bytes

#endif
