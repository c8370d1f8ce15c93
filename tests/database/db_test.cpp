// The database layer in process: every described statement against fresh
// repositories of both layouts, the reader paths (empty table, "IS NULL",
// NULL without NVL, over-long values, folded and nested tables) and the
// writer (quotes, long statements, file mode, order, version rule).
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>
#include <string>

#include "driver.h"
#include "memory_log.h"
#include "database.h"
#include "fault_hook.h"
#include "records_customer.h"
#include "records_policy.h"
#include "records_routing.h"
#include "records_topology.h"
#include "registry.h"
#include "runstate.h"
#include "table_desc.h"

namespace fs = std::filesystem;
using namespace ndldb;


namespace {

// A repository session of our own, its handles installed as the run's.
class Db : public ::testing::Test {
protected:
    void SetUp() override { open(OCIX_LAYOUT_VERSIONED); }
    void TearDown() override {
        close();
        clear_faults();
        fs::remove_all(dir);
        releasememory("ALL");
    }

    void open(int layout) {
        char tmpl[] = "/tmp/ndl-db-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        path = dir + "/repository.db";
        ocix_expect_layout(layout);
        ASSERT_EQ(OCIInitialize(OCI_DEFAULT, nullptr, nullptr, nullptr, nullptr), OCI_SUCCESS);
        ASSERT_EQ(OCIEnvInit(&env, OCI_DEFAULT, 0, nullptr), OCI_SUCCESS);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&err), OCI_HTYPE_ERROR, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&srv), OCI_HTYPE_SERVER, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&svc), OCI_HTYPE_SVCCTX, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&ses), OCI_HTYPE_SESSION, 0, nullptr);
        OCIServerAttach(srv, err, reinterpret_cast<const text *>(path.c_str()), static_cast<sb4>(path.size()),
                        OCI_DEFAULT);
        OCIAttrSet(svc, OCI_HTYPE_SVCCTX, srv, 0, OCI_ATTR_SERVER, err);
        ASSERT_EQ(OCISessionBegin(svc, err, ses, OCI_CRED_RDBMS, OCI_DEFAULT), OCI_SUCCESS);
        OCIAttrSet(svc, OCI_HTYPE_SVCCTX, ses, 0, OCI_ATTR_SESSION, err);
        InitialiseGlobalData();
        g_ndlversion = 0;
        envhp = env;
        svchp = svc;
        errhp = err;
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&stmthp), OCI_HTYPE_STMT, 0, nullptr);
        OCIHandleAlloc(env, reinterpret_cast<dvoid **>(&stmthp1), OCI_HTYPE_STMT, 0, nullptr);
        log_text.clear();
    }
    void close() {
        if (!env) return;
        OCIHandleFree(stmthp, OCI_HTYPE_STMT);
        OCIHandleFree(stmthp1, OCI_HTYPE_STMT);
        stmthp = stmthp1 = nullptr;
        OCISessionEnd(svc, err, ses, OCI_DEFAULT);
        OCIHandleFree(env, OCI_HTYPE_ENV);
        env = nullptr;
    }
    // Statements of the test itself, in the session's transaction.
    bool exec(const std::string &sql) {
        OCIEnv *saved = envhp;
        envhp = env;
        int ok = run_statement(sql.c_str());
        envhp = saved;
        return ok == 1;
    }
    int count(const std::string &table, const std::string &where = "1=1") {
        int n = -1;
        OCIStmtPrepare(stmthp1, err, reinterpret_cast<const text *>(("SELECT COUNT(*) FROM " + table + " WHERE " + where).c_str()),
                       static_cast<ub4>(("SELECT COUNT(*) FROM " + table + " WHERE " + where).size()), OCI_NTV_SYNTAX,
                       OCI_DEFAULT);
        OCIDefineByPos(stmthp1, &defnp, err, 1, &n, 4, SQLT_INT, nullptr, nullptr, nullptr, OCI_DEFAULT);
        if (OCIStmtExecute(svc, stmthp1, err, 1, 0, nullptr, nullptr, OCI_DEFAULT) != OCI_SUCCESS) return -1;
        return n;
    }

    std::string dir, path;
    OCIEnv *env = nullptr;
    OCIError *err = nullptr;
    OCIServer *srv = nullptr;
    OCISvcCtx *svc = nullptr;
    OCISession *ses = nullptr;
};

// ---- every statement against the schema ----

