// The MEMBER and INTERFACETYPES groups of a connection type: the node types
// that take part in it (with their interface names, backup connection and
// dial-up capabilities) and the interface types its links use.
#include <cstring>
#include <memory>

#include "lookup.h"
#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

lookup::keyed_index<domain_fixed_conn_rec, &domain_fixed_conn_rec::domainname, &domain_fixed_conn_rec::nodetype,
                    &domain_fixed_conn_rec::connectionno>
    members_by_node(prdomainfixedconn);
lookup::keyed_index<domain_fixed_conn_rec, &domain_fixed_conn_rec::connectionno> members_by_connection(
    prdomainfixedconn);

const value_table NatIntTypes[] = {"INSIDE", "OUTSIDE", "NONE", ""};
const value_table AuthServers[] = {"TACACS", "RADIUS", "NONE", "LOCAL", ""};
const value_table BackupType[] = {"NODE", "DOMAIN", "BOTH", ""};
const value_table EncapsulationTypes[] = {
    "FRAME-RELAY", "FRAME-RELAY-PPP", "HDLC",     "ARPA",     "SNAP",         "PPP",
    "ISL",         "802.1Q",          "ATM-DXI",  "AAL5AUTO", "AAL5SNAP",     "AAL5MUX",
    "AAL5CISCOPPP", "AAL5ILMI",       "AAL5QSAAL", "AAL5SMDS", ""};
const value_table AuthTypes[] = {"PAP", "CHAP", "NONE", ""};
const value_table ConnectionTypes[] = {"POINT-TO-POINT", "MULTIPOINT", ""};
const value_table InterfaceTypes[] = {
    "FASTETHERNET",        "ETHERNET",           "SERIAL",             "ATM",
    "HSSI",                "BRI",                "CHANNELIZED-PRI",    "CHANNELIZED-SERIAL",
    "CONTROLLER",          "GIGABITETHERNET",    "UNCHANNELIZED-OC192", "UNCHANNELIZED-OC48",
    "UNCHANNELIZED-OC12",  "UNCHANNELIZED-OC3",  "UNCHANNELIZED-OC1",  "UNCHANNELIZED-T3",
    "UNCHANNELIZED-T1",    "UNCHANNELIZED-E3",   "UNCHANNELIZED-E1",   "UNCHANNELIZED-STM1",
    "UNCHANNELIZED-STM4",  "UNCHANNELIZED-STM16", "CHANNELIZED-OC192", "CHANNELIZED-OC48",
    "CHANNELIZED-OC12",    "CHANNELIZED-OC3",    "CHANNELIZED-OC1",    "CHANNELIZED-T3",
    "CHANNELIZED-T1",      "CHANNELIZED-E3",     "CHANNELIZED-E1",     "CHANNELIZED-STM1",
    "CHANNELIZED-STM4",    "CHANNELIZED-STM16",  "POS",                "SERIAL-T3",
    "SERIAL-E3",           "SERIAL-T1",          "SERIAL-E1",          "ATM-T3",
    "ATM-E3",              "ATM-OC3",            "ATM-OC12",           ""};


// A value of a fixed list (upper-cased by its row) that is only flagged.
int flag_unless(block_reader &r, const value_table *table, const char *msg) {
    if (!validate_var(table, r.tok)) r.flag(msg, r.tok, Line);
    return 0;
}

// The keyword that opened the group again (NODE, TYPE): no attribute here.
int repeated_head(block_reader &r, const keyword_rule &rule, void *) {
    return r.fail(rule.tag ? "ERROR: Invalid attribute : %s @%d\n" : "ERROR: Invalid attribute name : %s @ %d\n",
                  rule.name, Line);
}

// ---- MEMBER ----

// A 299-character list holds at most 150 names.
constexpr int kMaxInterfaceNames = 150;

struct member_reading {
    member_reading() {}  // provided, so that the interface rows are not zeroed
    domain_fixed_conn_rec fixed{};
    domain_remote_type_rec remote{};
    bool is_remote = false;
    char backupconn[kText] = "";
    char backuptype[kName] = "";
    value_table interfaces[kMaxInterfaceNames];  // written before read, up to interfacecount
    int interfacecount = 0;
};

