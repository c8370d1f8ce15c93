// HSRP statements of a connection type (the members of a hot-standby group,
// its address and its priority list) and APS groups (the working and
// protected members of a protection pair).
#include <cstring>

#include "lookup.h"
#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

lookup::keyed_index<hsrp_connection_rec, &hsrp_connection_rec::connectionno, &hsrp_connection_rec::sequenceno,
                    &hsrp_connection_rec::subsequenceno>
    hsrp_by_entry(prhsrpconnections);
lookup::lowest_free<hsrp_member_rec, &hsrp_member_rec::subsequenceno, &hsrp_member_rec::connectionno,
                    &hsrp_member_rec::sequenceno>
    free_member_number(prhsrpmember);

const char kOpenMsg[] = "ERROR: Invalid syntax '(' expected :%s @ %d\n";
const char kDuplicateMsg[] = "ERROR: Duplicate token: '%s' @ %d\n";
const char kGroupEqualMsg[] = "ERROR :Invalid syntax '=' expected :%s @ %d\n";

bool same(const char *a, const char *b) { return std::strcmp(a, b) == 0; }

// ---- HSRP ----

// AUTHENTICATION is a statement of its own, no attribute of a member.
int not_a_member_attribute(block_reader &r, const keyword_rule &rule, void *) {
    return r.fail("ERROR: Invalid attribute : %s @%d\n", rule.name, Line);
}

int check_trackinterface(block_reader &r, const keyword_rule &, void *rec) {
    hsrp_member_rec &m = *static_cast<hsrp_member_rec *>(rec);
    int type = 0;
    if (!validate_commandvar(m.domainname, m.nodetype, "", "", "", m.trackinterface, &type)) {
        return fail_pending(r);
    }
    return 0;
}

// The group's address, read in place: ADDRESSTYPE first, then ADDRESS or
// OFFSET as the type asks.
constexpr keyword_rule kAddressTypeRow =
    with_checks(token_row("ADDRESSTYPE", TOKEN_WORD), "first: `= type`, a word", AddressTypes);
constexpr keyword_rule kAddressRow = with_checks(
    token_row("ADDRESS", TOKEN_WORD), "`, ADDRESS = \"address\"` after ADDRESSTYPE ADDRESS-FIXED or NETWORK-FIXED");
constexpr keyword_rule kOffsetRow =
    with_checks(token_row("OFFSET", TOKEN_WORD),
                "`, OFFSET = \"n\"` after ADDRESSTYPE ADDRESS-HOST-POOL or ADDRESS-CONNECTION-POOL");
constinit keyword_table_of hsrpaddresstokens{{kAddressTypeRow, kAddressRow, kOffsetRow},
                                              {.style = loop_style::separated}};
const entry_def hsrp_address_def{.keys = &hsrpaddresstokens};

// The statements after "HSRP # n .": each its row's step, with the statement.
int read_member(block_reader &r, const keyword_rule &, void *statement);
int read_group_address(block_reader &r, const keyword_rule &, void *statement);
int read_authentication(block_reader &r, const keyword_rule &, void *statement);
int read_priorities(block_reader &r, const keyword_rule &, void *statement);

// The statements of a group and, in the same rows, the keywords of a
// member: a statement is no attribute of a member.
constinit keyword_table_of hsrptokens{
    {
        read_by(with_checks(token_row("MEMBER", TOKEN_LIST),
                            "`HSRP#n.MEMBER = ( node type , TRACKINTERFACE = ... , TRACKPRIORITY = n )`: a member of "
                            "the connection type"),
                read_member),
        with_entry(read_by(token_row("IPADDRESS", TOKEN_GROUP, 80), read_group_address), &hsrp_address_def,
                   "`HSRP#n.IPADDRESS = ( ADDRESSTYPE = type , ... )`: the group's address, as the connection "
                   "type's IPADDRESS; needed before the group's HSRPPRIORITY (\"IPADDRESS for this HSRP group is "
                   "not defined\")"),
        // Inside MEMBER the loop meets this row, and refuses it; the
        // statement is the row after it.
        {.name = "AUTHENTICATION", .before = not_a_member_attribute,
         .checks = "not inside MEMBER: a statement of its own (the next row)"},
        read_by(with_checks(token_row("AUTHENTICATION", TOKEN_ATTRIBUTE), "`HSRP#n.AUTHENTICATION = value`", Boolean),
                read_authentication),
        read_by(with_checks(token_row("HSRPPRIORITY", TOKEN_WORD),
                            "`HSRP#n.HSRPPRIORITY = \"A, B\"`: a quoted list of the system list HSRPPRIORITY; once"),
                read_priorities),
        {.name = "TRACKINTERFACE", .length = length_rule::field,
         .field = NDL_TEXT(hsrp_member_rec, trackinterface), .after = check_trackinterface,
         .checks = "an interface of the member's node type; needed with a TRACKPRIORITY above 0 (\"TRACKINTERFACE "
                   "is not specified for the priority\")"},
        {.name = "TRACKPRIORITY", .kind = value_kind::number,
         .kind_msg = "Track priority has to be numeric. :%s @ %d\n", .field = NDL_INT(hsrp_member_rec, trackpriority)},
        token_row("#", TOKEN_HASH),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR: Invalid attribute name : %s @ %d\n",
     .dup_msg = kDuplicateMsg,
     .equal_msg = "ERROR: Invalid syntax '=' expected :%s @ %d\n",
     .separator_msg = "ERROR: Invalid syntax ',' or ')'  expected :%s @ %d\n"}};

