#include "procframe.h"

#include <algorithm>
#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "guard.h"
#include "outparam.h"

int g_errorcode = 0;

OutText::OutText(char *buf, int len, int *ind)
    : buf_(buf), cap_(len > 0 ? static_cast<std::size_t>(len) : 0), ind_(ind) {
    buf_[0] = '\0';
    *ind_ = OUT_NOTNULL;
}

bool OutText::put(std::string_view piece) {
    if (overflow_) return false;
    if (sink_) {
        overflow_ = !sink_->append(piece);
        return !overflow_;
    }
    if (cap_ && len_ + piece.size() >= cap_) {
        overflow_ = true;
        buf_[0] = '\0';
        len_ = 0;
        return false;
    }
    std::memcpy(buf_ + len_, piece.data(), piece.size());
    len_ += piece.size();
    buf_[len_] = '\0';
    assert(!cap_ || len_ < cap_);  // within the declared length, its NUL included
    return true;
}

bool OutText::put_ip(ip_t addr, std::string_view suffix) {
    char text[24];
    std::size_t n = static_cast<std::size_t>(format_ip(addr, text));
    std::size_t s = std::min(suffix.size(), sizeof text - n);
    if (s) std::memcpy(text + n, suffix.data(), s);
    return put(std::string_view(text, n + s));
}

void OutText::clear() {
    if (sink_) sink_->discard();
    if (!buf_) return;
    buf_[0] = '\0';
    len_ = 0;
}

void OutText::set_null() {
    clear();
    if (ind_) *ind_ = OUT_NULL;
}

Proc::Proc(char *err, int errlen, int *errind, bool set_error_indicator)
    : err_(err), errlen_(errlen), errind_(errind) {
    err_[0] = '\0';
    if (set_error_indicator) *errind_ = OUT_NULL;
}

OutText &Proc::result(char *buf, int len, int *ind, bool keep_indicator) {
    assert(nresults_ < kMaxResults);
    results_[nresults_] = OutText(buf, len, ind);
    keep_indicator_[nresults_] = keep_indicator;
    return results_[nresults_++];
}

OutText &Proc::result(TextSink &sink) {
    assert(nresults_ < kMaxResults);
    results_[nresults_] = OutText(&sink);
    return results_[nresults_++];
}

Proc::~Proc() {
    if (std::uncaught_exceptions() > exceptions_) empty_results(false);
}

void Proc::empty_results(bool sinks) {
    for (int i = 0; i < nresults_; ++i) {
        if (!sinks && results_[i].sink()) continue;
        if (keep_indicator_[i])
            results_[i].clear();
        else
            results_[i].set_null();
    }
}

int Proc::fail() {
    empty_results(true);
    out_error(err_, errlen_, errind_, message_.c_str());
    return kStatusFailed;
}

int Proc::fail(const char *format, ...) {
    va_list ap;
    va_start(ap, format);
    char small[512];
    int n = std::vsnprintf(small, sizeof small, format, ap);
    va_end(ap);
    if (n >= 0 && static_cast<std::size_t>(n) < sizeof small) {
        message_.assign(small, static_cast<std::size_t>(n));
    } else {
        message_.assign(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
        va_start(ap, format);
        std::vsnprintf(message_.data(), message_.size() + 1, format, ap);
        va_end(ap);
    }
    return fail();
}

int Proc::done() {
    for (int i = 0; i < nresults_; ++i) {
        OutText &r = results_[i];
        if (TextSink *s = r.sink()) {
            if (r.overflowed() || !s->finish()) return fail("%s", s->why().c_str());
        } else if (r.overflowed()) {
            return fail("Error : Result too long for its buffer of %d bytes\n", r.declared());
        }
    }
    return kStatusOk;
}

void Proc::note(const std::string &text) {
    int ind = *errind_;
    out_error(err_, errlen_, errind_, text.c_str());
    *errind_ = ind;
}

int fail_exception(ERR_ARGS) noexcept {
    char text[256];
    procedure_error_text(text, sizeof text);
    out_error(err, errlen, errind, text);
    return kStatusFailed;
}
