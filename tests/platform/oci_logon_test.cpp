// Logon: which file a session opens, the layout it records or refuses, and
// what a bad file or handle gets.
#include "fault_hook.h"
#include "oci_client.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

namespace {

std::string slurp(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(OciLogon, NewFileGetsTheExpectedLayout) {
    TempDir dir;
    {
        Logon v(dir.file("v.db"));
        ASSERT_EQ(v.begin_status, OCI_SUCCESS) << v.begin_error;
        EXPECT_EQ(v.end(), OCI_SUCCESS);
    }
    EXPECT_EQ(raw_value(dir.file("v.db"), "PRAGMA user_version"), "1");
    EXPECT_EQ(raw_value(dir.file("v.db"), "SELECT count(*) FROM sqlite_master WHERE name='POLICYVERSIONS'"), "1");
    {
        Logon u(dir.file("u.db"), OCIX_LAYOUT_UNVERSIONED);
        ASSERT_EQ(u.begin_status, OCI_SUCCESS) << u.begin_error;
    }
    EXPECT_EQ(raw_value(dir.file("u.db"), "PRAGMA user_version"), "2");
    EXPECT_EQ(raw_value(dir.file("u.db"), "SELECT count(*) FROM sqlite_master WHERE name='POLICYVERSIONS'"), "0");
    EXPECT_EQ(raw_value(dir.file("u.db"), "SELECT count(*) FROM sqlite_master WHERE name='NETWORKS'"), "1");
}

// A new repository whose only session failed goes again, with its -wal and
// -shm; one that another session has open, that another wrote to, or that
// was there before, stays.
TEST(OciLogon, AFailedFirstSessionLeavesNoRepository) {
    TempDir dir;
    const std::string kRow = "INSERT INTO networks ("
        "networkid, networkname, organization, address, city, country, networkzonename, "
        "exportedzonename, securitygroup"
        ") VALUES (1, 'N', 'O', 'A', 'C', 'PT', 'z', 'e', 'ALL')";
    auto fail_in = [&](const std::string &db, const std::function<void()> &meanwhile) {
        auto l = std::make_unique<Logon>(db);
        ASSERT_EQ(l->begin_status, OCI_SUCCESS) << l->begin_error;
        EXPECT_EQ(l->exec(kRow), OCI_SUCCESS) << l->error();
        EXPECT_EQ(l->rollback(), OCI_SUCCESS);
        meanwhile();
        EXPECT_EQ(l->end(), OCI_SUCCESS);
    };
    fail_in(dir.file("new.db"), [] {});
    EXPECT_TRUE(std::filesystem::is_empty(dir.path));

    std::unique_ptr<Logon> other;
    fail_in(dir.file("open.db"), [&] { other = std::make_unique<Logon>(dir.file("open.db")); });
    EXPECT_TRUE(std::filesystem::exists(dir.file("open.db")));
    other.reset();

    fail_in(dir.file("written.db"), [&] {
        Logon w(dir.file("written.db"));
        EXPECT_EQ(w.exec(kRow), OCI_SUCCESS) << w.error();
        EXPECT_EQ(w.end(), OCI_SUCCESS);
    });
    EXPECT_EQ(raw_value(dir.file("written.db"), "SELECT count(*) FROM networks"), "1");

    { Logon made(dir.file("old.db")); }
    fail_in(dir.file("old.db"), [] {});
    EXPECT_EQ(raw_value(dir.file("old.db"), "PRAGMA user_version"), "1");
}

// A new repository its session committed to stays, whatever fails after
// the commit: an empty rollback, a failed statement rolled back, a session
// never ended. The session's own commits count, which PRAGMA data_version
// does not see.
TEST(OciLogon, ACommittedRepositoryStaysWhateverFailsAfter) {
    TempDir dir;
    const std::string kRow = "INSERT INTO networks ("
        "networkid, networkname, organization, address, city, country, networkzonename, "
        "exportedzonename, securitygroup"
        ") VALUES (1, 'N', 'O', 'A', 'C', 'PT', 'z', 'e', 'ALL')";
    enum After { EmptyRollback, FailedStatement, NeverEnded };
    for (After after : {EmptyRollback, FailedStatement, NeverEnded}) {
        const std::string db = dir.file(("after" + std::to_string(after) + ".db").c_str());
        {
            Logon l(db);
            ASSERT_EQ(l.begin_status, OCI_SUCCESS) << l.begin_error;
            ASSERT_EQ(l.exec(kRow), OCI_SUCCESS) << l.error();
            ASSERT_EQ(l.commit(), OCI_SUCCESS) << l.error();
            if (after == FailedStatement) { EXPECT_EQ(l.exec(kRow), OCI_ERROR); }  // the same key again
            if (after != NeverEnded) {
                EXPECT_EQ(l.rollback(), OCI_SUCCESS);
                EXPECT_EQ(l.end(), OCI_SUCCESS);
            } else {
                EXPECT_EQ(l.exec(kRow), OCI_ERROR);
            }
        }  // the environment freed
        EXPECT_EQ(raw_value(db, "SELECT networkname FROM networks"), "N") << after;
    }
}

// A logon that fails leaves no new file, as does a session that never
// ends its work: nothing was committed to either.
TEST(OciLogon, AFailedLogonLeavesNoRepository) {
    TempDir dir;
    inject_fault("sessionbegin", 1, OCI_ERROR);
    {
        Logon refused(dir.file("refused.db"));
        EXPECT_EQ(refused.begin_status, OCI_ERROR);
    }
    {
        Logon unended(dir.file("unended.db"));
        EXPECT_EQ(unended.begin_status, OCI_SUCCESS) << unended.begin_error;
        EXPECT_EQ(unended.exec("SELECT count(*) FROM networks"), OCI_SUCCESS) << unended.error();
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path));
}

TEST(OciLogon, DatabaseOfTheOtherLayoutIsRefused) {
    TempDir dir;
    { Logon v(dir.file("r.db")); }
    Logon u(dir.file("r.db"), OCIX_LAYOUT_UNVERSIONED);
    EXPECT_EQ(u.begin_status, OCI_ERROR);
    EXPECT_NE(u.begin_error.find("has the versioned layout; this program expects the unversioned layout"),
              std::string::npos)
        << u.begin_error;
    EXPECT_EQ(u.exec("SELECT 1", 0), OCI_ERROR);  // not logged on
    Logon again(dir.file("r.db"));
    EXPECT_EQ(again.begin_status, OCI_SUCCESS) << again.begin_error;
}

TEST(OciLogon, EmptyConnectStringNamesTheDefaultRepository) {
    TempDir dir;
    setenv("NDL_REPOSITORY", dir.file("env.db").c_str(), 1);
    {
        Logon l("");
        EXPECT_EQ(l.begin_status, OCI_SUCCESS) << l.begin_error;
    }
    EXPECT_TRUE(std::filesystem::exists(dir.file("env.db")));
    unsetenv("NDL_REPOSITORY");
    auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.path);
    {
        Logon l("");
        EXPECT_EQ(l.begin_status, OCI_SUCCESS) << l.begin_error;
    }
    std::filesystem::current_path(cwd);
    EXPECT_TRUE(std::filesystem::exists(dir.file("repository.db")));
}

