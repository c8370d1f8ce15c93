// Writing text out-parameters (buffer, declared length, indicator) of the
// external procedures. The declared length is honoured when it is positive:
// nothing is ever written past it.
#ifndef NDL_OUTPARAM_H
#define NDL_OUTPARAM_H

#include <cstring>

#define OUT_NULL (-1)
#define OUT_NOTNULL 0

// A result: written whole or not at all. Returns false (buffer emptied) when
// the text does not fit the declared length.
inline bool out_result(char *buf, int len, const char *text) {
    size_t n = std::strlen(text);
    if (len > 0 && n >= static_cast<size_t>(len)) {
        if (len > 0) buf[0] = '\0';
        return false;
    }
    std::memcpy(buf, text, n + 1);
    return true;
}

// An error text: cut to the declared length rather than lost, and marked
// not NULL.
inline void out_error(char *buf, int len, int *ind, const char *text) {
    size_t n = std::strlen(text);
    if (len > 0 && n >= static_cast<size_t>(len)) n = static_cast<size_t>(len) - 1;
    std::memcpy(buf, text, n);
    buf[n] = '\0';
    *ind = OUT_NOTNULL;
}

#endif
