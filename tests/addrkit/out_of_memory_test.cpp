// The procedures when memory runs out: every allocation of a call fails in
// turn. The call must end as a failure that says so (status of failure,
// error indicator NOT NULL, text results NULL, CLOB results dropped), never
// throw into its caller, and the library must answer the next call as
// before. One procedure of each frame: buffer results, CLOB results, a
// *Lob variant that runs its scalar twin, a directory procedure, the second
// build, and dirlist.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <functional>
#include <string>
#include <vector>

#include "failing_new.h"
#include "host.h"
#include "oci.h"
#include "temp_tree.h"

namespace {

const std::string kNull = "<null>";
const std::string kOutOfMemory = "Error : Out of memory\n";

// What a call answered.
struct Answer {
    int ret = 0;
    std::string err;
    int errind = 0;
    std::vector<std::string> results;  // each "<null>" or its text
    bool operator==(const Answer &) const = default;
};

std::ostream &operator<<(std::ostream &o, const Answer &a) {
    o << "return " << a.ret << ", error " << a.errind << " '" << a.err << "'";
    for (const std::string &r : a.results) o << ", '" << r << "'";
    return o;
}

void *symbol(const std::string &library, const char *name) {
    void *lib = dlopen((std::string(NDL_BIN_DIR) + "/lib" + library + ".so").c_str(), RTLD_NOW | RTLD_LOCAL);
    return lib ? dlsym(lib, name) : nullptr;
}

// The buffers of one call, as the agent lays them out.
struct Frame {
    static constexpr int kSize = 4000;
    char err[kSize] = "untouched";
    int errind = 7;
    char res[3][kSize] = {};
    int ind[3] = {7, 7, 7};