member_reading &member_of(void *rec) { return *static_cast<member_reading *>(rec); }

int check_nattype(block_reader &r, const keyword_rule &, void *) {
    return flag_unless(r, NatIntTypes, "ERROR: Invalid nat type specified : %s @ %d\n");
}
int check_authserver(block_reader &r, const keyword_rule &, void *) {
    return flag_unless(r, AuthServers, "ERROR: Invalid authserver type specified : %s @ %d\n");
}
int check_backuptype(block_reader &r, const keyword_rule &, void *) {
    return flag_unless(r, BackupType, "ERROR: Invalid backup type specified : %s @ %d\n");
}
int check_backupconn(block_reader &r, const keyword_rule &, void *) {
    if (!validate_domainconntypes(r.tok)) r.flag("ERROR: Invalid connection type specified : %s @ %d\n", r.tok, Line);
    return 0;
}

// Each name of the list fits the 30 characters of its record.
int take_interfaces(block_reader &r, const keyword_rule &, void *rec) {
    member_reading &m = member_of(rec);
    int count = 0;
    if (extractlist(r.tok, m.interfaces, kMaxInterfaceNames, &count)) {
        return fail_pending(r);
    }
    assert(count <= kMaxInterfaceNames);
    for (int i = 0; i < count; ++i)
        if (std::strlen(m.interfaces[i]) > static_cast<size_t>(kName - 1))
            return r.fail("ERROR: Token exceed maximum size: '%s' @ %d\n", m.interfaces[i], Line);
    m.interfacecount = count;
    return 0;
}

// PERUSER, ISDN, ASYNC, DIALOUT, DIALIN: tags 0 to 4, in the record's order.
int take_dialflag(block_reader &r, const keyword_rule &rule, void *rec) {
    member_reading &m = member_of(rec);
    if (!validate_var(Boolean, r.tok)) r.flag("ERROR: Invalid value for boolean attribute: %s @ %d\n", r.tok, Line);
    if (!m.is_remote) r.flag("ERROR: Attribute valid for remote connections only: %s @ %d\n", rule.name, Line);
    int32_t domain_remote_type_rec::*const flags[] = {
        &domain_remote_type_rec::peruser, &domain_remote_type_rec::isdn, &domain_remote_type_rec::async,
        &domain_remote_type_rec::dialout, &domain_remote_type_rec::dialin};
    m.remote.*flags[rule.tag] = std::strcmp(r.tok, "TRUE") == 0 ? 1 : 0;
    return 0;
}

constexpr keyword_rule number_rule(const char *name, int mandatory, const char *msg, field_ref field) {
    return keyword_rule{.name = name, .mandatory = mandatory, .kind = value_kind::number, .kind_msg = msg,
                        .kind_err = on_error::flag, .field = field};
}
constexpr keyword_rule dial_rule(const char *name, int tag) {
    return keyword_rule{.name = name, .length = length_rule::own, .upper = true, .after = take_dialflag, .tag = tag,
                        .checks = "for a remote member only", .values = Boolean};
}

// What a member's and an interface type's keywords are when left out.
constexpr char kNone[] = "NONE";
constexpr char kBackupUnset[] = "NODE";

