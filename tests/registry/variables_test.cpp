// Variable references: value tables, system variables, the dotted reference
// forms, connection and node variables, protocol declarations and the
// end-of-section owner checks.
#include "fixture.h"
#include "validations.h"

namespace {

void fixedconn(int no, const char *domain, const char *type) {
    domain_fixed_conn_rec *r = add(prdomainfixedconn);
    r->connectionno = no;
    set(r->domainname, domain);
    set(r->nodetype, type);
}

void conntype(int no, const char *name) {
    domain_conn_type_rec *r = add(prdomainconntypes);
    r->connectionno = no;
    set(r->connectionname, name);
}

domain_conn_var_rec *connvar(int no, const char *name, const char *type) {
    domain_conn_var_rec *r = add(prdomainconnvars);
    r->connectionno = no;
    set(r->variablename, name);
    set(r->variabletype, type);
    return r;
}

TEST_F(Registry, ValueAndSystemTables) {
    const value_table empty[] = {""};
    EXPECT_EQ(validate_var(empty, "X"), 0);
    EXPECT_EQ(validate_var(empty, ""), 0);
    const value_table modes[] = {"M", "O", ""};
    EXPECT_EQ(validate_var(modes, "O"), 1);
    EXPECT_EQ(validate_var(modes, "o"), 0);
    EXPECT_EQ(validate_var(modes, ""), 0);

    int type = -1;
    EXPECT_EQ(validate_systemvar(nullptr, "BW", &type), 0);
    EXPECT_EQ(validate_systemvar(connsystemvar, "MBSOUT", &type), 1);
    EXPECT_EQ(type, 12);
    EXPECT_EQ(validate_systemvar(nodesystemvar, "ISCPE", &type), 1);
    EXPECT_EQ(type, 13);
    EXPECT_EQ(validate_systemvar(domainsystemvar, "PSTN-CODE", &type), 1);
    EXPECT_EQ(type, 11);
    type = -1;
    EXPECT_EQ(validate_systemvar(customersystemvars, "TYPE", &type), 0);
    EXPECT_EQ(type, -1);
}

// One reference per row: valid or not, the type, the message left behind.
TEST_F(Registry, ReferenceForms) {
    service_type_rec *st = add(prservicetypes);
    set(st->servicetype, "VPN");
    set(st->hosttype, "PE");
    service_type_var_rec *sv = add(prservicetypevars);
    set(sv->variablename, "VLAN");
    set(sv->variabletype, "NUMBER");
    cust_var_rec *cv = add(prcustvars);
    set(cv->variablename, "SITE");
    set(cv->variabletype, "STRING");
    fixedconn(1, "D", "PE");
    conntype(1, "UPLINK");
    connvar(1, "VCI", "NUMBER");
    network_var_rec *nv = add(prnetworkvars);
    set(nv->variablename, "ASN");
    set(nv->variabletype, "NUMBER");

    struct Case {
        const char *ref;
        int valid;
        int type;
        const char *message;
    };
    const Case cases[] = {
        {"", 0, -1, "ERROR : Variable Name expected  @9 \n"},
        {"CONN", 0, -1, "ERROR : Invalid conn variable type :CONN @9 \n"},
        {"CONN.CONNECTIONNAME", 1, 11, ""},
        {"CONN.CONNECTIONNAME.X", 0, -1, "ERROR: Invalid parameter: 'CONN.CONNECTIONNAME.X' @ 9\n"},
        {"CONN.UPLINK", 0, -1, "ERROR : Invalid conn variable type :CONN.UPLINK @9 \n"},
        {"CONN.UPLINK.VCI", 1, 12, ""},
        {"CONN.UPLINK.BW", 1, 12, ""},
        {"CONN.UPLINK.NOPE", 0, -1,
         "ERROR : Invalid connection variable for connection : UPLINK @9\n"},
        {"CONN.UPLINK.VCI.X", 0, 12, "ERROR: Invalid parameter: 'CONN.UPLINK.VCI.X' @ 9\n"},
        {"SERVICE.anything", 1, 12, ""},
        {"SERVICE", 0, -1,
         "ERROR: Invalid specification of SERVICE attribute (SERVICE.variablename  expected) "
         "@9\n"},
        {"SERVICE.A.B", 0, -1,
         "ERROR: Invalid specification of SERVICE attribute (SERVICE.variablename  expected) "
         "@9\n"},
        {"COMMUNITY.NAME", 1, 11, ""},
        {"COMMUNITY.VLAN", 1, 12, ""},
        {"COMMUNITY", 0, -1, "ERROR : Invalid community variable type :COMMUNITY @9 \n"},
        {"COMMUNITY.NOPE", 0, -1, "ERROR : Invalid community variable  :NOPE @9 \n"},
        {"SUBSCOMMUNITY.ID.PE", 1, 12, ""},
        {"SUBSCOMMUNITY.ID.CE", 0, 12, "ERROR: Invalid parameter: 'SUBSCOMMUNITY.ID.CE' @ 9\n"},
        {"SUBSCOMMUNITY.ID.PE.X", 0, 12,
         "ERROR: Invalid parameter: 'SUBSCOMMUNITY.ID.PE.X' @ 9\n"},
        {"SNMPCOMM.NAME", 1, 11, ""},
        {"SNMPCOMM", 0, -1, "ERROR : Invalid snmpcommunity variable type :SNMPCOMM @9 \n"},
        {"SNMPCOMM.ID", 0, -1, "ERROR : Invalid snmpcommunity variable type :ID @9 \n"},
        {"LOCAL.DYNAMIC.NAME", 1, 11, ""},
        {"LOCAL.DYNAMIC", 0, -1, "ERROR : Invalid Type for Local pool var : LOCAL.DYNAMIC @9 \n"},
        {"LOCAL.STATIC.NAME", 0, -1,
         "ERROR : Invalid Type for Local pool var : LOCAL.STATIC.NAME @9 \n"},
        {"CUSTOMER.SITE", 1, 11, ""},
        {"CUSTOMER.ID", 1, 12, ""},
        {"CUSTOMER.NOPE", 0, -1, "ERROR : Invalid customer variable : NOPE @9 \n"},
        {"ASN", 1, 12, ""},
        {"HOSTNAME", 1, 11, ""},
        {"NOPE", 0, -1, "ERROR : Invalid node/domain/connection attribute  : NOPE @9 \n"},
        {"ASN.X", 0, 12, "ERROR: Invalid parameter: 'ASN.X' @ 9\n"},
    };
    Line = 9;
    for (const Case &c : cases) {
        int type = -1;
        g_errormsg[0] = '\0';
        EXPECT_EQ(validate_vars("D", "PE", c.ref, "VAR", &type, nullptr), c.valid) << c.ref;
        EXPECT_EQ(type, c.type) << c.ref;
        EXPECT_STREQ(g_errormsg, c.message) << c.ref;
    }
    EXPECT_EQ(log_text, "");  // nothing is logged: the caller does that

    // A reference far longer than any field is split without harm.
    std::string longref = "CONN." + std::string(600, 'U') + ".VCI";
    int type = -1;
    EXPECT_EQ(validate_vars("D", "PE", longref.c_str(), "VAR", &type, nullptr), 0);
}

TEST_F(Registry, PlainNameTriesEachConnection) {
    connvar(2, "DLCI", "NUMBER");
    int conns[] = {1, 2, 0};
    int type = -1;
    EXPECT_EQ(validate_vars("D", "PE", "DLCI", "VAR", &type, conns), 1);
    EXPECT_EQ(type, 12);
    int first_only[] = {1, 0, 2};  // the list ends at the first value below 1
    EXPECT_EQ(validate_vars("D", "PE", "DLCI", "VAR", &type, first_only), 0);
}

TEST_F(Registry, ConnectionVariables) {
    int type = -1;
    fixedconn(1, "D", "PE");
    fixedconn(2, "D", "PE");
    conntype(1, "UPLINK");
    conntype(2, "BACKUP");
    connvar(1, "TAG", "NUMBER");
    connvar(2, "TAG", "STRING");
    // Without a connection name every fixed connection counts; the last match
    // gives the type.
    EXPECT_EQ(connvar_exists("D", "PE", "", "TAG", &type), 1);
    EXPECT_EQ(type, 11);
    EXPECT_EQ(connvar_exists("D", "PE", "UPLINK", "TAG", &type), 1);
    EXPECT_EQ(type, 12);
    EXPECT_EQ(connvar_exists("D", "CE", "", "TAG", &type), 0);
    // An address dependency on the connection type's name makes a NUMBER.
    address_dependency_rec *dep = add(praddressdependency);
    set(dep->variablename, "TAG");
    set(dep->namedendpoint, "BACKUP");
    EXPECT_EQ(connvar_exists("D", "PE", "", "TAG", &type), 1);
    EXPECT_EQ(type, 12);

    EXPECT_EQ(conn_exists("D", "PE", "BACKUP"), 1);
    EXPECT_EQ(conn_exists("D", "PE", "OTHER"), 0);
    EXPECT_EQ(conn_exists("E", "PE", "BACKUP"), 0);
    EXPECT_EQ(conn_exists("D", "PE", "backup"), 0);
    // A name that two types declare: the node may hold the second's number.
    conntype(3, "BACKUP");
    fixedconn(3, "E", "CE");
    EXPECT_EQ(conn_exists("E", "CE", "BACKUP"), 1);
    EXPECT_EQ(conn_exists("E", "CE", "UPLINK"), 0);
    EXPECT_EQ(validate_domainconnvars(2, "TAG", &type), 1);
    EXPECT_EQ(validate_domainconnvars(3, "TAG", &type), 0);
    EXPECT_EQ(validate_domainconnvars(3, "BW", &type), 1);
}

TEST_F(Registry, NodeVariables) {
    domain_node_var_rec *n = add(prdomainnodevars);
    set(n->domainname, "D");
    set(n->nodetype, "PE");
    set(n->variablename, "PORT");
    set(n->variabletype, "NUMBER");
    domain_variable_rec *d = add(prdomainvariables);
    set(d->domainname, "D");
    set(d->variablename, "PORT");
    set(d->variabletype, "STRING");
    network_var_rec *nv = add(prnetworkvars);
    set(nv->variablename, "REGION");
    set(nv->variabletype, "STRING");

    int type = -1;
    // A domain variable of the same name gives its own type.
    EXPECT_EQ(nodevar_exists("D", "PE", "PORT", &type), 1);
    EXPECT_EQ(type, 11);
    EXPECT_EQ(validate_domainnodevar("D", "PE", "PORT", &type), 1);
    EXPECT_EQ(type, 12);
    EXPECT_EQ(nodevar_exists("D", "PE", "NODEID", &type), 1);
    // TOKEN skips the node's own variables but not the domain's or network's.
    EXPECT_EQ(nodevar_exists("D", "TOKEN", "NODEID", &type), 0);
    EXPECT_EQ(nodevar_exists("D", "TOKEN", "DOMAINID", &type), 1);
    EXPECT_EQ(nodevar_exists("D", "TOKEN", "REGION", &type), 1);
    EXPECT_EQ(nodevar_exists("E", "", "PORT", &type), 0);
}

TEST_F(Registry, StaticListTypeFollowsItsElements) {
    domain_variable_rec *d = add(prdomainvariables);
    set(d->domainname, "D");
    set(d->variablename, "SPEED");
    set(d->variabletype, "STATIC-LIST");
    int type = -1;
    EXPECT_EQ(validate_domainvariable("D", "SPEED", &type), 1);
    EXPECT_EQ(type, 12);  // no list of that name: NUMBER
    list_value_rec *l = add(prlistvalues);
    set(l->listname, "SPEED");
    set(l->elementvalue, "fast");
    EXPECT_EQ(validate_domainvariable("D", "SPEED", &type), 1);
    EXPECT_EQ(type, 17);
}

TEST_F(Registry, ProtocolDeclarations) {
    EXPECT_EQ(validate_protocols("D", "PE", "BGP", "65000", "M", "1.1.1.1", "", "", "CTX", "GLOBAL"),
              0);
    EXPECT_EQ(validate_protocols("D", "PE", "BGP", "65000", "O", "", "", "", "", "GLOBAL"), 1);
    // Another instance name is another declaration.
    EXPECT_EQ(validate_protocols("D", "PE", "BGP", "65000", "O", "", "", "", "", "VRF1"), 0);
    EXPECT_EQ(validate_protocols("D", "PE", "BGP", "65001", "O", "", "", "", "", "VRF1"), 0);
    int n = 0;
    for (domain_protocol_rec *p = prdomainprotocols; p; p = p->next) ++n;
    EXPECT_EQ(n, 3);
    EXPECT_STREQ(prdomainprotocols->routerid, "1.1.1.1");
    EXPECT_STREQ(prdomainprotocols->ownercontext, "CTX");
    EXPECT_STREQ(prdomainprotocols->mandatory, "M");
    // An instance name wider than its field is cut, not overrun.
    std::string wide(100, 'I');
    EXPECT_EQ(validate_protocols("D", "PE", "OSPF", "1", "O", "", "", "", "", wide.c_str()), 0);
    EXPECT_EQ(std::string(prdomainprotocols.tail->instancename), std::string(30, 'I'));
}

// Where the log names a line ("@ n" or "@n"), npos when it does not.
size_t at_line(int line) {
    size_t at = log_text.find("@ " + std::to_string(line));
    return at != std::string::npos ? at : log_text.find("@" + std::to_string(line));
}

// A variable declared at `line` with its type and owner specification.
template <class T>
void declared(record_list<T> &list, int line, const char *type, const char *owner) {
    T *r = add(list);
    r->line = line;
    set(r->variabletype, type);
    set(r->listname, owner);
}

TEST_F(Registry, OwnerChecksReportTheDeclarationLine) {
    set(add(prdomains)->domainname, "D");
    declared(prdomainnodevars, 3, "DYNAMIC-LIST", "D");
    declared(prdomainnodevars, 4, "NUMBER", "NOWHERE");  // not a dynamic list: not checked
    declared(prdomainconnvars, 21, "DYNAMIC-LIST", "NOWHERE");
    declared(prservicetypevars, 35, "DYNAMIC-LIST", "ELSEWHERE");

    Line = 500;
    EXPECT_EQ(validateuser_vars(), 1);
    EXPECT_EQ(Line, 500);
    EXPECT_EQ(g_error, 1);
    EXPECT_EQ(g_prevtokentype, 1);
    // Both bad owners are reported, in list order, at their own lines.
    size_t first = at_line(21);
    size_t second = at_line(35);
    EXPECT_NE(first, std::string::npos) << log_text;
    EXPECT_NE(second, std::string::npos) << log_text;
    EXPECT_LT(first, second);
    EXPECT_EQ(at_line(500), std::string::npos);

    log_text.clear();
    g_error = 0;
    declared(prcustvars, 77, "DYNAMIC-LIST", "NOWHERE");
    EXPECT_EQ(validatecustuser_vars(), 1);
    EXPECT_EQ(g_error, 1);
    EXPECT_NE(at_line(77), std::string::npos) << log_text;
    EXPECT_EQ(Line, 500);
}

}  // namespace