// One zeroed record for every writer (and one entry for the two-level ones),
// written and read back through the descriptions: a wrong column count or
// name fails here.
TEST_F(Db, EveryStatementFitsTheSchema) {
    alignas(16) static char rec[16384], entry[16384];
    std::memset(rec, 0, sizeof rec);
    std::memset(entry, 0, sizeof entry);
    for (size_t i = 0; i < kAllWritersCount; ++i) {
        writer_desc d = *kAllWriters[i];
        d.list = {[]() -> void * { return rec; }, nullptr, nullptr};
        d.nextoff = sizeof(rec) - sizeof(void *);
        if (d.sub.headoff != kDropped) {
            void *e = entry;
            std::memcpy(rec + d.sub.headoff, &e, sizeof e);
            d.sub.nextoff = sizeof(entry) - sizeof(void *);
        }
        // The loopback instance goes unquoted: it must hold a number.
        text_access::assign(entry + offsetof(cust_conn_node_lb_rec, lbinstance), "7", 1);
        EXPECT_EQ(write_table(d, nullptr), 1) << d.label << "\n" << log_text;
        if (d.sub.headoff != kDropped) std::memset(rec + d.sub.headoff, 0, sizeof(void *));
        ASSERT_NE(envhp, nullptr) << d.label;
    }
    for (size_t i = 0; i < kAllReadersCount; ++i) {
        const reader_desc &d = *kAllReaders[i];
        raw_list list;
        if (d.form == form_returning) {
            EXPECT_EQ(read_table(d, &list), 1) << d.table << "\n" << log_text;
            if (d.list.set) d.list.set(list.head, list.tail);
            else free_record(list.head, d.recsize);  // a sub-list reader: nothing stored
        } else if (d.list.set) {
            EXPECT_EQ(read_table(d, nullptr), 1) << d.table << "\n" << log_text;
        }
        ASSERT_EQ(g_loaderror, 0) << d.table << "\n" << log_text;
        releasememory("ALL");
    }
}

TEST_F(Db, UnversionedLayoutHoldsTheOlderTables) {
    close();
    open(OCIX_LAYOUT_UNVERSIONED);
    EXPECT_EQ(count("DOMAINREDIST"), 0);
    EXPECT_EQ(count("POOLCLASS"), 0);
    EXPECT_TRUE(exec("INSERT INTO POOLCLASS (networkid, name, value, isdefault) VALUES (1, 'a','b', 0)"));
    EXPECT_TRUE(exec("INSERT INTO DOMAINREDIST ("
        "networkid, domainname, nodetype, protocol, asn, redistprotocol, redistasn, metric, "
        "metrictype, route_map, tag, weight, match"
        ") VALUES (1,'d','n','p','a','r','ra','m','mt','rm','t','w','x')"));
    EXPECT_FALSE(exec("INSERT INTO POLICYVERSIONS (networkid, ndlversion, remarks) VALUES (1,1,' ')"));
}

// ---- readers ----

TEST_F(Db, ReaderPaths) {
    // An empty table: no list, nothing logged.
    ASSERT_EQ(retrieve_data(), 1);
    EXPECT_EQ(log_text, "");
    EXPECT_EQ(static_cast<domain_node_rec *>(prdomainnodes), nullptr);

    // "IS NULL" through locstrcpy, kept where copied as read.
    ASSERT_TRUE(exec("INSERT INTO DOMAINNODES ("
        "networkid, domainname, nodetype, nodeidstart, maxnode, minnode, hostname, devicetype, "
        "iscpe, remoteaccess, remoteaddrtype, natinside, nataddrtype, routedprotocols, "
        "controller"
        ") VALUES (1,'D','N',1,5,1,NULL,'IS NULL',0,0,'a',0,'b',0,0)"));
    ASSERT_TRUE(exec("INSERT INTO SERVICETYPEVARS ("
        "networkid, servicetype, sequence, variablename, displayname, variabletype, "
        "updatestatus, isoptional, minvalue, maxvalue, defaultvalue, listname, variablevalue, "
        "uniquec"
        ") VALUES (1,'S',1,'IS NULL','d','t','u',0,0,0,NULL,NULL,NULL,NULL)"));
    ASSERT_TRUE(exec("INSERT INTO DOMAINVARIABLES ("
        "networkid, domainname, sequence, variablename, displayname, variabletype, updatestatus, "
        "isoptional, minvalue, maxvalue, defaultvalue, listname, variablevalue, uniquec"
        ") VALUES (1,'D',1,'IS NULL','d','t','u',0,NULL,NULL,NULL,NULL,NULL,NULL)"));
    ASSERT_EQ(retrieve_data(), 1) << log_text;
    domain_node_rec *node = prdomainnodes;
    ASSERT_NE(node, nullptr);
    EXPECT_STREQ(node->hostname, "");
    EXPECT_STREQ(node->devicetype, "IS NULL");
    EXPECT_EQ(node->maxnode, 5);
    EXPECT_EQ(node->minnode, 1);
    EXPECT_STREQ(static_cast<service_type_var_rec *>(prservicetypevars)->variablename, "IS NULL");
    EXPECT_STREQ(static_cast<domain_variable_rec *>(prdomainvariables)->variablename, "");

    // A NULL where no NVL guards it fails the load with both messages.
    releasememory("ALL");
    ASSERT_TRUE(exec("UPDATE DOMAINNODES SET devicetype = NULL"));
    log_text.clear();
    EXPECT_EQ(retrieve_data(), 0);
    EXPECT_EQ(log_text, "Table : Domainnodes\n<br>Error in loading data.\n<br>");
    EXPECT_EQ(g_loaderror, 1);
    EXPECT_EQ(static_cast<domain_node_rec *>(prdomainnodes), nullptr);
    EXPECT_EQ(static_cast<service_type_var_rec *>(prservicetypevars), nullptr);  // never reached
}

