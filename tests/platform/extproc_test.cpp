// The host through its C++ API and through the extproc program, on the
// exports of libhosttest.so.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fcntl.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "fault_hook.h"
#include "host.h"
#include "oci.h"
#include "repo_test.h"
#include "run_program.h"

extern char **environ;

namespace fs = std::filesystem;
using extproc::CallResult;
using extproc::Session;

namespace {

const std::string kBin = NDL_BIN_DIR;

// The first column of the first row, as another connection reads it.
std::string query_value(const std::string &db_path, const char *query) {
    std::vector<std::string> rows = query_rows(db_path, query);
    return rows.empty() ? "" : rows[0];
}

class ExtprocHost : public ::testing::Test {
protected:
    fs::path dir;
    std::string repo;

    void SetUp() override {
        char t[] = "/tmp/extproc_testXXXXXX";
        ASSERT_NE(mkdtemp(t), nullptr);
        dir = t;
        if (on_server_backend() && !pg_server_available()) GTEST_SKIP() << "no test server (PGHOST, PGPORT)";
        repo = fresh_repository(dir.string(), "repo.db");
    }
    void TearDown() override {
        clear_faults();
        drop_repository(repo);
        for (const std::string &other : others) drop_repository(other);
        fs::remove_all(dir);
    }
    // Another new repository, gone with the test's.
    std::string another(const std::string &name) { return others.emplace_back(fresh_repository(dir.string(), name)); }
    std::vector<std::string> others;
    std::string file(const std::string &name, const std::string &content) {
        fs::path p = dir / name;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << content;
        return p.string();
    }
    // The rows of HOSTROWS as another connection sees them.
    std::vector<std::string> rows() { return query_rows(repo, "SELECT VAL FROM HOSTROWS ORDER BY VAL"); }

    struct Run {
        int status = -1;
        std::string out, err;
    };
    // Runs extproc on the test repository; ENV entries "NAME=value" set a
    // variable, "NAME" removes it.
    Run extproc(std::vector<std::string> args, const std::vector<std::string> &env = {},
                bool with_repo = true) {
        if (with_repo) args.insert(args.begin(), {"--repository", repo});
        std::vector<std::string> envs;
        for (char **e = environ; *e; ++e) {
            std::string kv = *e, name = kv.substr(0, kv.find('='));
            bool replaced = false;
            for (const std::string &c : env) replaced |= c.substr(0, c.find('=')) == name;
            if (!replaced) envs.push_back(kv);
        }
        for (const std::string &c : env)
            if (c.find('=') != std::string::npos) envs.push_back(c);
        std::string exe = kBin + "/extproc", out = (dir / "out").string(), err = (dir / "err").string();
        std::vector<char *> argv{exe.data()}, envp;
        for (std::string &a : args) argv.push_back(a.data());
        for (std::string &e : envs) envp.push_back(e.data());
        argv.push_back(nullptr);
        envp.push_back(nullptr);
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addopen(&fa, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&fa, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid;
        Run r;
        if (posix_spawn(&pid, exe.c_str(), &fa, nullptr, argv.data(), envp.data()) == 0) {
            int ws = 0;
            waitpid(pid, &ws, 0);
            r.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : -1;
        }
        posix_spawn_file_actions_destroy(&fa);
        auto slurp = [](const std::string &p) {
            std::stringstream s;
            s << std::ifstream(p).rdbuf();
            return s.str();
        };
        r.out = slurp(out);
        r.err = slurp(err);
        return r;
    }
};

TEST(ExtprocCallSpecs, EveryLineIsWellFormed) {
    std::set<std::string> seen;
    for (const extproc::CallSpec *table : {extproc::kCallSpecs, extproc::kTestCallSpecs})
    for (const extproc::CallSpec *s = table; s->library; ++s) {
        SCOPED_TRACE(std::string(s->library) + " " + s->procedure);
        EXPECT_TRUE(seen.insert(std::string(s->library) + "/" + s->procedure).second) << "listed twice";
        ASSERT_GE(s->nparams, 0);
        ASSERT_LE(s->nparams, extproc::kMaxParams);
        // A count that disagrees with the list would shift every argument.
        for (int i = 0; i < extproc::kMaxParams; ++i)
            EXPECT_EQ(s->params[i].name != nullptr, i < s->nparams) << "parameter " << i;
        for (int i = 0; i < s->nparams; ++i) {
            if (s->params[i].kind == extproc::ParamKind::TextOut || s->params[i].kind == extproc::ParamKind::BufOut) {
                EXPECT_GT(s->params[i].size, 0);
            }
        }
    }
}

TEST(ExtprocFormat, LogBreaksAndCallLines) {
    EXPECT_EQ(extproc::format_log("a<br>b \n<br><br>c<br", false), "a\nb \n\n\nc<br");
    EXPECT_EQ(extproc::format_log("a<br>b", true), "a<br>b");
    CallResult r;
    r.ret = 2;
    r.outs = {{"result", extproc::ParamKind::TextOut, true, "stale"}, {"n", extproc::ParamKind::IntOut, false, "7"}};
    EXPECT_EQ(extproc::format_call(r), "return: 2\nresult: <null>\nn: 7\n");
}

TEST_F(ExtprocHost, TextIntAndIndicatorsRoundTrip) {
    Session s(repo);
    ASSERT_TRUE(s.ok()) << s.error();
    CallResult r = s.call("hosttest", "T_echo", {"ab", "3"});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(extproc::format_call(r), "return: 0\nresult: ababab\nlength: 6\nerror: <null>\n");

    r = s.call("hosttest", "T_echo", {"", "2"});  // NULL result on success
    EXPECT_EQ(r.ret, 0);
    EXPECT_TRUE(r.out("result")->null);

    r = s.call("hosttest", "T_echo", {"x", "-1"});
    EXPECT_EQ(r.ret, 2);
    EXPECT_TRUE(r.out("result")->null);
    EXPECT_FALSE(r.out("error")->null);
    EXPECT_EQ(r.out("error")->value, "Error : negative count -1\n");

    // The buffer and the length passed are the declared 4000.
    r = s.call("hosttest", "T_echo", {"x", "3999"});
    EXPECT_EQ(r.ret, 0);
    EXPECT_EQ(r.out("result")->value, std::string(3999, 'x'));
    r = s.call("hosttest", "T_echo", {"x", "4000"});
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.out("error")->value, "Error : result longer than 4000\n");
    EXPECT_TRUE(s.close()) << s.error();
}

TEST_F(ExtprocHost, ClobsInAndOut) {
    Session s(repo);
    ASSERT_TRUE(s.ok()) << s.error();
    CallResult r = s.call("hosttest", "T_clob", {"  a bb   c "});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.out("output")->value, "a bb c ");
    EXPECT_EQ(r.out("length")->value, "11");

