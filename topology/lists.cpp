// LISTDEFS (user lists of values), SYSTEMLIST (entries of the system-defined
// lists) and the splitter of comma-separated attribute values.
#include <cstdlib>
#include <cstring>

#include "block.h"
#include "records_topology.h"
#include "registry.h"
#include "topology.h"

const value_table systemlists[] = {
    "COMPRESSION", "BANDWIDTH", "APPL-PRIORITY", "HSRPPRIORITY", "LINE-ENCODING", "CHECKSUM",
    "DSUMODE",     "DSUBANDWIDTH", "CLOCKSOURCE", "FRAMING",     "CIRIN",         "CIROUT",
    "CBSIN",       "CBSOUT",    "CBEIN",         "CBEOUT",       "SCRIN",         "SCROUT",
    "PCRIN",       "PCROUT",    "MBSIN",         "MBSOUT",       "INTERFACE-BANDWIDTH-LIST", ""};

namespace {

// clang-format off
token_entry listtokens[] = {
    {"BEGIN", 5, 0, 0, TOKEN_BEGIN, 0, 0, nullptr},
    {"LIST", 4, 1, 0, TOKEN_GROUP, 0, 0, nullptr},
    {"END", 3, 0, 0, TOKEN_END, 0, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};
token_entry listelemtokens[] = {
    {"ELEMENT", 7, 1, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
    {"NAME", 4, 1, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
    {"(", 1, 0, 0, TOKEN_LPAREN, 0, 0, nullptr},
    {")", 1, 0, 0, TOKEN_RPAREN, 0, 0, nullptr},
    {"=", 1, 0, 0, TOKEN_EQUAL, 0, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};
token_entry systemlisttokens[] = {
    {"BEGIN", 5, 0, 0, TOKEN_BEGIN, 0, 0, nullptr},
    {"LISTVARIABLE", 12, 1, 0, TOKEN_GROUP, 0, 0, nullptr},
    {"(", 1, 0, 0, TOKEN_LPAREN, 0, 0, nullptr},
    {")", 1, 0, 0, TOKEN_RPAREN, 0, 0, nullptr},
    {"=", 1, 0, 0, TOKEN_EQUAL, 0, 0, nullptr},
    {"END", 3, 0, 0, TOKEN_END, 0, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};
token_entry systemlistdatatokens[] = {
    {"(", 1, 0, 0, TOKEN_LPAREN, 0, 0, nullptr},
    {")", 1, 0, 0, TOKEN_RPAREN, 0, 0, nullptr},
    {"=", 1, 0, 0, TOKEN_EQUAL, 0, 0, nullptr},
    {"NAME", 4, 1, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
    {"VALUE", 5, 1, 0, TOKEN_ATTRIBUTE, 30, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};
// clang-format on

constexpr char kSeparatorMsg[] = "ERROR : Syntax error ','  expected :%s @%d\n";
constexpr char kCloseMsg[] = "ERROR : Syntax error ')'  expected :%s @%d\n";
constexpr char kEqualMsg[] = "ERROR : Syntax error '=' expected : %s @%d\n";

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool ends_list_item(char c) { return is_blank(c) || c == ','; }
bool ends_element(char c) { return ends_list_item(c) || c == '\''; }

struct rows_ctx {
    value_table *rows;
    int capacity;
    int count;
};

int put_row(const char *item, size_t len, void *p) {
    rows_ctx &ctx = *static_cast<rows_ctx *>(p);
    // More items than the caller's rows, or an item beyond a row: refused.
    if (ctx.count >= ctx.capacity || len >= sizeof(value_table)) return 1;
    std::memcpy(ctx.rows[ctx.count], item, len);
    ctx.rows[ctx.count][len] = '\0';
    ++ctx.count;
    return 0;
}

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
        flag_error(TOKEN_WORD, ctx.text, "ERROR : Duplicate element value for list :%s %s  @ %d\n",
                   ctx.listname, element, Line);
    list_value_rec *rec = alloc_record<list_value_rec>();
    std::memcpy(rec->listname, ctx.listname, sizeof rec->listname);
    std::memcpy(rec->elementvalue, element, sizeof element);
    append_record(prlistvalues, rec);
    return 0;
}

}  // namespace

int scan_list(const char *text, bool (*ends_item)(char c),
              int (*each)(const char *item, size_t len, void *ctx), void *ctx) {
    bool want_item = true;
    for (const char *p = text; *p;) {
        if (is_blank(*p)) {
            ++p;
            continue;
        }
        if (want_item) {
            const char *start = p;
            while (*p && !ends_item(*p)) ++p;
            if (each(start, static_cast<size_t>(p - start), ctx)) return 1;
            want_item = false;
        } else if (*p == ',') {
            want_item = true;
            ++p;
        } else {
            return 2;
        }
    }
    return 0;
}

int extractlist(const char *text, value_table *rows, int capacity, int *count) {
    rows_ctx ctx{rows, capacity, 0};
    if (scan_list(text, ends_list_item, put_row, &ctx)) {
        setmsg("ERROR : Invalid format for list attribute : %s @ %d \n", text, Line);
        return 1;
    }
    *count = ctx.count;
    return 0;
}

int extract_listelements(const char *text, const char *listname) {
    element_ctx ctx{text, listname};
    int status = scan_list(text, ends_element, put_element, &ctx);
    if (status == 2)
        flag_error(TOKEN_WORD, text, "ERROR :Invalid format for list attribute : %s @%d\n", text, Line);
    return status ? 1 : 0;
}

int extract_lists(FILE *fp) {
    block_reader r(fp, listelemtokens);
    char listname[kName] = "";
    if (!r.expect("=", kEqualMsg)) return 1;
    if (!r.expect("(", "ERROR : Syntax error '(' expected : %s @%d\n")) return 1;
    r.read_upper();
    if (!r.is("NAME")) return r.fail("ERROR :Syntax error NAME expected': %s @%d\n", r.tok, Line);
    if (!r.expect("=", kEqualMsg)) return 1;
    r.read();
    if (r.ended) return 1;
    // An over-long name is reported and its elements are filed under "".
    if (!store_text(listname, sizeof listname, r.tok, kName - 1)) r.flag(kTooLongMsg, r.tok, Line);
    if (!r.expect(",", kSeparatorMsg)) return 1;
    r.read_upper();
    if (!r.is("ELEMENT")) return r.fail("ERROR :Syntax error ELEMENT expected': %s @%d\n", r.tok, Line);
    if (!r.expect("=", kEqualMsg)) return 1;
    r.read();
    if (r.kind != TOKEN_QUOTED) return r.fail("ERROR : Quoted string expected :%s @%d\n", r.tok, Line);
    if (extract_listelements(r.tok, listname)) return 1;
    if (!r.expect(")", kCloseMsg)) return 1;
    return 0;
}

int parse_listdefs(FILE *fp, FILE *, const char *) {
    block_reader r(fp, listtokens);
    r.read();
    if (r.kind != TOKEN_BEGIN)
        return r.fail("ERROR : Invalid token,  'BEGIN' expected : '%s' @ %d \n", r.tok, Line);
    for (;;) {
        r.read_upper();
        if (r.ended) return 1;
        if (r.kind == TOKEN_END) return 0;
        if (r.kind != TOKEN_GROUP) return r.fail("ERROR : Invalid Input %s @%d %d\n", r.tok, Line, r.kind);
        if (extract_lists(fp)) return 1;
    }
}

int extract_systemlist(FILE *fp, char *displayname, char *value) {
    block_reader r(fp, systemlistdatatokens, kEofSpacedMsg);
    displayname[0] = value[0] = '\0';
    if (!r.expect("(", "ERROR : openparenthesis '(' expected @ %d \n", false)) return 1;
    r.read_upper();
    if (!r.is("NAME")) return r.fail("ERROR : NAME expected @ %d \n", Line);
    if (!r.expect("=", "ERROR : EQUAL operator expected: %s @ %d \n")) return 1;
    if (!r.read_name(displayname, kText, kName - 1, kTooLongMsg)) return 1;
    if (!r.expect(",", kSeparatorMsg)) return 1;
    r.read_upper();
    if (!r.is("VALUE")) return r.fail(kEofSpacedMsg, Line);
    if (!r.expect("=", "ERROR : EQUAL expected : %s @ %d \n")) return 1;
    if (!r.read_name(value, kText, kName - 1, kTooLongMsg)) return 1;
    if (!r.expect(")", kCloseMsg)) return 1;
    return 0;
}

int parse_systemlist(FILE *fp, FILE *, const char *) {
    block_reader r(fp, systemlisttokens, kEofSpacedMsg);
    char listname[kText];
    if (!r.read_name(listname, kText - 1, kTooLongMsg)) return 1;
    converttocap(listname, listname, sizeof listname);
    if (!validate_var(systemlists, listname))
        r.flag("ERROR: list '%s' is not a system defined list: @ %d\n", listname, Line);
    system_list_rec *found = nullptr;
    if (validate_systemlist(listname, &found))
        r.flag("ERROR: System list already exists %s @ %d \n", listname, Line);
    if (!r.expect("BEGIN", "ERROR : Keyword 'BEGIN' expected: %s @ %d \n")) return 1;

    system_list_rec *list = nullptr;
    system_list_elem_rec **tail = nullptr;
    for (;;) {
        r.read_upper();
        if (r.ended) return 1;
        if (r.kind == TOKEN_END) return 0;
        if (!r.is("LISTVARIABLE"))
            return r.fail("ERROR : Keyword 'LISTVARIABLE' expected: %s @ %d \n", r.tok, Line);
        if (!r.expect("=", "ERROR : EQUAL expected : %s @ %d \n")) return 1;
        system_list_elem_rec *elem = alloc_record<system_list_elem_rec>();
        if (extract_systemlist(fp, elem->displayname, elem->elementvalue)) {
            std::free(elem);
            return 1;
        }
        if (!list) {
            list = alloc_record<system_list_rec>();
            std::memcpy(list->listname, listname, sizeof listname);
            append_record(pr_systemlist, list);
            tail = &list->elemlist;
        } else if (systemlist_varfound(list, elem->displayname)) {
            r.flag("ERROR: Duplicate variable '%s' in the System list %s @ %d \n", elem->displayname,
                   listname, Line);
        }
        *tail = elem;
        tail = &elem->next;
    }
}