// Texts read as numbers, NVL defaults other than "IS NULL", and the tables
// whose messages differ from the plain pattern.
TEST_F(Db, ConversionsDefaultsAndFailureLabels) {
    ASSERT_TRUE(exec("INSERT INTO CUSTCONNTYPES ("
        "networkid, servicetype, conntypename, connectto, scope1, scope2, scope3, domainname, "
        "addressmode, routingenabled, directconnect, custsitetype"
        ") VALUES (1,'S','C',NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,'site')"));
    ASSERT_TRUE(exec("INSERT INTO CUSTVARS (networkid,servicetype,conntypename,sequence,variablename,displayname,"
                     "variabletype,updatestatus,isoptional) VALUES (1,'S','C','12','v','d','t','u',0)"));
    ASSERT_TRUE(exec("INSERT INTO ADDRESSDEPENDENCY ("
        "networkid, namedpointtype, namedendpoint, addresspoolname, sequence, variablename, "
        "minvalue, maxvalue"
        ") VALUES (1,0,'E','P',1,'v','10','20x')"));
    ASSERT_TRUE(exec("INSERT INTO DOMAINSTATICROUTE (networkid,domainname,nodetype,protocol,addrno,sourceaddr,"
                     "sourcemask,destination,ndlversion) VALUES (1,'D','N','IP',1,'10.0.0.0','255.255.255.0','x',0)"));
    ASSERT_EQ(retrieve_data(), 1) << log_text;
    cust_conn_type_rec *ct = prcustconntypes;
    ASSERT_NE(ct, nullptr);
    EXPECT_STREQ(ct->addressmode, "AUTOMATIC");
    EXPECT_STREQ(ct->connectto, "");
    EXPECT_STREQ(ct->custsitetype, "site");
    EXPECT_EQ(static_cast<cust_var_rec *>(prcustvars)->sequence, 12);
    address_dependency_rec *dep = praddressdependency;
    ASSERT_NE(dep, nullptr);
    EXPECT_EQ(dep->minvalue, 10);
    EXPECT_EQ(dep->maxvalue, 20);
    EXPECT_EQ(static_cast<domain_static_route_rec *>(prdomainstaticroute)->sourcemask, 255);

    // One NULL where no NVL guards it, table by table: the label of a failed
    // fetch, and the status line only where the table reports it.
    struct Case {
        const char *row, *table, *log;
        bool status_line;
    } cases[] = {
        {"INSERT INTO CUSTCONNHSRPVARS ("
            "networkid, servicetype, conntypename, nodetype, nodeinstance, connectionname, "
            "instanceno, sequenceno, variablename, variablevalue"
            ") VALUES (1,'S','C','N',1,'c',1,1,NULL,'x')", "CUSTCONNHSRPVARS",
         "Table : Custhsrpvars\n<br>", false},
        {"INSERT INTO SERVICEENROLLVARS (networkid,sequence,variablename) VALUES (1,1,NULL)", "SERVICEENROLLVARS",
         "Table : Serviceenrollvars\n<br>", false},
        {"INSERT INTO PIMRPCLASS (networkid,domainname,nodetype,sequence,ndlversion) VALUES (1,'D','N',1,0)",
         "PIMRPCLASS", "Table : Pimrpclass\n<br>", false},
        {"INSERT INTO IGMPINTCLASS (networkid,domainname,nodetype,sequence,ndlversion) VALUES (1,NULL,'N',1,0)",
         "IGMPINTCLASS", "Table : Igmpintclass\n<br>", true},
    };
    for (const Case &c : cases) {
        releasememory("ALL");
        envhp = env;
        g_loaderror = 0;
        ASSERT_TRUE(exec(c.row)) << c.table;
        log_text.clear();
        EXPECT_EQ(retrieve_data(), 0) << c.table;
        EXPECT_EQ(log_text.rfind(c.log, 0), 0u) << log_text;
        const std::string tail = "Error in loading data.\n<br>";
        ASSERT_GE(log_text.size(), tail.size());
        EXPECT_EQ(log_text.substr(log_text.size() - tail.size()), tail) << log_text;
        if (c.status_line) { EXPECT_EQ(log_text.find("<br>Error  - "), std::strlen(c.log) - 4) << log_text; }
        else EXPECT_EQ(log_text, c.log + tail);
        envhp = env;
        ASSERT_TRUE(exec(std::string("DELETE FROM ") + c.table));
    }
}