const domain_node_rules kHsrpNode{
    .domain_msg = "ERROR: Syntax error . Domain name expected : %s @ %d \n",
    .unknown_domain = "ERROR: Domain undefined %s @%d \n",
    .dot_msg = "ERROR: '.' expected as a qualifer for node type: %s @%d\n",
    .node_msg = "Unexpected end of file : %s @%d\n",
    .unknown_node = "ERROR: Invalid node . Not defined : %s  @%d\n",
};

// What a statement "HSRP # n . KEYWORD ..." works on.
struct hsrp_statement {
    int subsequence;  // the next member's
    int connectionno;
    const char *connectionname;
    int group;
    const address_assignment &a;
    int *authenticated;
};

// The group's address record (subsequence 1), or null.
hsrp_connection_rec *group_address(int connectionno, int group) { return hsrp_by_entry.find(connectionno, group, 1); }

hsrp_statement &statement_of(void *rec) { return *static_cast<hsrp_statement *>(rec); }

int read_member(block_reader &r, const keyword_rule &, void *statement) {
    hsrp_statement &s = statement_of(statement);
    if (!r.expect("=", "ERROR: Invalid syntax '=' expected: %s @%d\n")) return 1;
    if (!r.expect("(", "ERROR: Invalid syntax '(' expected: %s @%d\n")) return 1;
    r.read();
    hsrp_member_rec m{};
    if (read_domain_node(r, m.domainname, m.nodetype, kHsrpNode) || read_after_head(r, &m)) return 1;
    if (m.trackpriority > 0 && !r.keys->found("TRACKINTERFACE"))
        return r.fail("TRACKINTERFACE is not specified for the priority :  @%d\n", Line);
    m.connectionno = s.connectionno;
    m.sequenceno = s.group;
    m.subsequenceno = s.subsequence;
    hsrp_member_rec *rec = alloc_record<hsrp_member_rec>();
    *rec = m;
    append_record(prhsrpmember, rec);
    return 0;
}

int read_authentication(block_reader &r, const keyword_rule &, void *statement) {
    hsrp_statement &s = statement_of(statement);
    if (!r.expect("=", "ERROR: Invalid syntax '=' expected:%s @ %d\n")) return 1;
    r.read_upper();
    if (!validate_var(Boolean, r.tok))
        r.flag("ERROR: Invalid value for BOOLEAN attribute . Valid values are TRUE/FALSE : %s @%d\n", r.tok, Line);
    *s.authenticated = same(r.tok, "TRUE") ? 1 : 0;
    return 0;
}

// ", KEYWORD = "text"" into `field` (301 bytes): 0 read, 1 stop.
int read_quoted_in_place(block_reader &r, const char *keyword, const char *comma_msg, const char *keyword_msg,
                         const char *equal_msg, const char *kind_msg, char *field) {
    if (!r.expect(",", comma_msg)) return 1;
    r.read_upper();
    if (!r.is(keyword)) return r.fail(keyword_msg, r.tok, Line);
    if (!r.expect("=", equal_msg)) return 1;
    r.read();
    if (r.kind != TOKEN_QUOTED) return r.fail(kind_msg, r.tok, Line);
    assert(std::memchr(r.tok, '\0', kTokenSize) && kTokenSize <= kText);  // the copy carries the NUL
    std::memcpy(field, r.tok, kTokenSize);  // a token fits the field
    return 0;
}


