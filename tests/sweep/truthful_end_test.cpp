// How the programs end where the sweep's criteria are too broad to tell:
// what a failed commit leaves in the log, a call that could not start, the
// "-wal" warning, and files that are not regular files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "repo_test.h"
#include "run_program.h"

namespace {

const std::string kBin = NDL_BIN_DIR;

class TruthfulEnd : public RepoTest {
protected:
    ProgramRun extproc(const std::string &files, std::vector<std::string> env = {}) {
        return run_program(kBin + "/extproc", {"--repository", db, "parse", "--dir", NDL_EXAMPLES, "--files", files},
                           Stdout::Captured, std::move(env));
    }
};

TEST_F(TruthfulEnd, ALoadWhoseCommitFailsEndsItsLogSayingNothingWasStored) {
    std::string before = repository_dump(db);
    ProgramRun r = extproc("network.ndl", {"NDL_OCI_FAULT=commit:1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.ends_with("files  successfully loaded \n\nERROR: the load could not be committed: nothing was stored\n"))
        << r.out;
    EXPECT_NE(r.err.find("commit failed"), std::string::npos) << r.err;
    EXPECT_EQ(repository_dump(db), before);
}

// A COMMIT whose answer the connection lost is read back on a new one: the
// load stands, and its log says how that was found, on both loaders.
TEST_F(TruthfulEnd, ALoadWhoseCommitAnswerWasLostIsReadBack) {
    SKIP_UNLESS_SERVER();
    const std::string note = "NOTE: COMMIT's answer was lost (the connection to the server was lost) and read back "
                             "on a new connection: the transaction committed\n";
    ProgramRun r = extproc("network.ndl", {"NDL_OCI_FAULT=commitdrop:1"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(r.out.ends_with("files  successfully loaded \n\n" + note)) << r.out;
    EXPECT_EQ(rows("SELECT count(*) FROM networks"), std::vector<std::string>{"1"});
    std::string cli = fresh_repository(dir, "cli.db");
    r = run_program(kBin + "/cfgload", {NDL_EXAMPLES "/network.ndl", login_for(cli)}, Stdout::Captured,
                    {"NDL_OCI_FAULT=commitdrop:1"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(r.out.ends_with(note + "file  successfully loaded \n")) << r.out;
    EXPECT_EQ(query_rows(cli, "SELECT count(*) FROM networks"), std::vector<std::string>{"1"});
    drop_repository(cli);
}

TEST_F(TruthfulEnd, ACallThatCannotReachItsLogSaysWhyOnStandardError) {
    ProgramRun r = extproc("network.ndl", {"NDL_OCI_FAULT=extprocenv:1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("wrote nothing to its log"), std::string::npos) << r.err;
}

TEST_F(TruthfulEnd, TheSqliteWalWarningComesOnlyFromAProgramThatCommitted) {
    SKIP_UNLESS_SQLITE();
    const std::string warning = "could not be closed whole";
    // A load refused: nothing of it committed, nothing to warn of.
    ProgramRun r = extproc("missing.ndl", {"NDL_OCI_FAULT=checkpoint:1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.find(warning), std::string::npos) << r.err;
    // A committed load whose rows stay in the -wal says so, and stays loaded.
    r = extproc("network.ndl", {"NDL_OCI_FAULT=checkpoint:1"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find(warning), std::string::npos) << r.err;
    EXPECT_NE(rows("SELECT count(*) FROM networks"), std::vector<std::string>{"0"});
}

// A query the SQLite layer makes for itself (the count that calls for the
// version indexes, the file's indexes, its encoding) runs out of memory in
// turn, at each point it is made; SQLite may roll the transaction back by
// itself. A fresh load and a reload then fail for memory, nothing stored,
// and nothing of the load runs outside its transaction.
TEST_F(TruthfulEnd, ALoadWhoseOwnQueriesRunOutOfMemoryStoresNothing) {
    SKIP_UNLESS_SQLITE();
    const std::string all = "network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl";
    for (bool reload : {false, true}) {
        std::string repository = dir + (reload ? "/reload.db" : "/fresh.db");
        std::vector<std::string> args{"--repository", repository, "parse", "--dir", NDL_EXAMPLES, "--files", all};
        if (reload) ASSERT_EQ(run_program(kBin + "/extproc", args).status, 0);
        std::string before = reload ? repository_dump(repository) : "";
        if (reload) args.insert(args.end(), {"--mode", "updateversion"});
        int rolled_back = 0, k = 1;
        for (;; ++k) {
            ProgramRun r =
                run_program(kBin + "/extproc", args, Stdout::Captured, {"NDL_OCI_FAULT=ownquery:" + std::to_string(k)});
            if (r.status == 0) break;  // past the last such query
            SCOPED_TRACE((reload ? "reload, query " : "fresh load, query ") + std::to_string(k));
            EXPECT_EQ(r.status, 2) << r.out << r.err;
            EXPECT_NE((r.out + r.err).find("out of memory"), std::string::npos) << r.out << r.err;
            EXPECT_EQ(r.out.find("successfully loaded"), std::string::npos) << r.out;
            rolled_back += r.out.find("the repository rolled the transaction back") != std::string::npos;
            if (reload)
                EXPECT_EQ(repository_dump(repository), before);
            else
                EXPECT_FALSE(std::filesystem::exists(repository));
        }
        EXPECT_GT(k, 3) << "no query of the layer's own failed";
        EXPECT_GT(rolled_back, 0) << "no transaction was rolled back by SQLite itself";
    }
}

// A FIFO nobody writes and a device that never ends: both loaders refuse
// them at once, as they refuse a directory (a hang fails the test's time).
TEST_F(TruthfulEnd, OnlyARegularFileIsAnNdlFile) {
    std::string fifo = dir + "/fifo.ndl";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string &file : {fifo, std::string("/dev/zero"), dir}) {
        ProgramRun r = run_program(kBin + "/extproc", {"--repository", db, "parse", "--files", file});
        EXPECT_EQ(r.status, 2) << file;
        EXPECT_NE(r.out.find("ERROR: File cannot be opened for parsing: " + file), std::string::npos) << r.out;
        r = run_program(kBin + "/cfgload", {file, "ndl/ndl"}, Stdout::Captured, {"NDL_REPOSITORY=" + dir + "/cli.db"});
        EXPECT_EQ(r.status, 1) << file;
        EXPECT_EQ(r.err, "open failed for " + file + "\n");
    }
}

}  // namespace