    std::string big;
    for (int i = 0; i < 3000; ++i) big += "10.0.0." + std::to_string(i % 256) + " ";
    r = s.call(kBin + "/libhosttest.so", "T_clob", {"@" + file("in.txt", big)});
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.out("output")->value, big);

    r = s.call("hosttest", "T_clob", {""});
    EXPECT_EQ(r.ret, 0);
    EXPECT_EQ(r.out("output")->value, "");

    for (const fs::path &unreadable : {dir / "absent", dir}) {
        r = s.call("hosttest", "T_clob", {"@" + unreadable.string()});
        EXPECT_FALSE(r.called);
        EXPECT_NE(r.error.find("cannot read"), std::string::npos) << r.error;
    }

    // The host's own CLOB write failing stops the call; the export's failing
    // comes back as its error text.
    inject_fault("lobwrite", 1, OCI_ERROR);
    r = s.call("hosttest", "T_clob", {"a b"});
    EXPECT_FALSE(r.called);
    inject_fault("lobwrite", 2, OCI_ERROR);
    r = s.call("hosttest", "T_clob", {"a b"});
    EXPECT_EQ(r.ret, 2);
    EXPECT_EQ(r.out("error")->value.rfind("Error in OCILobWrite -- -1 ", 0), 0u) << r.out("error")->value;
}

