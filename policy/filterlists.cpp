// The ASNLIST and COMMUNITYLIST blocks of the ROUTING section: one grammar,
// one parser. A DESCRIPTION gives a list's start number, increment and
// contexts; each FORMAT after it is one DOMAINFILTERLIST row.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "database.h"
#include "policy.h"
#include "records_policy.h"
#include "registry.h"
#include "routepolicy.h"
#include "validations.h"

namespace {

// The current description and what its entries take from the block.
struct list_desc {
    const char *domainname, *nodetype;
    const char *filtertype;
    char start[kText];
    int32_t increment;
    char context1[kText], context2[kText], context3[kText];
};

list_desc &desc_of(void *rec) { return *static_cast<list_desc *>(rec); }

// ------------------------------------------------------------ DESCRIPTION

// A number as written, or a quoted value whose variables resolve on the
// node. The start column is read back without a NULL default, so an empty
// value is refused.
int start(block_reader &r, const keyword_rule &, void *rec) {
    const list_desc &d = desc_of(rec);
    if (r.kind == TOKEN_NUMBER) return 0;
    if (r.kind != TOKEN_QUOTED) return r.fail("Error: Specify FLT-SEQSTART value within quotes: %s @ %d\n", r.tok, Line);
    if (!r.tok[0]) return r.fail("ERROR: FLT-SEQSTART must not be empty : @ %d\n", Line);
    int type = 0;
    if (!validate_commandvar(d.domainname, d.nodetype, "", "", "", r.tok, &type)) return fail_pending(r);
    return 0;
}

int list_context(block_reader &r, const keyword_rule &, void *rec) {
    list_desc &d = desc_of(rec);
    return add_context(r, {d.domainname, d.nodetype, d.context1, d.context2, d.context3},
                       "ERROR: Context should have a aggregation function: %s @ %d\n",
                       "ERROR: Maximum of three contexts can be given: @ %d \n");
}

// Two lists of one start number on the node type would share their entries'
// numbers: the second is refused.
bool start_taken(const list_desc &d) {
    return validate_filterlistexists(d.domainname, d.nodetype, d.start, d.filtertype) != 0;
}

int description_checks(block_reader &r, void *rec, void *) {
    const list_desc &d = desc_of(rec);
    if (!r.check_mandatory("asncomhdrtokens", "ERROR : Mandatory field '%s' for DESCRIPTION is not defined: %d\n",
                           r.start_line))
        return 1;
    // The command-line build checks the start number against every list of
    // the node type (it logs and flags); the library has no such check.
    if (g_cli_checks.filterlist_header && !g_cli_checks.filterlist_header(d.domainname, d.nodetype, d.start)) {
        keep_error_token(r.kind, r.tok);
        return 1;
    }
    if (start_taken(d))
        return r.fail("ERROR: Duplicate FLT-SEQSTART '%s' for %s list of %s.%s @ %d\n", d.start, d.filtertype,
                      d.domainname, d.nodetype, Line);
    return 0;
}

constinit keyword_table_of asncomhdrtokens{
    {
        {.name = "FLT-SEQSTART", .mandatory = 1, .maxlen = 200, .toolong_msg = kMaxLength,
         .toolong_err = on_error::fail, .field = NDL_TEXT(list_desc, start), .before = start,
         .checks = "a number or a quoted value; not empty"},
        {.name = "FLT-SEQINC", .mandatory = 1, .kind = value_kind::number,
         .kind_msg = "ERROR : Specify increment number  for community/asn filter list number: %s @ %d\n",
         .field = NDL_INT(list_desc, increment)},
        context_key(list_context),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    list_options(kEqualLine, false, kSeparator, empty_list<description_checks>)};

const entry_def description_def = line_entry(&asncomhdrtokens, description_checks);

// ----------------------------------------------------------------- FORMAT

struct format_entry {
    char type[kText];
    char substring[kText];
    const list_desc *desc;
};

int substring(block_reader &r, const keyword_rule &, void *rec) {
    const list_desc &d = *static_cast<format_entry *>(rec)->desc;
    int type = 0;
    if (!validate_commandvar(d.domainname, d.nodetype, d.context1, d.context2, d.context3, r.tok, &type))
        return fail_pending(r);
    return 0;
}

int format_checks(block_reader &r, void *, void *) {
    return mandatory_only(r, "asncomtokens", "ERROR : Mandatory field '%s' for FORMAT is not defined: @ %d\n");
}

constinit keyword_table_of asncomtokens{
    {
        permit_deny_key(NDL_TEXT(format_entry, type)),
        quoted_key("SUBSTRING", 1, 200, "ERROR: Specify substring within quotes: %s @ %d\n",
                   NDL_TEXT(format_entry, substring), substring, NDL_COMMAND_VALUE),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    list_options(kEqualToken, true, kSeparator, empty_list<format_checks>)};

const entry_def format_def = list_entry(&asncomtokens, format_checks);

// ------------------------------------------------------------ the block

struct list_block {
    char domainname[kName] = "";
    char nodetype[kName] = "";
    list_desc desc{};
    int formats = 0;  // FORMAT lines since the description
};

list_block &block_of(void *rec) { return *static_cast<list_block *>(rec); }

int open_description(block_reader &r, const keyword_rule &rule, void *rec) {
    list_block &b = block_of(rec);
    list_desc &d = b.desc;
    d.increment = -1;
    b.formats = 0;
    return read_description(r, *rule.entry, &d, &b, d.start,
                            {d.domainname, d.nodetype, d.context1, d.context2, d.context3});
}

int open_format(block_reader &r, const keyword_rule &rule, void *rec) {
    list_block &b = block_of(rec);
    const list_desc &d = b.desc;
    if (!d.start[0]) return r.fail("ERROR: asn/community list number has to be specified first @%d \n", Line);
    format_entry f{};
    f.desc = &d;
    ++b.formats;
    if (read_entry(r.fp, *rule.entry, &f, &b)) return 1;
    domain_filter_list_rec *e = alloc_record<domain_filter_list_rec>();
    e->domainname = b.domainname;
    e->nodetype = b.nodetype;
    e->context1 = d.context1;
    e->context2 = d.context2;
    e->context3 = d.context3;
    e->type = f.type;
    e->sequence = b.formats;
    e->filtertype = d.filtertype;
    e->aclseqstart = d.start;
    e->aclseqinc = d.increment;
    e->substring = f.substring;
    append_record(prdomainfilterlist, e);
    return 0;
}

constinit keyword_table_of asncomlisttokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        group_key("DESCRIPTION", 0, open_description, &description_def,
                  "`DESCRIPTION = ( ... )`: it opens a list, to which the FORMATs after it belong"),
        group_key("FORMAT", 0, open_format, &format_def,
                  "`FORMAT = ( ... )`, after a DESCRIPTION (else \"ERROR: asn/community list number has to be "
                  "specified first\")"),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = kBlockInvalid, .error_ends = true}};

}  // namespace

