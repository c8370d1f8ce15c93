// GLOBALLISTS (named lists of variables, one name space over all lists) and
// INTERFACE-BANDWIDTH-LIST (the bandwidths each interface type may take).
#include <cstring>

#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

namespace {

// ---- GLOBALLISTS BEGIN listid = ( variable , variable ... ) ... END ----

constinit keyword_table_of globallistentrytokens{
    {token_row("(", TOKEN_LPAREN), token_row(")", TOKEN_RPAREN), token_row("=", TOKEN_EQUAL)}};

// A list, read by parse_globallistentry (not by read_entry), and the word
// that opens it, as the reference names them.
const entry_def globallist_def{.keys = &globallistentrytokens};
const keyword_rule globallist_word{.name = "", .kind = value_kind::entry, .repeatable = true,
                                   .entry = &globallist_def};

void add_listvar(const char *listid, int sequence, const char *variablename) {
    global_list_var_rec *rec = alloc_record<global_list_var_rec>();
    rec->listid = listid;
    rec->sequence = sequence;
    // A word holds at most 299 characters: it fits the field.
    rec->variablename = variablename;
    append_record(prgloballistvars, rec);
}

// The rest of one list, from its "=" to its ")". A list without variables
// stores nothing, so its identifier stays free.
int parse_globallistentry(FILE *fp, const char *listid) {
    block_reader r(fp, *globallist_def.keys);
    if (!r.expect("=", "ERROR: Invalid syntax '=' expected @ %d\n", false)) return 1;
    if (!r.expect("(", "ERROR: Invalid syntax '(' expected @ %d\n", false)) return 1;
    r.read();
    for (int sequence = 1;; ++sequence) {
        if (r.kind == TOKEN_RPAREN) return 0;  // empty list, or a trailing ","
        if (r.kind != TOKEN_WORD)
            return r.fail("ERROR: Invalid token, variable name expected : %s @ %d\n", r.tok, Line);
        if (globallistname_exists(r.tok))
            r.flag("ERROR: Duplicate variable '%s' in the Global list@ %d \n", r.tok, Line);
        add_listvar(listid, sequence, r.tok);
        r.read();
        if (r.kind == TOKEN_RPAREN) return 0;
        if (!r.is(",")) return r.fail("ERROR: ',' or ')' expected : %s @ %d\n", r.tok, Line);
        r.read();
    }
}

// Every token that is not END opens a list: its identifier, upper case.
int read_globallist(block_reader &r, void *) {
    char listid[decltype(global_list_var_rec::listid)::capacity];
    // An identifier that does not fit its field is refused like a list of
    // the wrong format.
    if (!store_text(listid, sizeof listid, r.tok, sizeof listid - 1))
        return r.fail("ERROR : Invalid format for list attribute : %s @ %d \n", r.tok, Line);
    if (globallistname_exists(listid)) r.flag("ERROR: Duplicate listid '%s' in the Global list@ %d \n", listid, Line);
    return parse_globallistentry(r.fp, listid);
}

constinit keyword_table_of globallisttokens{{token_row("BEGIN", TOKEN_BEGIN), token_row("END", TOKEN_END)},
                                            {.other = read_globallist}};

// ---- INTERFACE-BANDWIDTH-LIST BEGIN INTERFACE = ( NAME = t , BANDWIDTH = "b1, b2" ) ... END ----

constexpr int kBandwidths = 100;

struct bandwidth_entry {
    char interfacetype[kName];
    value_table bandwidths[kBandwidths];
    int32_t count;
};

// Every bandwidth must be an entry of the system list BANDWIDTH, else none
// is stored. The errors here keep a blank word as their token.
int file_bandwidths(block_reader &, const keyword_rule &rule, void *rec) {
    const bandwidth_entry &e = *static_cast<bandwidth_entry *>(rec);
    int index = 0;
    if (!validate_systemlistentries("BANDWIDTH", e.bandwidths, e.count, &index)) {
        // No such list: the message names it.
        flag_error(TOKEN_WORD, " ",
                   "One of entry in BANDWIDTH list is not present in Systemlist definitions: '%s' @ %d\n",
                   index < 0 ? "BANDWIDTH" : e.bandwidths[index], Line);
        return 1;
    }
    for (int i = 0; i < e.count; ++i) {
        const char *bandwidth = e.bandwidths[i];
        if (std::strlen(bandwidth) > static_cast<size_t>(rule.maxlen)) {
            flag_error(TOKEN_WORD, " ", kTooLongMsg, bandwidth, Line);
            return 1;
        }
        if (validate_intbandwidth(e.interfacetype, bandwidth))
            flag_error(TOKEN_WORD, " ", kDuplicateElementMsg, e.interfacetype, bandwidth, Line);
        valid_int_bandwidth_rec *vib = alloc_record<valid_int_bandwidth_rec>();
        vib->interfacetype = e.interfacetype;
        vib->bandwidth = bandwidth;
        append_record(prvalidintbandwidth, vib);
    }
    return 0;
}

constinit keyword_table_of intbandwidthentrytokens{
    {
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        {.name = "NAME", .mandatory = 1, .maxlen = 30, .toolong_err = on_error::fail, .order_msg = kListNameMsg,
         .field = NDL_TEXT(bandwidth_entry, interfacetype)},
        {.name = "BANDWIDTH", .mandatory = 1, .maxlen = 100, .kind = value_kind::list, .kind_msg = kListQuotedMsg,
         .order_msg = "ERROR :Syntax error BANDWIDTH expected': %s @%d\n",
         .field = NDL_ROWS(bandwidth_entry, bandwidths, count), .after = file_bandwidths,
         .checks = "values of the system list BANDWIDTH"},
    },
    kListEntryOptions};

const entry_def bandwidth_def{.keys = &intbandwidthentrytokens,
                              .equal_msg = kListEqualMsg,
                              .open_msg = kListOpenMsg,
                              .size = sizeof(bandwidth_entry)};

constinit keyword_table_of intbandwidthtokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        {.name = "INTERFACE", .type = TOKEN_GROUP, .kind = value_kind::entry, .repeatable = true,
         .entry = &bandwidth_def},
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = kListInvalidMsg}};

}  // namespace

