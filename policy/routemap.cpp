// The ROUTEMAP block of the ROUTING section: a DESCRIPTION names a route map,
// each TYPE # n opens its sequence n (one DOMAINROUTEMAP row), and MATCH # n
// and SET # n add clauses to sequence n.
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_set>

#include "policy.h"
#include "records_policy.h"
#include "registry.h"
#include "routepolicy.h"
#include "validations.h"

namespace {

const value_table RouteMapUsage[] = {"routepolicy", "ospf", "bgp", "dynamicpool", "patpool", "rip", ""};

// The route map the last DESCRIPTION named: what its TYPE, MATCH and SET
// lines take.
struct routemap_desc {
    const char *domainname, *nodetype;
    char name[kText];
    char usage[kText];
    char owner[kText];
    char context1[kText], context2[kText], context3[kText];
};

routemap_desc &desc_of(void *rec) { return *static_cast<routemap_desc *>(rec); }

// ------------------------------------------------------------ DESCRIPTION

int map_usage(block_reader &r, const keyword_rule &, void *) {
    return lower_value_in(r, RouteMapUsage, "ERROR: Invalid  name specified  for routemap usage : %s @ %d\n");
}

int map_context(block_reader &r, const keyword_rule &, void *rec) {
    routemap_desc &d = desc_of(rec);
    return add_context(r, {d.domainname, d.nodetype, d.context1, d.context2, d.context3},
                       "ERROR: Context should have a aggregation function: %s @ %d\n",
                       "ERROR: maximum of three contexts can be specified: @ %d\n");
}

int description_checks(block_reader &r, void *rec, void *) {
    routemap_desc &d = desc_of(rec);
    if (!r.check_mandatory("routedesctokens", "ERROR : Mandatory field '%s' is not defined: %d\n", r.start_line))
        return 1;
    if (!d.name[0]) return r.fail("ERROR: route map name not specifed. @ %d\n", Line);
    check_name_owner(r, {d.domainname, d.nodetype, d.context1, d.context2, d.context3}, d.name, d.owner,
                     "WARNING: ROUTEMAP '%s' for '%s.%s' has a CONTEXT and does not have any variables in the NAME, "
                     "may cause duplicate entries : @ %d. \n\n");
    // Accepted all the same: the block reads on, the file fails.
    if (validate_routemap(d.domainname, d.nodetype, d.context1, d.context2, d.context3, d.name))
        r.flag("ERROR: Duplicate definition for route map. Already defined for node : %s @ %d\n", d.name, Line);
    return 0;
}

constinit keyword_table_of routedesctokens{
    {
        quoted_key("NAME", 1, 200, "ERROR: Specify map name within quotes: %s @ %d\n",
                   NDL_TEXT(routemap_desc, name)),
        context_key(map_context),
        {.name = "USAGE", .mandatory = 1, .maxlen = 200, .toolong_msg = kMaxLength, .toolong_err = on_error::fail,
         .field = NDL_TEXT(routemap_desc, usage), .before = map_usage,
         .checks = "`routepolicy`, `ospf`, `bgp`, `dynamicpool`, `patpool` or `rip`, in any case"},
        quoted_key("OWNER", 1, 200, "ERROR: Specify routemap owner within quotes: %s @ %d\n",
                   NDL_TEXT(routemap_desc, owner)),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    list_options(kEqualLine, false, kSeparator, empty_list<description_checks>)};

const entry_def description_def = line_entry(&routedesctokens, description_checks);

// ------------------------------------------------------------------ TYPE

struct type_entry {
    char action[kName];
    char repeatby[kText];
    int32_t mapseqinc;
    const routemap_desc *desc;
};

type_entry &type_of(void *rec) { return *static_cast<type_entry *>(rec); }

// An unknown action is reported and stored all the same.
int action(block_reader &r, const keyword_rule &, void *) {
    converttolow(r.tok, r.tok, sizeof r.tok);
    if (!validate_var(AccessListTypes, r.tok)) r.flag("ERROR: permit/deny expected : %s @ %d\n", r.tok, Line);
    return 0;
}

int repeatby(block_reader &r, const keyword_rule &, void *rec) {
    const routemap_desc &d = *type_of(rec).desc;
    int kind = 0;
    if (!validate_context(d.domainname, d.nodetype, r.tok, &kind)) flag_pending(r);
    else if (kind != 1)
        r.flag("ERROR: Repeatby field should have a aggregation function: %s @ %d\n", r.tok, Line);
    return 0;
}

int type_checks(block_reader &r, void *rec, void *) {
    const type_entry &t = type_of(rec);
    if (t.repeatby[0] && !t.mapseqinc)
        return r.fail("ERROR: An increment value has to be specified for the routemap action field. @ %d\n", Line);
    if (!t.action[0]) return r.fail("ERROR: Action field (permit/deny) has not been specified :  @ %d\n", Line);
    r.check_mandatory("routetypetokens", "ERROR : Mandatory field '%s' for PERMIT in ROUTEMAP is not defined: %d\n",
                      r.start_line);
    return 0;
}

constinit keyword_table_of routetypetokens{
    {
        // An action longer than its field is refused, not cut.
        {.name = "ACTION", .mandatory = 1, .maxlen = 30, .toolong_msg = kMaxLength, .toolong_err = on_error::fail,
         .field = NDL_TEXT(type_entry, action), .before = action, .checks = "`permit` or `deny`"},
        quoted_key("REPEATBY", 0, 200, "ERROR: Specify context value within quotes: %s @ %d\n",
                   NDL_TEXT(type_entry, repeatby), repeatby,
                   "a context of the node type with an aggregation function"),
        {.name = "MAP-SEQINC", .kind = value_kind::number,
         .kind_msg = "ERROR: Number expected for MAP-SEQINC field: %s @ %d\n",
         .field = NDL_INT(type_entry, mapseqinc)},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    list_options(kEqualLine, false, kSeparator, empty_list<type_checks>)};

const entry_def type_def = line_entry(&routetypetokens, type_checks);

// ------------------------------------------------------------ MATCH, SET

struct clause_entry {
    char name[kText];
    char value[kText];
};

// MATCH and SET differ only in their words and their list.
struct clause_kind {
    const char *table;        // the keyword table's name for the mandatory check
    const char *vendortable;  // the vendor's value table
    const char *mandatory_msg;
    const char *name_msg, *value_msg;  // empty name or value
    const char *undefined_msg;         // no TYPE of that sequence
    const char *duplicate_msg;
    bool empty_first;  // the empty name and value are refused before the mandatory check
};

const clause_kind kMatch{"matchmaptokens",
                         "routemapmatchval",
                         "ERROR : Mandatory field '%s' MATCH in ROUTEMAP is not defined: %d\n",
                         "ERROR: Match name not specifed. @ %d\n",
                         "ERROR: Match value not specifed. @ %d\n",
                         "ERROR : Route map (%s) with sequence %d not defined before the match directive. Use the "
                         "TYPE directive @%d",
                         "ERROR: Duplicate value for routemap match list : %s %s %s %d %d\n",
                         true};
// An empty SET name or value would be read back as no value at all by the
// next load: refused like MATCH's.
const clause_kind kSet{"mapsettokens",
                       "routemapsetval",
                       "ERROR : Mandatory field '%s' for SET in ROUTEMAP is not defined: %d\n",
                       "ERROR: Set name not specifed. @ %d\n",
                       "ERROR: Set value not specifed. @ %d\n",
                       "ERROR : Route map (%s) with sequence %d not defined before the set directive. Use the "
                       "TYPE directive @%d",
                       "ERROR: Duplicate value for routemap set list : %s %s %s %d %d\n",
                       false};

int empty_clause(block_reader &r, const clause_kind &k, const clause_entry &c) {
    if (!c.name[0]) return r.fail(k.name_msg, Line);
    if (!c.value[0]) return r.fail(k.value_msg, Line);
    return 0;
}
// MATCH refuses an empty (or missing) name or value ahead of its mandatory
// check; SET has the mandatory check alone, and its empty values after it.
int clause_checks(block_reader &r, const clause_kind &k, const clause_entry &c) {
    if (k.empty_first && empty_clause(r, k, c)) return 1;
    if (!r.check_mandatory(k.table, k.mandatory_msg, r.start_line)) return 1;
    return empty_clause(r, k, c);
}
int match_checks(block_reader &r, void *rec, void *) {
    return clause_checks(r, kMatch, *static_cast<clause_entry *>(rec));
}
int set_checks(block_reader &r, void *rec, void *) {
    return clause_checks(r, kSet, *static_cast<clause_entry *>(rec));
}

constinit keyword_table_of matchmaptokens{
    {
        {.name = "MATCHNAME", .mandatory = 1, .maxlen = 200, .kind = value_kind::quoted,
         .kind_msg = "ERROR: Specify match name within quotes: %s @ %d\n", .toolong_msg = kMaxLength,
         .toolong_err = on_error::fail, .field = NDL_TEXT(clause_entry, name)},
        quoted_key("MATCHVALUE", 1, 200, "ERROR: Specify match value within quotes: %s @ %d\n",
                   NDL_TEXT(clause_entry, value)),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    list_options(kEqualLine, false, kSeparator, empty_list<match_checks>)};

constinit keyword_table_of mapsettokens{
    {
        quoted_key("SETNAME", 1, 30, "ERROR: Specify set name within quotes: %s @ %d\n",
                   NDL_TEXT(clause_entry, name)),
        quoted_key("SETVALUE", 1, 200, "ERROR: Specify set value within quotes: %s @ %d\n",
                   NDL_TEXT(clause_entry, value)),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    list_options(kEqualLine, false, kSeparator, empty_list<set_checks>)};

const entry_def match_def = line_entry(&matchmaptokens, match_checks);
const entry_def set_def = line_entry(&mapsettokens, set_checks);

// ------------------------------------------------------------ the block

struct routemap_block {
    char domainname[kName] = "";
    char nodetype[kName] = "";
    routemap_desc desc{};
    std::unordered_set<int32_t> types;  // TYPE numbers since the DESCRIPTION
    int matches = 0, sets = 0;   // clauses since the TYPE
};

routemap_block &block_of(void *rec) { return *static_cast<routemap_block *>(rec); }

int open_description(block_reader &r, const keyword_rule &rule, void *rec) {
    routemap_block &b = block_of(rec);
    routemap_desc &d = b.desc;
    b.types.clear();
    return read_description(r, *rule.entry, &d, &b, d.name,
                            {d.domainname, d.nodetype, d.context1, d.context2, d.context3});
}

// "# n" after TYPE, MATCH or SET, once a DESCRIPTION has named the map.
bool read_sequence(block_reader &r, const routemap_block &b, int32_t *n) {
    if (!b.desc.name[0]) {
        r.fail("ERROR: Route map name has to be specified first : %s  @%d\n", r.tok, Line);
        return false;
    }
    if (!r.expect("#", "ERROR: Keyword '#' expected: %s @%d\n")) return false;
    r.read();
    if (r.kind != TOKEN_NUMBER || !parse_int32(r.tok, n)) {
        r.fail("route map sequence  number expected: %s  @%d\n", r.tok, Line);
        return false;
    }
    return true;
}


int open_type(block_reader &r, const keyword_rule &rule, void *rec) {
    routemap_block &b = block_of(rec);
    const routemap_desc &d = b.desc;
    int32_t n = 0;
    if (!read_sequence(r, b, &n)) return 1;
    if (!b.types.insert(n).second) return r.fail("ERROR: Duplicate TYPE in ROUTEMAP: @ %d \n", Line);
    b.matches = b.sets = 0;
    type_entry t{};
    t.desc = &d;
    if (read_entry(r.fp, *rule.entry, &t, &b)) return 1;
    if (!d.owner[0] || !d.usage[0])
        return r.fail("ERROR: owner/usage not specified for routemap : %s @ %d\n", d.name, Line);
    domain_route_map_rec *m = alloc_record<domain_route_map_rec>();
    m->domainname = b.domainname;
    m->nodetype = b.nodetype;
    m->context1 = d.context1;
    m->context2 = d.context2;
    m->context3 = d.context3;
    m->routemap = d.name;
    m->usage = d.usage;
    m->owner = d.owner;
    m->sequence = n;
    m->type = t.action;
    m->repeatby = t.repeatby;
    m->mapseqinc = t.mapseqinc;
    append_record(prdomainroutemap, m);
    return 0;
}

// The clause's list checks, the vendor's values, its sequence and its
// number; stored even when one of these is reported.
template <class Rec>
int add_clause(block_reader &r, routemap_block &b, const clause_kind &k, const entry_def &def, int &counter,
               record_list<Rec> &list, int32_t Rec::*clauseseq, text_field<kText> Rec::*type,
               text_field<kText> Rec::*value, int (*exists)(const char *, const char *, const char *, int, int)) {
    const routemap_desc &d = b.desc;
    int32_t n = 0;
    if (!read_sequence(r, b, &n)) return 1;
    int line = Line;
    clause_entry c{};
    if (read_entry(r.fp, def, &c, &b)) return 1;
    converttolow(c.name, c.name, sizeof c.name);
    const vendor_value_entry *table = nullptr;
    if (get_vendorspecific_validation("CISCO", k.vendortable, &table)) {
        char message[kMsgSize];
        int status = validatecfgvaltypes(table, c.name, c.value, message, b.domainname, b.nodetype, d.context1,
                                         d.context2, d.context3);
        if (status == 1) r.flag("%s : @ %d\n", message, line);
        else if (status) logmsg("%s : @ %d\n", message, line);
    }
    if (!validate_routemapseq(b.domainname, b.nodetype, d.name, n)) r.flag(k.undefined_msg, d.name, n, Line);
    ++counter;
    if (exists(b.domainname, b.nodetype, d.name, n, counter))
        r.flag(k.duplicate_msg, b.domainname, b.nodetype, d.name, n, counter);
    Rec *rec = alloc_record<Rec>();
    rec->domainname = b.domainname;
    rec->nodetype = b.nodetype;
    rec->routemap = d.name;
    rec->sequence = n;
    rec->*clauseseq = counter;
    rec->*type = c.name;
    rec->*value = c.value;
    append_record(list, rec);
    return 0;
}

int open_match(block_reader &r, const keyword_rule &rule, void *rec) {
    routemap_block &b = block_of(rec);
    return add_clause(r, b, kMatch, *rule.entry, b.matches, prroutemapmatchlist,
                      &route_map_match_list_rec::matchsequence, &route_map_match_list_rec::matchtype,
                      &route_map_match_list_rec::matchvalue, validate_routemapmatchlist);
}

int open_set(block_reader &r, const keyword_rule &rule, void *rec) {
    routemap_block &b = block_of(rec);
    return add_clause(r, b, kSet, *rule.entry, b.sets, prroutemapsetlist, &route_map_set_list_rec::setsequence,
                      &route_map_set_list_rec::settype, &route_map_set_list_rec::setvalue,
                      validate_routemapsetlist);
}

constinit keyword_table_of routemaptokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        group_key("DESCRIPTION", 0, open_description, &description_def,
                  "`DESCRIPTION = ( ... )`: it opens a route map, to which the entries after it belong"),
        group_key("TYPE", 0, open_type, &type_def,
                  "`TYPE # n = ( ... )`, after a DESCRIPTION (else \"ERROR: Route map name has to be specified "
                  "first\"): sequence n of the map, once each"),
        group_key("MATCH", 0, open_match, &match_def, "`MATCH # n = ( ... )`, after a DESCRIPTION, as TYPE"),
        group_key("SET", 0, open_set, &set_def, "`SET # n = ( ... )`, after a DESCRIPTION, as TYPE"),
        token_row("#", TOKEN_HASH),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = kBlockInvalid, .error_ends = true}};

}  // namespace

int parse_routemap(FILE *fp, FILE *, const char *) {
    block_reader r(fp, routemaptokens);
    routemap_block b;
    b.desc.domainname = b.domainname;
    b.desc.nodetype = b.nodetype;
    if (!read_head(r, b.domainname, b.nodetype,
                   {"ERROR:  '.' expected as a qualifer for node type @ %d\n", false, false}))
        return 1;
    return read_attributes(r, &b) ? 1 : 0;
}

namespace {

void routemap_lists(reference_out &out) {
    out.text("A MATCH's MATCHNAME (written in any case, stored lower case), and what its MATCHVALUE takes "
             "(another name gives \"ERROR: Wrong value: '...' \"):");
    write_vendor_list(out, kMatch.vendortable, "MATCHNAME");
    out.text("A SET's SETNAME, and what its SETVALUE takes:");
    write_vendor_list(out, kSet.vendortable, "SETNAME");
    const std::string map = "ROUTEMAP NORTH.PE BEGIN\n"
                            "  DESCRIPTION = ( NAME = \"EXAMPLE\" , USAGE = ospf , OWNER = \"NORTH.PE\" )\n"
                            "  TYPE # 10 = ( ACTION = permit )\n";
    out.example(vendor_example(kMatch.vendortable, map + "  MATCH # 10 = ( MATCHNAME = \"%1\" , MATCHVALUE = \"%2\" )\nEND\n"));
    out.example(vendor_example(kSet.vendortable, map + "  SET # 10 = ( SETNAME = \"%1\" , SETVALUE = \"%2\" )\nEND\n"));
}

// A route map with a clause of each kind.
constexpr char kRouteMap[] = "ROUTEMAP NORTH.PE BEGIN\n"
                             "  DESCRIPTION = ( NAME = \"EXAMPLE\" , USAGE = ospf , OWNER = \"NORTH.PE\" )\n"
                             "  TYPE # 10 = ( ACTION = permit )\n"
                             "  MATCH # 10 = ( MATCHNAME = \"ip address\" , MATCHVALUE = \"1\" )\n"
                             "  SET # 10 = ( SETNAME = \"automatic-tag\" , SETVALUE = \"1\" )\n"
                             "END\n";
constexpr block_unique routemap_unique[] = {
    {.what = "A DESCRIPTION's NAME (its CONTEXT not counted)", .within = "the node type (every ROUTEMAP block of it)",
     .message = "ERROR: Duplicate definition for route map. Already defined for node : %s @ %d\n",
     .example = kRouteMap},
    {.what = "A TYPE's number, `TYPE # n`", .within = "the block",
     .message = "ERROR: Duplicate TYPE in ROUTEMAP: @ %d \n", .part = "  TYPE # 10 = ( ACTION = permit )\n",
     .example = kRouteMap},
    {.what = "The n-th MATCH of a TYPE number", .within = "the route map (a NAME described again repeats its clauses)",
     .message = "ERROR: Duplicate value for routemap match list : %s %s %s %d %d\n", .example = kRouteMap},
    {.what = "The n-th SET of a TYPE number", .within = "the route map (a NAME described again repeats its clauses)",
     .message = "ERROR: Duplicate value for routemap set list : %s %s %s %d %d\n", .example = kRouteMap},
};

const block_doc routemap_doc = with_lists(with_unique(node_block_doc("DOMAIN.TYPE BEGIN",
                                                                     "ROUTEMAP NORTH.PE BEGIN\n"
                                                                     "END\n"),
                                                      routemap_unique),
                                          routemap_lists);

}  // namespace

block_keys routemap_keys() { return {&routemaptokens, nullptr, &routemap_doc}; }
