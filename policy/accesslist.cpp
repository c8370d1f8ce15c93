// The ACCESSLIST block of the FIREWALL, ROUTING and QOS sections: access-list
// descriptions, each followed by its entries (the FORMAT lines). A QoS
// policy reads its own access lists with the same description and entry
// readers.
#include <cstdint>
#include <cstring>
#include <string>

#include "lookup.h"
#include "policy_blocks.h"
#include "registry.h"
#include "routepolicy.h"
#include "validations.h"
#include "valtext.h"

namespace {

const value_table AccessTypes[] = {"extended", "extended-named", "standard", "standard-named", ""};
const value_table Direction[] = {"in", "out", ""};
const value_table operators[] = {"lt", "gt", "eq", "auto", "range", ""};



// The largest description number of the node type, 0 when it has none.
using ACL = domain_access_list_rec;
lookup::tally_index<ACL, lookup::highest<&ACL::sequence>, &ACL::domainname, &ACL::nodetype> largest_of_node(
    prdomainaccesslist);

int32_t largest_sequence(const char *domainname, const char *nodetype) {
    return largest_of_node.get(domainname, nodetype);
}

// ---------------------------------------------------------- descriptions

struct description_args {
    const char *domainname, *nodetype;
    int *sequence;
    char *context1, *context2, *context3;
    int embedded;
};

struct description_entry {
    domain_access_list_rec acl;
    const description_args *args;
};

description_entry &desc_of(void *rec) { return *static_cast<description_entry *>(rec); }

int acl_type(block_reader &r, const keyword_rule &, void *) {
    converttolow(r.tok, r.tok, sizeof r.tok);
    if (!validate_var(AccessTypes, r.tok))
        r.flag("ERROR: Invalid value for ACL-TYPE attribute specified : %s @ %d\n", r.tok, Line);
    return 0;
}

// USAGE, OWNER and DIRECTION are the template's inside a QoS policy.
int not_embedded(block_reader &r, const keyword_rule &rule, void *rec) {
    return desc_of(rec).args->embedded ? r.fail(kInvalidName, rule.name, Line) : 0;
}

// The usages that the current section declares; the access-list filter
// drops exactly these before the section is read.
const value_table *section_usages() {
    const char *section = g_section.sectionname;
    if (!std::strcmp(section, "QOS")) return QosAccessUsages;
    if (!std::strcmp(section, "FIREWALL")) return FirewallAccessUsages;
    return RoutingAccessUsages;
}

int usage(block_reader &r, const keyword_rule &rule, void *rec) {
    if (not_embedded(r, rule, rec)) return 1;
    converttolow(r.tok, r.tok, sizeof r.tok);
    if (!std::strcmp(r.tok, "qos")) std::strcpy(r.tok, "QOS");
    if (!validate_var(section_usages(), r.tok))
        r.flag("ERROR: Invalid usage attribute specified : %s @ %d\n", r.tok, Line);
    return 0;
}

int direction(block_reader &r, const keyword_rule &rule, void *rec) {
    if (not_embedded(r, rule, rec)) return 1;
    converttolow(r.tok, r.tok, sizeof r.tok);
    if (!validate_var(Direction, r.tok))
        return r.fail("ERROR: Invalid direction attribute specified : %s @ %d\n", r.tok, Line);
    return 0;
}

int name_type(block_reader &r, const keyword_rule &, void *rec) {
    converttocap(r.tok, r.tok, sizeof r.tok);
    if (std::strcmp(r.tok, "STRING") && std::strcmp(r.tok, "SEQUENCE"))
        return r.fail("ERROR: Type can only be a string or sequence: %s @ %d\n", r.tok, Line);
    if (desc_of(rec).acl.nametype[0])
        return r.fail("ERROR: name-type can only be specifed once for an accesslist: %s @ %d\n", r.tok, Line);
    return 0;
}

// The name column is read back without a NULL default: an empty name would
// make the next load of the network fail.
int acl_name(block_reader &r, const keyword_rule &, void *) {
    if (!r.tok[0]) return r.fail("ERROR: ACL-NAME must not be empty : @ %d\n", Line);
    return 0;
}

// ACL-SEQSTART (tag 0) and ACL-SEQINC (tag 1) belong to a sequence type.
int sequence_only(block_reader &r, const keyword_rule &rule, void *rec) {
    if (!std::strcmp(desc_of(rec).acl.nametype, "SEQUENCE")) return 0;
    return r.fail(rule.tag ? "ERROR: acl-seqinc can only be specified for a sequence type : %s @ %d\n"
                           : "ERROR: acl-seqtart can only be specified for a sequence type : %s @ %d\n",
                  r.tok, Line);
}

int context(block_reader &r, const keyword_rule &, void *rec) {
    const description_args &a = *desc_of(rec).args;
    int kind = 0;
    if (!validate_context(a.domainname, a.nodetype, r.tok, &kind)) flag_pending(r);
    else if (kind != 1) r.flag("ERROR:context should have a aggregation function: %s @ %d\n", r.tok, Line);
    char *slot = !a.context1[0] ? a.context1 : !a.context2[0] ? a.context2 : !a.context3[0] ? a.context3 : nullptr;
    if (!slot) return r.fail("ERROR: Maximum of three contexts can be given: @ %d\n", Line);
    store_text(slot, kText, r.tok, kText - 1);
    return 0;
}

constexpr keyword_rule limited(const char *name, int mandatory, int maxlen, field_ref field, attr_check before,
                               attr_check after = nullptr) {
    return keyword_rule{.name = name, .mandatory = mandatory, .maxlen = maxlen, .toolong_msg = kMaxLength,
                        .toolong_err = on_error::fail, .field = field, .before = before, .after = after};
}

// After ")".
int description_checks(block_reader &r, void *entry, void *) {
    const description_args &a = *desc_of(entry).args;
    const domain_access_list_rec &acl = desc_of(entry).acl;
    if (!acl.owner[0]) return r.fail("ERROR: ACL owner not specifed. @ %d\n", Line);
    if (!acl.usage[0]) return r.fail("ERROR: ACL usage not specifed. @ %d\n", Line);
    if (validate_accesslist(a.domainname, a.nodetype, a.context1, a.context2, a.context3, acl.nametype,
                            acl.aclname, acl.aclstart, acl.aclinc))
        return r.fail("ERROR : Duplicate aclname/sequence (%s/%d) for domain/node (%s/%s) @%d\n", acl.aclname.c_str(),
                      acl.aclstart, a.domainname, a.nodetype, Line);
    int type = 0;
    if (!validate_commandvar(a.domainname, a.nodetype, a.context1, a.context2, a.context3, acl.owner, &type) ||
        !validate_commandvar(a.domainname, a.nodetype, a.context1, a.context2, a.context3, acl.aclname, &type))
        return fail_pending(r);
    if (!g_varused && a.context1[0] && !std::strcmp(acl.nametype, "STRING") && !is_ifcontext(a.context1))
        logmsg("WARNING: ACCESSLIST '%s' for '%s.%s' has a CONTEXT and does not have any variables in the "
               "ACL-NAME, may cause duplicate entries : @ %d. \n\n",
               acl.aclname.c_str(), a.domainname, a.nodetype, r.start_line);
    if (!r.check_mandatory("accessdesctokens", "ERROR : Mandatory field '%s' is not defined: %d\n", r.start_line))
        return 1;
    return 0;
}

constinit keyword_table_of accessdesctokens{
    {
        // Held to their value lists (or read as numbers), not to their
        // longest values: only the fields bound them.
        {.name = "ACL-TYPE", .mandatory = 1, .maxlen = 30, .length = length_rule::field,
         .field = NDL_TEXT(description_entry, acl.acltype), .before = acl_type, .checks = "in any case",
         .values = AccessTypes},
        {.name = "ACL-NAME", .maxlen = 150, .kind = value_kind::quoted,
         .kind_msg = "ERROR: Specify accesslist name within quotes: %s @ %d\n", .toolong_msg = kMaxLength,
         .toolong_err = on_error::fail, .field = NDL_TEXT(description_entry, acl.aclname), .after = acl_name,
         .checks = "not empty; with OWNER, a name the node type can resolve"},
        {.name = "ACL-SEQSTART", .maxlen = 9, .kind = value_kind::number,
         .kind_msg = "ERROR : Number expected for ACL-SEQSTART field: %s @ %d\n",
         .field = NDL_INT(description_entry, acl.aclstart), .after = sequence_only, .tag = 0,
         .checks = "only with NAME-TYPE SEQUENCE, given before it"},
        {.name = "ACL-SEQINC", .maxlen = 9, .kind = value_kind::number,
         .kind_msg = "ERROR :Number expected fro field ACL-SEQINC: %s @ %d\n",
         .field = NDL_INT(description_entry, acl.aclinc), .after = sequence_only, .tag = 1,
         .checks = "only with NAME-TYPE SEQUENCE, given before it"},
        with_checks(limited("NAME-TYPE", 1, 30, NDL_TEXT(description_entry, acl.nametype), name_type),
                    "`STRING` or `SEQUENCE`, in any case; once"),
        with_checks(context_key(context),
                    "a context of the node type with an aggregation function, such as `\"BYHOST()\"`; at most three"),
        {.name = "USAGE", .maxlen = 30, .length = length_rule::field,
         .field = NDL_TEXT(description_entry, acl.usage), .before = usage,
         .checks = "a usage of the section, in any case (see the block's rules); not in a QoS policy's list"},
        {.name = "DIRECTION", .maxlen = 100, .length = length_rule::field,
         .field = NDL_TEXT(description_entry, acl.direction), .before = direction,
         .checks = "in any case; not in a QoS policy's list", .values = Direction},
        with_checks(limited("OWNER", 0, 200, NDL_TEXT(description_entry, acl.owner), not_embedded),
                    "an owner the node type can resolve; not in a QoS policy's list"),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = kInvalidName,
     .dup_msg = kDuplicate,
     .equal_msg = kEqualLine,
     .equal_token = false,
     .separator_msg = kSeparator,
     .other = empty_list<description_checks>,
     .others = kEmptyListOthers}};

const entry_def description_def{.keys = &accessdesctokens,
                                .equal_msg = kEqualLine,
                                .equal_token = false,
                                .open_msg = kOpenLine,
                                .open_token = false,
                                .size = sizeof(description_entry),
                                .check = description_checks};

// ---------------------------------------------------------------- entries

struct format_args {
    const char *domainname, *nodetype;
    const char *context1, *context2, *context3;
    int *kind;
};

// Both kinds of entry: TYPE, REPEATBY and PROTOCOL go to the address entry
// and are copied to a network entry when the FORMAT is one.
struct format_entry {
    domain_acl_list_rec acl;
    domain_ext_acl_rec ext;
    const format_args *args;
};

format_entry &format_of(void *rec) { return *static_cast<format_entry *>(rec); }

// Which kind of entry a keyword belongs to, and whether it is the DEST twin
// of a SOURCE keyword.
enum { kAnyEntry = 0, kAddress = 1, kNetwork = 2, kDest = 4 };

// The first entry keyword of a description decides the kind of its entries.
int entry_kind(block_reader &r, const keyword_rule &rule, void *rec) {
    int &kind = *format_of(rec).args->kind;
    int want = rule.tag & kAddress ? 1 : 0;
    if (kind != 2 && kind != want) return r.fail(kInvalidName, rule.name, Line);
    kind = want;
    return 0;
}

int entry_type(block_reader &r, const keyword_rule &, void *) {
    converttolow(r.tok, r.tok, sizeof r.tok);
    if (!validate_var(AccessListTypes, r.tok))
        return r.fail("ERROR: Invalid value for TYPE attribute specified : %s @ %d\n", r.tok, Line);
    return 0;
}

int repeatby(block_reader &r, const keyword_rule &, void *rec) {
    const format_args &a = *format_of(rec).args;
    int kind = 0;
    if (!validate_context(a.domainname, a.nodetype, r.tok, &kind)) flag_pending(r);
    else if (kind != 1) r.flag("ERROR: Repeatby field should have a aggregation function: %s @ %d\n", r.tok, Line);
    return 0;
}

int protocol(block_reader &r, const keyword_rule &rule, void *rec) {
    domain_acl_list_rec &acl = format_of(rec).acl;
    if (std::strlen(r.tok) > static_cast<size_t>(rule.maxlen)) {
        r.flag(rule.toolong_msg, r.tok, Line);
        return 0;
    }
    bool automatic = !std::strcmp(r.tok, "AUTO");
    acl.protocoltype = automatic ? "AUTO" : "USER";
    store_text(acl.protocol, automatic ? "ip" : r.tok, static_cast<size_t>(rule.maxlen));
    return 0;
}

// The loop stores the number that these give r.tok.
int boolean(block_reader &r, const keyword_rule &rule, void *rec) {
    if (entry_kind(r, rule, rec)) return 1;
    converttocap(r.tok, r.tok, sizeof r.tok);
    if (!validate_var(Boolean, r.tok))
        return r.fail("ERROR: Invalid value for Boolean attribute specified : %s @ %d\n", r.tok, Line);
    std::strcpy(r.tok, !std::strcmp(r.tok, "TRUE") ? "1" : "0");
    return 0;
}

int prefix(block_reader &r, const keyword_rule &rule, void *rec) {
    if (entry_kind(r, rule, rec)) return 1;
    return prefix_length(r);
}

int precedence(block_reader &r, const keyword_rule &rule, void *rec) {
    if (entry_kind(r, rule, rec)) return 1;
    const format_args &a = *format_of(rec).args;
    converttolow(r.tok, r.tok, sizeof r.tok);
    const vendor_value_entry *table = nullptr;
    if (!get_vendorspecific_validation("CISCO", "aclprecedencetypes", &table)) return 0;
    char message[kMsgSize];
    if (validatecfgvaltypes(table, r.tok, "", message, a.domainname, a.nodetype, a.context1, a.context2,
                            a.context3))
        return r.fail("%s , in PRECEDENCE for ACCESSLIST FORMAT: @ %d\n", message, Line);
    return 0;
}

struct port_fields {
    text_field<kName> *optype, *op, *type, *value;
};
port_fields ports_of(const keyword_rule &rule, void *rec) {
    domain_acl_list_rec &acl = format_of(rec).acl;
    if (rule.tag & kDest) return {&acl.destportoptype, &acl.destportop, &acl.destporttype, &acl.destport};
    return {&acl.sourceportoptype, &acl.sourceportop, &acl.sourceporttype, &acl.sourceport};
}

int port_operator(block_reader &r, const keyword_rule &rule, void *rec) {
    if (entry_kind(r, rule, rec)) return 1;
    port_fields f = ports_of(rule, rec);
    converttocap(r.tok, r.tok, sizeof r.tok);
    if (r.kind != TOKEN_QUOTED) {
        if (std::strcmp(r.tok, "AUTO"))
            return r.fail(rule.tag & kDest ? "ERROR: Specify destportop within quotes (unless AUTO): %s @ %d\n"
                                           : "ERROR: Specify sourceportop within quotes (unless AUTO): %s @ %d\n",
                          r.tok, Line);
        *f.optype = "AUTO";
        f.op->clear();
        return 0;
    }
    converttolow(r.tok, r.tok, sizeof r.tok);
    if (!validate_var(operators, r.tok)) return r.fail("ERROR: Wrong operator: '%s' @ %d \n", r.tok, Line);
    *f.optype = "USER";
    store_text(*f.op, r.tok, kName - 1);
    return 0;
}

int port(block_reader &r, const keyword_rule &rule, void *rec) {
    if (entry_kind(r, rule, rec)) return 1;
    port_fields f = ports_of(rule, rec);
    if (r.kind != TOKEN_QUOTED) {
        converttocap(r.tok, r.tok, sizeof r.tok);
        if (std::strcmp(r.tok, "AUTO"))
            return r.fail(rule.tag & kDest ? "ERROR: Specify destport within quotes (unless AUTO): %s @ %d\n"
                                           : "ERROR: Specify sourceport within quotes (unless AUTO): %s @ %d\n",
                          r.tok, Line);
        *f.type = "AUTO";
        f.value->clear();
        return 0;
    }
    if (!store_text(*f.value, r.tok, static_cast<size_t>(rule.maxlen))) {
        r.flag(rule.toolong_msg, r.tok, Line);
        return 0;
    }
    *f.type = "USER";
    return 0;
}

// SOURCE (tag kAddress), DEST (kAddress | kDest), NETWORK (kNetwork).
int address(block_reader &r, const keyword_rule &rule, void *rec) {
    const format_args &a = *format_of(rec).args;
    int kind = 0, type = 0;
    if (!check_addrandvars(a.domainname, a.nodetype, a.context1, a.context2, a.context3, r.tok, &kind, &type))
        return fail_pending(r);
    if (kind == 1) return 0;
    return r.fail(rule.tag & kNetwork ? "ERROR: Network should have a aggregation function: %s @ %d\n"
                  : rule.tag & kDest  ? "ERROR: Dest should have a aggregation function: %s @ %d\n"
                                      : "ERROR: Source should have a aggregation function: %s @ %d\n",
                  r.tok, Line);
}

// What the reference says of them.
constexpr char kNetworkEntry[] =
    "a network entry's keyword (no SOURCE or DEST keywords in the description's FORMATs); a prefix: 1 to 32, "
    "or AUTO";
constexpr char kAddressEntry[] =
    "an address entry's keyword (no NETWORK keywords in the description's FORMATs); a prefix: 1 to 32 or AUTO; a "
    "port or operator: quoted or AUTO; ESTABLISHED and LOG: TRUE or FALSE";
constexpr char kNetworkAddress[] =
    "a network entry's address of the node type, with an aggregation function, such as `\"IP(INTERFACE)\"`";
constexpr char kAddressAddress[] =
    "an address entry's address of the node type, with an aggregation function, such as `\"IP(INTERFACE)\"`";

// An entry keyword with its own check of the value (which first decides the
// entry's kind).
constexpr keyword_rule entry_key(const char *name, int tag, int maxlen, field_ref field, attr_check before,
                                 length_rule length = length_rule::table) {
    return keyword_rule{.name = name, .maxlen = maxlen, .length = length, .field = field, .before = before, .tag = tag,
                        .checks = tag & kNetwork ? kNetworkEntry : kAddressEntry};
}
constexpr keyword_rule address_key(const char *name, int tag, int maxlen, const char *quote_msg,
                                   field_ref field) {
    return keyword_rule{.name = name, .maxlen = maxlen, .kind = value_kind::quoted,
                        .length = maxlen ? length_rule::table : length_rule::field, .kind_msg = quote_msg,
                        .field = field, .before = entry_kind, .after = address, .tag = tag,
                        .checks = tag & kNetwork ? kNetworkAddress : kAddressAddress};
}

// After ")".
int format_checks(block_reader &r, void *entry, void *) {
    const format_entry &f = format_of(entry);
    if (!r.keys->found("TYPE"))
        return r.fail("ERROR: Type field not specified . A permit/deny type for acl is required. @%d\n", Line);
    if (!r.check_mandatory("formattokens", "ERROR : Mandatory field '%s' for FORMAT in ACCESSLIST is not defined: %d\n",
                           r.start_line))
        return 1;
    // A network entry's network and protocol are read back without a NULL
    // default: empty, they would make the next load of the network fail.
    if (*f.args->kind == 0 && (!f.ext.hostnetworkno[0] || !f.acl.protocol[0]))
        return r.fail("ERROR: %s not specified for a network entry of an access list. @%d\n",
                      f.ext.hostnetworkno[0] ? "PROTOCOL" : "NETWORK", Line);
    return 0;
}

constinit keyword_table_of formattokens{
    {
        {.name = "PROTOCOL", .maxlen = 30, .length = length_rule::own, .repeatable = true, .after = protocol,
         .checks = "a protocol, or AUTO (ip); required in a network entry"},
        // Asked for by format_checks with a message of its own, ahead of the
        // mandatory check.
        {.name = "TYPE", .mandatory = 1, .maxlen = 30, .length = length_rule::field,
         .field = NDL_TEXT(format_entry, acl.type), .before = entry_type, .checks = "in any case",
         .values = AccessListTypes},
        {.name = "REPEATBY", .maxlen = 200, .kind = value_kind::quoted,
         .kind_msg = "ERROR: Specify context value within quotes: %s @ %d\n",
         .field = NDL_TEXT(format_entry, acl.repeatby), .after = repeatby,
         .checks = "a context of the node type with an aggregation function"},
        address_key("NETWORK", kNetwork, 0, "ERROR: Specify network value within quotes: %s @ %d\n",
                    NDL_TEXT(format_entry, ext.hostnetworkno)),
        entry_key("NETWORK-DNCB", kNetwork, 0, NDL_INT(format_entry, ext.hostdncb), prefix),
        entry_key("MASK", kNetwork, 0, NDL_INT(format_entry, ext.mask), prefix),
        entry_key("MASK-DNCB", kNetwork, 0, NDL_INT(format_entry, ext.maskdncb), prefix),
        address_key("SOURCE", kAddress, 200, "ERROR: Specify source value within quotes: %s @ %d\n",
                    NDL_TEXT(format_entry, acl.source)),
        entry_key("SOURCE-PREFIX", kAddress, 0, NDL_INT(format_entry, acl.sourceprefix), prefix),
        entry_key("SOURCE-PORTOP", kAddress, 30, {}, port_operator, length_rule::own),
        entry_key("SOURCE-PORT", kAddress, 30, {}, port, length_rule::own),
        address_key("DEST", kAddress | kDest, 200, "ERROR: Specify dest value within quotes: %s @ %d\n",
                    NDL_TEXT(format_entry, acl.dest)),
        entry_key("DEST-PREFIX", kAddress | kDest, 0, NDL_INT(format_entry, acl.destprefix), prefix),
        entry_key("DEST-PORTOP", kAddress | kDest, 30, {}, port_operator, length_rule::own),
        entry_key("DEST-PORT", kAddress | kDest, 30, {}, port, length_rule::own),
        entry_key("PRECEDENCE", kAddress, 30, NDL_TEXT(format_entry, acl.precedence), precedence,
                  length_rule::field),
        entry_key("TOS", kAddress, 30, NDL_TEXT(format_entry, acl.tos), entry_kind),
        entry_key("ESTABLISHED", kAddress, 0, NDL_INT(format_entry, acl.established), boolean),
        entry_key("LOG", kAddress, 0, NDL_INT(format_entry, acl.log), boolean),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    {.style = loop_style::separated,
     .invalid_msg = kInvalidName,
     .dup_msg = "ERROR: Duplicate field '%s' in FORMAT : @ %d\n",
     .equal_msg = "ERROR: Invalid syntax '=' expected: %s @ %d\n",
     .separator_msg = kSeparator,
     .other = empty_list<format_checks>,
     .others = kEmptyListOthers}};

const entry_def format_def = list_entry(&formattokens, format_checks, sizeof(format_entry));

// ------------------------------------------------------------ the block

struct access_block {
    char domainname[kName] = "";
    char nodetype[kName] = "";
    int sequence = 0;
    char context1[kText] = "", context2[kText] = "", context3[kText] = "";
    bool described = false;  // a description was read
    int formats = 0;         // FORMAT lines since the last description
    int kind = 2;            // entry kind of the current description
};

int no_formats(block_reader &r) { return r.fail("ERROR: No formats declared for access list @%d\n", Line); }

int open_description(block_reader &r, const keyword_rule &, void *rec) {
    access_block &b = *static_cast<access_block *>(rec);
    if (b.described && !b.formats) return no_formats(r);
    b.formats = 0;
    b.kind = 2;
    b.described = true;
    return extract_description(r.fp, b.domainname, b.nodetype, &b.sequence, b.context1, b.context2, b.context3,
                               nullptr, 0);
}

int open_format(block_reader &r, const keyword_rule &, void *rec) {
    access_block &b = *static_cast<access_block *>(rec);
    if (!b.described) return r.fail("ERROR: Acl Description  has to specifed first. : %s  @%d\n", r.tok, Line);
    return extract_format(r.fp, b.domainname, b.nodetype, b.sequence, &b.formats, &b.kind, b.context1,
                          b.context2, b.context3);
}

constinit keyword_table_of accesstokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        // Each opens an entry of its own once the block's order is checked;
        // a QoS policy reads the same entries.
        group_key("DESCRIPTION", 1, open_description, &description_def,
                  "`DESCRIPTION = ( ... )`: it opens an access list, to which the FORMATs after it belong"),
        group_key("FORMAT", 1, open_format, &format_def,
                  "`FORMAT = ( ... )`, after a DESCRIPTION (else \"ERROR: Acl Description  has to specifed "
                  "first.\")"),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = kBlockInvalid, .error_ends = true}};

}  // namespace

