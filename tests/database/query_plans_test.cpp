// Every statement that loads run, as the repository's own connection runs
// it (traced, not copied), planned on a repository that keeps 40 policy
// versions and many instance rows: none reads a whole table whose rows grow
// with versions or instances. Nor do the statements of the older layout
// that read by key. A repository of an earlier build gets the indexes of its
// layout when it is opened, its rows unchanged.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <regex>
#include <set>
#include <string>

#include "repo_test.h"

using V = std::vector<std::string>;

namespace {

// The statements of every connection opened while a test records.
std::set<std::string> *g_traced = nullptr;

int traced(unsigned, void *, void *stmt, void *) {
    if (g_traced)
        if (const char *sql = sqlite3_sql(static_cast<sqlite3_stmt *>(stmt))) g_traced->insert(sql);
    return 0;
}

int watch_connection(sqlite3 *db, const char **, const sqlite3_api_routines *) {
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, traced, nullptr);
    return SQLITE_OK;
}

void nvl(sqlite3_context *ctx, int, sqlite3_value **argv) {
    sqlite3_result_value(ctx, sqlite3_value_type(argv[0]) != SQLITE_NULL ? argv[0] : argv[1]);
}

class QueryPlans : public RepoTest {
protected:
    void SetUp() override {
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(watch_connection));
        RepoTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
    }
    void TearDown() override {
        g_traced = nullptr;
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(watch_connection));
        RepoTest::TearDown();
    }

    int load(const std::string &files, const std::string &mode = "") {
        return parse(NDL_EXAMPLES, files, mode).ret;
    }

    // Tables whose rows grow with the versions kept (an ndlversion column)
    // or with the instances of other applications (a history by seqno).
    std::set<std::string> growing(const std::string &path) const {
        std::set<std::string> out;
        for (const std::string &t : query_rows(path, "SELECT name FROM sqlite_master WHERE type='table'")) {
            V cols = query_rows(path, "SELECT lower(name) FROM pragma_table_info('" + t + "')");
            auto has = [&](const char *c) { return std::find(cols.begin(), cols.end(), c) != cols.end(); };
            if (has("ndlversion") || (has("seqno") && has("changetype"))) out.insert(upper(t));
        }
        return out;
    }

    static std::string upper(std::string s) {
        for (char &c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    }

    // The whole-table reads of `sql` among `tables`, as its plan names them.
    static V scans(sqlite3 *h, const std::string &sql, const std::set<std::string> &tables) {
        V out;
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(h, ("EXPLAIN QUERY PLAN " + sql).c_str(), -1, &st, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql << ": " << sqlite3_errmsg(h);
            return out;
        }
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::string detail = reinterpret_cast<const char *>(sqlite3_column_text(st, 3));
            if (detail.rfind("SCAN ", 0) != 0) continue;
            std::string table = upper(detail.substr(5, detail.find(' ', 5) - 5));
            if (tables.count(table)) out.push_back(detail);
        }
        sqlite3_finalize(st);
        return out;
    }

    // Plans every statement on the repository `path`: those that `checked`
    // takes must not scan a table of `tables`.
    template <class Checked>
    void expect_no_scans(const std::string &path, const std::set<std::string> &statements,
                         const std::set<std::string> &tables, int at_least, Checked checked) {
        sqlite3 *h = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &h), SQLITE_OK);
        sqlite3_create_function(h, "NVL", 2, SQLITE_UTF8, nullptr, nvl, nullptr, nullptr);
        int planned = 0;
        for (const std::string &sql : statements) {
            if (!checked(sql)) continue;
            ++planned;
            V found = scans(h, sql, tables);
            EXPECT_TRUE(found.empty()) << sql << "\n  " << (found.empty() ? "" : found[0]);
        }
        sqlite3_close(h);
        EXPECT_GE(planned, at_least);
    }

    static bool reads_or_deletes(const std::string &sql) {
        std::string head = upper(sql.substr(sql.find_first_not_of(" \t\n"), 6));
        return head == "SELECT" || head == "DELETE" || head == "UPDATE";
    }

    // Policy versions 2 to 40 as copies of version 1, and instance rows of
    // other design values in every instance table.
    void grow(const std::set<std::string> &tables) {
        for (const std::string &t : tables) {
            V cols = rows("SELECT lower(name) FROM pragma_table_info('" + t + "')");
            if (std::find(cols.begin(), cols.end(), "ndlversion") == cols.end()) continue;
            std::string select;
            for (const std::string &c : cols) select += (select.empty() ? "" : ",") + (c == "ndlversion" ? "v.n" : "t." + c);
            sql("WITH RECURSIVE v(n) AS (SELECT 2 UNION ALL SELECT n + 1 FROM v WHERE n < 40) INSERT INTO " + t +
                " SELECT " + select + " FROM " + t + " t, v WHERE t.ndlversion = 1");
        }
        const char *fill =
            "WITH RECURSIVE i(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM i WHERE n < 3000) ";
        sql(std::string(fill) + "INSERT INTO custsite SELECT 1, 1, n, 1, 'OTHER' || (n % 300), 0 FROM i");
        sql(std::string(fill) + "INSERT INTO nodeconn SELECT 1, 1, n, 1, 'OTHER' || (n % 300), 0 FROM i");
        sql(std::string(fill) + "INSERT INTO nodeinst SELECT 1, 1, 'OTHER', 1, 'T' || (n % 300), n, 1, 0 FROM i");
        sql(std::string(fill) + "INSERT INTO domaininstance SELECT 1, 1, 'OTHER' || (n % 300), n, 1, 0 FROM i");
    }

    // Stored design rows the sample no longer declares, so that a reload
    // counts the instances of each kind (none live: it only warns).
    void drift() {
        sql("INSERT INTO DOMAIN SELECT networkid, 'GONE' FROM NETWORKS");
        sql("INSERT INTO DOMAINNODES SELECT networkid, 'GONE', 'GONE', 0, 0, 0, '', '', 0, 0, '', 0, '', 0, 0 FROM "
            "NETWORKS");
        sql("UPDATE DOMAINCONNTYPES SET valcheck = valcheck + 1");
        sql("UPDATE CUSTCONNTYPES SET custsitetype = 'GONE'");
    }

    const std::string all_files = "network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl";
};

