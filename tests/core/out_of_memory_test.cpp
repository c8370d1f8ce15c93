// A load when memory runs out, in any build: allocations of a load of the
// sample fail in turn (one per run, spread over the whole load). Nothing is
// thrown to the caller; a run either fails or is the whole load; a failure
// of ours is a failed load with its one message; and the library then loads
// the sample as before.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <new>
#include <string>

#include "failing_new.h"
#include "host.h"
#include "oci.h"
#include "repo_test.h"

namespace {

const std::string kSample = "network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl";
const std::string kStopped =
    "ERROR: Out of memory, the load is stopped\n<br>EXITING DUE TO ERRORS, DATABASE TABLES ARE NOT CHANGED\n<br>";
// Runs with a failing allocation, spread evenly over the load.
constexpr long kRuns = 40;

using ParseFile = int (*)(OCIExtProcContext *, OCILobLocator **, char *, char *, char *, char *, int, int *);

struct Load {
    int ret = -1;
    std::string log;
    int messageind = 7;
    bool operator==(const Load &) const = default;
};

class LoadOutOfMemory : public RepoTest {
protected:
    // NDL_parsefile of the sample with its NTH allocation failing, called
    // as the agent calls it; its work is rolled back.
    Load load(const extproc::Session &s, long nth, long *made = nullptr) {
        static const auto parsefile = reinterpret_cast<ParseFile>(
            dlsym(dlopen(NDL_BIN_DIR "/libcfgproc.so", RTLD_NOW | RTLD_LOCAL), "NDL_parsefile"));
        const extproc::Session::Handles &h = s.handles();
        OCILobLocator *lob = nullptr;
        OCIDescriptorAlloc(h.env, reinterpret_cast<dvoid **>(&lob), OCI_DTYPE_LOB, 0, nullptr);
        OCILobLocator *given = lob;
        std::string repository = NDL_EXAMPLES, files = kSample, mode = "updateversion";
        char message[512] = "untouched";
        Load r;
        r.ret = with_failing_allocation(
            nth,
            [&] {
                return parsefile(h.ctx, &lob, repository.data(), files.data(), mode.data(), message, sizeof message,
                                 &r.messageind);
            },
            made);
        ub4 n = 0;
        const char *text = lob ? ocix_lob_text(lob, &n) : nullptr;
        r.log.assign(text ? text : "", n);
        OCIDescriptorFree(given, OCI_DTYPE_LOB);
        OCITransRollback(h.svc, h.err, OCI_DEFAULT);
        return r;
    }
};

TEST_F(LoadOutOfMemory, EachFailingAllocationIsAFailedLoadAndTheNextLoadRuns) {
    ASSERT_EQ(parse(NDL_EXAMPLES, kSample, "initializedata").ret, 0) << log;
    const std::string stored = repository_dump(db);
    extproc::Session s(db);
    ASSERT_TRUE(s.ok()) << s.error();
    const int fds = open_fds();
    long made = 0;
    const Load ok = load(s, 0, &made);
    ASSERT_EQ(ok.ret, 0) << ok.log;
    ASSERT_GT(made, kRuns);
    int ours = 0;
    for (long run = 0; run < kRuns; ++run) {
        long nth = 1 + run * (made - 1) / (kRuns - 1);
        Load r = load(s, nth);
        // An allocation inside the OCI layer fails its call in the layer's
        // words instead ("Error  - out of memory", and the load stops as
        // after any failed statement); one that changes nothing leaves a
        // load that is the whole load.
        EXPECT_TRUE(r.ret == 2 || r == ok) << "allocation " << nth << ": " << r.ret << "\n" << r.log;
        if (r.log.find("ERROR: Out of memory") != std::string::npos) {
            ++ours;
            EXPECT_EQ(r.ret, 2) << "allocation " << nth;
            EXPECT_TRUE(r.log.size() >= kStopped.size() &&
                        r.log.compare(r.log.size() - kStopped.size(), kStopped.size(), kStopped) == 0)
                << "allocation " << nth << ": " << r.log;
            EXPECT_EQ(r.messageind, 0) << "allocation " << nth;
        }
        EXPECT_EQ(load(s, 0), ok) << "the load after allocation " << nth << " failed";
    }
    EXPECT_GT(ours, 0);
    EXPECT_EQ(open_fds(), fds) << "a stopped load left files open";
    EXPECT_EQ(repository_dump(db), stored);
}

// Each allocation the host makes for a call before the library runs fails
// in turn (the call throws): the repository the session created for the
// call is not kept by the commit that ends the session.
TEST_F(LoadOutOfMemory, ACallThatThrowsBeforeItRunsLeavesNoNewRepository) {
    // A new repository is a file the session creates; a server's database
    // is there before the session.
    SKIP_UNLESS_SQLITE();
    const std::string fresh = db + ".new";
    const std::vector<std::string> args = {NDL_EXAMPLES, kSample, ""};
    int thrown = 0;
    for (long nth = 1;; ++nth) {
        bool threw = false;
        {
            extproc::Session s(fresh);
            ASSERT_TRUE(s.ok()) << s.error();
            try {
                with_failing_allocation(nth, [&] { return s.call("cfgproc", "NDL_parsefile", args); });
            } catch (const std::bad_alloc &) {
                threw = true;
            }
        }
        if (!threw) break;
        ++thrown;
        EXPECT_FALSE(std::filesystem::exists(fresh)) << "allocation " << nth;
        std::filesystem::remove(fresh);
    }
    EXPECT_GT(thrown, 0);
}

}  // namespace