int extract_description(FILE *fp, const char *domainname, const char *nodetype, int *sequence, char *context1,
                        char *context2, char *context3, const domain_access_list_rec *templ, int embedded) {
    description_args args{domainname, nodetype, sequence, context1, context2, context3, embedded};
    description_entry d{};
    d.args = &args;
    domain_access_list_rec &acl = d.acl;
    acl.aclname = " ";
    if (embedded && templ) {
        acl.owner = templ->owner;
        acl.usage = templ->usage;
        acl.direction = templ->direction;
    } else if (!embedded) {
        acl.direction = " ";
        context1[0] = context2[0] = context3[0] = '\0';
        if (*sequence == INT32_MAX) {
            flag_error(TOKEN_WORD, "", "ERROR: No sequence number left for access lists of %s.%s @ %d\n",
                       domainname, nodetype, Line);
            return 1;
        }
        ++*sequence;
    }
    if (read_entry(fp, description_def, &d, &args)) return 1;
    if (embedded) {
        int32_t largest = largest_sequence(domainname, nodetype);
        if (largest < INT32_MAX && largest + 1 >= *sequence) *sequence = largest + 1;
    }
    domain_access_list_rec *rec = alloc_record<domain_access_list_rec>();
    *rec = acl;
    // Names from a wider field of the caller (a QoS policy holds 300
    // characters) are cut to 30: they were checked against the names already.
    rec->domainname = domainname;
    rec->nodetype = nodetype;
    rec->sequence = *sequence;
    store_text(rec->context1, context1, kText - 1);
    store_text(rec->context2, context2, kText - 1);
    store_text(rec->context3, context3, kText - 1);
    append_record(prdomainaccesslist, rec);
    return 0;
}