int read_group_address(block_reader &r, const keyword_rule &, void *statement) {
    hsrp_statement &s = statement_of(statement);
    if (!r.expect("=", "ERROR: Invalid syntax '=' expected: %s @%d\n")) return 1;
    if (!r.expect("(", "ERROR: Invalid syntax '(' expected : %s @%d\n")) return 1;
    r.read_upper();
    if (!r.is(kAddressTypeRow.name))
        return r.fail("ERROR: Invalid syntax Keyword 'ADDRESSTYPE' expected : %s @%d\n", r.tok, Line);
    if (!r.expect("=", kGroupEqualMsg)) return 1;
    r.read();
    if (r.kind != TOKEN_WORD) return r.fail("ERROR: Invalid syntax variable name expected :%s @ %d\n", r.tok, Line);
    if (!validate_var(AddressTypes, r.tok)) r.flag("ERROR: Address type %s is invalid : @ %d\n", r.tok, Line);
    hsrp_connection_rec h{};
    if (!store_text(h.addresstype, r.tok, kName - 1)) r.flag(kTooLongMsg, r.tok, Line);
    // A second address of the group would file its rows twice: refused.
    bool repeated = group_address(s.connectionno, s.group) != nullptr;
    if (repeated) r.flag(kDuplicateMsg, "IPADDRESS", Line);
    h.connectionno = s.connectionno;
    h.sequenceno = s.group;
    h.subsequenceno = 1;
    h.authenticated = *s.authenticated;
    if (!repeated) {
        hsrp_connection_rec *rec = alloc_record<hsrp_connection_rec>();
        *rec = h;
        append_record(prhsrpconnections, rec);
    }
    ipaddress_group ip{};
    const char *type = h.addresstype;
    bool has_address = false;
    if (same(type, "ADDRESS-FIXED") || same(type, "NETWORK-FIXED")) {
        if (read_quoted_in_place(r, kAddressRow.name, "ERROR: Invalid syntax ',' expected:%s @ %d\n",
                                 "ERROR: Invalid syntax Keyword 'ADDRESS' expected :%s @ %d\n", kGroupEqualMsg,
                                 "ERROR: Invalid syntax ipaddress expected :%s @ %d\n", ip.address))
            return 1;
        has_address = true;
    } else if (same(type, "ADDRESS-HOST-POOL") || same(type, "ADDRESS-CONNECTION-POOL")) {
        if (read_quoted_in_place(r, kOffsetRow.name, "ERROR: Invalid syntax ',' expected :%s @ %d\n",
                                 "ERROR: Invalid syntax Keyword 'OFFSET' expected:%s @ %d\n",
                                 "ERROR: Invalid syntax '=' expected :%s @ %d\n",
                                 "ERROR: Number expected for offset :%s @ %d\n", ip.offset))
            return 1;
        has_address = true;
    }
    if (has_address && !repeated) {
        char endpoint[kText];
        std::snprintf(endpoint, sizeof endpoint, "%s:HSRP%d", s.connectionname, s.group);
        file_address_record(ip, s.a.sel, s.a.attrs, 3, endpoint, 1);
    }
    return r.expect(")", "ERROR: Invalid syntax ')' expected :%s @ %d\n") ? 0 : 1;
}

// An entry of a 298-character list fits the 299 characters of the field.
void set_priority(hsrp_connection_rec &h, const char *entry) {
    h.hsrppriority = entry;  // cut to the field as before
}

int read_priorities(block_reader &r, const keyword_rule &, void *statement) {
    hsrp_statement &s = statement_of(statement);
    if (!r.expect("=", "ERROR : Invalid syntax '=' expected: %s @%d\n")) return 1;
    r.read();
    if (r.kind != TOKEN_QUOTED) return r.fail("ERROR : String expected for PRIORITY list: %s @ %d\n", r.tok, Line);
    // A quoted string of 298 characters holds at most 150 entries.
    value_table entries[150];
    int count = 0;
    if (extractlist(r.tok, entries, 150, &count)) {
        return fail_pending(r);
    }
    if (count == 0) return 0;
    int index = 0;
    if (!validate_systemlistentries("HSRPPRIORITY", entries, count, &index))
        r.flag("One of the entries in HSRP PRIORITY list is not present in Systemlist definitions: '%s' @%d\n",
               index < 0 ? "HSRPPRIORITY" : entries[index], Line);
    // A second list of the group would file its rows twice: refused. A
    // list fills the address record's priority, or files subsequence 2 on.
    hsrp_connection_rec *first = group_address(s.connectionno, s.group);
    if ((first && first->hsrppriority[0]) || hsrp_by_entry.find(s.connectionno, s.group, 2)) {
        r.flag(kDuplicateMsg, "HSRPPRIORITY", Line);
        return 0;
    }
    char addresstype[kName] = "";
    if (first) {
        set_priority(*first, entries[0]);
        first->authenticated = *s.authenticated;
        std::snprintf(addresstype, sizeof addresstype, "%s", first->addresstype.c_str());
    } else {
        r.flag("IPADDRESS for this HSRP group is not defined :@ %d\n", Line);
    }
    for (int i = 1; i < count; ++i) {
        hsrp_connection_rec *rec = alloc_record<hsrp_connection_rec>();
        rec->connectionno = s.connectionno;
        rec->sequenceno = s.group;
        rec->addresstype = addresstype;
        rec->authenticated = *s.authenticated;
        rec->subsequenceno = i + 1;
        set_priority(*rec, entries[i]);
        append_record(prhsrpconnections, rec);
    }
    return 0;
}

