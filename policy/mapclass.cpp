// The MAP-CLASS block of the ROUTING section: a DESCRIPTION names a frame
// relay or ATM map class, and each ATTRIBUTES line after it is one
// DOMAINMAPCLASS row with its rates and queues. The usage chooses the
// attribute words; both kinds share the columns.
#include <cstdint>
#include <cstring>

#include "policy.h"
#include "records_policy.h"
#include "registry.h"
#include "routepolicy.h"
#include "validations.h"

namespace {

const value_table MapClassUsage[] = {"framerelay", "atm", ""};

using R = domain_map_class_rec;

R &class_of(void *rec) { return *static_cast<R *>(rec); }

// ------------------------------------------------------------ DESCRIPTION

int class_usage(block_reader &r, const keyword_rule &, void *) {
    return lower_value_in(r, MapClassUsage, "ERROR: Invalid  name specified  for mapclass usage : %s @ %d\n");
}

// The owner column is read back without a NULL default.
int class_owner(block_reader &r, const keyword_rule &, void *) {
    return r.tok[0] ? 0 : r.fail("ERROR: OWNER must not be empty : @ %d\n", Line);
}

int class_context(block_reader &r, const keyword_rule &, void *rec) {
    R &c = class_of(rec);
    return add_context(r, {c.domainname, c.nodetype, c.context1, c.context2, c.context3},
                       "ERROR: context should have a aggregation function: %s @ %d\n",
                       "ERROR: Maximum of three contexts can be given: @ %d\n");
}

int description_checks(block_reader &r, void *rec, void *) {
    R &c = class_of(rec);
    if (!r.check_mandatory("mapclassdescriptiontokens",
                           "ERROR : Mandatory field '%s' for DESCRIPTION in MAPCLASS not defined: %d\n", r.start_line))
        return 1;
    check_name_owner(r, {c.domainname, c.nodetype, c.context1, c.context2, c.context3}, c.mapclassname, c.owner,
                     "WARNING: MAP CLASS '%s' for '%s.%s' has a CONTEXT and does not have any variables in the NAME, "
                     "may cause duplicate entries : @ %d. \n\n");
    // Accepted all the same: the block reads on, the file fails.
    if (validate_domainmapclass(c.domainname, c.nodetype, c.context1, c.context2, c.context3, c.mapclassname))
        r.flag("ERROR: Duplicate definition for mapclass. Already defined for node : %s @ %d\n", c.mapclassname.c_str(),
               Line);
    return 0;
}

constinit keyword_table_of mapclassdescriptiontokens{
    {
        quoted_key("NAME", 1, 80, "ERROR: Specify map name within quotes: %s @ %d\n", NDL_TEXT(R, mapclassname)),
        {.name = "USAGE", .mandatory = 1, .maxlen = 80, .toolong_msg = kMaxLength, .toolong_err = on_error::fail,
         .field = NDL_TEXT(R, usage), .before = class_usage, .checks = "`framerelay` or `atm`, in any case"},
        {.name = "OWNER", .mandatory = 1, .maxlen = 80, .kind = value_kind::quoted,
         .kind_msg = "ERROR :Specify mapclass owner within quotes: %s @ %d\n", .toolong_msg = kMaxLength,
         .toolong_err = on_error::fail, .field = NDL_TEXT(R, owner), .after = class_owner, .checks = "not empty"},
        context_key(class_context),
        refused_row("TYPE", TOKEN_ATTRIBUTE),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    list_options(kEqualLine, false, "ERROR: ',' or ')' expected : %s @ %d\n", empty_list<description_checks>)};

const entry_def description_def = line_entry(&mapclassdescriptiontokens, description_checks);

// ------------------------------------------------------------- ATTRIBUTES

int number_value(block_reader &r, const keyword_rule &rule, void *rec) {
    const R &c = class_of(rec);
    if (!validate_numberfunction(c.domainname, c.nodetype, c.context1, c.context2, c.context3, r.tok))
        return r.fail("ERROR: Numeric value expected for %s : %s @ %d\n", rule.name, r.tok, Line);
    return 0;
}

int queue_value(block_reader &r, const keyword_rule &, void *rec) {
    const R &c = class_of(rec);
    int type = 0;
    if (!validate_commandvar(c.domainname, c.nodetype, c.context1, c.context2, c.context3, r.tok, &type))
        flag_pending(r);
    return 0;
}

constexpr keyword_rule rate(const char *name, field_ref field) {
    return keyword_rule{.name = name, .maxlen = 80, .toolong_msg = kMaxLength, .toolong_err = on_error::fail,
                        .field = field, .before = number_value,
                        .checks = "a number, or a numeric function of the node type"};
}
constexpr keyword_rule queue(const char *name, field_ref field) {
    return keyword_rule{.name = name, .maxlen = 80, .toolong_msg = kMaxLength, .toolong_err = on_error::fail,
                        .field = field, .after = queue_value,
                        .checks = NDL_COMMAND_VALUE};
}

constexpr loop_options attribute_options =
    list_options(kEqualLine, false, "ERROR : ',' or ')' expected : %s @ %d\n", nullptr, nullptr);

constinit keyword_table_of mapclassattributesFRtokens{
    {
        rate("PEAK", NDL_TEXT(R, peak)),
        rate("AVERAGE", NDL_TEXT(R, average)),
        queue("CUSTOMQUEUE", NDL_TEXT(R, customqueue)),
        queue("PRIORITYQUEUE", NDL_TEXT(R, priorityqueue)),
        rate("BURSTSIZEIN", NDL_TEXT(R, burstsizein)),
        rate("BURSTEXCESSIN", NDL_TEXT(R, burstexcessin)),
        rate("COMMITTEDRATEIN", NDL_TEXT(R, cirin)),
        rate("BURSTSIZEOUT", NDL_TEXT(R, burstsizeout)),
        rate("BURSTEXCESSOUT", NDL_TEXT(R, burstexcessout)),
        rate("COMMITTEDRATEOUT", NDL_TEXT(R, cirout)),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    attribute_options};

constinit keyword_table_of mapclassattributesATMtokens{
    {
        rate("PEAK", NDL_TEXT(R, peak)),
        rate("AVERAGE", NDL_TEXT(R, average)),
        queue("CUSTOMQUEUE", NDL_TEXT(R, customqueue)),
        queue("PRIORITYQUEUE", NDL_TEXT(R, priorityqueue)),
        rate("PEAKCELLRATEBACKWARD", NDL_TEXT(R, burstsizein)),
        rate("MAXBURSTSIZEBACKWARD", NDL_TEXT(R, burstexcessin)),
        rate("SUSTCELLRATEBACKWARD", NDL_TEXT(R, cirin)),
        rate("PEAKCELLRATEFORWARD", NDL_TEXT(R, burstsizeout)),
        rate("MAXBURSTSIZEFORWARD", NDL_TEXT(R, burstexcessout)),
        rate("SUSTCELLRATEFORWARD", NDL_TEXT(R, cirout)),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    attribute_options};

// The description's usage chooses the attribute words.
const entry_def atm_attributes{.keys = &mapclassattributesATMtokens, .when = "atm"};
const entry_def attributes_def{.keys = &mapclassattributesFRtokens, .when = "framerelay", .otherwise = &atm_attributes};

// "= ( ... )", where "( )" is a class with no values; the mandatory check
// passes, as no attribute is mandatory. The end of the file right after "("
// is read again by the loop, as the keyword it lacks.
int read_attributes_of(FILE *fp, keyword_table &keys, const char *tablename, R &c) {
    block_reader r(fp, keys);
    if (!r.expect("=", kEqualLine, false) || !r.expect("(", kOpenLine, false)) return 1;
    r.read();
    if (r.kind != TOKEN_RPAREN) {
        if (!r.ended) r.push_back();
        if (read_attributes(r, &c)) return 1;
    }
    return r.check_mandatory(tablename, "ERROR : Mandatory field '%s' is not defined: %d\n", r.start_line) ? 0 : 1;
}

// ------------------------------------------------------------ the block

struct class_block {
    R desc;  // the current description; its values start every record
};

int open_description(block_reader &r, const keyword_rule &rule, void *rec) {
    R &d = static_cast<class_block *>(rec)->desc;
    return read_description(r, *rule.entry, &d, rec, d.mapclassname,
                            {d.domainname, d.nodetype, d.context1, d.context2, d.context3});
}

int open_attributes(block_reader &r, const keyword_rule &rule, void *rec) {
    const R &d = static_cast<class_block *>(rec)->desc;
    if (!d.mapclassname[0]) return r.fail("ERROR: Map class name has to be specified first : %s  @%d\n", r.tok, Line);
    R c = d;
    assert(rule.entry && rule.entry->choose(d.usage).keys);  // a group keyword's row names the entry it reads
    keyword_table &keys = *rule.entry->choose(d.usage).keys;
    bool framerelay = &keys == &mapclassattributesFRtokens;
    if (read_attributes_of(r.fp, keys, framerelay ? "mapclassattributesFRtokens" : "mapclassattributesATMtokens", c))
        return 1;
    R *m = alloc_record<R>();
    *m = c;
    m->next = nullptr;
    append_record(prdomainmapclass, m);
    return 0;
}

constinit keyword_table_of domainmapclasstokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        group_key("DESCRIPTION", 0, open_description, &description_def,
                  "`DESCRIPTION = ( ... )`: it opens a map class, to which the ATTRIBUTES after it belong"),
        group_key("ATTRIBUTES", 0, open_attributes, &attributes_def,
                  "`ATTRIBUTES = ( ... )`, after a DESCRIPTION (else \"ERROR: Map class name has to be specified "
                  "first\")"),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = kBlockInvalid, .error_ends = true}};

}  // namespace

int parse_domainmapclass(FILE *fp, FILE *, const char *) {
    block_reader r(fp, domainmapclasstokens);
    class_block b{};
    if (!read_head(r, b.desc.domainname, b.desc.nodetype,
                   {"ERROR: '.' expected as a qualifer for node type @ %d\n", false, true}))
        return 1;
    return read_attributes(r, &b) ? 1 : 0;
}

namespace {

// A map class is kept with its ATTRIBUTES: two of them name one twice.
constexpr block_unique mapclass_unique[] = {
    {.what = "A DESCRIPTION's NAME, once ATTRIBUTES have kept it, unless each of its three CONTEXT places differs "
             "from the other's (two places both left out are the same)",
     .within = "the node type (every MAP-CLASS block of it)",
     .message = "ERROR: Duplicate definition for mapclass. Already defined for node : %s @ %d\n",
     .example = "MAP-CLASS NORTH.PE BEGIN\n"
                "  DESCRIPTION = ( NAME = \"FR\" , USAGE = framerelay , OWNER = \"NORTH.PE\" )\n"
                "  ATTRIBUTES = ( PEAK = 64000 )\n"
                "END\n"},
};

const block_doc mapclass_doc = with_unique(node_block_doc("DOMAIN.TYPE BEGIN",
                                                          "MAP-CLASS NORTH.PE BEGIN\n"
                                                          "  DESCRIPTION = ( NAME = \"FR\" , USAGE = framerelay ,\n"
                                                          "                  OWNER = \"NORTH.PE\" )\n"
                                                          "END\n"),
                                           mapclass_unique);

}  // namespace

block_keys domainmapclass_keys() { return {&domainmapclasstokens, nullptr, &mapclass_doc}; }