// Flagged texts of 30-character fields: a longer one is refused (size
// message, the field stays empty).
constinit keyword_table_of membertokens{
    {
        {.name = "NODE", .mandatory = 1, .maxlen = 30, .before = repeated_head,
         .checks = "first in the parentheses, a node type `DOMAIN.TYPE`; not again"},
        {.name = "AUTHSERVER", .maxlen = 30, .field = NDL_TEXT(member_reading, fixed.authserver), .upper = true,
         .after = check_authserver, .values = AuthServers, .unset = kNone},
        {.name = "NATTYPE", .maxlen = 30, .field = NDL_TEXT(member_reading, fixed.nattype), .upper = true,
         .after = check_nattype, .values = NatIntTypes, .unset = kNone},
        number_rule("MINCONN", 1, "ERROR: Number expected for MINCONN: %s @ %d\n",
                    NDL_INT(member_reading, fixed.minconn)),
        number_rule("MAXCONN", 1, "ERROR: Number expected for MAXCONN: %s @ %d\n",
                    NDL_INT(member_reading, fixed.maxconn)),
        number_rule("SECONDARYIP", 0, "ERROR: Number expected for SECONDARYIP: %s @ %d\n",
                    NDL_INT(member_reading, fixed.secondaryip)),
        {.name = "INTERFACES", .type = TOKEN_LIST, .maxlen = 80, .kind = value_kind::quoted,
         .length = length_rule::own, .kind_msg = "ERROR: String expected for Interfaces: %s @ %d\n",
         .after = take_interfaces, .checks = "a quoted list of interface names of up to 30 characters"},
        // A connection type's name: held to its field only.
        {.name = "BACKUPINTERFACE", .maxlen = 30, .length = length_rule::field,
         .field = NDL_TEXT(member_reading, backupconn), .after = check_backupconn,
         .checks = "a CONNECTIONTYPE defined before it"},
        {.name = "BACKUPTYPE", .maxlen = 30, .field = NDL_TEXT(member_reading, backuptype), .upper = true,
         .after = check_backuptype, .values = BackupType, .unset = kBackupUnset},
        dial_rule("ISDN", 1),
        dial_rule("ASYNC", 2),
        dial_rule("DIALIN", 4),
        dial_rule("DIALOUT", 3),
        dial_rule("PERUSER", 0),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR: Invalid attribute name : %s @ %d\n",
     .dup_msg = "ERROR: Duplicate token: '%s' @ %d\n",
     .equal_msg = kMemberEqualMsg,
     .separator_msg = "ERROR: Invalid syntax ',' expected:%s @ %d\n"}};

const domain_node_rules kMemberNode{
    .domain_eof_msg = kGroupEofMsg,
    .unknown_domain = "ERROR: Domain undefined :%s @ %d\n",
    .dot_msg = "ERROR:'.' expected as a qualifer for node type:%s @ %d\n",
    .node_msg = "ERROR: Node expected expected : %s @%d\n",
    .unknown_node = "ERROR: Invalid node type.: %s  @%d\n",
};

void file_member(const member_reading &m, int connectionno, const char *connectionname, int line) {
    const domain_fixed_conn_rec &f = m.fixed;
    if (m.backupconn[0]) {
        domain_node_conn_bkp_rec *b = alloc_record<domain_node_conn_bkp_rec>();
        b->domainname = f.domainname;
        b->nodetype = f.nodetype;
        b->scope = m.backuptype;
        b->connectionname = connectionname;
        b->backupconnname = m.backupconn;
        append_record(prdomainnodeconnbkp, b);
    }
    if (m.is_remote) {
        domain_remote_type_rec *rt = alloc_record<domain_remote_type_rec>();
        *rt = m.remote;
        rt->connectionno = connectionno;
        append_record(prdomainremotetypes, rt);
    }
    if (f.maxconn < f.minconn)
        flag_error(TOKEN_WORD, "", "ERROR: Maximum connections (%d) less than minimum connections (%d) @%d\n",
                   f.maxconn, f.minconn, line);
    domain_fixed_conn_rec *rec = alloc_record<domain_fixed_conn_rec>();
    *rec = f;
    rec->connectionno = connectionno;
    append_record(prdomainfixedconn, rec);
    for (int i = 0; i < m.interfacecount; ++i) {
        domain_int_name_rec *n = alloc_record<domain_int_name_rec>();
        n->connectionno = connectionno;
        n->domainname = f.domainname;
        n->nodetype = f.nodetype;
        n->instanceno = i + 1;
        n->interfacename = m.interfaces[i];  // checked to fit
        append_record(prdomainintnames, n);
    }
}

// ---- INTERFACETYPES ----