    Answer answer(int ret, int nresults) const {
        Answer a{ret, err, errind, {}};
        for (int i = 0; i < nresults; ++i) a.results.push_back(ind[i] == -1 ? kNull : res[i]);
        return a;
    }
};

// The handles of a session, for the CLOBs of the *Lob variants.
class Clobs {
public:
    explicit Clobs(const extproc::Session &s) : h_(s.handles()) {}
    ~Clobs() {
        for (OCILobLocator *l : made_) OCIDescriptorFree(l, OCI_DTYPE_LOB);
    }
    OCILobLocator *make(const std::string &text = "") {
        OCILobLocator *l = nullptr;
        OCIDescriptorAlloc(h_.env, reinterpret_cast<dvoid **>(&l), OCI_DTYPE_LOB, 0, nullptr);
        made_.push_back(l);
        ub4 n = static_cast<ub4>(text.size());
        if (n)
            OCILobWrite(h_.svc, h_.err, l, &n, 1, const_cast<char *>(text.data()), n, OCI_ONE_PIECE, nullptr,
                        nullptr, 0, SQLCS_IMPLICIT);
        return l;
    }
    static std::string text(const OCILobLocator *l) {
        if (!l) return kNull;
        ub4 n = 0;
        const char *t = ocix_lob_text(l, &n);
        return t ? std::string(t, n) : "";
    }
    OCIExtProcContext *ctx() const { return h_.ctx; }

private:
    const extproc::Session::Handles &h_;
    std::vector<OCILobLocator *> made_;
};

using Ctx = OCIExtProcContext *;
using Clob = OCILobLocator *;
#define TEXT_OUT char *, int, int *

// One procedure: how it is called with the NTH allocation failing (the
// count of allocations into *MADE), and the status it fails with.
struct Procedure {
    const char *name;
    std::function<Answer(Clobs &, long nth, long *made)> call;
    int failed = 2;
};

template <class F>
F fn(const char *library, const char *name) {
    return reinterpret_cast<F>(symbol(library, name));
}

// A host address of 10.0.0.0/24, the used ones in a CLOB.
std::function<Answer(Clobs &, long, long *)> host_from_clob(const char *library, const char *name,
                                                            std::string used_list) {
    return [=](Clobs &lobs, long nth, long *made) {
        auto f = fn<int (*)(Ctx, TEXT_OUT, const char *, int, Clob, TEXT_OUT)>(library, name);
        Frame c;
        Clob used = lobs.make(used_list);
        int ret = with_failing_allocation(
            nth,
            [&] {
                return f(lobs.ctx(), c.res[0], Frame::kSize, &c.ind[0], "10.0.0.0", 24, used, c.err, Frame::kSize,
                         &c.errind);
            },
            made);
        return c.answer(ret, 1);
    };
}

std::vector<Procedure> procedures(const std::string &dir) {
    return {
        {"C_validate_network",
         [](Clobs &, long nth, long *made) {
             auto f = fn<int (*)(const char *, int, const char *, const char *, TEXT_OUT)>("addrkit",
                                                                                          "C_validate_network");
             Frame c;
             int ret = with_failing_allocation(
                 nth, [&] { return f("10.0.0.0", 16, "10.1.0.0 10.2.0.0", "24 24", c.err, Frame::kSize, &c.errind); },
                 made);
             return c.answer(ret, 0);
         }},
        {"C_PoolRanges",
         [](Clobs &, long nth, long *made) {
             auto f = fn<int (*)(const char *, TEXT_OUT, TEXT_OUT, TEXT_OUT, TEXT_OUT)>("addrkit", "C_PoolRanges");
             Frame c;
             int ret = with_failing_allocation(
                 nth,
                 [&] {
                     return f("10.0.0.1 10.0.0.2 10.0.0.3 10.0.0.9", c.res[0], Frame::kSize, &c.ind[0], c.res[1],
                              Frame::kSize, &c.ind[1], c.res[2], Frame::kSize, &c.ind[2], c.err, Frame::kSize,
                              &c.errind);
                 },
                 made);
             return c.answer(ret, 3);
         }},
        {"C_get_ipaddress_natnet",
         [](Clobs &, long nth, long *made) {
             auto f = fn<int (*)(TEXT_OUT, TEXT_OUT, const char *, int, const char *, const char *, int, int, int,
                                 TEXT_OUT)>("addrkit", "C_get_ipaddress_natnet");
             Frame c;
             int ret = with_failing_allocation(
                 nth,
                 [&] {
                     return f(c.res[0], Frame::kSize, &c.ind[0], c.res[1], Frame::kSize, &c.ind[1], "10.0.0.0", 24,
                              "10.0.0.0", "30", 6, 0, 1, c.err, Frame::kSize, &c.errind);
                 },
                 made);
             return c.answer(ret, 2);
         }},
        {"C_get_next_subnw",
         [](Clobs &, long nth, long *made) {
             auto f = fn<int (*)(const char *, int, const char *, const char *, int, TEXT_OUT, TEXT_OUT)>(
                 "addrkit", "C_get_next_subnw");
             Frame c;
             int ret = with_failing_allocation(
                 nth,
                 [&] {
                     return f("10.0.0.0", 16, "10.0.0.0 10.0.1.0", "24 24", 24, c.res[0], Frame::kSize, &c.ind[0],
                              c.err, Frame::kSize, &c.errind);
                 },
                 made);
             return c.answer(ret, 1);
         }},
        {"C_aggregateLob",
         [](Clobs &lobs, long nth, long *made) {
             auto f = fn<int (*)(Ctx, Clob, Clob, Clob *, Clob *, TEXT_OUT)>("addrkit", "C_aggregateLob");
             Frame c;
             Clob nets = lobs.make("10.0.0.0 10.0.1.0 10.0.2.0"), prefs = lobs.make("24 24 23");
             Clob outnets = lobs.make(), outprefs = lobs.make();
             int ret = with_failing_allocation(
                 nth, [&] { return f(lobs.ctx(), nets, prefs, &outnets, &outprefs, c.err, Frame::kSize, &c.errind); },
                 made);
             Answer a = c.answer(ret, 0);
             a.results = {Clobs::text(outnets), Clobs::text(outprefs)};
             return a;
         }},
        // A *Lob variant that reads its list and runs its scalar twin.
        {"C_get_ipaddress_fornwLob", host_from_clob("addrkit", "C_get_ipaddress_fornwLob", "10.0.0.1 10.0.0.2")},
        {"C_create_dir",
         [dir](Clobs &, long nth, long *made) {
             auto f = fn<int (*)(const char *, const char *, TEXT_OUT)>("addrkit", "C_create_dir");
             Frame c;
             int ret = with_failing_allocation(
                 nth, [&] { return f(dir.c_str(), "made\\below", c.err, Frame::kSize, &c.errind); }, made);
             return c.answer(ret, 0);
         },
         -1},
        {"C_get_ipaddress_natLob", host_from_clob("tmplibaddrkit", "C_get_ipaddress_natLob", "10.0.0.0 10.0.0.1")},
    };
}

class OutOfMemory : public ::testing::Test {
protected:
    void SetUp() override { tree.dir("made"); }
    TempTree tree;
    std::string dir = tree.root();
};

TEST_F(OutOfMemory, EveryAllocationOfAProcedureFailsIntoItsErrorTriple) {
    extproc::Session session(dir + "/repository.db");
    ASSERT_TRUE(session.ok()) << session.error();
    Clobs lobs(session);
    for (const Procedure &p : procedures(dir)) {
        SCOPED_TRACE(p.name);
        long made = 0;
        const Answer ok = p.call(lobs, 0, &made);
        ASSERT_EQ(ok.ret, 0) << ok;
        ASSERT_GT(made, 0) << "nothing to fail";
        int told = 0;
        for (long nth = 1; nth <= made; ++nth) {
            Answer a = p.call(lobs, nth, nullptr);
            // A failure inside the OCI layer (a CLOB write) is its error, in
            // the procedure's words; ours is the one message.
            if (a != ok) {
                EXPECT_EQ(a.ret, p.failed) << "allocation " << nth << ": " << a;
                EXPECT_NE(a.err.find("memory"), std::string::npos) << "allocation " << nth << ": " << a;
                EXPECT_EQ(a.errind, 0) << "allocation " << nth;
                for (const std::string &r : a.results) EXPECT_EQ(r, kNull) << "allocation " << nth << ": " << a;
                told += a.err == kOutOfMemory;
            }
            EXPECT_EQ(p.call(lobs, 0, nullptr), ok) << "the call after allocation " << nth << " failed";
        }
        EXPECT_GT(told, 0);
    }
}

TEST_F(OutOfMemory, DirlistCannotSearchWithoutMemory) {
    auto f = fn<int (*)(char *, char *)>("folderwalk", "_Z7dirlistPcS_");
    ASSERT_NE(f, nullptr);
    std::vector<char> out(32768, 'x');
    long made = 0;
    ASSERT_EQ(with_failing_allocation(0, [&] { return f(dir.data(), out.data()); }, &made), 0);
    const std::string listed = out.data();
    ASSERT_GT(made, 0);
    for (long nth = 1; nth <= made; ++nth) {
        out.assign(out.size(), 'x');
        EXPECT_EQ(with_failing_allocation(nth, [&] { return f(dir.data(), out.data()); }), 1) << nth;
        EXPECT_EQ(std::string(out.data()), "") << nth;
        ASSERT_EQ(f(dir.data(), out.data()), 0);
        EXPECT_EQ(std::string(out.data()), listed);
    }
}

}  // namespace