int parse_globallists(FILE *fp, FILE *, const char *) { return read_list_block(fp, globallisttokens); }

int parse_intbandwidthlist(FILE *fp, FILE *, const char *) { return read_list_block(fp, intbandwidthtokens); }

namespace {

constexpr char kGlobalList[] = "GLOBALLISTS BEGIN\n"
                               "  SITEVARS = ( SITECODE , SITECONTACT )\n"
                               "END\n";
// A list's identifier and its variables share one set of names.
constexpr block_unique globallists_unique[] = {
    {.what = "A list's identifier", .within = "the identifiers and variables of every global list of the network",
     .message = "ERROR: Duplicate listid '%s' in the Global list@ %d \n",
     .part = "  SITEVARS = ( SITECODE , SITECONTACT )\n", .again = "  SITEVARS = ( SITEPHONE )\n",
     .example = kGlobalList},
    {.what = "A variable of a list", .within = "the identifiers and variables of every global list of the network",
     .message = "ERROR: Duplicate variable '%s' in the Global list@ %d \n", .part = "SITECODE , ",
     .example = kGlobalList},
};

const block_doc globallists_doc{.header = "BEGIN",
                                .example = "GLOBALLISTS BEGIN\n"
                                           "END\n",
                                .unique = globallists_unique};

constexpr block_rule intbandwidth_rules[] = {
    {.text = "Each bandwidth is a value of the system list BANDWIDTH", .part = "\"T1\"", .instead = "\"T9\""},
};

constexpr block_unique intbandwidth_unique[] = {
    {.what = "A bandwidth of an INTERFACE's NAME", .within = "the network (every INTERFACE of that NAME)",
     .message = kDuplicateElementMsg, .part = "\"T1", .again = ", T1"},
};

const block_doc intbandwidthlist_doc{.header = "BEGIN",
                                     .needs = "SYSTEMLIST",
                                     .example = "INTERFACE-BANDWIDTH-LIST BEGIN\n"
                                                "  INTERFACE = ( NAME = Serial , BANDWIDTH = \"T1\" )\n"
                                                "END\n",
                                     .rules = intbandwidth_rules,
                                     .unique = intbandwidth_unique};

}  // namespace

block_keys globallists_keys() { return {&globallisttokens, &globallist_word, &globallists_doc}; }
block_keys intbandwidthlist_keys() { return {&intbandwidthtokens, nullptr, &intbandwidthlist_doc}; }
