// The command-line build in process: its older writers and readers against
// a repository of the older layout, and the checks only it makes.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "cli_checks.h"
#include "database.h"
#include "driver.h"
#include "failing_new.h"
#include "memory_log.h"
#include "oci_client.h"
#include "older_layout.h"
#include "records_policy.h"
#include "records_routing.h"
#include "records_topology.h"
#include "runstate.h"
#include "table_desc.h"

namespace {

using namespace ndldb;

int placeholders(const char *fmt) {
    int n = 0;
    for (const char *p = fmt; *p; ++p)
        if (p[0] == '%' && (p[1] == 'd' || p[1] == 's')) ++n;
    return n;
}

template <class T>
T *record() {
    return alloc_record<T>();
}

// The rules are derived at the first run, not while the program starts; an
// allocation that fails on the way leaves nothing half built, and the next
// call derives them whole. First in the file: the tests after it derive
// the rules too.
TEST(OlderLayoutRules, DerivedWholeAfterAnyFailedAllocation) {
    long failed = 0;
    const layout_rules *rules = nullptr;
    while (!rules) {
        try {
            rules = with_failing_allocation(failed + 1, [] { return &older_layout(); });
        } catch (const std::bad_alloc &) {
            ++failed;
        }
    }
    EXPECT_GT(failed, 0) << "derived before the first call";
    size_t steps = 0;
    for (size_t i = 0; i < kWriteOrderCount; ++i) {
        const writer_desc *d = kWriteOrder[i].first;
        if (!d) continue;
        const char *table = d->label + 6;
        steps += std::strcmp(table, "POLICYVERSIONS") && std::strcmp(table, "VALIDINTBANDWIDTH") &&
                 std::strcmp(table, "GLOBALLISTVARS");
    }
    ASSERT_EQ(rules->count, steps + 1);  // and the NETWORK step
    for (size_t i = 0; i < rules->count; ++i)
        for (const writer_desc *d : {rules->order[i].first, rules->order[i].second}) {
            if (d) { EXPECT_EQ(placeholders(d->insert), static_cast<int>(d->nvals)) << d->label; }
        }
}

class OlderLayout : public ::testing::Test {
protected:
    void SetUp() override {
        InitialiseGlobalData();
        releasememory("ALL");
        log_text.clear();
        logon = std::make_unique<Logon>(tmp.file("older.db"), OCIX_LAYOUT_UNVERSIONED);
        ASSERT_EQ(logon->begin_status, OCI_SUCCESS) << logon->begin_error;
        envhp = logon->env;
        svchp = logon->svc;
        errhp = logon->err;
        stmthp = logon->stmt;
        OCIHandleAlloc(envhp, reinterpret_cast<dvoid **>(&stmthp1), OCI_HTYPE_STMT, 0, nullptr);
        sqlite3_open(tmp.file("older.db").c_str(), &direct);
    }
    void TearDown() override {
        releasememory("ALL");
        sqlite3_close(direct);
        logon.reset();
    }
    int columns(const char *table) {
        std::string q = std::string("SELECT count(*) FROM pragma_table_info('") + table + "')";
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(direct, q.c_str(), -1, &st, nullptr);
        int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
        sqlite3_finalize(st);
        return n;
    }
    // The load file of print_info in file mode.
    std::string load_file() {
        createfile = 1;
        FILE *f = std::tmpfile();
        int ok = print_info(f);
        createfile = 0;
        std::string text;
        std::rewind(f);
        for (int c; (c = std::fgetc(f)) != EOF;) text += static_cast<char>(c);
        std::fclose(f);
        return ok ? text : "failed: " + log_text;
    }