int parse_asncommlist(FILE *fp, FILE *, const char *listtype) {
    block_reader r(fp, asncomlisttokens);
    list_block b;
    b.desc.domainname = b.domainname;
    b.desc.nodetype = b.nodetype;
    b.desc.filtertype = listtype && !std::strcmp(listtype, "COMMUNITY") ? "COMMUNITY" : "ASN";
    if (!read_head(r, b.domainname, b.nodetype,
                   {"ERROR:'.' expected as a qualifer for node type : %s @ %d\n", true, false}))
        return 1;
    return read_attributes(r, &b) ? 1 : 0;
}

namespace {

constexpr block_rule asncommlist_rules[] = {
    kNodeTypeNameRule,
    {.text = "A FORMAT follows the DESCRIPTION it belongs to",
     .part = "  DESCRIPTION = ( FLT-SEQSTART = 50 , FLT-SEQINC = 1 )\n",
     .message = "ERROR: asn/community list number has to be specified first",
     .example = "ASNLIST NORTH.PE BEGIN\n"
                "  DESCRIPTION = ( FLT-SEQSTART = 50 , FLT-SEQINC = 1 )\n"
                "  FORMAT = ( TYPE = permit , SUBSTRING = \"_65001_\" )\n"
                "END\n"},
};

constexpr block_unique asncommlist_unique[] = {
    {.what = "A DESCRIPTION's FLT-SEQSTART", .within = "the node type's lists of the kind (ASNLIST or COMMUNITYLIST)",
     .message = "ERROR: Duplicate FLT-SEQSTART '%s' for %s list of %s.%s @ %d\n",
     .example = "ASNLIST NORTH.PE BEGIN\n"
                "  DESCRIPTION = ( FLT-SEQSTART = 50 , FLT-SEQINC = 1 )\n"
                "  FORMAT = ( TYPE = permit , SUBSTRING = \"_65001_\" )\n"
                "END\n"},
};

const block_doc asncommlist_doc{.header = "DOMAIN.TYPE BEGIN",
                                .needs = "NODES",
                                .example = "ASNLIST NORTH.PE BEGIN\n"
                                           "END\n",
                                .rules = asncommlist_rules,
                                .unique = asncommlist_unique};

}  // namespace

block_keys asncommlist_keys() { return {&asncomlisttokens, nullptr, &asncommlist_doc}; }
