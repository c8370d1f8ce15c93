// Marks the exports of a deliverable; everything else is hidden.
#ifndef NDL_EXPORT_H
#define NDL_EXPORT_H

#include <type_traits>

#define NDL_EXPORT extern "C" __attribute__((visibility("default")))
// An export under the compiler's decorated (C++) name.
#define NDL_EXPORT_CXX __attribute__((visibility("default")))

struct OCIExtProcContext;
struct OCILobLocator;

// NDL_FOR_EACH(M, a, b, ...): M(a) M(b) ...; NDL_JOINED(M, a, b, ...):
// M(a), M(b), ...
#define NDL_PARENS ()
#define NDL_EXPAND(...) NDL_EXPAND3(NDL_EXPAND3(NDL_EXPAND3(NDL_EXPAND3(__VA_ARGS__))))
#define NDL_EXPAND3(...) NDL_EXPAND2(NDL_EXPAND2(NDL_EXPAND2(NDL_EXPAND2(__VA_ARGS__))))
#define NDL_EXPAND2(...) NDL_EXPAND1(NDL_EXPAND1(NDL_EXPAND1(NDL_EXPAND1(__VA_ARGS__))))
#define NDL_EXPAND1(...) __VA_ARGS__
#define NDL_FOR_EACH(m, ...) __VA_OPT__(NDL_EXPAND(NDL_FOR_EACH_NEXT(m, __VA_ARGS__)))
#define NDL_FOR_EACH_NEXT(m, a, ...) m(a) __VA_OPT__(NDL_FOR_EACH_AGAIN NDL_PARENS(m, __VA_ARGS__))
#define NDL_FOR_EACH_AGAIN() NDL_FOR_EACH_NEXT
#define NDL_JOINED(m, ...) __VA_OPT__(NDL_EXPAND(NDL_JOINED_NEXT(m, __VA_ARGS__)))
#define NDL_JOINED_NEXT(m, a, ...) m(a) __VA_OPT__(, NDL_JOINED_AGAIN NDL_PARENS(m, __VA_ARGS__))
#define NDL_JOINED_AGAIN() NDL_JOINED_NEXT

// An export's row: its name and its parameters in order, each one of
//   context                  OCIExtProcContext *
//   text_in(name)            const char *      text_arg(name): char *, a text in
//                                              that the export declares so
//   int_in(name)             int               uint_in(name): unsigned int
//   int_out(name)            int *
//   text_out(name, size)     char *, int, int *: buffer, declared length (SIZE,
//                                              the host's), indicator
//   clob_in(name)            OCILobLocator *   clob_out(name): OCILobLocator **,
//                                              by reference
//   buf_out(name, size)      char *: a buffer of SIZE bytes alone
// The row gives the export's declaration (NDL_DECLARE_ROW), the check of its
// definition (NDL_ROW_DEFINED) and the host's parameter list
// (platform/extproc/callspecs.cpp). ROW(M) passes a row to M.
#define NDL_ROW_PARAM(p) NDL_ROW_PARAM_##p
#define NDL_ROW_PARAM_context OCIExtProcContext *ctx
#define NDL_ROW_PARAM_text_in(n) const char *n
#define NDL_ROW_PARAM_text_arg(n) char *n
#define NDL_ROW_PARAM_int_in(n) int n
#define NDL_ROW_PARAM_uint_in(n) unsigned int n
#define NDL_ROW_PARAM_int_out(n) int *n
#define NDL_ROW_PARAM_text_out(n, size) char *n, int n##len, int *n##ind
#define NDL_ROW_PARAM_clob_in(n) OCILobLocator *n
#define NDL_ROW_PARAM_clob_out(n) OCILobLocator **n
#define NDL_ROW_PARAM_buf_out(n, size) char *n
#define NDL_ROW_PARAMS(...) NDL_JOINED(NDL_ROW_PARAM, __VA_ARGS__)

#define NDL_DECLARE_ROW(name, ...) NDL_EXPORT int name(NDL_ROW_PARAMS(__VA_ARGS__));
#define NDL_DECLARE_ROW_CXX(name, ...) NDL_EXPORT_CXX int name(NDL_ROW_PARAMS(__VA_ARGS__));

// After the definition. One whose parameters differ from its row is a second
// function, a C++ overload that nothing exports, and the row's export is
// never defined: here the address of an overloaded name does not resolve,
// and the build stops at the procedure's name.
#define NDL_ROW_DEFINED(name, ...)                                                     \
    static_assert(std::is_same_v<decltype(&name), int (*)(NDL_ROW_PARAMS(__VA_ARGS__))>, \
                  #name " is not defined as its row declares it");
// After the definition of an export that has no row but its declaration: it
// stops the build in the same way when a definition overloads the name.
#define NDL_DEFINED_AS_DECLARED(name) \
    static_assert(std::is_pointer_v<decltype(&name)>, #name " is defined as declared");

#endif