int check_encapsulation(block_reader &r, const keyword_rule &, void *) {
    return flag_unless(r, EncapsulationTypes, "ERROR: Invalid encapsulation type specified : %s @ %d\n");
}
int check_authtype(block_reader &r, const keyword_rule &, void *) {
    return flag_unless(r, AuthTypes, "ERROR: Invalid auth type specified : %s @ %d\n");
}
int check_conntype(block_reader &r, const keyword_rule &, void *) {
    return flag_unless(r, ConnectionTypes, "ERROR: Invalid connection type specified : %s @ %d\n");
}
int take_authentication(block_reader &r, const keyword_rule &, void *rec) {
    if (!validate_var(Boolean, r.tok))
        return r.fail("ERROR: Invalid value for boolean attribute: %s @ %d\n", r.tok, Line);
    static_cast<domain_int_type_rec *>(rec)->isauthenticated = std::strcmp(r.tok, "TRUE") == 0 ? 1 : 0;
    return 0;
}
// Anything but TRUE or FALSE is flagged and leaves 0.
int take_subinterface(block_reader &r, const keyword_rule &rule, void *rec) {
    int32_t &flag = static_cast<domain_int_type_rec *>(rec)->subinterface;
    if (std::strcmp(r.tok, "TRUE") == 0) flag = 1;
    else if (std::strcmp(r.tok, "FALSE") == 0) flag = 0;
    else r.flag("ERROR: Invalid value for %s attribute: %s @ %d\n", rule.name, r.tok, Line);
    return 0;
}

constinit keyword_table_of interfacetypetokens{
    {
        {.name = "TYPE", .mandatory = 1, .maxlen = 80, .before = repeated_head, .tag = 1,
         .checks = "first in the parentheses; not again", .values = InterfaceTypes},
        {.name = "ENCAPSULATION", .mandatory = 1, .maxlen = 80, .length = length_rule::field,
         .field = NDL_TEXT(domain_int_type_rec, encapsulationtype), .upper = true, .after = check_encapsulation,
         .values = EncapsulationTypes},
        {.name = "AUTHENTICATION", .mandatory = 1, .length = length_rule::own, .upper = true,
         .after = take_authentication, .values = Boolean},
        {.name = "AUTHTYPE", .maxlen = 30, .field = NDL_TEXT(domain_int_type_rec, authenticationtype),
         .upper = true, .after = check_authtype, .values = AuthTypes, .unset = kNone},
        {.name = "SUBINTERFACE", .mandatory = 1, .length = length_rule::own, .upper = true,
         .after = take_subinterface, .values = Boolean},
        {.name = "CONNECTIONTYPE", .maxlen = 30, .field = NDL_TEXT(domain_int_type_rec, conntype), .upper = true,
         .after = check_conntype, .values = ConnectionTypes},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR: Invalid attribute name : %s @ %d\n",
     .dup_msg = "ERROR: Duplicate token: '%s' @ %d\n",
     .equal_msg = kMemberEqualMsg,
     .separator_msg = "ERROR: Invalid syntax ',' expected :%s @ %d\n"}};

}  // namespace

// Read by extract_members and extract_interfaces, not by read_entry.
const entry_def member_def{.keys = &membertokens};
const entry_def interfaces_def{.keys = &interfacetypetokens};

bool open_group(block_reader &r, const char *keyword, const char *keyword_msg) {
    if (!r.expect("=", kMemberEqualMsg) || !r.expect("(", kMemberOpenMsg)) return false;
    r.read_upper();
    if (!r.is(keyword)) {
        r.fail(keyword_msg, r.tok, Line);
        return false;
    }
    set_foundflag(r.table, keyword);
    return r.expect("=", kMemberEqualMsg);
}