TEST(OciLogon, FileThatIsNoDatabaseFailsBeginAndStaysUntouched) {
    TempDir dir;
    const std::string contents[] = {"hello\n", std::string(5000, 'x') + "\nnot a database at all\n"};
    for (const std::string &content : contents) {
        std::string path = dir.file("notes.txt");
        std::ofstream(path, std::ios::binary) << content;
        {
            Logon l(path);
            EXPECT_EQ(l.begin_status, OCI_ERROR);
            EXPECT_NE(l.begin_error.find("not a database"), std::string::npos) << l.begin_error;
            EXPECT_NE(l.begin_error.find(path), std::string::npos) << l.begin_error;
        }
        EXPECT_EQ(slurp(path), content);
    }
}

TEST(OciLogon, UnopenablePathFailsAttachAndBegin) {
    TempDir dir;
    for (const std::string &path : {dir.path, dir.file("missing/sub/x.db")}) {
        Logon l(path);
        EXPECT_EQ(l.attach_status, OCI_ERROR);
        EXPECT_EQ(l.begin_status, OCI_ERROR);
        EXPECT_NE(l.begin_error.find("cannot open the repository \"" + path + "\""), std::string::npos)
            << l.begin_error;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
}

TEST(OciLogon, SessionAttributeMayBeSetBeforeBegin) {
    TempDir dir;
    Logon l(dir.file("a.db"));
    ASSERT_EQ(l.end(), OCI_SUCCESS);
    OCISession *second = nullptr;
    OCIHandleAlloc(l.env, reinterpret_cast<dvoid **>(&second), OCI_HTYPE_SESSION, 0, nullptr);
    EXPECT_EQ(OCIAttrSet(l.svc, OCI_HTYPE_SVCCTX, second, 0, OCI_ATTR_SESSION, l.err), OCI_SUCCESS);
    EXPECT_EQ(OCISessionBegin(l.svc, l.err, second, OCI_CRED_RDBMS, OCI_DEFAULT), OCI_SUCCESS) << l.error();
    EXPECT_EQ(l.value("SELECT 7"), "7");
    EXPECT_EQ(OCISessionBegin(l.svc, l.err, second, OCI_CRED_RDBMS, OCI_DEFAULT), OCI_ERROR);
}

TEST(OciLogon, NullFreedAndWrongHandlesAreInvalid) {
    TempDir dir;
    Logon l(dir.file("h.db"));
    EXPECT_EQ(OCIHandleFree(nullptr, OCI_HTYPE_ENV), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIHandleFree(l.err, OCI_HTYPE_STMT), OCI_INVALID_HANDLE);
    int not_a_handle = 0;
    EXPECT_EQ(OCIHandleFree(&not_a_handle, OCI_HTYPE_ERROR), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIStmtExecute(l.svc, reinterpret_cast<OCIStmt *>(l.err), l.err, 1, 0, nullptr, nullptr, 0),
              OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIStmtPrepare(l.stmt, nullptr, reinterpret_cast<const text *>("x"), 1, 1, 0), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIAttrSet(l.svc, OCI_HTYPE_SVCCTX, l.err, 0, OCI_ATTR_SERVER, l.err), OCI_INVALID_HANDLE);
    OCIStmt *st = nullptr;
    ASSERT_EQ(OCIHandleAlloc(l.env, reinterpret_cast<dvoid **>(&st), OCI_HTYPE_STMT, 0, nullptr), OCI_SUCCESS);
    EXPECT_EQ(OCIHandleFree(st, OCI_HTYPE_STMT), OCI_SUCCESS);
    EXPECT_EQ(OCIHandleFree(st, OCI_HTYPE_STMT), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIStmtFetch(st, l.err, 1, OCI_FETCH_NEXT, 0), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIHandleAlloc(nullptr, reinterpret_cast<dvoid **>(&st), OCI_HTYPE_STMT, 0, nullptr),
              OCI_INVALID_HANDLE);
}

// A handle used row after row is refused once freed, and when passed as
// another type.
TEST(OciLogon, HandlesOfEveryRowAreRefusedOnceFreed) {
    TempDir dir;
    Logon l(dir.file("r.db"));
    ASSERT_EQ(l.begin_status, OCI_SUCCESS) << l.begin_error;
    OCIStmt *st = nullptr;
    OCIError *err = nullptr;
    ASSERT_EQ(OCIHandleAlloc(l.env, reinterpret_cast<dvoid **>(&st), OCI_HTYPE_STMT, 0, nullptr), OCI_SUCCESS);
    ASSERT_EQ(OCIHandleAlloc(l.env, reinterpret_cast<dvoid **>(&err), OCI_HTYPE_ERROR, 0, nullptr), OCI_SUCCESS);
    const std::string sql = "SELECT 1";
    auto prepare = [&](OCIStmt *s, OCIError *e) {
        return OCIStmtPrepare(s, e, reinterpret_cast<const text *>(sql.data()), static_cast<ub4>(sql.size()),
                              OCI_NTV_SYNTAX, OCI_DEFAULT);
    };
    auto execute = [&](OCIStmt *s, OCIError *e) {
        return OCIStmtExecute(l.svc, s, e, 0, 0, nullptr, nullptr, OCI_DEFAULT);
    };
    for (int row = 0; row < 3; ++row) {
        ASSERT_EQ(prepare(st, err), OCI_SUCCESS);
        ASSERT_EQ(execute(st, err), OCI_SUCCESS);
    }
    EXPECT_EQ(prepare(reinterpret_cast<OCIStmt *>(err), err), OCI_INVALID_HANDLE);
    EXPECT_EQ(execute(st, reinterpret_cast<OCIError *>(st)), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIStmtExecute(reinterpret_cast<OCISvcCtx *>(st), st, err, 0, 0, nullptr, nullptr, OCI_DEFAULT),
              OCI_INVALID_HANDLE);
    ASSERT_EQ(OCIHandleFree(st, OCI_HTYPE_STMT), OCI_SUCCESS);
    EXPECT_EQ(prepare(st, err), OCI_INVALID_HANDLE);
    EXPECT_EQ(execute(st, err), OCI_INVALID_HANDLE);
    ASSERT_EQ(prepare(l.stmt, err), OCI_SUCCESS);
    ASSERT_EQ(OCIHandleFree(err, OCI_HTYPE_ERROR), OCI_SUCCESS);
    EXPECT_EQ(prepare(l.stmt, err), OCI_INVALID_HANDLE);
    EXPECT_EQ(execute(l.stmt, err), OCI_INVALID_HANDLE);
    EXPECT_EQ(l.value("SELECT 2"), "2");
}

// Many handles at once, freed and allocated again in turn (their addresses
// and the registry's places reused): each live one is found as its type,
// each freed one refused while no live handle has its address.
TEST(OciLogon, HandlesChurnedInTheThousandsAreFoundOnlyWhileLive) {
    TempDir dir;
    Logon l(dir.file("c.db"));
    ASSERT_EQ(l.begin_status, OCI_SUCCESS) << l.begin_error;
    std::vector<dvoid *> live;
    std::set<dvoid *> freed;
    auto alloc = [&](int i) {
        dvoid *h = nullptr;
        ASSERT_EQ(OCIHandleAlloc(l.env, &h, i % 2 ? OCI_HTYPE_STMT : OCI_HTYPE_ERROR, 0, nullptr), OCI_SUCCESS);
        live.push_back(h);
        freed.erase(h);
    };
    auto type_of = [&](size_t at) -> ub4 { return at % 2 ? OCI_HTYPE_STMT : OCI_HTYPE_ERROR; };
    for (int i = 0; i < 3000; ++i) alloc(i);
    for (int round = 0; round < 3; ++round) {
        for (size_t at = static_cast<size_t>(round); at < live.size(); at += 3) {
            if (!live[at]) continue;
            ASSERT_EQ(OCIHandleFree(live[at], type_of(at)), OCI_SUCCESS);
            freed.insert(live[at]);
            live[at] = nullptr;
        }
        const std::string sql = "SELECT 1";
        for (size_t at = 0; at < live.size(); ++at) {
            if (!live[at]) continue;
            ub4 other = type_of(at) == OCI_HTYPE_STMT ? OCI_HTYPE_ERROR : OCI_HTYPE_STMT;
            EXPECT_EQ(OCIAttrSet(live[at], other, nullptr, 0, OCI_ATTR_USERNAME, l.err), OCI_INVALID_HANDLE);
            if (type_of(at) == OCI_HTYPE_STMT) {
                EXPECT_EQ(OCIStmtPrepare(static_cast<OCIStmt *>(live[at]), l.err,
                                         reinterpret_cast<const text *>(sql.data()), 8, OCI_NTV_SYNTAX, OCI_DEFAULT),
                          OCI_SUCCESS);
            }
        }
        for (dvoid *h : freed) {
            EXPECT_EQ(OCIHandleFree(h, OCI_HTYPE_STMT), OCI_INVALID_HANDLE);
            EXPECT_EQ(OCIHandleFree(h, OCI_HTYPE_ERROR), OCI_INVALID_HANDLE);
        }
        size_t before = live.size();
        for (size_t i = 0; i < before / 3; ++i) alloc(static_cast<int>(live.size()));
    }
    for (size_t at = 0; at < live.size(); ++at)
        if (live[at]) { EXPECT_EQ(OCIHandleFree(live[at], type_of(at)), OCI_SUCCESS); }
}

}  // namespace