TEST_F(ExtprocHost, RefusesWhatItCannotCall) {
    Session s(repo);
    ASSERT_TRUE(s.ok()) << s.error();
    for (const std::vector<std::string> &args :
         std::vector<std::vector<std::string>>{{"a"}, {"a", "1", "2"}, {"a", "1x"}, {"a", ""}, {"a", "2147483648"}}) {
        CallResult r = s.call("hosttest", "T_echo", args);
        EXPECT_FALSE(r.called) << args.size();
        EXPECT_FALSE(r.error.empty());
    }
    EXPECT_EQ(s.call("hosttest", "T_echo", {"a", "-2147483648"}).ret, 2);
    EXPECT_NE(s.call("hosttest", "T_nope", {}).error.find("unknown procedure"), std::string::npos);
    EXPECT_NE(s.call("/no/such/libhosttest.so", "T_echo", {"a", "1"}).error.find("cannot load"), std::string::npos);

    Session bad((dir / "no" / "such" / "x.db").string());
    EXPECT_FALSE(bad.ok());
    EXPECT_FALSE(bad.error().empty());
    EXPECT_FALSE(bad.call("hosttest", "T_echo", {"a", "1"}).called);

    // Without a repository: CLOB work runs, database work is refused, and
    // no file is made.
    std::string unused = (dir / "unused.db").string();
    Session bare(unused, extproc::Attach::None);
    ASSERT_TRUE(bare.ok()) << bare.error();
    EXPECT_EQ(bare.call("hosttest", "T_clob", {"a  b"}).out("output")->value, "a b ");
    CallResult r = bare.call("hosttest", "T_write", {"a", "0"});
    EXPECT_FALSE(r.called);
    EXPECT_EQ(r.error, "T_write needs a repository, and the session has none");
    EXPECT_TRUE(bare.close()) << bare.error();
    EXPECT_FALSE(fs::exists(unused));
}

TEST_F(ExtprocHost, CommitsOnZeroRollsBackOtherwise) {
    Session s(repo);
    ASSERT_TRUE(s.ok()) << s.error();
    EXPECT_TRUE(s.call("hosttest", "T_write", {"it's", "0"}).ok());
    EXPECT_TRUE(s.call("hosttest", "T_write", {"dropped", "2"}).ok());
    EXPECT_EQ(rows(), std::vector<std::string>{"it's"});  // visible while the session is open
    EXPECT_TRUE(s.call("hosttest", "T_write", {"later", "0"}).ok());
    EXPECT_TRUE(s.close()) << s.error();
    EXPECT_EQ(rows(), (std::vector<std::string>{"it's", "later"}));

    // The same through the program, one session per run: a procedure that
    // returned other than 0 failed.
    EXPECT_EQ(extproc({"call", "hosttest", "T_write", "x", "2"}).status, 1);
    EXPECT_EQ(extproc({"call", "hosttest", "T_write", "y", "0"}).status, 0);
    EXPECT_EQ(rows(), (std::vector<std::string>{"it's", "later", "y"}));
}