    TempDir tmp;
    std::unique_ptr<Logon> logon;
    sqlite3 *direct = nullptr;
};

TEST_F(OlderLayout, EveryWriterFitsTheOlderSchemaAndRewritesItsTable) {
    const layout_rules &rules = older_layout();
    ASSERT_EQ(&layout(), &rules) << "linked in, the older layout installs itself";
    for (size_t i = 0; i < rules.count; ++i) {
        for (const writer_desc *d : {rules.order[i].first, rules.order[i].second}) {
            if (!d) continue;
            const char *table = d->label + 6;
            SCOPED_TRACE(table);
            EXPECT_EQ(placeholders(d->insert), static_cast<int>(d->nvals));
            EXPECT_EQ(columns(table), placeholders(d->insert) + (std::strcmp(table, "QOSSUBQUEUECLASS") == 0 ? 1 : 0));
            ASSERT_NE(d->del, nullptr);
            for (size_t v = 0; v < d->nvals; ++v) EXPECT_NE(d->vals[v].kind, val_version);
        }
        EXPECT_STRNE(rules.order[i].name, "print_policyversions");
        EXPECT_STRNE(rules.order[i].name, "print_validintbandwidth");
        EXPECT_STRNE(rules.order[i].name, "print_globallistvars");
    }
    EXPECT_EQ(columns("POLICYVERSIONS"), 0);
}

// The older layout is derived from the one schema text when a repository
// is made: what the versioned layout alone has is not there.
TEST_F(OlderLayout, TheOlderSchemaIsDerivedFromTheOneSchemaText) {
    auto all = [&](const char *q) {
        std::string out;
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(direct, q, -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) out += std::string(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))) + ";";
        sqlite3_finalize(st);
        return out;
    };
    EXPECT_EQ(all("SELECT m.name FROM sqlite_master m JOIN pragma_table_info(m.name) p "
                  "WHERE m.type='table' AND p.name='ndlversion'"),
              "");
    EXPECT_EQ(all("SELECT name FROM sqlite_master WHERE type='trigger' OR name IN "
                  "('POLICYVERSIONS','VALIDINTBANDWIDTH','GLOBALLISTVARS')"),
              "");
    EXPECT_EQ(all("SELECT name FROM pragma_table_info('DOMAINREDIST') WHERE cid >= 12"), "match;");
    EXPECT_EQ(all("SELECT name FROM pragma_table_info('DOMAINBGPADDRAGRR') WHERE cid >= 10"), "attributemap;");
    EXPECT_EQ(all("SELECT type FROM pragma_table_info('DOMAINFILTERLIST') WHERE name='aclseqstart'"), "NUMBER(10);");
    EXPECT_EQ(all("SELECT name FROM pragma_table_info('POOLCLASS')"), "networkid;name;value;isdefault;");
    EXPECT_EQ(columns("ADDRESSASSIGN"), 14);
}

TEST_F(OlderLayout, EveryReaderReadsTheOlderSchemaWithoutVersions) {
    networkid = 1;
    g_ndlversion = 7;  // never asked for
    for (const char *first : {"TOPOLOGY", "ROUTING", "FIREWALL", "QOS", "CUSTOMER"}) {
        std::snprintf(g_section.sectionname, sizeof g_section.sectionname, "%s", first);
        EXPECT_EQ(retrieve_data(), 1) << first << log_text;
    }
    std::snprintf(g_section.sectionname, sizeof g_section.sectionname, "%s", "OTHER");
    log_text.clear();
    EXPECT_EQ(retrieve_data(), 0);
    EXPECT_EQ(log_text, "ERROR: wrong section name\n<br>");
    EXPECT_EQ(load_policyversion(), 1);
    EXPECT_EQ(g_ndlversion, 0);
}