TEST_F(Db, OverlongValueFailsInsteadOfOverrunning) {
    std::string name(31, 'X');
    ASSERT_TRUE(exec("INSERT INTO DOMAIN (networkid, domainname) VALUES (1,'" + name + "')"));
    EXPECT_EQ(retrieve_data(), 0);
    EXPECT_EQ(log_text, "Table : Domain\n<br>Error in loading data.\n<br>");
    EXPECT_EQ(static_cast<domain_rec *>(prdomains), nullptr);
}

// A sub-list read per parent stops at the parent whose rows cannot be kept.
TEST_F(Db, APerParentSubListThatCannotBeKeptFailsTheReader) {
    for (const char *type : {"C1", "C2", "C3"})
        ASSERT_TRUE(exec(std::string("INSERT INTO CUSTCONNTYPES (networkid, servicetype, conntypename, custsitetype) "
                                     "VALUES (1,'S','") + type + "','x')"));
    ASSERT_TRUE(exec("INSERT INTO CUSTCONNQOSPOLICY VALUES (1,'S','C1',1,'L','P')"));
    // A NULL sequence, which no NVL guards.
    ASSERT_TRUE(exec("INSERT INTO CUSTCONNQOSPOLICY VALUES (1,'S','C2',NULL,'L','P')"));
    EXPECT_EQ(retrieve_data(), 0);
    EXPECT_EQ(log_text.rfind("Table : Custconnqospolicy\n<br>", 0), 0u) << log_text;
    EXPECT_NE(log_text.find("Error in loading data.\n<br>"), std::string::npos) << log_text;
    EXPECT_EQ(g_loaderror, 1);
}

TEST_F(Db, LoggedOnlyStatusStillFailsTheReader) {
    inject_fault("define", 1, OCI_SUCCESS_WITH_INFO);
    EXPECT_EQ(retrieve_data(), 0);
    EXPECT_EQ(g_loaderror, 1);
    EXPECT_EQ(envhp, nullptr);
    EXPECT_EQ(log_text, "Error  - OCI_SUCCESS_WITH_INFO\n<br>");
}

