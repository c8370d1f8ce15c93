// The CLOB side of the *Lob procedures: the one reader of list CLOBs and the
// one writer of result CLOBs, on the handles that the external-procedure
// context hands out.
//
//     Proc p(err, errlen, errind);
//     Lobs lobs(p, ctx);
//     LobOut out(lobs, outlob);
//     OutText &list = p.result(out);          // before the first failure
//     std::string used;
//     if (!lobs.read(usedlob, kSomeTab, used)) return p.fail();
//     return address_list(p, list, ...);      // the body of the scalar
#ifndef NDL_ADDRKIT_LOBFRAME_H
#define NDL_ADDRKIT_LOBFRAME_H

#include <cstddef>
#include <exception>
#include <string>

#include "addrmodel.h"
#include "oci.h"
#include "procframe.h"

// The texts of one input CLOB: its length error and its read error (each
// takes the status, or, with READ_TAKES_TEXT, the read error the Oracle
// error text), and the name our own messages give it.
struct ListClob {
    const char *length_message;
    const char *read_message;
    const char *name;
    bool read_takes_text = false;
};

// The input CLOBs as the procedures' messages name them.
inline constexpr ListClob kIpaddressTab{"Error in get lob len for ipaddress tab %d", "Error in read on ipaddress tab %d",
                                        "ipaddress"};
inline constexpr ListClob kIpaddressTab2{"Error in get lob len for ipaddress  tab %d",
                                         "Error in read on ipaddress tab %d", "ipaddress"};
inline constexpr ListClob kIpaddressLobTab{"Error in get lob len for ipaddresslob  tab %d",
                                           "Error in read on ipaddress tab %d", "ipaddress"};
inline constexpr ListClob kPrefixTab{"Error in get lob len for prefix tab %d", "Error in read on prefix tab %d",
                                     "prefix"};
inline constexpr ListClob kPrefixTab2{"Error in get lob len for prefix  tab %d", "Error in read on prefix tab %d",
                                      "prefix"};
inline constexpr ListClob kNetworkTab{"Error in get lob len for network tab %d", "Error in read on network tab %d",
                                      "network"};
inline constexpr ListClob kNetworkTab2{"Error in get lob len for network  tab %d", "Error in read on network tab %d",
                                       "network"};
inline constexpr ListClob kNewtworkTab{"Error in get lob len for newtwork tab %d", "Error in read on network tab %d",
                                       "network"};
inline constexpr ListClob kAddressTab{"Error in get lob len for address tab %d", "Error in read on address tab %d",
                                      "address"};
// Those whose read error carries the Oracle error text.
inline constexpr ListClob kPoolAddressTab{"Error in get lob len for network tab %d",
                                          "Error in read on network tab \n%s", "network", true};
inline constexpr ListClob kMaxsubnwNetworkTab{"Error in get lob len for address tab %d",
                                              "Error in read on network tab \n%s", "network", true};
inline constexpr ListClob kMaxsubnwPrefixTab{"Error in get lob len for prefix tab %d",
                                             "Error in read on prefix tab \n%s", "prefix", true};

// A list never needs more characters than this per item it may hold: a
// longer CLOB is refused before it is read.
constexpr std::size_t kCharsPerItem = 64;
constexpr std::size_t kMaxListChars = kMaxListItems * kCharsPerItem;
// The longest result a CLOB takes.
constexpr std::size_t kMaxLobResult = std::size_t{64} << 20;

class Lobs {
public:
    // Takes the handles from CTX; a failure leaves "Error in get oci env %d"
    // in P's message and fails every read.
    Lobs(Proc &p, OCIExtProcContext *ctx);

    bool ok() const { return ok_; }
    // The whole content of LOB into TEXT, at most MAX_CHARS characters;
    // false with the message in P (the call still has to fail).
    bool read(OCILobLocator *lob, const ListClob &how, std::string &text, std::size_t max_chars = kMaxListChars);

    OCISvcCtx *svc() const { return svc_; }
    OCIError *errh() const { return errh_; }

private:
    Proc &p_;
    OCIEnv *env_ = nullptr;
    OCISvcCtx *svc_ = nullptr;
    OCIError *errh_ = nullptr;
    bool ok_ = false;
};

// A result CLOB passed by reference: emptied before its first write, then
// written from offset 1 in chunks. When the call fails it is emptied and
// the reference set to NULL.
class LobOut final : public TextSink {
public:
    // MESSAGE formats a failed write ("%d %d %s": status, Oracle error code,
    // text); LAST, when given, the write that ends the result.
    LobOut(const Lobs &lobs, OCILobLocator **lob, const char *message = kWriteFailed, const char *last = nullptr);
    // A result that an exception cut short is discarded.
    ~LobOut();
    LobOut(const LobOut &) = delete;
    LobOut &operator=(const LobOut &) = delete;

    bool append(std::string_view piece) override;
    bool finish() override;
    void discard() override;
    const std::string &why() const override { return why_; }

    static constexpr const char *kWriteFailed = "Error in OCILobWrite -- %d %d %s\n";

private:
    bool flush(const char *message);
    bool oci_failed(const char *message, sword status);

    static constexpr std::size_t kChunk = 32 * 1024;
    const int exceptions_ = std::uncaught_exceptions();
    const Lobs &lobs_;
    OCILobLocator **lob_;
    const char *message_, *last_;
    std::string pending_;
    ub4 offset_ = 1;
    std::size_t total_ = 0;
    bool started_ = false;
    bool failed_ = false;
    std::string why_;
};

#endif