TEST_F(ExtprocHost, ProgramPrintsCalls) {
    Run r = extproc({"call", "hosttest", "T_echo", "ab", "3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "return: 0\nresult: ababab\nlength: 6\nerror: <null>\n");

    r = extproc({"call", "hosttest", "T_echo", "x", "-1"}, {"NDL_LIBDIR"});  // found beside extproc
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, "return: 2\nresult: <null>\nlength: 0\nerror: Error : negative count -1\n\n");

    r = extproc({"call", kBin + "/libhosttest.so", "T_clob", "@" + file("l.txt", "1.2.3.4  5.6.7.8")});
    EXPECT_EQ(r.out, "return: 0\noutput: 1.2.3.4 5.6.7.8 \nlength: 16\nerror: <null>\n");

    r = extproc({"call", "hosttest", "T_parsefile", "d", "a,b", "m"});
    EXPECT_EQ(r.out,
              "return: 0\nlog: \n --- FILE:  d\\a --- \n<br>\n --- FILE:  d\\b --- \n<br>mode m\n<br>\n"
              "message: <null>\n");
}

TEST_F(ExtprocHost, ProgramExitsTwoOnErrors) {
    fs::create_directories(dir / "empty");
    fs::create_directories(dir / "fake");
    fs::copy_file(kBin + "/libndloci.so", dir / "fake" / "libhosttest.so", fs::copy_options::none);
    std::string notdb = file("notdb.db", "just text\n");
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> env;
        bool with_repo;
    };
    std::vector<Case> cases = {
        {{}, {}, true},
        {{"frobnicate"}, {}, true},
        {{"--repository"}, {}, false},
        {{"parse", "--files", "a", "--repository"}, {}, true},
        {{"call", "--repository"}, {}, false},
        {{"parse", "--repository", (dir / "typo.db").string(), "--files", "a"}, {}, true},
        {{"call", "hosttest"}, {"NDL_LIBDIR=" + (dir / "empty").string()}, true},
        {{"call", (dir / "no" / "libhosttest.so").string()}, {}, true},
        {{"--repository", (dir / "typo.db").string(), "call", "hosttest", "T_nope"}, {}, false},
        {{"call", "nolib", "T_echo", "a", "1"}, {}, true},
        {{"call", "hosttest", "T_echo", "a"}, {}, true},
        {{"call", "hosttest", "T_echo", "a", "one"}, {}, true},
        {{"call", "hosttest", "T_echo", "a", "1"}, {"NDL_LIBDIR=" + (dir / "empty").string()}, true},
        {{"call", "hosttest", "T_write", "a", "0"}, {"NDL_LIBDIR=" + (dir / "empty").string()}, true},
        {{"call", (dir / "fake" / "libhosttest.so").string(), "T_echo", "a", "1"}, {}, true},
        {{"--repository", (dir / "no" / "x.db").string(), "call", "hosttest", "T_write", "a", "0"}, {}, false},
        {{"--repository", notdb, "call", "hosttest", "T_write", "a", "0"}, {}, false},
        {{"parse"}, {}, true},
        {{"parse", "--files"}, {}, true},
        {{"parse", "--files", "a", "--bogus"}, {}, true},
        {{"--repository", (dir / "typo.db").string(), "parse", "--files", "a", "--mode", "createversoin"}, {}, false},
    };
    for (const Case &c : cases) {
        Run r = extproc(c.args, c.env, c.with_repo);
        std::string what = c.args.empty() ? "(none)" : c.args.back();
        EXPECT_EQ(r.status, 2) << what;
        EXPECT_FALSE(r.err.empty()) << what;
        EXPECT_EQ(r.out, "") << what;
    }
    // Neither a mistyped name or mode nor a refused repository is touched.
    EXPECT_FALSE(fs::exists(dir / "typo.db"));
    std::stringstream s;
    s << std::ifstream(notdb).rdbuf();
    EXPECT_EQ(s.str(), "just text\n");
}

// --help and -h answer on standard output; a mode word the loader does
// not know is a usage error, where the loader would run a plain load.
TEST_F(ExtprocHost, ProgramFollowsCommandLineConventions) {
    struct Case {
        std::vector<std::string> args;
        int status;
        bool usage_out;      // the usage on standard output
        std::string err;     // what standard error begins with
    };
    std::vector<Case> cases = {
        {{"--help"}, 0, true, ""},
        {{"-h"}, 0, true, ""},
        {{"--repository", repo, "--help"}, 0, true, ""},
        {{"parse", "--files", "a.ndl", "--mode", "createversoin"}, 2, false,
         "extproc: unknown mode createversoin\nusage: extproc "},
    };
    for (const Case &c : cases) {
        ProgramRun r = run_program(kBin + "/extproc", c.args);
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(r.status, c.status) << r.err;
        if (c.usage_out) {
            EXPECT_EQ(r.out.rfind("usage: extproc [--repository REPO] parse ", 0), 0u) << r.out;
            EXPECT_NE(r.out.find("createversion, updateversion or initializedata"), std::string::npos) << r.out;
        } else {
            EXPECT_EQ(r.out, "");
        }
        EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << r.err;
    }
    EXPECT_FALSE(repository_exists(repo));
}