TEST_F(Db, TwoLevelTables) {
    g_ndlversion = 2;
    const char *rule = "(1,'D','N','O','u1','u2','c1',NULL,NULL,'R',0,%d,'t%d','v',%d,NULL,2)";
    for (int s : {1, 2, 3}) {
        char row[200];
        std::snprintf(row, sizeof row, rule, s, s, s == 2);
        ASSERT_TRUE(exec(std::string("INSERT INTO QOSMATCHRULECLASS ("
            "networkid, domainname, nodetype, owner, usage1, usage2, context1, context2, "
            "context3, matchrulename, matchdnf, sequence, matchtype, matchvalue, matchnegated, "
            "repeatby, ndlversion"
            ") VALUES ") + row));
    }
    ASSERT_TRUE(exec("INSERT INTO QOSMATCHRULECLASS ("
        "networkid, domainname, nodetype, owner, usage1, usage2, context1, context2, context3, "
        "matchrulename, matchdnf, sequence, matchtype, matchvalue, matchnegated, repeatby, "
        "ndlversion"
        ") VALUES (1,'D','N','O','u1','u2',NULL,NULL,NULL,'S',0,1,'x','y',0,NULL,3)"));
    ASSERT_TRUE(exec("INSERT INTO SYSTEMLISTVALUES ("
        "networkid, listname, displayname, elementvalue"
        ") VALUES (1,'BANDWIDTH','a','64K')"));
    ASSERT_TRUE(exec("INSERT INTO SYSTEMLISTVALUES ("
        "networkid, listname, displayname, elementvalue"
        ") VALUES (1,'PRIORITY','c','HIGH')"));
    ASSERT_TRUE(exec("INSERT INTO SYSTEMLISTVALUES ("
        "networkid, listname, displayname, elementvalue"
        ") VALUES (1,'BANDWIDTH','b','128K')"));
    ASSERT_TRUE(exec("INSERT INTO QOSPOLICERULECLASS ("
        "networkid, domainname, nodetype, owner, usage1, usage2, context1, context2, context3, "
        "policerulename, sequence, matchrulename, bitrate, burstsize, excessburstsize, "
        "exceedrate, violaterate, repeatby, ndlversion"
        ") VALUES (1,'D','N','O','u1','u2',NULL,NULL,NULL,'P''Q',4,'m','b','s','e','x','v',NULL,2)"));
    for (int sub : {2, 1})
        ASSERT_TRUE(exec("INSERT INTO QOSPOLICEACTIONCLASS ("
            "networkid, domainname, nodetype, owner, usage1, usage2, context1, context2, "
            "context3, policerulename, sequence, subsequence, actiontype, action, actionvalue, "
            "repeatby, ndlversion"
            ") VALUES (1,'D','N','O','u1','u2',NULL,NULL,NULL,'P''Q',4," +
                         std::to_string(sub) + ",'t" + std::to_string(sub) + "','a',NULL,NULL,2)"));
    ASSERT_EQ(retrieve_data(), 1) << log_text;

    qos_match_rule_class_rec *m = prmatchruledesclist;
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->next, nullptr);  // the version-3 rule is not read
    int n = 0;
    for (auto *e = m->elemlist.head; e; e = e->next) EXPECT_EQ(std::string(e->matchtype), "t" + std::to_string(++n));
    EXPECT_EQ(n, 3);
    EXPECT_EQ(m->elemlist->next->matchnegated, 1);
    EXPECT_STREQ(m->context2, "");

    system_list_rec *l = pr_systemlist;
    ASSERT_NE(l, nullptr);
    EXPECT_STREQ(l->listname, "BANDWIDTH");
    EXPECT_STREQ(l->elemlist->elementvalue, "64K");
    EXPECT_STREQ(l->elemlist->next->elementvalue, "128K");
    ASSERT_NE(l->next, nullptr);
    EXPECT_STREQ(l->next->listname, "PRIORITY");

    qos_police_rule_class_rec *p = prpoliceruledesclist;
    ASSERT_NE(p, nullptr);  // a quote in the key reaches the nested query doubled
    ASSERT_NE(p->actionlist, nullptr);
    EXPECT_STREQ(p->actionlist->actiontype, "t1");
    EXPECT_STREQ(p->actionlist->next->actiontype, "t2");
}

// ---- writers ----

TEST_F(Db, WriterQuotesLongRowsAndSublists) {
    auto *v = alloc_record<domain_variable_rec>();
    v->domainname.format("O'Brien");
    const std::string quotes(kText - 1, '\'');  // doubled, far beyond 2000 bytes
    for (text_field<kText> *f : {&v->displayname, &v->variabletype, &v->updatestatus, &v->defaultvalue,
                                 &v->listname, &v->variablevalue, &v->uniquec})
        *f = quotes.c_str();
    append_record(prdomainvariables, v);
    auto *t = alloc_record<cust_conn_type_rec>();
    t->servicetype.format("S");
    cust_conn_qos_policy_rec **link = &t->qospolicylist.head;
    for (const char *name : {"A", "A", "B", "A"}) {
        *link = alloc_record<cust_conn_qos_policy_rec>();
        (*link)->qospolicylistname = name;
        link = &(*link)->next;
    }
    append_record(prcustconntypes, t);
    ASSERT_EQ(print_info(nullptr), 1) << log_text;
    EXPECT_EQ(count("DOMAINVARIABLES", "domainname = 'O''Brien' AND length(uniquec) = 300"), 1);
    EXPECT_EQ(count("CUSTCONNQOSPOLICY", "1=1"), 4);
    EXPECT_EQ(count("CUSTCONNQOSPOLICY", "sequence = 1"), 2);
    EXPECT_EQ(count("CUSTCONNQOSPOLICY", "sequence = 3 AND qospolicylistname = 'A'"), 1);
    EXPECT_EQ(count("POLICYVERSIONS", "ndlversion = 1"), 1);
    EXPECT_EQ(g_tablename[0], '\0');
}

// Runs of one character longer than 15 (texts filled to their width) as
// "<c*N>": the golden file stays small and readable.
std::string folded(const std::string &s) {
    std::string out;
    for (size_t i = 0; i < s.size();) {
        size_t j = i;
        while (j < s.size() && s[j] == s[i]) ++j;
        if (j - i > 15) out += "<" + std::string(1, s[i]) + "*" + std::to_string(j - i) + ">";
        else out.append(s, i, j - i);
        i = j;
    }
    return out;
}

// The INSERT lines every writer gave at the last change of the statement
// texts, by writer and round: "== LABEL ROUND", then its lines.
using golden = std::map<std::string, std::vector<std::string>>;
const char *const kWriterGolden = NDL_TEST_DATA "/database/writer_statements.txt";
const char *const kRegenerate = "\n(a change meant to change the texts: run scripts/regen.sh)";