int extract_format(FILE *fp, const char *domainname, const char *nodetype, int sequence, int *count, int *kind,
                   const char *context1, const char *context2, const char *context3) {
    format_args args{domainname, nodetype, context1, context2, context3, kind};
    format_entry f{};
    f.args = &args;
    domain_acl_list_rec &acl = f.acl;
    for (text_field<kName> *field : {&acl.protocoltype, &acl.sourceportoptype, &acl.sourceporttype,
                                     &acl.destportoptype, &acl.destporttype})
        *field = "IGNORE";
    acl.protocol = "ip";
    acl.established = -1;
    ++*count;
    if (read_entry(fp, format_def, &f, &args)) return 1;

    if (*kind == 0) {
        domain_ext_acl_rec *rec = alloc_record<domain_ext_acl_rec>();
        *rec = f.ext;
        rec->domainname = domainname;
        rec->nodetype = nodetype;
        rec->sequence = sequence;
        rec->subsequence = *count;
        rec->type = acl.type;
        rec->repeatby = acl.repeatby;
        rec->protocol = acl.protocol;
        append_record(prdomainextacl, rec);
        return 0;
    }
    // An entry with only TYPE, PROTOCOL or REPEATBY is an address entry:
    // the later entries of the description go to the same table.
    *kind = 1;
    domain_acl_list_rec *rec = alloc_record<domain_acl_list_rec>();
    *rec = acl;
    rec->domainname = domainname;
    rec->nodetype = nodetype;
    rec->sequence = sequence;
    rec->subsequence = *count;
    append_record(prdomainacllist, rec);
    return 0;
}

