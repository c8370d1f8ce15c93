// The frame every address procedure runs in: the error triple, the text
// results and the one writer behind them.
//
// A text result is written straight into the caller's buffer, bounded by the
// declared length when that is positive. A result that does not fit fails
// the whole call (status 2, error text) instead of returning a cut list, and
// a failed call leaves every result empty and NULL.
#ifndef NDL_PROCFRAME_H
#define NDL_PROCFRAME_H

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

#include "addrmodel.h"
#include "export.h"

// Secondary result code of the subnet searches; kept between calls.
NDL_EXPORT int g_errorcode;

// The error triple that ends every procedure's arguments.
#define ERR_ARGS char *err, int errlen, int *errind

constexpr int kStatusOk = 0;
constexpr int kStatusFailed = 2;

// Where a text result goes when it is no caller's buffer (a CLOB).
class TextSink {
public:
    // Appends PIECE; false once the result failed (why() says how).
    virtual bool append(std::string_view piece) = 0;
    // The result is complete; false when it failed.
    virtual bool finish() = 0;
    // The call failed: nothing of the result stays, and it reads NULL.
    virtual void discard() = 0;
    virtual const std::string &why() const = 0;

protected:
    ~TextSink() = default;
};

// One text out-parameter: buffer, declared length, indicator; or a sink.
class OutText {
public:
    OutText() = default;
    // Empty and NOT NULL.
    OutText(char *buf, int len, int *ind);
    explicit OutText(TextSink *sink) : sink_(sink) {}

    // Appends PIECE; false once the result no longer fits (the buffer is then
    // emptied and later pieces are dropped).
    bool put(std::string_view piece);
    // Appends the dotted address and then SUFFIX.
    bool put_ip(ip_t addr, std::string_view suffix = {});
    bool overflowed() const { return overflow_; }
    int declared() const { return static_cast<int>(cap_); }
    // Empty and NULL.
    void set_null();
    // Empty; the indicator stays.
    void clear();
    TextSink *sink() const { return sink_; }

private:
    TextSink *sink_ = nullptr;
    char *buf_ = nullptr;
    std::size_t cap_ = 0;  // 0: no declared length
    std::size_t len_ = 0;
    int *ind_ = nullptr;
    bool overflow_ = false;
};

class Proc {
public:
    // The entry of the frame: error text empty, error indicator NULL (unless
    // SET_ERROR_INDICATOR is false: some procedures keep the caller's value).
    Proc(char *err, int errlen, int *errind, bool set_error_indicator = true);
    // A frame that an exception leaves empties its results as fail() does;
    // PROC_GUARD then writes the error.
    ~Proc();
    Proc(const Proc &) = delete;
    Proc &operator=(const Proc &) = delete;

    // Registers a text result (at most three); it starts empty, NOT NULL.
    // A failure empties it and, unless KEEP_INDICATOR, marks it NULL.
    OutText &result(char *buf, int len, int *ind, bool keep_indicator = false);
    // A result that goes to SINK (which must outlive the call).
    OutText &result(TextSink &sink);

    // Where the model's checks leave their messages.
    std::string &message() { return message_; }

    // Failure: the error text, error indicator NOT NULL, every result empty
    // and NULL. Returns the status 2.
    int fail();
    int fail(const char *format, ...) __attribute__((format(printf, 2, 3)));
    // Success, unless a result overflowed its declared length or its sink
    // failed.
    int done();
    // Leaves a text in the error buffer without failing.
    void note(const std::string &text);

private:
    // Every result empty, and NULL unless it keeps its indicator. A sink is
    // left out when the frame unwinds: it is gone by then, and has
    // discarded its result itself.
    void empty_results(bool sinks);

    static constexpr int kMaxResults = 3;
    const int exceptions_ = std::uncaught_exceptions();
    char *err_;
    int errlen_;
    int *errind_;
    OutText results_[kMaxResults];
    bool keep_indicator_[kMaxResults] = {};
    int nresults_ = 0;
    std::string message_;
};

// Every exported procedure is a function-try-block ended by this handler:
// nothing thrown reaches the agent. The exception fails the call, with an
// error text that says why ("Error : Out of memory\n" when memory ran out).
//
//     int C_something(const char *address, ERR_ARGS) try {
//         Proc p(err, errlen, errind);
//         ...
//     }
//     PROC_GUARD
int fail_exception(ERR_ARGS) noexcept;
#define PROC_GUARD                                  \
    catch (...) {                                   \
        return fail_exception(err, errlen, errind); \
    }

#endif