golden read_golden(const char *path) {
    golden out;
    std::ifstream in(path);
    std::vector<std::string> *rows = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("== ", 0) == 0) rows = &out[line.substr(3)];
        else if (rows) rows->push_back(line);
    }
    return out;
}

void write_golden(const char *path, const golden &rows) {
    std::ofstream out(path);
    for (const auto &[key, lines] : rows) {
        out << "== " << key << "\n";
        for (const std::string &l : lines) out << l << "\n";
    }
}

// Fills every value field of one level (0 the record, 1 its entries) with
// texts that need care (quotes, empty, per cent signs, full width) and
// numbers at their limits, chosen by `round`.
void fill_values(const writer_desc &d, int level, char *rec, int round) {
    static const char *const texts[] = {"", "O'Brien", "''", "a,b) c", "%s%d", "it's 'x'", "SYSDATE", "-12", "\\'"};
    static const int32_t ints[] = {0, -1, INT32_MIN, INT32_MAX, 42, -2000000000};
    static const char *const digits[] = {"0042", "", "7", "2147483647"};
    for (size_t i = 0; i < d.nvals; ++i) {
        const value_desc &v = d.vals[i];
        if (v.target != level) continue;
        char *f = rec + v.offset;
        size_t k = i + static_cast<size_t>(round);
        if (v.kind == val_text) {
            std::string t = k % 11 == 10 ? std::string(v.size - 1, '\'') : texts[k % std::size(texts)];
            if (k % 11 == 9) t = std::string(v.size - 1, 'w');
            text_access::assign(f, t.c_str(), std::min(t.size(), v.size - 1));
        } else if (v.kind == val_digits) {
            const char *t = digits[k % std::size(digits)];
            text_access::assign(f, t, std::min(std::strlen(t), v.size - 1));
        } else if (v.kind == val_int && v.size == sizeof(uint16_t)) {
            uint16_t u = k % 2 ? 65535 : static_cast<uint16_t>(k);
            std::memcpy(f, &u, sizeof u);
        } else if (v.kind == val_int) {
            std::memcpy(f, &ints[k % std::size(ints)], sizeof(int32_t));
        }
    }
}

// Room for every field a description names at one level, and the links.
size_t level_size(const writer_desc &d, int level, size_t link) {
    size_t size = link + sizeof(void *);
    for (size_t i = 0; i < d.nvals; ++i)
        if (d.vals[i].target == level) size = std::max(size, d.vals[i].offset + d.vals[i].size);
    return size + 64;
}

std::vector<std::string> insert_lines(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("INSERT", 0) == 0) lines.push_back(line);
    return lines;
}

// Every writer's statements, for texts that need care and numbers at their
// limits, byte for byte as in the committed file. NDL_WRITER_GOLDEN=FILE
// writes what the writers give there too (scripts/regen.sh does, for a
// change that means to change the texts).
TEST_F(Db, EveryWriterFormatsItsStatementsAsBefore) {
    createfile = 1;
    networkid = -7;
    g_ndlversion = 3;
    golden got;
    for (size_t w = 0; w < kAllWritersCount; ++w) {
        const writer_desc &d = *kAllWriters[w];
        if (!d.list.head || !d.insert) continue;
        SCOPED_TRACE(d.label);
        bool folded_table = d.sub.headoff != kDropped;
        for (int round = 0; round < 11; ++round) {
            // A record with two entries (a folded table), one without any,
            // or a plain record.
            std::vector<char> rec(level_size(d, 0, std::max(d.nextoff, folded_table ? d.sub.headoff + 8 : 0)));
            std::vector<char> e1(folded_table ? level_size(d, 1, d.sub.nextoff) : 0), e2(e1.size());
            fill_values(d, 0, rec.data(), round);
            if (folded_table && !(round % 3 == 2 && d.insert_empty)) {
                fill_values(d, 1, e1.data(), round);
                fill_values(d, 1, e2.data(), round);
                char *p1 = e1.data(), *p2 = e2.data();
                std::memcpy(rec.data() + d.sub.headoff, &p1, sizeof p1);
                std::memcpy(e1.data() + d.sub.nextoff, &p2, sizeof p2);
            }
            FILE *fp = std::tmpfile();
            ASSERT_NE(fp, nullptr);
            ASSERT_EQ(d.list.head(), nullptr);
            d.list.set(rec.data(), rec.data());
            int written = write_table(d, fp);
            d.list.set(nullptr, nullptr);
            std::string text(static_cast<size_t>(std::ftell(fp)), '\0');
            std::rewind(fp);
            ASSERT_EQ(std::fread(text.data(), 1, text.size(), fp), text.size());
            std::fclose(fp);
            ASSERT_EQ(written, 1);
            std::vector<std::string> &rows = got[std::string(d.label) + " " + std::to_string(round)];
            for (const std::string &line : insert_lines(text)) rows.push_back(folded(line));
        }
    }
    if (const char *path = std::getenv("NDL_WRITER_GOLDEN")) write_golden(path, got);
    const golden expect = read_golden(kWriterGolden);
    ASSERT_FALSE(expect.empty()) << kWriterGolden;
    for (const auto &[key, rows] : expect) {
        auto it = got.find(key);
        if (it == got.end()) ADD_FAILURE() << "no statements of " << key;
        else EXPECT_EQ(it->second, rows) << key << kRegenerate;
    }
    for (const auto &[key, rows] : got)
        if (!expect.count(key)) ADD_FAILURE() << "statements of " << key << " that the file lacks" << kRegenerate;
}