TEST_F(QueryPlans, NoLoadStatementScansWhatGrowsWithVersionsOrInstances) {
    ASSERT_EQ(load(all_files), 0) << log;
    std::set<std::string> tables = growing(db);
    ASSERT_GT(tables.size(), 40u);
    grow(tables);
    drift();

    std::set<std::string> statements;
    g_traced = &statements;
    load(all_files, "updateversion");  // reads, counts, rewrites the version
    load("qos.ndl");                 // one section of the latest version
    load("routing.ndl", "createversion");
    g_traced = nullptr;
    ASSERT_TRUE(std::any_of(statements.begin(), statements.end(),
                            [](const std::string &s) { return s.find("count(*) from nodeinst") != std::string::npos; }))
        << "the reload counted no node instances";

    // A trigger's statements are planned on their own.
    for (const std::string &body : rows("SELECT sql FROM sqlite_master WHERE type='trigger'")) {
        static const std::regex statement("(DELETE FROM [^;]*);");
        for (std::sregex_iterator m(body.begin(), body.end(), statement), end; m != end; ++m)
            statements.insert(std::regex_replace((*m)[1].str(), std::regex("OLD\\.\\w+"), "1"));
    }
    expect_no_scans(db, statements, tables, 50, reads_or_deletes);

    // The older layout: its reads by key (a sub-list per parent record, an
    // instance count) find their rows by that key.
    std::string older = dir + "/older.db";
    ocix_expect_layout(OCIX_LAYOUT_UNVERSIONED);
    {
        extproc::Session s(older);
        ASSERT_TRUE(s.ok()) << s.error();
    }
    ocix_expect_layout(OCIX_LAYOUT_VERSIONED);
    std::set<std::string> unversioned;
    static const std::regex version(" and ndlversion=\\d+", std::regex::icase);
    for (const std::string &s : statements)
        if (s.find("ndlversion") == std::string::npos || std::regex_search(s, version))
            unversioned.insert(std::regex_replace(s, version, ""));
    std::set<std::string> older_tables;
    for (const std::string &t : query_rows(older, "SELECT name FROM sqlite_master WHERE type='table'"))
        older_tables.insert(upper(t));
    static const std::regex by_key("networkid=\\d+ AND \\w+='", std::regex::icase);
    expect_no_scans(older, unversioned, older_tables, 6, [](const std::string &s) {
        return reads_or_deletes(s) && (std::regex_search(s, by_key) || s.find("count(*)") != std::string::npos);
    });
}

TEST_F(QueryPlans, AnEarlierRepositoryGetsItsIndexesWhenOpened) {
    ASSERT_EQ(load(all_files), 0) << log;
    std::string older = dir + "/older.db";
    ocix_expect_layout(OCIX_LAYOUT_UNVERSIONED);
    { extproc::Session s(older); }
    ocix_expect_layout(OCIX_LAYOUT_VERSIONED);
    for (const std::string &path : {db, older}) {
        V indexes = query_rows(path, "SELECT name FROM sqlite_master WHERE type='index' AND sql IS NOT NULL ORDER BY name");
        ASSERT_FALSE(indexes.empty());
        std::string rows_before = repository_dump(path);
        for (const std::string &i : indexes) run_sql(path, "DROP INDEX " + i);
        ocix_expect_layout(path == db ? OCIX_LAYOUT_VERSIONED : OCIX_LAYOUT_UNVERSIONED);
        {
            extproc::Session s(path);
            ASSERT_TRUE(s.ok()) << s.error();
        }
        ocix_expect_layout(OCIX_LAYOUT_VERSIONED);
        EXPECT_EQ(query_rows(path, "SELECT name FROM sqlite_master WHERE type='index' AND sql IS NOT NULL ORDER BY name"),
                  indexes);
        EXPECT_EQ(repository_dump(path), rows_before);
    }
}

