// A text's letters, as the README reads a file: valid UTF-8 is UTF-8, any
// other text Latin-1. The tests compare letters, whatever bytes a backend
// keeps them in: this gives them in UTF-8 (glibc's iconv, which refuses
// what is not UTF-8, decides).
#ifndef NDL_TESTS_SUPPORT_AS_LETTERS_H
#define NDL_TESTS_SUPPORT_AS_LETTERS_H

#include <iconv.h>

#include <string>

inline bool iconv_whole(const char *from, const std::string &in, std::string &out) {
    iconv_t cd = iconv_open("UTF-8", from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string buf(in.size() * 2 + 4, '\0');
    char *src = const_cast<char *>(in.data()), *dst = buf.data();
    size_t left = in.size(), room = buf.size();
    bool ok = iconv(cd, &src, &left, &dst, &room) != static_cast<size_t>(-1) && left == 0;
    iconv_close(cd);
    if (ok) out.assign(buf.data(), buf.size() - room);
    return ok;
}

inline std::string as_letters(const std::string &text) {
    std::string out;
    if (iconv_whole("UTF-8", text, out)) return out;
    iconv_whole("ISO-8859-1", text, out);
    return out;
}

// The same, value by value, of rows whose columns "|" joins.
inline std::string rows_as_letters(const std::string &rows) {
    std::string out, value;
    for (char c : rows) {
        if (c == '|' || c == '\n') {
            out += as_letters(value) + c;
            value.clear();
        } else {
            value += c;
        }
    }
    return out + as_letters(value);
}

#endif