// A description whose INSERT takes one value too many, or too few, writes
// nothing and fails its table: a placeholder without a value would read past
// the values.
TEST_F(Db, AnInsertThatDoesNotPairOffWithItsValuesWritesNothing) {
    createfile = 1;
    const writer_desc *plain = nullptr, *folded_one = nullptr;
    for (size_t w = 0; w < kAllWritersCount; ++w) {
        const writer_desc &d = *kAllWriters[w];
        if (std::strcmp(d.label, "table LISTVALUES") == 0) plain = &d;
        if (d.insert_empty) folded_one = &d;
    }
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(folded_one, nullptr);
    list_value_rec rec{};
    rec.listname = "L";
    std::string longer = plain->insert;
    longer.insert(longer.size() - 1, ",'%s'");
    struct Case {
        const writer_desc *base;
        std::string insert, empty;
    } cases[] = {
        {plain, longer, ""},
        {plain, "INSERT INTO LISTVALUES VALUES (%d,'%s')", ""},
        {folded_one, folded_one->insert, std::string(folded_one->insert_empty) + "%d"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.insert + " / " + c.empty);
        writer_desc d = *c.base;
        d.insert = c.insert.c_str();
        if (!c.empty.empty()) d.insert_empty = c.empty.c_str();
        std::vector<char> room(4096);  // a record of either kind, its lists empty
        if (c.base == plain) std::memcpy(room.data(), &rec, sizeof rec);
        FILE *fp = std::tmpfile();
        ASSERT_NE(fp, nullptr);
        log_text.clear();
        d.list.set(room.data(), room.data());
        EXPECT_EQ(write_table(d, fp), 0);
        d.list.set(nullptr, nullptr);
        EXPECT_EQ(std::ftell(fp), 0);  // not even the DELETE
        std::fclose(fp);
        EXPECT_NE(log_text.find(std::string("ERROR: ") + c.base->label + ": its INSERT and its values do not pair off"),
                  std::string::npos)
            << log_text;
    }
}

TEST_F(Db, FileModeWritesTheLoadFile) {
    createfile = 1;
    std::string file = dir + "/load.sql";
    FILE *fp = std::fopen(file.c_str(), "w");
    append_record(prdomains, alloc_record<domain_rec>());
    static_cast<domain_rec *>(prdomains)->domainname = "CORE";
    ASSERT_EQ(print_info(fp), 1);
    std::fclose(fp);
    std::string text;
    if (FILE *in = std::fopen(file.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, in)) > 0) text.append(buf, n);
        std::fclose(in);
    }
    EXPECT_NE(text.find("-- Delete domain\nDELETE DOMAIN WHERE networkid=1\n;\nINSERT INTO DOMAIN VALUES (1,'CORE');\n\n\n"),
              std::string::npos);
    EXPECT_NE(text.find("INSERT INTO POLICYVERSIONS VALUES (1,1,' ');\n-- Delete listvalues\n"), std::string::npos);
    EXPECT_EQ(count("DOMAIN"), 0);  // nothing ran
    EXPECT_EQ(count("PROJECT"), 0);
}

TEST_F(Db, PolicyVersionRule) {
    struct Case {
        int stored, overwritedata, createversion, topology;
        int expect;
    } cases[] = {{0, 0, 0, 0, 1}, {3, 0, 0, 0, 3}, {3, 0, 1, 0, 4}, {3, 1, 0, 1, 1}, {3, 1, 0, 0, 3}};
    for (const Case &c : cases) {
        g_ndlversion = c.stored;
        overwritedata = c.overwritedata;
        g_createversion = c.createversion;
        g_topologyparsed = c.topology;
        ASSERT_EQ(print_policyversions(nullptr, nullptr), 1);
        EXPECT_EQ(g_ndlversion, c.expect) << c.stored << c.overwritedata << c.createversion;
        EXPECT_EQ(load_policyversion(), 1);
    }
}

