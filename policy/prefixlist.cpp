// The PREFIXLIST block of the ROUTING section: each DESCRIPTION opens a
// prefix list (DOMAINPREFIXHDR) and each FORMAT after it adds an entry
// (DOMAINPREFIXLIST).
#include <cstdint>
#include <cstring>

#include "lookup.h"
#include "policy.h"
#include "records_policy.h"
#include "registry.h"
#include "routepolicy.h"
#include "validations.h"

namespace {

// ------------------------------------------------------------ DESCRIPTION

struct header_entry {
    domain_prefix_hdr_rec hdr;
};

domain_prefix_hdr_rec &hdr_of(void *rec) { return static_cast<header_entry *>(rec)->hdr; }

int header_context(block_reader &r, const keyword_rule &, void *rec) {
    domain_prefix_hdr_rec &h = hdr_of(rec);
    return add_context(r, {h.domainname, h.nodetype, h.context1, h.context2, h.context3},
                       "ERROR: Context should have a aggregation function: %s @ %d\n",
                       "ERROR: Maximum of three contexts can be given: @ %d\n");
}

// The name is read back without a NULL default: an empty one would make the
// next load of the network fail.
int list_name(block_reader &r, const keyword_rule &, void *) {
    return r.tok[0] ? 0 : r.fail("ERROR: PFX-NAME must not be empty : @ %d\n", Line);
}

int header_checks(block_reader &r, void *rec, void *) {
    domain_prefix_hdr_rec &h = hdr_of(rec);
    if (!r.check_mandatory("prefixhdrtokens", "ERROR : Mandatory field '%s' is not defined: %d\n", r.start_line))
        return 1;
    int type = 0;
    if (!validate_commandvar(h.domainname, h.nodetype, h.context1, h.context2, h.context3, h.listname, &type))
        return fail_pending(r);
    if (!g_varused && h.context1[0] && !is_ifcontext(h.context1))
        logmsg("WARNING: PREFIX LIST '%s' for '%s.%s' has a CONTEXT and does not have any variables in the "
               "PFX-NAME, may cause duplicate entries : @ %d. \n\n",
               h.listname.c_str(), h.domainname.c_str(), h.nodetype.c_str(), r.start_line);
    if (validate_prefixlist(h.domainname, h.nodetype, h.listname, h.context1, h.context2, h.context3))
        logmsg("WARNING: Possible Duplicate definition for prefix list.  : %s @ %d\n", h.listname.c_str(), Line);
    return 0;
}

constinit keyword_table_of prefixhdrtokens{
    {
        {.name = "PFX-NAME", .mandatory = 1, .maxlen = 200, .kind = value_kind::quoted,
         .kind_msg = "ERROR: Specify prefixlist name within quotes: %s @ %d\n", .toolong_msg = kMaxLength,
         .toolong_err = on_error::fail, .field = NDL_TEXT(header_entry, hdr.listname), .after = list_name,
         .checks = "not empty"},
        context_key(header_context),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    list_options("ERROR: Invalid syntax '=' expected : %s  @%d\n", true, kSeparator, empty_list<header_checks>)};

const entry_def header_def{.keys = &prefixhdrtokens,
                           .equal_msg = kEqualLine,
                           .equal_token = false,
                           .open_msg = "ERROR: Invalid syntax '(' expected : %s  @%d\n",
                           .check = header_checks};

// ----------------------------------------------------------------- FORMAT

struct format_entry {
    domain_prefix_list_rec entry;
    const domain_prefix_hdr_rec *hdr;
};

format_entry &format_of(void *rec) { return *static_cast<format_entry *>(rec); }

int network(block_reader &r, const keyword_rule &, void *rec) {
    const domain_prefix_hdr_rec &h = *format_of(rec).hdr;
    int kind = 0, type = 0;
    if (!check_addrandvars(h.domainname, h.nodetype, h.context1, h.context2, h.context3, r.tok, &kind, &type))
        return fail_pending(r);
    if (kind != 1) return r.fail("ERROR: ip address/network is required for the prefix network: %s @ %d\n", r.tok, Line);
    return 0;
}

int repeatby(block_reader &r, const keyword_rule &, void *rec) {
    const domain_prefix_hdr_rec &h = *format_of(rec).hdr;
    int kind = 0;
    if (!validate_context(h.domainname, h.nodetype, r.tok, &kind)) return fail_pending(r);
    if (kind != 1) return r.fail("ERROR: Repeatby field should have a aggregation function: %s @ %d\n", r.tok, Line);
    return 0;
}

// A length from 1 to 32, or AUTO (-1); the loop stores the number that this
// leaves in r.tok. GREATER and LESS (tag 1) follow a PREFIX.
int length(block_reader &r, const keyword_rule &rule, void *) {
    if (rule.tag && !r.keys->found("PREFIX"))
        return r.fail("ERROR: Token '%s' should come after PREFIX: @ %d\n", rule.name, Line);
    converttocap(r.tok, r.tok, sizeof r.tok);
    return prefix_length(r);
}

int format_checks(block_reader &r, void *, void *) {
    return mandatory_only(r, "prefixtokens",
                          "ERROR : Mandatory field '%s' for FORMAT in PREFIXLIST is not defined: %d\n");
}

constexpr keyword_rule length_key(const char *name, int tag, field_ref field) {
    return keyword_rule{.name = name, .field = field, .before = length, .tag = tag,
                        .checks = tag ? "a number from 1 to 32, or `AUTO`; only after PREFIX"
                                      : "a number from 1 to 32, or `AUTO` (any case), never 0: the default route "
                                        "`\"EVALIP(0.0.0.0)\"` takes `AUTO`"};
}

constinit keyword_table_of prefixtokens{
    {
        permit_deny_key(NDL_TEXT(format_entry, entry.type)),
        quoted_key("REPEATBY", 0, 200, "ERROR: Specify context value within quotes: %s @ %d\n",
                   NDL_TEXT(format_entry, entry.repeatby), repeatby,
                   "a context of the node type with an aggregation function"),
        quoted_key("NETWORK", 1, 200, "ERROR: Specify network address within quotes: %s @ %d\n",
                   NDL_TEXT(format_entry, entry.network), network,
                   "an address or network of the node type, such as `\"EVALIP(10.0.0.0)\"`"),
        length_key("PREFIX", 0, NDL_INT(format_entry, entry.length)),
        length_key("GREATER", 1, NDL_INT(format_entry, entry.gelen)),
        length_key("LESS", 1, NDL_INT(format_entry, entry.lelen)),
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    list_options(kEqualToken, true, kSeparator, empty_list<format_checks>)};

const entry_def format_def = list_entry(&prefixtokens, format_checks);

// ------------------------------------------------------------ the block

struct prefix_block {
    char domainname[kName] = "";
    char nodetype[kName] = "";
    int32_t sequence = 0;
    domain_prefix_hdr_rec hdr{};  // the current description
    bool described = false;
    int formats = 0;  // FORMAT lines since the description
};

prefix_block &block_of(void *rec) { return *static_cast<prefix_block *>(rec); }

// Lists of earlier blocks of the node type keep their numbers: a block
// numbers on after them, so that two blocks never share a list's entries.
lookup::tally_index<domain_prefix_hdr_rec, lookup::highest<&domain_prefix_hdr_rec::sequence>,
                    &domain_prefix_hdr_rec::domainname, &domain_prefix_hdr_rec::nodetype>
    prefix_sequences(prdomainprefixhdr);

int32_t largest_sequence(const char *domainname, const char *nodetype) {
    return prefix_sequences.get(domainname, nodetype);
}

int no_filters(block_reader &r) { return r.fail("ERROR: No  filters specified for filterlist @%d \n", Line); }

int open_description(block_reader &r, const keyword_rule &rule, void *rec) {
    prefix_block &b = block_of(rec);
    if (b.described && !b.formats) return no_filters(r);
    b.formats = 0;
    b.described = false;
    if (b.sequence == INT32_MAX)
        return r.fail("ERROR: No sequence number left for prefix lists of %s.%s @ %d\n", b.domainname, b.nodetype,
                      Line);
    header_entry e{};
    e.hdr.domainname = b.domainname;
    e.hdr.nodetype = b.nodetype;
    e.hdr.sequence = ++b.sequence;
    assert(e.hdr.sequence > largest_sequence(b.domainname, b.nodetype));  // no two lists share a number
    assert(rule.entry);  // a group keyword's row names the entry it reads
    if (read_entry(r.fp, *rule.entry, &e, &b)) return 1;
    b.hdr = e.hdr;
    b.described = true;
    domain_prefix_hdr_rec *h = alloc_record<domain_prefix_hdr_rec>();
    *h = e.hdr;
    h->next = nullptr;
    append_record(prdomainprefixhdr, h);
    return 0;
}

int open_format(block_reader &r, const keyword_rule &rule, void *rec) {
    prefix_block &b = block_of(rec);
    if (!b.described) return r.fail("ERROR: Prefix list name has to be specified first @%d \n", Line);
    format_entry f{};
    f.hdr = &b.hdr;
    ++b.formats;
    if (read_entry(r.fp, *rule.entry, &f, &b)) return 1;
    domain_prefix_list_rec *e = alloc_record<domain_prefix_list_rec>();
    *e = f.entry;
    e->domainname = b.domainname;
    e->nodetype = b.nodetype;
    e->sequence = b.hdr.sequence;
    e->subsequence = b.formats;
    e->next = nullptr;
    append_record(prdomainprefixlist, e);
    return 0;
}

constinit keyword_table_of prefixlisttokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        group_key("DESCRIPTION", 1, open_description, &header_def,
                  "`DESCRIPTION = ( ... )`: it opens a prefix list, to which the FORMATs after it belong"),
        group_key("FORMAT", 1, open_format, &format_def,
                  "`FORMAT = ( ... )`, after a DESCRIPTION (else \"ERROR: Prefix list name has to be specified "
                  "first\")"),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = kBlockInvalid, .error_ends = true}};

}  // namespace