int parse_accesslist(FILE *fp, FILE *, const char *) {
    block_reader r(fp, accesstokens);
    access_block b;
    if (!read_head(r, b.domainname, b.nodetype,
                   {"ERROR: '.' expected as a qualifer for node type @ %d\n", false, false,
                    "ERROR: Keyword 'BEGIN' expected : %s  @%d\n"}))
        return 1;
    b.sequence = largest_sequence(b.domainname, b.nodetype);
    if (read_attributes(r, &b)) return 1;
    if (b.described && !b.formats) return no_formats(r);
    return 0;
}

namespace {

// Each section's lists serve their own usages.
constexpr block_rule kAclOwnerRule{.text = "Its DESCRIPTION gives OWNER", .part = "OWNER = \"NORTH.PE\" , ",
                                   .message = "ERROR: ACL owner not specifed."};
constexpr block_rule routing_acl_rules[] = {
    kNodeTypeNameRule,
    {.text = "Its DESCRIPTION gives USAGE, a usage of the ROUTING section", .values = RoutingAccessUsages,
     .part = " , USAGE = route-filter", .message = "ERROR: ACL usage not specifed."},
    kAclOwnerRule,
};
constexpr block_rule firewall_acl_rules[] = {
    kNodeTypeNameRule,
    {.text = "Its DESCRIPTION gives USAGE, a usage of the FIREWALL section", .values = FirewallAccessUsages,
     .part = " , USAGE = snmp", .message = "ERROR: ACL usage not specifed."},
    kAclOwnerRule,
};
constexpr block_rule qos_acl_rules[] = {
    kNodeTypeNameRule,
    {.text = "Its DESCRIPTION gives USAGE, a usage of the QOS section", .values = QosAccessUsages,
     .part = " , USAGE = QOS", .message = "ERROR: ACL usage not specifed."},
    kAclOwnerRule,
};

// An access list's name and start sequence are the node type's, whatever
// the section.
constexpr char kAclDuplicate[] = "ERROR : Duplicate aclname/sequence (%s/%d) for domain/node (%s/%s) @%d\n";
constexpr block_unique kAclNameRow{
    .what = "ACL-NAME, when NAME-TYPE is STRING (a list without ACL-NAME has the empty name)",
    .within = "the node type (the access lists of every section)", .message = kAclDuplicate};
// NAME-TYPE's own check, after the loop's repeat message.
constexpr block_unique kAclNameTypeRow{
    .what = "NAME-TYPE", .within = "a DESCRIPTION",
    .message = "ERROR: name-type can only be specifed once for an accesslist: %s @ %d\n",
    .part = "NAME-TYPE = STRING ,", .again = " NAME-TYPE = STRING ,"};
// `example`: a list by sequence, of the section's own usage.
constexpr block_unique acl_sequence_row(const char *example) {
    return {.what = "ACL-SEQSTART, when NAME-TYPE is SEQUENCE",
            .within = "the node type (the access lists of every section)", .message = kAclDuplicate,
            .example = example};
}
constexpr block_unique routing_acl_unique[] = {
    kAclNameRow, kAclNameTypeRow, acl_sequence_row("ACCESSLIST NORTH.PE BEGIN\n"
                                  "  DESCRIPTION = ( ACL-TYPE = standard , NAME-TYPE = SEQUENCE , ACL-SEQSTART = 10 ,\n"
                                  "                  OWNER = \"NORTH.PE\" , USAGE = route-filter )\n"
                                  "  FORMAT = ( TYPE = permit )\n"
                                  "END\n")};
constexpr block_unique firewall_acl_unique[] = {
    kAclNameRow, kAclNameTypeRow, acl_sequence_row("ACCESSLIST NORTH.PE BEGIN\n"
                                  "  DESCRIPTION = ( ACL-TYPE = standard , NAME-TYPE = SEQUENCE , ACL-SEQSTART = 10 ,\n"
                                  "                  OWNER = \"NORTH.PE\" , USAGE = snmp )\n"
                                  "  FORMAT = ( TYPE = permit )\n"
                                  "END\n")};
constexpr block_unique qos_acl_unique[] = {
    kAclNameRow, kAclNameTypeRow, acl_sequence_row("ACCESSLIST NORTH.PE BEGIN\n"
                                  "  DESCRIPTION = ( ACL-TYPE = standard , NAME-TYPE = SEQUENCE , ACL-SEQSTART = 10 ,\n"
                                  "                  OWNER = \"NORTH.PE\" , USAGE = QOS )\n"
                                  "  FORMAT = ( TYPE = permit )\n"
                                  "END\n")};

// The precedence list, with an example list of the section's own usage.
void acl_lists(reference_out &out, const char *usage) {
    out.text("An address entry's PRECEDENCE (in any case, stored lower case) is one of these:");
    write_vendor_list(out, "aclprecedencetypes", "PRECEDENCE");
    out.example(vendor_example("aclprecedencetypes",
                               "ACCESSLIST NORTH.PE BEGIN\n"
                               "  DESCRIPTION = ( ACL-TYPE = extended , NAME-TYPE = STRING ,\n"
                               "                  OWNER = \"NORTH.PE\" , USAGE = " + std::string(usage) + " )\n"
                               "  FORMAT = ( TYPE = permit , PROTOCOL = tcp , SOURCE = \"LOCALIP(INTERFACE)\" ,\n"
                               "             SOURCE-PREFIX = AUTO , PRECEDENCE = %1 )\n"
                               "END\n"));
}
void routing_acl_lists(reference_out &out) { acl_lists(out, RoutingAccessUsages[0]); }
void firewall_acl_lists(reference_out &out) { acl_lists(out, FirewallAccessUsages[0]); }
void qos_acl_lists(reference_out &out) { acl_lists(out, QosAccessUsages[0]); }

const block_doc routing_acl_doc{
    .header = "DOMAIN.TYPE BEGIN",
    .needs = "NODES",
    .example = "ACCESSLIST NORTH.PE BEGIN\n"
               "  DESCRIPTION = ( ACL-TYPE = standard , NAME-TYPE = STRING ,\n"
               "                  OWNER = \"NORTH.PE\" , USAGE = route-filter )\n"
               "  FORMAT = ( TYPE = permit )\n"
               "END\n",
    .rules = routing_acl_rules,
    .unique = routing_acl_unique,
    .lists = routing_acl_lists};
const block_doc firewall_acl_doc{
    .header = "DOMAIN.TYPE BEGIN",
    .needs = "NODES",
    .example = "ACCESSLIST NORTH.PE BEGIN\n"
               "  DESCRIPTION = ( ACL-TYPE = standard , NAME-TYPE = STRING ,\n"
               "                  OWNER = \"NORTH.PE\" , USAGE = snmp )\n"
               "  FORMAT = ( TYPE = permit )\n"
               "END\n",
    .rules = firewall_acl_rules,
    .unique = firewall_acl_unique,
    .lists = firewall_acl_lists};
const block_doc qos_acl_doc{
    .header = "DOMAIN.TYPE BEGIN",
    .needs = "NODES",
    .example = "ACCESSLIST NORTH.PE BEGIN\n"
               "  DESCRIPTION = ( ACL-TYPE = standard , NAME-TYPE = STRING ,\n"
               "                  OWNER = \"NORTH.PE\" , USAGE = QOS )\n"
               "  FORMAT = ( TYPE = permit )\n"
               "END\n",
    .rules = qos_acl_rules,
    .unique = qos_acl_unique,
    .lists = qos_acl_lists};

}  // namespace