int read_domain_node(block_reader &r, text_field<kName> &domainname, text_field<kName> &nodetype,
                     const domain_node_rules &rules) {
    if (r.kind == TOKEN_ERROR && rules.domain_eof_msg) return r.fail(rules.domain_eof_msg, r.tok, Line);
    if (rules.domain_msg && r.kind != TOKEN_WORD) return r.fail(rules.domain_msg, r.tok, Line);
    if (rules.unknown_domain && !validate_domain(r.tok)) r.flag(rules.unknown_domain, r.tok, Line);
    // Only flagged, but never cut: a name beyond its field is refused.
    if (!store_text(domainname, r.tok, kName - 1)) r.flag(kTooLongMsg, r.tok, Line);
    if (!r.expect(".", rules.dot_msg, rules.dot_token)) return 1;
    r.read();
    if (rules.node_msg && r.kind != TOKEN_WORD) return r.fail(rules.node_msg, r.tok, Line);
    char devicetype[kName];
    if (!validate_node(domainname, r.tok, devicetype)) r.flag(rules.unknown_node, r.tok, Line);
    if (!store_text(nodetype, r.tok, kName - 1)) r.flag(kTooLongMsg, r.tok, Line);
    return 0;
}

int read_after_head(block_reader &r, void *rec) {
    r.read();
    if (r.is(")")) return 0;
    if (!r.is(",")) return r.fail(r.keys->options.separator_msg, r.tok, Line);
    return read_attributes(r, rec);
}

int validate_domainfixedconn(const char *domainname, const char *nodetype, int connectionno) {
    return members_by_node.find(domainname, nodetype, connectionno) ? 1 : 0;
}

domain_fixed_conn_rec *first_member(int connectionno) { return members_by_connection.find(connectionno); }

int extract_members(FILE *fp, int connectionno, const char *connectionname, const char *networktype) {
    block_reader r(fp, *member_def.keys, kGroupEofLineMsg);
    auto m = std::make_unique<member_reading>();
    m->is_remote = std::strcmp(networktype, "NETWORK-REMOTE") == 0;
    m->fixed.nattype = kNone;
    m->fixed.authserver = kNone;
    m->fixed.maxconn = 9999;
    std::strcpy(m->backuptype, kBackupUnset);
    if (!open_group(r, "NODE", "ERROR: Invalid syntax Keword 'NODE' expected :%s @ %d\n")) return 1;
    r.read();
    domain_fixed_conn_rec &f = m->fixed;
    if (read_domain_node(r, f.domainname, f.nodetype, kMemberNode)) return 1;
    if (validate_domainfixedconn(f.domainname, f.nodetype, connectionno))
        r.flag("ERROR: Duplicate MEMBER in connection for same domain and nodetype. :  @%d\n", Line);
    if (read_after_head(r, m.get())) return 1;
    r.check_mandatory("connectionmembers", "ERROR: token '%s' not found in MEMBER block @ %d\n", r.start_line);
    file_member(*m, connectionno, connectionname, Line);
    return 0;
}

int extract_interfaces(FILE *fp, int connectionno) {
    block_reader r(fp, *interfaces_def.keys, kGroupEofLineMsg);
    domain_int_type_rec rec{};
    rec.connectionno = connectionno;
    rec.encapsulationtype = "NONE";
    rec.authenticationtype = kNone;
    rec.conntype = "POINT-TO-POINT";
    if (!open_group(r, "TYPE", "ERROR: Invalid sytax Keword 'TYPE' expected :%s @ %d\n")) return 1;
    // A token error is reported as read; the type is compared upper-cased.
    r.read();
    if (r.kind == TOKEN_ERROR) return r.fail(kGroupEofMsg, r.tok, Line);
    converttocap(r.tok, r.tok, sizeof r.tok);
    if (!validate_var(InterfaceTypes, r.tok)) return r.fail("ERROR: Invalid interface type : %s @%d\n", r.tok, Line);
    rec.interfacetype = r.tok;  // one of the interface types
    if (read_after_head(r, &rec)) return 1;
    r.check_mandatory("connectioninterfaces",
                      "ERROR: token '%s' not found in INTERFACETYPES for CONNECTIONTYPE block @ %d\n", r.start_line);
    domain_int_type_rec *filed = alloc_record<domain_int_type_rec>();
    *filed = rec;
    append_record(prdomaininttypes, filed);
    return 0;
}