// Every status a statement can end with, as the policy version's lookup
// meets it: reported with the texts the loads have always written, the
// load failed, and no table left named; a lookup that finds no row is
// version 0.
TEST_F(Db, EveryStatusOfTheVersionLookupIsReported) {
    struct Case {
        const char *kind;
        sword status;
        const char *log;
    } cases[] = {
        {"define", OCI_SUCCESS_WITH_INFO, "Error table POLICYVERSIONS - OCI_SUCCESS_WITH_INFO\n<br>"},
        {"define", OCI_NEED_DATA, "Error table POLICYVERSIONS - OCI_NEED_DATA\n<br>"},
        {"define", OCI_NO_DATA, "Error table POLICYVERSIONS - OCI_NODATA\n<br>"},
        {"define", OCI_INVALID_HANDLE, "Error table POLICYVERSIONS - OCI_INVALID_HANDLE\n<br>"},
        {"define", OCI_STILL_EXECUTING, "Error table POLICYVERSIONS - OCI_STILL_EXECUTE\n<br>"},
        {"define", OCI_CONTINUE, "Error table POLICYVERSIONS - OCI_CONTINUE\n<br>"},
        {"execute", OCI_INVALID_HANDLE, "Error table POLICYVERSIONS - OCI_INVALID_HANDLE\n<br>"},
    };
    for (const Case &c : cases) {
        envhp = env;
        g_loaderror = 0;
        log_text.clear();
        inject_fault(c.kind, 1, c.status);
        EXPECT_EQ(load_policyversion(), -1) << c.kind << " " << c.status;
        EXPECT_EQ(log_text, c.log);
        EXPECT_EQ(g_loaderror, 1);
        EXPECT_EQ(envhp, nullptr);
        EXPECT_STREQ(g_tablename, "");
        clear_faults();
    }
    envhp = env;
    g_loaderror = 0;
    log_text.clear();
    g_ndlversion = 7;
    inject_fault("execute", 1, OCI_NO_DATA);
    EXPECT_EQ(load_policyversion(), 1);
    EXPECT_EQ(g_ndlversion, 0);
    EXPECT_EQ(g_loaderror, 0);
    EXPECT_EQ(log_text, "");
}

// A quoted text fills its buffer up to the NUL or is refused whole, never
// cut (a doubled quote counts twice).
TEST(SqlQuote, FitsItsBufferOrIsRefusedWhole) {
    char buf[5];
    EXPECT_TRUE(sql_quote(buf, sizeof buf, "a'b"));
    EXPECT_STREQ(buf, "a''b");
    EXPECT_TRUE(sql_quote(buf, sizeof buf, "abcd"));
    EXPECT_STREQ(buf, "abcd");
    EXPECT_FALSE(sql_quote(buf, sizeof buf, "abc'"));
    EXPECT_STREQ(buf, "");
    EXPECT_FALSE(sql_quote(buf, sizeof buf, "abcde"));
    EXPECT_STREQ(buf, "");
}

// The library lives on between runs: a second run reads the stored topology
// back and looks its names up through the indexes the first run filled.
// Under the sanitizers a stale index entry is a read of freed memory.
TEST_F(Db, ASecondRunLooksUpWhatItReadBack) {
    auto run = [](const std::string &file) {
        reset_tokenizer();
        FILE *fp = std::fopen(file.c_str(), "r");
        EXPECT_NE(fp, nullptr) << file;
        int ok = fp ? parse(fp, nullptr, 1) : 0;
        if (fp) std::fclose(fp);
        return ok;
    };
    ASSERT_EQ(run(NDL_TEST_DATA "/topology/roundtrip_topology.ndl"), 1) << log_text;
    ASSERT_EQ(g_error, 0) << log_text;
    EXPECT_EQ(validate_domain("NORTH"), 1);
    ASSERT_EQ(print_info(nullptr), 1) << log_text;
    releasememory("ALL");

    InitialiseGlobalData();
    std::ofstream(dir + "/fw.ndl") << "NETWORKNAME = RTNET, SECTION = FIREWALL\n";
    ASSERT_EQ(run(dir + "/fw.ndl"), 1) << log_text;
    char devicetype[kName];
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(validate_domain("NORTH"), 1) << pass;
        EXPECT_EQ(validate_domain("SOUTH"), 1) << pass;
        EXPECT_EQ(validate_domain("WEST"), 0) << pass;
        EXPECT_EQ(validate_node("NORTH", "PE", devicetype), 1) << pass;
        EXPECT_STREQ(devicetype, "ROUTER");
        // The readers replace the lists once more, within the run.
        releasememory("ALL");
        ASSERT_EQ(retrieve_data(), 1) << log_text;
    }
}

}  // namespace
