// The result writer: declared lengths, whole-or-nothing results, and the
// state of every triple after a failure. The procedures are called directly
// so that the bytes around each buffer can be watched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "procedures.h"

namespace {

// A buffer with guard bytes behind the declared length.
struct Guarded {
    static constexpr int kGuard = 64;
    char bytes[4096 + kGuard];
    int len;
    int ind = 99;
    explicit Guarded(int declared, const char *stale = "stale") : len(declared) {
        std::memset(bytes, '#', sizeof bytes);
        // Earlier content, within the declared length.
        size_t n = std::min(std::strlen(stale), static_cast<size_t>(declared > 0 ? declared - 1 : 4000));
        std::memcpy(bytes, stale, n);
        bytes[n] = '\0';
    }
    bool guard_intact() const {
        for (int i = len; i < len + kGuard; ++i)
            if (bytes[i] != '#') return false;
        return true;
    }
    std::string text() const { return bytes; }
};

TEST(ResultWriter, HonoursTheDeclaredLengthWholeOrNothing) {
    // "10.0.0.1 10.0.0.2 " is 18 characters and needs 19 bytes.
    for (int declared : {19, 18, 5, 1}) {
        Guarded res(declared), err(200);
        int rc = C_GetAddressRange(res.bytes, res.len, &res.ind, "10.0.0.1", "10.0.0.2", err.bytes, err.len, &err.ind);
        EXPECT_TRUE(res.guard_intact()) << declared;
        if (declared == 19) {
            EXPECT_EQ(rc, 0);
            EXPECT_EQ(res.text(), "10.0.0.1 10.0.0.2 ");
            EXPECT_EQ(res.ind, 0);
            EXPECT_EQ(err.ind, -1);
        } else {
            EXPECT_EQ(rc, 2) << declared;
            EXPECT_EQ(res.text(), "");
            EXPECT_EQ(res.ind, -1);
            EXPECT_EQ(err.ind, 0);
            EXPECT_EQ(err.text(), "Error : Result too long for its buffer of " + std::to_string(declared) + " bytes\n");
        }
    }
}

TEST(ResultWriter, AHugeRangeStopsAtTheBuffer) {
    Guarded res(4000), err(200);
    int rc = C_GetAddressRange(res.bytes, res.len, &res.ind, "0.0.0.0", "255.255.255.255", err.bytes, err.len,
                               &err.ind);
    EXPECT_EQ(rc, 2);
    EXPECT_TRUE(res.guard_intact());
    EXPECT_EQ(res.ind, -1);
}

TEST(ResultWriter, ErrorTextIsCutToItsDeclaredLength) {
    Guarded res(100), err(10);
    EXPECT_EQ(C_compute_network("not-an-address", 8, res.bytes, res.len, &res.ind, err.bytes, err.len, &err.ind), 2);
    EXPECT_TRUE(err.guard_intact());
    EXPECT_EQ(err.text(), "Error: In");
    EXPECT_EQ(err.ind, 0);
}

TEST(ResultWriter, FailureLeavesEveryResultEmptyAndNull) {
    Guarded net(100), bcast(100), err(200);
    EXPECT_EQ(C_ExtractNetworkBroadcast("10.1.2.3", 33, net.bytes, net.len, &net.ind, bcast.bytes, bcast.len,
                                        &bcast.ind, err.bytes, err.len, &err.ind),
              2);
    EXPECT_EQ(net.text(), "");
    EXPECT_EQ(bcast.text(), "");
    EXPECT_EQ(net.ind, -1);
    EXPECT_EQ(bcast.ind, -1);

    // A pool whose masks do not fit: the ranges already written go too.
    Guarded ranges(200), masks(10), common(100), err2(200);
    EXPECT_EQ(C_PoolRanges("10.0.0.1 10.0.0.3 10.0.0.5", ranges.bytes, ranges.len, &ranges.ind, masks.bytes,
                           masks.len, &masks.ind, common.bytes, common.len, &common.ind, err2.bytes, err2.len,
                           &err2.ind),
              2);
    EXPECT_TRUE(masks.guard_intact());
    for (Guarded *g : {&ranges, &masks, &common}) {
        EXPECT_EQ(g->text(), "");
        EXPECT_EQ(g->ind, -1);
    }
}

TEST(ResultWriter, NoDeclaredLengthMeansNoBound) {
    Guarded res(0), err(0);
    EXPECT_EQ(C_compute_mask(24, res.bytes, res.len, &res.ind, err.bytes, err.len, &err.ind), 0);
    EXPECT_EQ(res.text(), "255.255.255.0");
}

TEST(Indicators, ValidatorsAndPagingConventions) {
    // Only this validator keeps the caller's error indicator on success.
    Guarded err(200);
    err.ind = 0;
    EXPECT_EQ(C_validate_ipaddress_fornw("10.0.0.0", 24, "10.0.0.1", err.bytes, err.len, &err.ind), 0);
    EXPECT_EQ(err.ind, 0);
    EXPECT_EQ(C_ValidateAddressRange("10.0.0.1", "10.0.0.2", err.bytes, err.len, &err.ind), 0);
    EXPECT_EQ(err.ind, -1);

    // Past the end of a network: an empty page, a note, and success.
    Guarded res(100);
    int next = 7;
    EXPECT_EQ(C_GetIPAddressList(res.bytes, res.len, &res.ind, "10.0.0.0", 22, 1024, &next, err.bytes, err.len,
                                 &err.ind),
              0);
    EXPECT_EQ(next, -1);
    EXPECT_EQ(res.text(), "");
    EXPECT_EQ(res.ind, 0);
    EXPECT_EQ(err.text(), "Invalid index '1024' passed ");
    EXPECT_EQ(err.ind, -1);
}

}  // namespace
