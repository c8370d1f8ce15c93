// CLOB locators: an in-memory text owned by the caller, written and read at
// 1-based character offsets.
#include "oci_internal.h"

#include <algorithm>
#include <cstring>

namespace ndloci {

namespace {

// Bounds what a stray offset can make us allocate.
constexpr size_t kLobMax = size_t{1} << 30;

// Runs a LOB call on its locator when the handles are live.
template <class F>
sword lob_call(OCISvcCtx *svchp, OCIError *errhp, const void *locp, Fault kind, F &&body) {
    Lob *lob = as<Lob>(locp);
    Error *e = as<Error>(errhp);
    return api_call(e, lob && as<SvcCtx>(svchp), kind, [&]() -> sword { return body(*lob, e); });
}

sword bad_offset(Error *e, ub4 offset) {
    return fail(e, kErrLob, format("LOB offset %u is invalid: offsets count from 1", offset));
}

}  // namespace

}  // namespace ndloci

using namespace ndloci;

extern "C" {

sword OCILobWrite(OCISvcCtx *svchp, OCIError *errhp, OCILobLocator *locp, ub4 *amtp, ub4 offset, dvoid *bufp,
                  ub4 buflen, ub1 piece, dvoid *, OCICallbackLobWrite cbfp, ub2, ub1) {
    return lob_call(svchp, errhp, locp, Fault::LobWrite, [&](Lob &lob, Error *e) -> sword {
        if (!amtp) return fail(e, kErrUsage, "the LOB amount pointer is null");
        if (piece != OCI_ONE_PIECE || cbfp) return fail(e, kErrUsage, "LOBs are written in one piece");
        if (offset < 1) return bad_offset(e, offset);
        size_t n = std::min(*amtp, buflen);
        if (n == 0) {
            *amtp = 0;
            return OCI_SUCCESS;
        }
        if (!bufp) return fail(e, kErrUsage, "the LOB write buffer is null");
        size_t pos = offset - 1;
        if (pos + n > kLobMax) return fail(e, kErrLob, "a LOB cannot grow beyond 1 GiB");
        std::string &data = lob.data;
        data.reserve(pos + n);  // the one allocation, before anything changes
        if (pos > data.size()) data.resize(pos, ' ');  // a write past the end pads with blanks
        if (pos + n > data.size()) data.resize(pos + n);
        std::memcpy(data.data() + pos, bufp, n);
        *amtp = static_cast<ub4>(n);
        return OCI_SUCCESS;
    });
}

sword OCILobRead(OCISvcCtx *svchp, OCIError *errhp, OCILobLocator *locp, ub4 *amtp, ub4 offset, dvoid *bufp,
                 ub4 bufl, dvoid *, OCICallbackLobRead cbfp, ub2, ub1) {
    return lob_call(svchp, errhp, locp, Fault::LobRead, [&](Lob &lob, Error *e) -> sword {
        if (!amtp) return fail(e, kErrUsage, "the LOB amount pointer is null");
        if (cbfp) return fail(e, kErrUsage, "LOBs are read in one piece");
        if (offset < 1) return bad_offset(e, offset);
        size_t pos = offset - 1;
        if (pos >= lob.data.size()) {
            *amtp = 0;
            return OCI_NO_DATA;
        }
        size_t n = std::min<size_t>({*amtp, bufl, lob.data.size() - pos});
        if (n && !bufp) return fail(e, kErrUsage, "the LOB read buffer is null");
        if (n) std::memcpy(bufp, lob.data.data() + pos, n);
        *amtp = static_cast<ub4>(n);
        return OCI_SUCCESS;
    });
}

sword OCILobGetLength(OCISvcCtx *svchp, OCIError *errhp, OCILobLocator *locp, ub4 *lenp) {
    return lob_call(svchp, errhp, locp, Fault::LobLength, [&](Lob &lob, Error *e) -> sword {
        if (!lenp) return fail(e, kErrUsage, "the LOB length pointer is null");
        *lenp = static_cast<ub4>(lob.data.size());
        return OCI_SUCCESS;
    });
}

sword OCILobTrim(OCISvcCtx *svchp, OCIError *errhp, OCILobLocator *locp, ub4 newlen) {
    return lob_call(svchp, errhp, locp, Fault::Count, [&](Lob &lob, Error *e) -> sword {
        if (newlen > lob.data.size())
            return fail(e, kErrLob, format("cannot trim a LOB of %zu characters to %u: trimming only shortens",
                                           lob.data.size(), newlen));
        lob.data.resize(newlen);
        return OCI_SUCCESS;
    });
}

const char *ocix_lob_text(const OCILobLocator *locp, ub4 *lenp) {
    Lob *lob = as<Lob>(locp);
    if (lenp) *lenp = lob ? static_cast<ub4>(lob->data.size()) : 0;
    return lob ? lob->data.c_str() : nullptr;
}

}  // extern "C"