// A repository of one network with one policy version keeps no version
// indexes: every row is that version's. The load that stores a second
// version, or a second network, makes them (and a second network those of
// every table read by its network) in its own transaction: a load
// rolled back leaves none, one committed has every one, and the plans of
// the next loads read by them.
class VersionIndexes : public QueryPlans {
protected:
    // The indexes named NAME_SUFFIX: "version" (several versions or
    // networks), "network" (several networks).
    V indexes(const std::string &path, const std::string &suffix = "version") const {
        return query_rows(path, "SELECT name FROM sqlite_master WHERE type='index' AND name LIKE '%\\_" + suffix +
                                    "' ESCAPE '\\' ORDER BY name");
    }
    V version_indexes(const std::string &path) const { return indexes(path); }
    // As many as the declaration gives: the generated text the layer runs.
    static size_t declared(const std::string &suffix) {
        const std::string text = read_text(NDL_VERSION_INDEXES), made = "_" + suffix + " ON ";
        size_t n = 0;
        for (size_t at = text.find(made); at != std::string::npos; at = text.find(made, at + 1)) ++n;
        return n;
    }
    const size_t kVersionIndexes = declared("version"), kNetworkIndexes = declared("network");
};

TEST_F(VersionIndexes, MadeWithTheSecondVersionAndCommittedWithItsRows) {
    ASSERT_EQ(load(all_files), 0) << log;
    EXPECT_TRUE(version_indexes(db).empty());
    load(all_files, "updateversion");  // the same version again
    EXPECT_TRUE(version_indexes(db).empty());

    std::string before = repository_dump(db);
    EXPECT_FALSE(parse(NDL_EXAMPLES, "routing.ndl", "createversion", "commit", 1).error.empty());
    EXPECT_TRUE(version_indexes(db).empty());
    EXPECT_EQ(repository_dump(db), before);

    std::set<std::string> statements;
    g_traced = &statements;
    ASSERT_EQ(load("routing.ndl", "createversion"), 0) << log;
    g_traced = nullptr;
    EXPECT_EQ(rows("SELECT ndlversion FROM POLICYVERSIONS ORDER BY 1"), (V{"1", "2"}));
    EXPECT_EQ(version_indexes(db).size(), kVersionIndexes);
    EXPECT_TRUE(indexes(db, "network").empty()) << "one network's tables are read whole";

    std::set<std::string> tables = growing(db);
    grow(tables);
    statements.clear();
    g_traced = &statements;
    ASSERT_EQ(load("routing.ndl,firewall.ndl,qos.ndl", "createversion"), 0) << log;
    g_traced = nullptr;
    expect_no_scans(db, statements, tables, 10, reads_or_deletes);
}

TEST_F(VersionIndexes, MadeWithTheSecondNetwork) {
    ASSERT_EQ(load(all_files), 0) << log;
    std::string files;
    for (const char *f : {"network.ndl", "customer.ndl", "routing.ndl", "firewall.ndl", "qos.ndl"}) {
        write_file(f, std::regex_replace(read_text(std::string(NDL_EXAMPLES) + "/" + f), std::regex("SAMPLENET"),
                                         "OTHERNET"));
        files += (files.empty() ? "" : ",") + std::string(f);
    }
    ASSERT_EQ(parse(dir, files, "initializedata").ret, 0) << log;
    EXPECT_EQ(rows("SELECT count(*) FROM NETWORKS"), V{"2"});
    EXPECT_EQ(version_indexes(db).size(), kVersionIndexes);
    EXPECT_EQ(indexes(db, "network").size(), kNetworkIndexes);
}

TEST_F(VersionIndexes, MadeAtLogonWhereSeveralVersionsStandWithoutThem) {
    ASSERT_EQ(load(all_files), 0) << log;
    sql("INSERT INTO POLICYVERSIONS SELECT networkid, 2, ' ' FROM NETWORKS");  // as an earlier build left it
    std::string before = repository_dump(db);
    { extproc::Session s(db); }
    EXPECT_EQ(version_indexes(db).size(), kVersionIndexes);
    EXPECT_EQ(repository_dump(db), before);
}

}  // namespace