TEST_F(OlderLayout, ShorterRowsAndTheirTexts) {
    networkid = 3;
    auto *pool = record<pool_class_rec>();
    pool->value = "V";
    pool->name = "N";
    pool->isdefault = 1;
    pool->isshared = 1;
    prpoolclass = pool;
    auto *redist = record<domain_redist_rec>();
    redist->domainname = "D";
    redist->match = "internal";
    redist->context1 = "c1";
    prdomainredist = redist;
    auto *filter = record<domain_filter_list_rec>();
    filter->domainname = "D";
    filter->aclseqstart = "120";
    filter->substring = "it's";
    prdomainfilterlist = filter;

    std::string text = load_file();
    EXPECT_NE(text.find("-- Delete poolclass\nDELETE POOLCLASS WHERE networkid=3;\n"
                        "INSERT INTO POOLCLASS VALUES (3, 'N','V', 1);\n\n\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("-- Delete domainredist\nDELETE DOMAINREDIST WHERE networkid=3;\nINSERT INTO DOMAINREDIST "
                        "VALUES (3, 'D', '', '','' ,'','','','','','','','internal');\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("INSERT INTO DOMAINFILTERLIST VALUES (3,'D','',0, 120 ,0,'','','','','','it''s');\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("-- Delete domainconnareas\nDELETE  DOMAINCONNAREAS WHERE networkid=3;\n"), std::string::npos);
    EXPECT_NE(text.find("-- Delete matchrule\nDELETE QOSMATCHRULECLASS WHERE networkid=3\n;\n"), std::string::npos);
    EXPECT_EQ(text.find("POLICYVERSIONS"), std::string::npos);
    // Executed, the rows fit the older tables.
    ASSERT_EQ(print_info(nullptr), 1) << log_text;
    EXPECT_EQ(logon->value("SELECT match FROM domainredist"), "internal");
    EXPECT_EQ(logon->value("SELECT typeof(aclseqstart) || aclseqstart FROM domainfilterlist"), "integer120");

    // A start number that is a variable cannot be written as a number.
    filter->aclseqstart = "$START";
    log_text.clear();
    EXPECT_EQ(print_info(nullptr), 0);
    EXPECT_NE(log_text.find("ERROR: FLT-SEQSTART '$START' of the  list of D. is not a number"), std::string::npos)
        << log_text;
}

TEST_F(OlderLayout, FilterListStartNumbers) {
    EXPECT_EQ(filterlist_start_number("0"), 0);
    EXPECT_EQ(filterlist_start_number("2147483647"), 2147483647);
    for (const char *bad : {"", "-1", "12a", "2147483648", "99999999999", "$SEQ"})
        EXPECT_EQ(filterlist_start_number(bad), -1) << bad;

    auto *f = record<domain_filter_list_rec>();
    f->domainname = "EAST";
    f->nodetype = "PE";
    f->aclseqstart = "10";
    prdomainfilterlist = f;
    EXPECT_EQ(validate_filterlist("EAST", "PE", 10), 1);
    EXPECT_EQ(validate_filterlist("EAST", "CE", 10), 0);
    EXPECT_EQ(validate_filterlist("EAST", "PE", 11), 0);

    Line = 42;
    ASSERT_NE(g_cli_checks.filterlist_header, nullptr);
    EXPECT_EQ(g_cli_checks.filterlist_header("EAST", "PE", "11"), 1);
    EXPECT_EQ(g_error, 0);
    EXPECT_EQ(g_cli_checks.filterlist_header("EAST", "PE", "10"), 0);
    EXPECT_EQ(g_error, 1);
    EXPECT_EQ(log_text, "ERROR: Duplicate use of community/asn list sequence (10) for : EAST/PE @42\n<br>");
    log_text.clear();
    EXPECT_EQ(g_cli_checks.filterlist_header("EAST", "PE", "$START"), 0);
    EXPECT_EQ(log_text, "ERROR: FLT-SEQSTART must be a number for this loader, no variable: $START @42\n<br>");
}

domain_connection_rec *connection(const char *d1, const char *d2, int minconn, int maxconn) {
    auto *c = record<domain_connection_rec>();
    c->domainname1 = d1;
    c->domainname2 = d2;
    c->conntype = "WAN";
    c->minconn = minconn;
    c->maxconn = maxconn;
    return c;
}

TEST_F(OlderLayout, DomainConnectionRangesMayWidenNotNarrow) {
    domain_connection_rec *stored = connection("A", "B", 2, 5);
    domain_connection_rec *wider = connection("A", "B", 1, 8);
    domain_connection_rec *narrower = connection("A", "B", 3, 5);
    EXPECT_EQ(NDL_validate_domainconnections(stored, wider), 1);
    EXPECT_EQ(log_text, "");
    // A narrower row first, a covering one with the same keys after it.
    narrower->next = wider;
    EXPECT_EQ(NDL_validate_domainconnections(stored, narrower), 1);
    narrower->next = nullptr;
    EXPECT_EQ(NDL_validate_domainconnections(stored, narrower), 0);
    EXPECT_EQ(log_text,
              "ERROR:Connection specification between  Domain1 'A' Domain2 'B' is modified/deleted\n<br>");
    log_text.clear();
    overwritedata = 1;
    stored->next = connection("C", "D", 1, 1);
    EXPECT_EQ(NDL_validate_domainconnections(stored, narrower), 1);
    EXPECT_EQ(log_text,
              "WARNING:Connection specification between  Domain1 'A' Domain2 'B' is modified/deleted\n<br>"
              "WARNING:Connection specification between  Domain1 'C' Domain2 'D' is modified/deleted\n<br>");
    for (domain_connection_rec *r : {stored->next, stored, wider, narrower}) free_record(r);
}

TEST_F(OlderLayout, PoolsInterfacesAndServicesMustStay) {
    auto *pool = record<ip_address_pool_rec>();
    pool->addresspoolname = "P1";
    pool->startaddress = "10.0.0.1";
    auto *moved = record<ip_address_pool_rec>();
    *moved = *pool;
    moved->startaddress = "10.0.0.2";
    EXPECT_EQ(NDL_validate_ipaddresspools(pool, pool), 1);
    EXPECT_EQ(NDL_validate_ipaddresspools(pool, moved), 0);
    auto *name = record<domain_int_name_rec>();
    name->connectionno = 4;
    name->domainname = "EAST";
    name->nodetype = "PE";
    name->interfacename = "Serial0";
    EXPECT_EQ(NDL_validate_domainintnames(name, nullptr), 0);
    auto *service = record<domain_service_rec>();
    service->domainname = "EAST";
    service->nodetype = "PE";
    service->servicename = "DNS";
    EXPECT_EQ(NDL_validate_domainservice(service, nullptr), 0);
    EXPECT_EQ(log_text,
              "ERROR: Validation address pool P1 is changed/deleted. \n<br>"
              "ERROR:Domain : EAST\nNodetype :PE\nInterface : Serial0 for connection 4 is missing.\n<br>"
              "ERROR:Service 'DNS' of Domain 'EAST' Nodetype 'PE' is being deleted\n<br>");
    free_record(pool);
    free_record(moved);
    free_record(name);
    free_record(service);
}

TEST_F(OlderLayout, TheTopologyCheckRunsItsComparisonsUnderOverwritedataAndOnlyWarns) {
    networkid = 1;
    ASSERT_EQ(logon->exec("INSERT INTO IPADDRESSPOOLS ("
        "networkid, addresspoolname, protocoltype, startaddress, endaddress"
        ") VALUES (1,'P9','IP','10.9.0.1','10.9.0.9')"), OCI_SUCCESS);
    ASSERT_EQ(logon->exec("INSERT INTO DOMAINSERVICES ("
        "networkid, domainname, nodetype, servicename, sourceaddress"
        ") VALUES (1,'EAST','PE','NTP','')"), OCI_SUCCESS);
    overwritedata = 1;
    EXPECT_EQ(NDL_validateTopology(), 1);
    EXPECT_EQ(log_text,
              "WARNING:Service 'NTP' of Domain 'EAST' Nodetype 'PE' is being deleted\n<br>"
              "WARNING: Validation address pool P9 is changed/deleted. \n<br>");
    overwritedata = 0;
    log_text.clear();
    EXPECT_EQ(NDL_validateTopology(), 0);
    EXPECT_EQ(log_text, "ERROR:Service 'NTP' of Domain 'EAST' Nodetype 'PE' is being deleted\n<br>");
}

}  // namespace
