// LISTDEFS (user lists of values) and SYSTEMLIST (entries of the
// system-defined lists).
#include <cstdlib>
#include <cstring>

#include "records_topology.h"
#include "registry.h"
#include "topology_blocks.h"

const value_table systemlists[] = {
    "COMPRESSION", "BANDWIDTH", "APPL-PRIORITY", "HSRPPRIORITY", "LINE-ENCODING", "CHECKSUM",
    "DSUMODE",     "DSUBANDWIDTH", "CLOCKSOURCE", "FRAMING",     "CIRIN",         "CIROUT",
    "CBSIN",       "CBSOUT",    "CBEIN",         "CBEOUT",       "SCRIN",         "SCROUT",
    "PCRIN",       "PCROUT",    "MBSIN",         "MBSOUT",       "INTERFACE-BANDWIDTH-LIST", ""};

namespace {

bool ends_element(char c) { return is_blank(c) || c == ',' || c == '\''; }

struct element_ctx {
    const char *text;
    const char *listname;
};

int put_element(const char *item, size_t len, void *p) {
    element_ctx &ctx = *static_cast<element_ctx *>(p);
    char element[kName];
    if (len >= sizeof element) {
        char shown[kTokenSize];
        std::snprintf(shown, sizeof shown, "%.*s", static_cast<int>(len), item);
        flag_error(TOKEN_WORD, ctx.text, kTooLongMsg, shown, Line);
        return 1;
    }
    std::memcpy(element, item, len);
    element[len] = '\0';
    if (validate_listelements(ctx.listname, element))
        flag_error(TOKEN_WORD, ctx.text, kDuplicateElementMsg,
                   ctx.listname, element, Line);
    list_value_rec *rec = alloc_record<list_value_rec>();
    rec->listname = ctx.listname;
    rec->elementvalue = element;
    append_record(prlistvalues, rec);
    return 0;
}

}  // namespace

int extract_listelements(const char *text, const char *listname) {
    element_ctx ctx{text, listname};
    int status = scan_list(text, ends_element, put_element, &ctx);
    if (status == 2)
        flag_error(TOKEN_WORD, text, "ERROR :Invalid format for list attribute : %s @%d\n", text, Line);
    return status ? 1 : 0;
}

namespace {

// ---- LISTDEFS: LIST = ( NAME = name , ELEMENT = "e1, e2 ..." ) ----

struct list_entry {
    char listname[kName];
};

int file_elements(block_reader &r, const keyword_rule &, void *rec) {
    return extract_listelements(r.tok, static_cast<list_entry *>(rec)->listname);
}

constinit keyword_table_of listelemtokens{
    {
        // An over-long name is reported and its elements are filed under "".
        {.name = "NAME", .mandatory = 1, .maxlen = 30, .order_msg = kListNameMsg,
         .field = NDL_TEXT(list_entry, listname)},
        {.name = "ELEMENT", .mandatory = 1, .maxlen = 30, .kind = value_kind::quoted,
         .length = length_rule::own, .kind_msg = kListQuotedMsg,
         .order_msg = "ERROR :Syntax error ELEMENT expected': %s @%d\n", .after = file_elements,
         .checks = "a quoted list: each item up to 30 characters"},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
    },
    kListEntryOptions};

const entry_def list_entry_def{.keys = &listelemtokens,
                               .equal_msg = kListEqualMsg,
                               .open_msg = kListOpenMsg,
                               .size = sizeof(list_entry)};

constinit keyword_table_of listtokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        {.name = "LIST", .type = TOKEN_GROUP, .kind = value_kind::entry,
         .repeatable = true, .entry = &list_entry_def},
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = kListInvalidMsg}};

// ---- SYSTEMLIST name BEGIN LISTVARIABLE = ( NAME = n , VALUE = v ) ... END ----

// A token error is the end of the file to this entry; the end of the file
// itself is an empty value, which the "," or ")" after it refuses.
int not_a_token_error(block_reader &r, const keyword_rule &, void *) {
    return r.kind == TOKEN_ERROR ? r.fail(r.eof_msg, Line) : 0;
}

constinit keyword_table_of systemlistdatatokens{
    {
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        {.name = "NAME", .mandatory = 1, .maxlen = 30,
         .toolong_err = on_error::fail, .equal_msg = "ERROR : EQUAL operator expected: %s @ %d \n",
         .order_msg = "ERROR : NAME expected @ %d \n", .order_token = false,
         .field = NDL_TEXT(system_list_elem_rec, displayname), .before = not_a_token_error,
         .checks = "a word, number or quoted text"},
        {.name = "VALUE", .mandatory = 1, .maxlen = 30,
         .toolong_err = on_error::fail, .equal_msg = "ERROR : EQUAL expected : %s @ %d \n",
         .order_msg = kEofSpacedMsg, .order_token = false,
         .field = NDL_TEXT(system_list_elem_rec, elementvalue), .before = not_a_token_error,
         .checks = "a word, number or quoted text"},
    },
    {.style = loop_style::ordered, .separator_msg = kListSeparatorMsg, .close_msg = kListCloseMsg}};

