#include "lobframe.h"

#include <cassert>
#include <cstring>

namespace {

// The first error record of ERRH: its text (at most 1000 characters) and
// the Oracle error code.
std::string oracle_text(OCIError *errh, sb4 *code) {
    text buf[1000] = {};
    *code = 0;
    if (!errh || OCIErrorGet(errh, 1, nullptr, code, buf, sizeof buf - 1, OCI_HTYPE_ERROR) != OCI_SUCCESS) return {};
    return std::string(reinterpret_cast<const char *>(buf));
}

}  // namespace

Lobs::Lobs(Proc &p, OCIExtProcContext *ctx) : p_(p) {
    sword status = ociepgoe(ctx, &env_, &svc_, &errh_);
    ok_ = status == OCI_SUCCESS;
    if (!ok_) p_.message() = strprintf("Error in get oci env %d", status);
}

bool Lobs::read(OCILobLocator *lob, const ListClob &how, std::string &text, std::size_t max_chars) {
    text.clear();
    if (!ok_) return false;
    ub4 length = 0;
    sword status = OCILobGetLength(svc_, errh_, lob, &length);
    if (status != OCI_SUCCESS) {
        p_.message() = strprintf(how.length_message, status);
        return false;
    }
    // Refused before anything is allocated for it.
    if (length > max_chars) {
        p_.message() = strprintf("Error : List in %s tab too long: %u characters, at most %zu\n", how.name, length,
                                 max_chars);
        return false;
    }
    if (length == 0) return true;
    text.resize(length);
    ub4 amount = length;
    status = OCILobRead(svc_, errh_, lob, &amount, 1, text.data(), length, nullptr, nullptr, 0, SQLCS_IMPLICIT);
    if (status != OCI_SUCCESS) {
        if (how.read_takes_text) {
            sb4 code;
            p_.message() = strprintf(how.read_message, oracle_text(errh_, &code).c_str());
        } else {
            p_.message() = strprintf(how.read_message, status);
        }
        text.clear();
        return false;
    }
    if (amount != length) {
        p_.message() = strprintf("Error in read on %s tab: %u of %u characters read\n", how.name, amount, length);
        text.clear();
        return false;
    }
    // The list ends where a C text would.
    text.resize(std::strlen(text.c_str()));
    assert(text.size() <= max_chars);
    return true;
}

LobOut::LobOut(const Lobs &lobs, OCILobLocator **lob, const char *message, const char *last)
    : lobs_(lobs), lob_(lob), message_(message), last_(last ? last : message) {}

LobOut::~LobOut() {
    if (std::uncaught_exceptions() > exceptions_) discard();
}

bool LobOut::oci_failed(const char *message, sword status) {
    sb4 code;
    std::string text = oracle_text(lobs_.errh(), &code);
    why_ = strprintf(message, status, code, text.c_str());
    failed_ = true;
    return false;
}

bool LobOut::append(std::string_view piece) {
    if (failed_) return false;
    if (piece.size() > kMaxLobResult - total_) {
        why_ = strprintf("Error : Result too long for its CLOB: more than %zu characters\n", kMaxLobResult);
        failed_ = true;
        return false;
    }
    if (pending_.capacity() < kChunk) pending_.reserve(2 * kChunk);
    total_ += piece.size();
    pending_.append(piece);
    return pending_.size() < kChunk || flush(message_);
}

bool LobOut::finish() { return !failed_ && flush(last_); }

bool LobOut::flush(const char *message) {
    if (!lob_ || !*lob_) return oci_failed(message, OCI_INVALID_HANDLE);
    // A former, longer content must not keep its tail.
    if (!started_) {
        sword status = OCILobTrim(lobs_.svc(), lobs_.errh(), *lob_, 0);
        if (status != OCI_SUCCESS) return oci_failed("Error in OCILobTrim -- %d %d %s\n", status);
        started_ = true;
    }
    if (pending_.empty()) return true;
    ub4 amount = static_cast<ub4>(pending_.size());
    sword status = OCILobWrite(lobs_.svc(), lobs_.errh(), *lob_, &amount, offset_, pending_.data(), amount,
                               OCI_ONE_PIECE, nullptr, nullptr, 0, SQLCS_IMPLICIT);
    if (status != OCI_SUCCESS) return oci_failed(message, status);
    if (amount != pending_.size()) {
        why_ = strprintf("Error in OCILobWrite: %u of %zu characters written\n", amount, pending_.size());
        failed_ = true;
        return false;
    }
    offset_ += amount;
    pending_.clear();
    assert(offset_ - 1 == total_);  // everything appended is written, in order
    return true;
}

void LobOut::discard() {
    pending_.clear();
    failed_ = true;
    if (!lob_ || !*lob_) return;
    if (lobs_.ok()) OCILobTrim(lobs_.svc(), lobs_.errh(), *lob_, 0);
    *lob_ = nullptr;
}