// ---- APS ----

int take_aps_member(block_reader &r, const keyword_rule &, void *rec) {
    static const domain_node_rules rules{.dot_msg = "ERROR: . expected for domain.nodetype @%d\n",
                                         .dot_token = false,
                                         .unknown_node = "ERROR: Invalid node type : %s  @%d\n"};
    aps_member_rec &m = *static_cast<aps_member_rec *>(rec);
    return read_domain_node(r, m.domainname, m.nodetype, rules);
}

int take_aps_mode(block_reader &r, const keyword_rule &, void *rec) {
    int32_t &mode = static_cast<aps_member_rec *>(rec)->interfacemode;
    if (same(r.tok, "WORKING")) mode = 0;
    else if (same(r.tok, "PROTECTED")) mode = 1;
    else r.flag("ERROR: Invalid value ('WORKING' or 'PROTECTED' expected)for attribute: %s @%d\n", r.tok, Line);
    return 0;
}

constinit keyword_table_of connectionAPStokens{
    {
        {.name = "MEMBER", .mandatory = 1, .maxlen = 100, .length = length_rule::own, .before = take_aps_member,
         .checks = "a member node type of the connection type"},
        {.name = "MODE", .mandatory = 1, .length = length_rule::own, .upper = true, .after = take_aps_mode,
         .checks = "`WORKING` or `PROTECTED`"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = "ERROR: Invalid attribute: %s @%d\n",
     .dup_msg = kDuplicateMsg,
     .equal_msg = "ERROR: Invalid syntax '=' expected :%s @ %d\n",
     .separator_msg = "ERROR:',' or ')' expected : %s @ %d\n"}};

// Filed even when flagged.
int file_aps(block_reader &r, void *entry, void *) {
    aps_member_rec &m = *static_cast<aps_member_rec *>(entry);
    r.check_mandatory("connectionAPS", "ERROR: token '%s' not found in POOLTYPES block @ %d\n", r.start_line);
    if (!validata_APS(&m))
        r.flag("ERROR: Duplicate APS block for same nodetype and domainname in connectiontype @%d\n", Line);
    aps_member_rec *rec = alloc_record<aps_member_rec>();
    *rec = m;
    append_record(prconnapsdatalist, rec);
    return 0;
}

}  // namespace

const entry_def aps_def{.keys = &connectionAPStokens,
                        .equal_msg = "ERROR: Invalid syntax '=' expected :%s @ %d\n",
                        .open_msg = kOpenMsg,
                        .check = file_aps};

// Read by extract_hsrp, not by read_entry: the statements after "# n ." and
// a member's keywords.
const entry_def hsrp_def{.keys = &hsrptokens};

int extract_hsrp(FILE *fp, int connectionno, const char *connectionname, const address_assignment &a,
                 int *authenticated) {
    // The group's own end-of-file text, its token empty.
    block_reader r(fp, hsrptokens, "Unexpected end of file :  @%d\n");
    if (!r.expect("#", "ERROR: Keyword '#' expected: %s @%d\n")) return 1;
    r.read();
    int32_t group = 0;
    if (r.kind != TOKEN_NUMBER || !parse_int32(r.tok, &group))
        return r.fail("ERROR: HSRP connection number expected :%s @%d\n", r.tok, Line);
    if (!r.expect(".", "ERROR : Attribute qualifier '.' expected :%s @%d\n")) return 1;
    // The members of a group are numbered 1, 2, 3 ...: the lowest number
    // no member of the group holds.
    int subsequence = free_member_number.get(connectionno, group);
    r.read_upper();
    hsrp_statement s{subsequence, connectionno, connectionname, group, a, authenticated};
    const keyword_rule *statement = own_row(r);
    if (!statement) return r.fail("ERROR :Invalid attribute name for HSRP : %s @%d\n", r.tok, Line);
    return statement->after(r, *statement, &s);
}

int extract_APS(FILE *fp, int connectionno) {
    aps_member_rec m{};
    m.connectionno = connectionno;
    return read_entry(fp, aps_def, &m, nullptr);
}