const entry_def systemlist_entry{.keys = &systemlistdatatokens,
                                 .eof_msg = kEofSpacedMsg,
                                 .equal_msg = "ERROR : EQUAL expected : %s @ %d \n",
                                 .open_msg = "ERROR : openparenthesis '(' expected @ %d \n",
                                 .open_token = false,
                                 .size = sizeof(system_list_elem_rec)};

struct systemlist_ctx {
    char listname[kText];
    system_list_rec *list = nullptr;
};

// The list record comes with the first entry; later entries are checked
// for a repeated name.
int file_systemlist_entry(block_reader &r, const keyword_rule &, void *entry, void *owner) {
    systemlist_ctx &ctx = *static_cast<systemlist_ctx *>(owner);
    system_list_elem_rec *elem = static_cast<system_list_elem_rec *>(entry);
    if (!ctx.list) {
        ctx.list = alloc_record<system_list_rec>();
        ctx.list->listname = ctx.listname;
        append_record(pr_systemlist, ctx.list);
    } else if (systemlist_varfound(ctx.list, elem->displayname)) {
        r.flag("ERROR: Duplicate variable '%s' in the System list %s @ %d \n", elem->displayname.c_str(),
               ctx.listname, Line);
    }
    append_record(ctx.list->elemlist, elem);
    return 0;
}

constinit keyword_table_of systemlisttokens{
    {
        token_row("BEGIN", TOKEN_BEGIN),
        {.name = "LISTVARIABLE", .type = TOKEN_GROUP, .kind = value_kind::entry,
         .repeatable = true, .entry = &systemlist_entry, .file = file_systemlist_entry},
        token_row("(", TOKEN_LPAREN),
        token_row(")", TOKEN_RPAREN),
        token_row("=", TOKEN_EQUAL),
        token_row("END", TOKEN_END),
    },
    {.invalid_msg = "ERROR : Keyword 'LISTVARIABLE' expected: %s @ %d \n", .error_ends = true}};

}  // namespace

int read_list_block(FILE *fp, keyword_table &keys) {
    block_reader r(fp, keys);
    r.read();
    if (r.kind != TOKEN_BEGIN) return r.fail(kListBeginMsg, r.tok, Line);
    return read_attributes(r, nullptr);
}

int parse_listdefs(FILE *fp, FILE *, const char *) { return read_list_block(fp, listtokens); }

int parse_systemlist(FILE *fp, FILE *, const char *) {
    block_reader r(fp, systemlisttokens, kEofSpacedMsg);
    systemlist_ctx ctx;
    if (!r.read_name(ctx.listname, kText - 1, kTooLongMsg)) return 1;
    converttocap(ctx.listname, ctx.listname, sizeof ctx.listname);
    if (!validate_var(systemlists, ctx.listname))
        r.flag("ERROR: list '%s' is not a system defined list: @ %d\n", ctx.listname, Line);
    system_list_rec *found = nullptr;
    if (validate_systemlist(ctx.listname, &found))
        r.flag("ERROR: System list already exists %s @ %d \n", ctx.listname, Line);
    if (!r.expect("BEGIN", "ERROR : Keyword 'BEGIN' expected: %s @ %d \n")) return 1;
    return read_attributes(r, &ctx);
}

namespace {

const block_doc listdefs_doc{.header = "BEGIN",
                             .example = "LISTDEFS BEGIN\n"
                                        "  LIST = ( NAME = SITEKINDS , ELEMENT = \"POP, CORE\" )\n"
                                        "END\n"};

constexpr block_rule systemlist_rules[] = {
    {.text = "Its name is a list of the system", .values = systemlists, .part = "SYSTEMLIST BANDWIDTH",
     .instead = "SYSTEMLIST SPEEDS", .message = "is not a system defined list"},
};

constexpr block_unique systemlist_unique[] = {
    {.what = "Its name", .within = "the network", .message = "ERROR: System list already exists %s @ %d \n"},
    {.what = "A LISTVARIABLE's NAME", .within = "the list", .message = "ERROR: Duplicate variable '%s' in the System list %s @ %d \n",
     .part = "  LISTVARIABLE = ( NAME = T1 , VALUE = 1544 )\n"},
};

const block_doc systemlist_doc{.header = "name BEGIN",
                               .example = "SYSTEMLIST BANDWIDTH BEGIN\n"
                                          "  LISTVARIABLE = ( NAME = T1 , VALUE = 1544 )\n"
                                          "END\n",
                               .rules = systemlist_rules,
                               .unique = systemlist_unique};

}  // namespace

block_keys listdefs_keys() { return {&listtokens, nullptr, &listdefs_doc}; }
block_keys systemlist_keys() { return {&systemlisttokens, nullptr, &systemlist_doc}; }
