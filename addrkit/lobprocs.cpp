// The *Lob twins, defined from the rows of procedures.h: each reads its list
// CLOBs, the last first, then runs the procedure it stands for; list results
// go to CLOBs through the bodies that the procedures write to their buffers
// with.
#include "lobprocs.h"

#include <initializer_list>
#include <string>

#include "listprocs.h"
#include "lobframe.h"
#include "procframe.h"

namespace {

// The working texts the NAT allocation reads its used lists into, NUL
// included.
constexpr std::size_t kNatNetworkText = 30000;
constexpr std::size_t kNatPrefixText = 3000;

// One list CLOB to read into TEXT.
struct ListRead {
    OCILobLocator *lob;
    const ListClob *how;
    std::string *text;
    std::size_t max_chars = kMaxListChars;
};

// Reads LISTS, the last first; false at the first that fails.
bool read_lists(Lobs &lobs, std::initializer_list<ListRead> lists) {
    if (!lobs.ok()) return false;
    for (auto l = lists.end(); l != lists.begin();) {
        --l;
        if (!lobs.read(l->lob, *l->how, *l->text, l->max_chars)) return false;
    }
    return true;
}

// The procedure F, g_errorcode as it was before.
template <auto F, class... A>
int keeping_errorcode(A... args) {
    const int code = g_errorcode;
    int status = F(args...);
    g_errorcode = code;
    return status;
}

// C_get_ipaddress_fornw, with a network that is not one refused first.
int fornw_valid_network(char *res, int reslen, int *resind, const char *network, int prefix, const char *used,
                        ERR_ARGS) {
    ip_t n;
    std::string ignored;
    if (validate_network(network, prefix, &n, ignored)) {
        Proc p(err, errlen, errind);
        p.result(res, reslen, resind);
        return p.fail("Error: Invalid network\n");
    }
    return C_get_ipaddress_fornw(res, reslen, resind, network, prefix, used, err, errlen, errind);
}

// Every address from START to the end of the network, no pages. A failed
// write, even the last one, leaves no place to go on from.
int address_list_to_end(Proc &p, OutText &out, const char *network, int prefix, int start, int *next) {
    int status = address_list(p, out, network, prefix, start, 0, next);
    if (status != kStatusOk) *next = 0;
    return status;
}

}  // namespace

// What the twin does with each parameter, in order: zeroes it at entry;
// takes it as a result (a list in: declares the text it is read into);
// reads it from its CLOB; passes it on.
#define NDL_ZERO(p) NDL_ZERO_##p
#define NDL_ZERO_text_in(n)
#define NDL_ZERO_int_in(n)
#define NDL_ZERO_uint_in(n)
#define NDL_ZERO_int_out(n)
#define NDL_ZERO_int_out_zero(n) *n = 0;
#define NDL_ZERO_text_out(n, size)
#define NDL_ZERO_list_in(n, ...)
#define NDL_ZERO_list_out(n, ...)
#define NDL_ZERO_plain_int(n, value)

#define NDL_RESULT(p) NDL_RESULT_##p
#define NDL_RESULT_text_in(n)
#define NDL_RESULT_int_in(n)
#define NDL_RESULT_uint_in(n)
#define NDL_RESULT_int_out(n)
#define NDL_RESULT_int_out_zero(n)
#define NDL_RESULT_text_out(n, size) [[maybe_unused]] OutText &n##_out = p.result(n, n##len, n##ind);
#define NDL_RESULT_list_in(n, ...) std::string n##_text;
#define NDL_RESULT_list_out(n, size, ...)               \
    LobOut n##_lob(lobs, n __VA_OPT__(, ) __VA_ARGS__); \
    OutText &n##_out = p.result(n##_lob);
#define NDL_RESULT_plain_int(n, value)

#define NDL_READ(p) NDL_READ_##p
#define NDL_READ_text_in(n)
#define NDL_READ_int_in(n)
#define NDL_READ_uint_in(n)
#define NDL_READ_int_out(n)
#define NDL_READ_int_out_zero(n)
#define NDL_READ_text_out(n, size)
#define NDL_READ_list_in(n, clob, ...) ListRead{n, &clob, &n##_text __VA_OPT__(, ) __VA_ARGS__},
#define NDL_READ_list_out(n, ...)
#define NDL_READ_plain_int(n, value)

// The arguments of the procedure (its text results as the caller gave them)
// or of the body (its text results as OutTexts), each followed by a comma.
#define NDL_ARG(p) NDL_ARG_##p
#define NDL_ARG_text_in(n) n,
#define NDL_ARG_int_in(n) n,
#define NDL_ARG_uint_in(n) n,
#define NDL_ARG_int_out(n) n,
#define NDL_ARG_int_out_zero(n) n,
#define NDL_ARG_text_out(n, size) n, n##len, n##ind,
#define NDL_ARG_list_in(n, ...) n##_text.c_str(),
#define NDL_ARG_plain_int(n, value) value,

#define NDL_BODY_ARG(p) NDL_BODY_ARG_##p
#define NDL_BODY_ARG_text_in(n) , n
#define NDL_BODY_ARG_int_in(n) , n
#define NDL_BODY_ARG_uint_in(n) , n
#define NDL_BODY_ARG_int_out(n) , n
#define NDL_BODY_ARG_int_out_zero(n) , n
#define NDL_BODY_ARG_text_out(n, size) , n##_out
#define NDL_BODY_ARG_list_in(n, ...) , n##_text.c_str()
#define NDL_BODY_ARG_list_out(n, ...) , n##_out
#define NDL_BODY_ARG_plain_int(n, value) , value

// The twin up to its CLOBs read; SET_ERROR_INDICATOR as Proc takes it.
#define NDL_TWIN_ENTRY(name, set_error_indicator, ...)                                            \
    int name##Lob(OCIExtProcContext *ctx, NDL_FOR_EACH(NDL_LOB_DECL, __VA_ARGS__) ERR_ARGS) try { \
        Proc p(err, errlen, errind, set_error_indicator);                                         \
        NDL_FOR_EACH(NDL_ZERO, __VA_ARGS__)                                                       \
        Lobs lobs(p, ctx);                                                                        \
        NDL_FOR_EACH(NDL_RESULT, __VA_ARGS__)                                                     \
        if (!read_lists(lobs, {NDL_FOR_EACH(NDL_READ, __VA_ARGS__)})) return p.fail();

// The procedure, in a frame of its own, sets the error indicator as it does
// when called alone.
#define NDL_TWIN_CALL(name, callee, ...)                                   \
    NDL_TWIN_ENTRY(name, false, __VA_ARGS__)                               \
    return callee(NDL_FOR_EACH(NDL_ARG, __VA_ARGS__) err, errlen, errind); \
    }                                                                      \
    PROC_GUARD
#define NDL_TWIN_BODY(name, body, ...)                        \
    NDL_TWIN_ENTRY(name, true, __VA_ARGS__)                   \
    return body(p NDL_FOR_EACH(NDL_BODY_ARG, __VA_ARGS__));   \
    }                                                         \
    PROC_GUARD
#define NDL_NO_TWIN(...)

// The twins of SECOND_LOB rows exist in the second build alone.
#ifdef NDL_SECOND_BUILD
#define NDL_SECOND_TWIN NDL_TWIN_CALL
#else
#define NDL_SECOND_TWIN NDL_NO_TWIN
#endif
NDL_ADDRKIT_PROCEDURES(NDL_NO_TWIN, NDL_TWIN_CALL, NDL_TWIN_BODY, NDL_SECOND_TWIN)