block_keys accesslist_keys() { return {&accesstokens, nullptr, &routing_acl_doc}; }
block_keys firewall_accesslist_keys() { return {&accesstokens, nullptr, &firewall_acl_doc}; }
block_keys qos_accesslist_keys() { return {&accesstokens, nullptr, &qos_acl_doc}; }

namespace {

// A QoS policy's access lists as extract_policy_acl reads them.
struct policy_acl {
    const qos_policy_class_rec &policy;
    domain_access_list_rec templ{};
    char context1[kText] = "", context2[kText] = "", context3[kText] = "";
    int sequence = 0, formats = 0, kind = 2;
    bool described = false;
};

policy_acl &acl_of(void *rec) { return *static_cast<policy_acl *>(rec); }

int take_policy_list(block_reader &r, const keyword_rule &, void *rec) {
    policy_acl &a = acl_of(rec);
    const qos_policy_class_rec &policy = a.policy;
    if (a.described && !a.formats) return r.fail("Error: No formats declared for access list @d\n");
    a.described = true;
    a.formats = 0;
    a.kind = 2;
    // Each list starts from the policy's contexts.
    valtext::copy_field(a.context1, kText, policy.context1.c_str());
    valtext::copy_field(a.context2, kText, policy.context2.c_str());
    valtext::copy_field(a.context3, kText, policy.context3.c_str());
    return extract_description(r.fp, policy.domainname, policy.nodetype, &a.sequence, a.context1, a.context2,
                               a.context3, &a.templ, 1);
}

int take_policy_format(block_reader &r, const keyword_rule &, void *rec) {
    policy_acl &a = acl_of(rec);
    if (!a.described) return r.fail("Error: Acl Description  has to specifed first. : %s  @%d\n", r.tok, Line);
    return extract_format(r.fp, a.policy.domainname, a.policy.nodetype, a.sequence, &a.formats, &a.kind, a.context1,
                          a.context2, a.context3);
}

// A QoS policy's own access lists: descriptions (as ACCESSLIST) and their
// FORMAT lines, read by the policy's code (extract_policy_acl).
constinit keyword_table_of acltokens{{
    with_entry(read_by(token_row("ACCESSLIST", TOKEN_GROUP), take_policy_list), &description_def,
               "`ACCESSLIST = ( ... )`: it opens an access list of the policy, as ACCESSLIST's DESCRIPTION"),
    with_entry(read_by(token_row("FORMAT", TOKEN_GROUP), take_policy_format), &format_def,
               "`FORMAT = ( ... )`, after such an ACCESSLIST (else \"Error: Acl Description  has to specifed "
               "first.\")"),
    token_row("(", TOKEN_LPAREN),
    token_row(")", TOKEN_RPAREN),
    token_row("=", TOKEN_EQUAL),
}};

}  // namespace

const entry_def qos_access_def{.keys = &accessdesctokens, .then = &acltokens};

int extract_policy_acl(FILE *fp, const qos_policy_class_rec &policy) {
    block_reader r(fp, acltokens);
    policy_acl a{policy};
    a.templ.owner = policy.classrulename.c_str();
    a.templ.usage = "QOSPOLICY";
    a.templ.direction.format("%.30s", policy.direction.c_str());
    for (;;) {
        r.read_upper();
        const keyword_rule *row = r.kind == TOKEN_GROUP ? own_row(r) : nullptr;
        if (!row) {
            r.push_back();
            return 0;
        }
        if (row->after(r, *row, &a)) return 1;
    }
}