int parse_prefixlist(FILE *fp, FILE *, const char *) {
    block_reader r(fp, prefixlisttokens);
    prefix_block b;
    if (!read_head(r, b.domainname, b.nodetype, {"ERROR : '.' expected as a qualifer for node type @ %d\n", false, false}))
        return 1;
    b.sequence = largest_sequence(b.domainname, b.nodetype);
    if (read_attributes(r, &b)) return 1;
    if (b.described && !b.formats) return no_filters(r);
    return 0;
}

namespace {

constexpr block_unique prefixlist_unique[] = {
    {.what = "A DESCRIPTION's PFX-NAME (its CONTEXT not counted)", .within = "the node type",
     .message = "WARNING: Possible Duplicate definition for prefix list.  : %s @ %d\n", .loads = true},
};

const block_doc prefixlist_doc = with_unique(node_block_doc("DOMAIN.TYPE BEGIN",
                                                            "PREFIXLIST NORTH.PE BEGIN\n"
                                                            "  DESCRIPTION = ( PFX-NAME = \"PL\" )\n"
                                                            "  FORMAT = ( TYPE = permit , NETWORK = \"EVALIP(10.0.0.0)\" )\n"
                                                            "END\n"),
                                             prefixlist_unique);

}  // namespace

block_keys prefixlist_keys() { return {&prefixlisttokens, nullptr, &prefixlist_doc}; }