// call without a procedure lists what can be called, with the parameters in
// order; a wrong count shows them; a misspelt library is told as such.
TEST_F(ExtprocHost, ProgramListsProceduresAndTheirParameters) {
    const std::string echo =
        "T_echo(text text in, number int in, result text out(4000), length int out, error text out(4000))";
    Run r = extproc({"call", "hosttest"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("hosttest:\n  " + echo + "\n  T_clob(context context, input clob in, output clob out, ", 0),
              0u)
        << r.out;
    r = extproc({"call"});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const std::string &line : std::vector<std::string>{"cfgproc:\n  NDL_parsefile(context context, log clob out, repository text in, ", "\nhosttest:\n  " + echo,
          "\nfolderwalk:\n  _Z7dirlistPcS_(dir text in, out buffer out(32768))\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    // The second address build: addrkit's lines it exports, and its own.
    r = extproc({"call", "tmplibaddrkit"});
    EXPECT_NE(r.out.find("\n  C_compute_mask(prefix int in, "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n  C_get_ipaddress_natLob("), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("C_check_dir"), std::string::npos) << r.out;

    // A library that cannot be loaded is told, and fails the listing of
    // them all; the others are still listed.
    fs::create_directories(dir / "some");
    fs::create_symlink(kBin + "/libhosttest.so", dir / "some" / "libhosttest.so");
    r = extproc({"call"}, {"NDL_LIBDIR=" + (dir / "some").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out.rfind("hosttest:\n  " + echo + "\n", 0), 0u) << r.out;
    EXPECT_NE(r.err.find("extproc: cannot load library " + (dir / "some").string() + "/libaddrkit.so: "),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("libhosttest"), std::string::npos) << r.err;

    r = extproc({"call", "hosttest", "T_echo", "a"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "extproc: wrong number of arguments for T_echo: 1 given, 2 expected; its parameters: " +
                         echo.substr(7, echo.size() - 8) + "\n");
    for (std::vector<std::string> args : {std::vector<std::string>{"call", "addrkt"}, {"call", "addrkt", "C_compute_mask", "24"}}) {
        r = extproc(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("extproc: unknown library addrkt (the libraries are cfgproc, addrkit, ", 0), 0u) << r.err;
    }
    EXPECT_FALSE(repository_exists(repo));
}

// --repository goes before the command, or after it: among parse's
// options, or right after call.
TEST_F(ExtprocHost, RepositoryBeforeOrAfterTheCommand) {
    std::string other = another("other.db");
    EXPECT_EQ(extproc({"call", "--repository", other, "hosttest", "T_write", "after", "0"}, {}, false).status, 0);
    EXPECT_EQ(extproc({"--repository", other, "call", "hosttest", "T_write", "before", "0"}, {}, false).status, 0);
    repo = other;
    EXPECT_EQ(rows(), (std::vector<std::string>{"after", "before"}));
    // An ARG after LIBRARY is the procedure's, whatever it says.
    Run r = extproc({"call", "hosttest", "T_echo", "--repository", "2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("return: 0\nresult: --repository--repository\n", 0), 0u) << r.out;
    if (!fs::exists(kBin + "/libcfgproc.so")) return;
    std::string third = another("third.db");
    r = extproc({"parse", "--dir", NDL_EXAMPLES, "--files", "network.ndl", "--repository", third, "--raw"}, {}, false);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(query_value(third, "SELECT networkname FROM networks"), "SAMPLENET");
}

// A parse that fails into a repository it made leaves none; one already
// there stays.
TEST_F(ExtprocHost, AFailedParseLeavesNoNewRepository) {
    if (!fs::exists(kBin + "/libcfgproc.so")) GTEST_SKIP() << "the loader is not built yet";
    Run r = extproc({"parse", "--files", "mistyped.ndl"});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(repository_exists(repo));
    for (const char *suffix : {"-wal", "-shm"}) EXPECT_FALSE(fs::exists(repo + suffix)) << suffix;
    EXPECT_EQ(extproc({"call", "hosttest", "T_write", "x", "0"}).status, 0);
    EXPECT_EQ(extproc({"parse", "--files", "mistyped.ndl"}).status, 2);
    EXPECT_EQ(rows(), std::vector<std::string>{"x"});
}

// A session that committed keeps its repository, whatever fails after; one
// whose only call was refused before it ran leaves none.
TEST_F(ExtprocHost, ASessionThatCommittedKeepsItsRepository) {
    if (!fs::exists(kBin + "/libcfgproc.so")) GTEST_SKIP() << "the loader is not built yet";
    {
        Session s(repo);
        ASSERT_TRUE(s.ok()) << s.error();
        EXPECT_EQ(s.call("cfgproc", "NDL_parsefile", {NDL_EXAMPLES, "network.ndl", ""}).ret, 0);
        CallResult failed = s.call("cfgproc", "NDL_parsefile", {NDL_EXAMPLES, "missing.ndl", ""});
        EXPECT_TRUE(failed.called);
        EXPECT_EQ(failed.ret, 2);
        EXPECT_TRUE(s.close()) << s.error();
    }
    EXPECT_EQ(query_value(repo, "SELECT networkname FROM networks"), "SAMPLENET");

    const std::string fresh = another("fresh.db");
    {
        Session s(fresh);
        ASSERT_TRUE(s.ok()) << s.error();
        EXPECT_FALSE(s.call("hosttest", "T_write", {"a"}).called);
        EXPECT_TRUE(s.close()) << s.error();
    }
    EXPECT_FALSE(repository_exists(fresh));
}

// A run that fails into a repository it would create leaves no file,
// wherever it fails: before the call (a library that cannot be loaded, a
// wrong count of arguments), at the logon (a refused session, a full disk),
// in the call, at the commit.
TEST_F(ExtprocHost, AFailedRunLeavesNoNewRepository) {
    if (!fs::exists(kBin + "/libcfgproc.so")) GTEST_SKIP() << "the loader is not built yet";
    const std::vector<std::string> load = {"parse", "--dir", NDL_EXAMPLES, "--files", "network.ndl"};
    // No file may grow past 64 KiB, short of the schema.
    const std::vector<std::string> full_disk = {"-c", "trap '' XFSZ; ulimit -f 64; exec \"$0\" \"$@\""};
    struct Case {
        std::vector<std::string> args;
        std::string env;
        bool disk_full = false;
    } cases[] = {
        {load, "NDL_LIBDIR=/nonexistent"},
        {{"call", "cfgproc", "NDL_parsefile", "a", "b"}, ""},
        {load, "NDL_OCI_FAULT=sessionbegin:1"},
        {load, "", true},
        {{"parse", "--files", "missing.ndl"}, "NDL_OCI_FAULT=checkpoint:1"},
        {load, "NDL_OCI_FAULT=commit:1,checkpoint:1"},
    };
    for (const Case &c : cases) {
        if (c.disk_full && on_server_backend()) continue;  // the client writes no file of the repository
        SCOPED_TRACE(c.args.back() + " " + c.env + (c.disk_full ? "full disk" : ""));
        std::vector<std::string> args = c.disk_full ? full_disk : std::vector<std::string>{};
        if (c.disk_full) args.push_back(kBin + "/extproc");
        args.insert(args.end(), {"--repository", repo});
        args.insert(args.end(), c.args.begin(), c.args.end());
        ProgramRun r = run_program(c.disk_full ? "/bin/bash" : kBin + "/extproc", args, Stdout::Captured,
                                   c.env.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.env});
        EXPECT_EQ(r.status, 2) << r.out << r.err;
        EXPECT_FALSE(r.out.empty() && r.err.empty());  // the log or the program says why
        EXPECT_EQ(r.err.find("must stay beside it"), std::string::npos) << r.err;
        EXPECT_FALSE(repository_exists(repo));
        for (const char *suffix : {"-wal", "-shm"}) EXPECT_FALSE(fs::exists(repo + suffix)) << suffix;
    }
    ProgramRun r = run_program(kBin + "/extproc", {"--repository", repo, "call", "cfgproc", "NDL_parsefile", "a", "b"},
                               Stdout::Captured, {"NDL_LIBDIR=/nonexistent"});
    EXPECT_EQ(r.err.rfind("extproc: cannot load library /nonexistent/libcfgproc.so: ", 0), 0u) << r.err;
}

// A load that committed, whose rows cannot leave SQLite's log, says so.
TEST_F(ExtprocHost, ACommittedLoadWhoseLogStaysSaysSoSqlite) {
    SKIP_UNLESS_SQLITE();
    if (!fs::exists(kBin + "/libcfgproc.so")) GTEST_SKIP() << "the loader is not built yet";
    std::vector<std::string> args{"--repository", repo, "parse", "--dir", NDL_EXAMPLES, "--files", "network.ndl"};
    ProgramRun r = run_program(kBin + "/extproc", args, Stdout::Captured, {"NDL_OCI_FAULT=checkpoint:1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "extproc: the repository \"" + repo + "\" could not be closed whole (database or disk is full): "
                     "its committed rows are in \"" + repo + "-wal\", which must stay beside it\n");
    EXPECT_EQ(query_value(repo, "SELECT networkname FROM networks"), "SAMPLENET");
}

// A CLOB's file is a regular file, as an NDL file is: a FIFO, a device or a
// folder is refused at once, by its name (timeout ends a run that hangs).
TEST_F(ExtprocHost, ClobFilesAreRegularFiles) {
    const std::string fifo = (dir / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string &path : {fifo, std::string("/dev/zero"), dir.string()}) {
        ProgramRun r = run_program("/usr/bin/timeout", {"60", kBin + "/extproc", "call", "hosttest", "T_clob", "@" + path});
        EXPECT_EQ(r.status, 2) << path;
        EXPECT_EQ(r.err, "extproc: cannot read " + path + " for argument input\n");
        EXPECT_EQ(r.out, "");
    }
}

// What extproc call prints is its result: lost, the call failed (status 1).
TEST_F(ExtprocHost, ProgramTellsALostResult) {
    for (Stdout to : {Stdout::Full, Stdout::ClosedPipe}) {
        std::string why = to == Stdout::Full ? "(No space left on device)" : "(Broken pipe)";
        ProgramRun r = run_program(kBin + "/extproc", {"--repository", repo, "call", "hosttest", "T_echo", "ab", "3"}, to);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "extproc: the result could not be written " + why + "\n");
        r = run_program(kBin + "/extproc", {"--help"}, to);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "extproc: the usage could not be written " + why + "\n");
    }
}

// Every procedure that needs no repository (the address, directory and
// CLOB-only ones) runs without one: no database file appears in the working
// folder, and it answers as it does in a session on a repository.
TEST_F(ExtprocHost, CallsThatNeedNoRepositoryLeaveNone) {
    fs::path bare = dir / "bare", with = dir / "with";
    fs::create_directories(bare);
    fs::create_directories(with);
    fs::path home = fs::current_path();
    unsetenv("NDL_REPOSITORY");
    auto run_in = [&](const fs::path &cwd, std::vector<std::string> args) {
        fs::current_path(cwd);
        ProgramRun r = run_program(kBin + "/extproc", std::move(args));
        fs::current_path(home);
        return r;
    };
    int ran = 0;
    for (const extproc::CallSpec *table : {extproc::kCallSpecs, extproc::kTestCallSpecs})
    for (const extproc::CallSpec *s = table; s->library; ++s) {
        if (s->repository || !fs::exists(kBin + "/lib" + s->library + ".so")) continue;
        std::vector<std::string> args{"call", s->library, s->procedure};
        for (int i = 0; i < s->nparams; ++i) {
            const extproc::ParamSpec &p = s->params[i];
            if (p.kind == extproc::ParamKind::IntIn || std::strstr(p.name, "prefixes"))
                args.push_back("24");
            else if (p.kind == extproc::ParamKind::TextIn || p.kind == extproc::ParamKind::ClobIn)
                args.push_back("10.0.0.0");
        }
        SCOPED_TRACE(std::string(s->library) + " " + s->procedure);
        ProgramRun bare_run = run_in(bare, args);
        args.insert(args.begin(), {"--repository", (with / "repo.db").string()});
        ProgramRun with_run = run_in(with, args);
        EXPECT_NE(bare_run.status, 2) << bare_run.err;
        EXPECT_EQ(bare_run.status, with_run.status);
        EXPECT_EQ(bare_run.out, with_run.out);
        EXPECT_EQ(bare_run.err, with_run.err);
        EXPECT_FALSE(fs::exists(bare / "repository.db"));
        ++ran;
    }
    EXPECT_GT(ran, 3);
    // A procedure that writes finds its repository where it always did.
    ProgramRun r = run_in(bare, {"call", "hosttest", "T_write", "kept", "0"});
    EXPECT_EQ(r.status, 0) << r.err;
    repo = (bare / "repository.db").string();
    EXPECT_EQ(rows(), std::vector<std::string>{"kept"});
}

TEST_F(ExtprocHost, ProgramParsePrintsTheLog) {
    if (!fs::exists(kBin + "/libcfgproc.so") || !extproc::find_procedure("cfgproc", "NDL_parsefile"))
        GTEST_SKIP() << "the loader is not built yet";
    Run r = extproc({"parse", "--files", ""});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("files  successfully loaded \n\n"), std::string::npos) << r.out;
    r = extproc({"parse", "--files", "", "--raw"});
    EXPECT_NE(r.out.find("files  successfully loaded \n<br>"), std::string::npos) << r.out;
    r = extproc({"parse", "--dir", dir.string(), "--files", "absent.ndl", "--mode", "createversion"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("ERROR: File cannot be opened for parsing: "), std::string::npos) << r.out;
}

}  // namespace
