// NDL tokenizer and keyword tables.
#include "tokenizer.h"

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "evaluator.h"
#include "runstate.h"
#include "validations.h"

// clang-format off
token_entry majortokens[] = {
    {"NETWORKNAME", 11, 0, 0, KW_NETWORKNAME, 0, 0, nullptr},
    {"SECTION", 7, 0, 0, TOKEN_ATTRIBUTE, 0, 0, nullptr},
    {"NETWORK", 7, 0, 0, KW_NETWORK, 0, 0, nullptr},
    {"LISTDEFS", 8, 0, 0, KW_LISTDEFS, 0, 0, nullptr},
    {"INTERFACE-BANDWIDTH-LIST", 24, 0, 0, KW_INTERFACE_BANDWIDTH_LIST, 0, 0, nullptr},
    {"DOMAIN", 6, 0, 0, KW_DOMAIN, 0, 0, nullptr},
    {"NODES", 5, 0, 0, KW_NODES, 0, 0, nullptr},
    {"ADDRESSPOOL", 11, 0, 0, KW_ADDRESSPOOL, 0, 0, nullptr},
    {"LOGICALINTERFACE", 16, 0, 0, KW_LOGICALINTERFACE, 0, 0, nullptr},
    {"CONNECTIONS", 11, 0, 0, KW_CONNECTIONS, 0, 0, nullptr},
    {"CONNECTIONTYPE", 14, 0, 0, KW_CONNECTIONTYPE, 0, 0, nullptr},
    {"LOGICAL-PATH", 12, 0, 0, KW_LOGICAL_PATH, 0, 0, nullptr},
    {"ROUTING-STATIC", 14, 0, 0, KW_ROUTING_STATIC, 0, 0, nullptr},
    {"ROUTING-OSPF", 12, 0, 0, KW_ROUTING_OSPF, 0, 0, nullptr},
    {"ROUTING-EIGRP", 13, 0, 0, KW_ROUTING_EIGRP, 0, 0, nullptr},
    {"ROUTING-IGRP", 12, 0, 0, KW_ROUTING_IGRP, 0, 0, nullptr},
    {"ROUTING-RIP", 11, 0, 0, KW_ROUTING_RIP, 0, 0, nullptr},
    {"ROUTING-BGP", 11, 0, 0, KW_ROUTING_BGP, 0, 0, nullptr},
    {"ROUTEMAP", 8, 0, 0, KW_ROUTEMAP, 0, 0, nullptr},
    {"PREFIXLIST", 10, 0, 0, KW_PREFIXLIST, 0, 0, nullptr},
    {"ASNLIST", 7, 0, 0, KW_ASNLIST, 0, 0, nullptr},
    {"COMMUNITYLIST", 13, 0, 0, KW_COMMUNITYLIST, 0, 0, nullptr},
    {"ACCESSLIST", 10, 0, 0, KW_ACCESSLIST, 0, 0, nullptr},
    {"CUSTOM-QUEUE", 12, 0, 0, KW_CUSTOM_QUEUE, 0, 0, nullptr},
    {"NETWORKVARS", 11, 0, 0, KW_NETWORKVARS, 0, 0, nullptr},
    {"SERVICE-TYPE", 12, 0, 0, KW_SERVICE_TYPE, 0, 0, nullptr},
    {"POOL-CLASS", 10, 0, 0, KW_POOL_CLASS, 0, 0, nullptr},
    {"POOL-TYPE", 9, 0, 0, KW_POOL_TYPE, 0, 0, nullptr},
    {"CUSTOMER-TYPE", 13, 0, 0, KW_CUSTOMER_TYPE, 0, 0, nullptr},
    {"MAP-CLASS", 9, 0, 0, KW_MAP_CLASS, 0, 0, nullptr},
    {"SYSTEMLIST", 10, 0, 0, KW_SYSTEMLIST, 0, 0, nullptr},
    {"QOSMATCHRULES", 13, 0, 0, KW_QOSMATCHRULES, 0, 0, nullptr},
    {"QOSMARKRULES", 12, 0, 0, KW_QOSMARKRULES, 0, 0, nullptr},
    {"QOSPOLICERULES", 14, 0, 0, KW_QOSPOLICERULES, 0, 0, nullptr},
    {"QOSSHAPERULES", 13, 0, 0, KW_QOSSHAPERULES, 0, 0, nullptr},
    {"QOSDROPRULES", 12, 0, 0, KW_QOSDROPRULES, 0, 0, nullptr},
    {"QOSPOLICY", 9, 0, 0, KW_QOSPOLICY, 0, 0, nullptr},
    {"QOS-SERVICE-ENROLLVAR", 21, 0, 0, KW_QOS_SERVICE_ENROLLVAR, 0, 0, nullptr},
    {"ROUTING-PIM", 11, 0, 0, KW_ROUTING_PIM, 0, 0, nullptr},
    {"ROUTING-MSDP", 12, 0, 0, KW_ROUTING_MSDP, 0, 0, nullptr},
    {"ROUTING-IGMP", 12, 0, 0, KW_ROUTING_IGMP, 0, 0, nullptr},
    {"ROUTING-DVMRP", 13, 0, 0, KW_ROUTING_DVMRP, 0, 0, nullptr},
    {"VRF", 3, 0, 0, KW_VRF, 0, 0, nullptr},
    {"MPLS", 4, 0, 0, KW_MPLS, 0, 0, nullptr},
    {"LDP", 3, 0, 0, KW_LDP, 0, 0, nullptr},
    {"RSPVP", 5, 0, 0, KW_RSPVP, 0, 0, nullptr},
    {"TAGSWITCHING", 12, 0, 0, KW_TAGSWITCHING, 0, 0, nullptr},
    {"GLOBALLISTS", 11, 0, 0, KW_GLOBALLISTS, 0, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};

token_entry mainsectiontokens[] = {
    {"NETWORKNAME", 11, 0, 0, KW_NETWORKNAME, 0, 0, nullptr},
    {"SECTION", 7, 0, 0, TOKEN_ATTRIBUTE, 0, 0, nullptr},
    {"=", 1, 0, 0, TOKEN_EQUAL, 0, 0, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, nullptr},
};
// clang-format on

const value_table sectionnames[] = {"TOPOLOGY", "QOS", "FIREWALL", "ROUTING", "CUSTOMER", ""};

static const vendor_flag_entry cisco_matchmap_flags[] = {
    {"MATCHNAME", 1}, {"MATCHVALUE", 1}, {nullptr, 0}};
static const vendor_flag_entry juniper_accesslist_flags[] = {{"ACL_TYPE", 3}, {nullptr, 0}};

const vendor_map_entry globalvendormap[] = {
    {"CISCO", "matchmaptokens", cisco_matchmap_flags},
    {"JUNIPER", "accesslist", juniper_accesslist_flags},
    {nullptr, nullptr, nullptr},
};

int Line = 1;

namespace {

constexpr char punct[] = "=();,#.&>";

// Case folding for keyword hashing and comparison, and the classes of the
// bytes that end a word; indexed by unsigned byte, so that the reading loop
// asks one table per character.
enum : unsigned char { kSpace = 1, kPunct = 2 };
struct CharMap {
    unsigned char fold[256];
    unsigned char cls[256];
    constexpr CharMap() : fold(), cls() {
        for (int i = 0; i < 256; ++i)
            fold[i] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i - 'A' + 'a' : i);
        for (char c : {' ', '\t', '\n', '\r', '\v', '\f', '\0'}) cls[static_cast<unsigned char>(c)] = kSpace;
        for (const char *p = punct; *p; ++p) cls[static_cast<unsigned char>(*p)] = kPunct;
    }
};
constexpr CharMap charmap;

// The look-ahead character: the byte that ended the last word, or a blank.
int last = ' ';
// One token can wait in the push-back slot.
bool b_nexttokeninmem = false;
char nextinmemtoken[301];
int nextinmemtokentype = 0;

int fold(int c) { return charmap.fold[static_cast<unsigned char>(c)]; }

// A NUL byte separates tokens like a blank: it cannot live inside a text.
bool is_space(int c) { return c != EOF && charmap.cls[static_cast<unsigned char>(c)] == kSpace; }
bool is_punct(int c) { return c != EOF && charmap.cls[static_cast<unsigned char>(c)] == kPunct; }

// Reads one byte, counting lines as they are read. Only the real end of the
// input ends it: a byte 0xFF is an ordinary byte, so that a stray one cannot
// silently cut off the rest of a file (and the stored rows of its blocks).
// As a text-mode read on the original platform, CR LF is one line end.
// The stream is the run's own: it is read without taking its lock per byte.
int next_char(FILE *fp) {
    int c = getc_unlocked(fp);
    if (c > '\r') return c;  // neither line end
    if (c == '\r') {
        int after = getc_unlocked(fp);
        if (after == '\n') c = '\n';
        else if (after != EOF) std::ungetc(after, fp);
    }
    if (c == '\n') ++Line;
    return c;
}

// The bytes that `fp` holds read ahead in its buffer, taken in place while
// `more` accepts them and `room` lasts: a word's or a text's rest costs a
// scan, not a call per byte. None of them may be a line end (lines are
// counted by next_char). Elsewhere than glibc, every byte goes through
// next_char.
template <class More, class Take>
size_t take_buffered(FILE *fp, size_t room, More more, Take take) {
#ifdef __GLIBC__
    auto *p = reinterpret_cast<const unsigned char *>(fp->_IO_read_ptr);
    auto *end = reinterpret_cast<const unsigned char *>(fp->_IO_read_end);
    if (!p || end - p <= 0) return 0;
    if (static_cast<size_t>(end - p) > room) end = p + room;
    const unsigned char *q = p;
    while (q < end && more(*q)) take(*q++);
    fp->_IO_read_ptr = reinterpret_cast<char *>(const_cast<unsigned char *>(q));
    return static_cast<size_t>(q - p);
#else
    (void)fp, (void)room, (void)more, (void)take;
    return 0;
#endif
}

int text_hash(const char *s) {
    int h = 0;
    for (; *s; ++s) h += fold(*s);
    return h;
}

// The row the last lookup matched, whatever its kind.
const token_entry *matched = nullptr;
// The last word read holds a lower-case letter.
bool lower = true;
bool is_lower(int c) { return static_cast<unsigned>(c - 'a') < 26u; }

// casestrcmp's equality for a name and a word of `len` bytes each, faster
// where it matters: keywords are upper case, as words mostly are, so bytes
// are folded only when they differ.
bool same_keyword(const char *name, const char *text, size_t len) {
    for (size_t i = 0; i < len; ++i)
        if (name[i] != text[i] && fold(name[i]) != fold(text[i])) return false;
    return true;
}

int lookup(const char *text, size_t len, token_entry **buckets, int hash) {
    for (token_entry *e = buckets[hash & (kBuckets - 1)]; e; e = e->next)
        if (e->hash == hash && e->namelen == static_cast<int>(len) && same_keyword(e->name, text, len)) {
            matched = e;
            return e->type;
        }
    matched = nullptr;
    return 0;
}

void copy_bounded(char *dst, const char *src, size_t size) {
    size_t n = std::strlen(src);
    if (n >= size) n = size - 1;
    std::memmove(dst, src, n);
    dst[n] = '\0';
}

}  // namespace

void hash_init(token_entry *table, token_entry **buckets) {
    for (int i = 0; i < kBuckets; ++i) buckets[i] = nullptr;
    for (token_entry *e = table; e->name; ++e) {
        e->hash = text_hash(e->name);
        // Lookups compare lengths before names: a typed length is made exact.
        e->namelen = static_cast<int>(std::strlen(e->name));
        e->next = buckets[e->hash & (kBuckets - 1)];
        buckets[e->hash & (kBuckets - 1)] = e;
    }
}

FILE *open_ndl_file(const char *path) {
    FILE *fp = std::fopen(path, "r");
    struct stat st;
    if (fp && fstat(fileno(fp), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(fp);
        return nullptr;
    }
    return fp;
}

void reset_tokenizer() {
    Line = 1;
    b_nexttokeninmem = false;
    // A look-ahead left by an earlier file or a failed call must not start
    // the next file's first token.
    last = ' ';
}

void setnexttoken(const char *token, int kind) {
    copy_bounded(nextinmemtoken, token, sizeof nextinmemtoken);
    nextinmemtokentype = kind;
    b_nexttokeninmem = true;
}

int ispun(int c) { return is_punct(c); }

int casestrcmp(const char *a, const char *b) {
    for (; *a && *b; ++a, ++b)
        if (fold(*a) != fold(*b)) return 1;
    return *a || *b;
}

int parseQuoteString(FILE *fp, char *token) {
    int n = 0;
    for (;;) {
        int c = next_char(fp);
        if (c == EOF) {
            token[n] = '\0';
            return TOKEN_ERROR;
        }
        if (n == kTokenSize - 1) {
            token[n] = '\0';
            logmsg("ERROR : quoted string exceeds maximum character length : %s @ %d\n", token, Line);
            g_error = 1;
            return TOKEN_ERROR;
        }
        if (c == '"') break;
        if (c == '\n') continue;
        if (c == '\0') {
            // The value would end there: refused whole, read to its closing
            // quote so that its rest is not taken for tokens.
            token[n] = '\0';
            logmsg("ERROR : quoted string contains a NUL byte : %s @ %d\n", token, Line);
            g_error = 1;
            while (c != EOF && c != '"') c = next_char(fp);
            last = ' ';
            return TOKEN_ERROR;
        }
        token[n++] = static_cast<char>(c);
        // The text's rest up to a line end, a NUL byte or its quote.
        take_buffered(
            fp, static_cast<size_t>(kTokenSize - 1 - n),
            [](unsigned char b) { return b != '"' && b != '\n' && b != '\r' && b != '\0'; },
            [&](unsigned char b) { token[n++] = static_cast<char>(b); });
    }
    token[n] = '\0';
    last = ' ';
    return TOKEN_QUOTED;
}

const token_entry *matched_keyword() { return matched; }
bool token_has_lower() { return lower; }

int get_token(FILE *fp, char *token, token_entry **buckets) {
    matched = nullptr;
    lower = true;  // unless a word read here says otherwise
    if (b_nexttokeninmem) {
        b_nexttokeninmem = false;
        copy_bounded(token, nextinmemtoken, kTokenSize);
        if (nextinmemtokentype == TOKEN_EOF || nextinmemtokentype == TOKEN_NUMBER)
            return nextinmemtokentype;
        int kind = lookup(token, std::strlen(token), buckets, text_hash(token));
        return kind ? kind : TOKEN_WORD;
    }
    for (;;) {
        token[0] = '\0';
        int c = last;
        while (c != EOF && is_space(c)) {
            // A run of blanks (an indentation) at once.
            if (c == ' ' || c == '\t')
                take_buffered(
                    fp, SIZE_MAX, [](unsigned char b) { return b == ' ' || b == '\t'; }, [](unsigned char) {});
            c = next_char(fp);
        }
        if (c == EOF) {
            last = EOF;
            return TOKEN_EOF;
        }
        if (c == '"') return parseQuoteString(fp, token);

        int n = 0, hash = 0;
        lower = false;
        bool ended_by_newline = false;
        for (;;) {
            if (c != EOF && charmap.cls[static_cast<unsigned char>(c)] == 0) {
                // A byte of the word: the common case, asked first.
                if (n == kTokenSize - 1) {
                    token[n] = '\0';
                    last = c;
                    logmsg("ERROR : Token length exceeds maximum token length  : %s @ %d\n", token, Line);
                    g_error = 1;
                    return TOKEN_ERROR;
                }
                token[n++] = static_cast<char>(c);
                hash += fold(c);
                lower |= is_lower(c);
                take_buffered(
                    fp, static_cast<size_t>(kTokenSize - 1 - n),
                    [](unsigned char b) { return charmap.cls[b] == 0; },
                    [&](unsigned char b) {
                        token[n++] = static_cast<char>(b);
                        hash += charmap.fold[b];
                        lower |= is_lower(b);
                    });
                c = next_char(fp);
                continue;
            }
            if (c == EOF) {
                // The input ended inside the word: only a keyword survives.
                token[n] = '\0';
                last = EOF;
                int kind = lookup(token, static_cast<size_t>(n), buckets, hash);
                return kind ? kind : TOKEN_EOF;
            }
            if (is_space(c)) {
                if (c == '\n') {
                    ended_by_newline = true;
                    last = ' ';
                } else {
                    last = c;
                }
                break;
            }
            if (is_punct(c)) {
                if (n == 0) {
                    token[n++] = static_cast<char>(c);
                    hash += fold(c);
                    last = ' ';
                } else {
                    last = c;
                }
                break;
            }
        }
        token[n] = '\0';

        int kind = lookup(token, static_cast<size_t>(n), buckets, hash);
        if (kind) return kind;
        if (token[0] == '-' && token[1] == '-') {
            if (!ended_by_newline) {
                do {
                    c = next_char(fp);
                } while (c != EOF && c != '\n');
                if (c == EOF) {
                    last = EOF;
                    return TOKEN_EOF;
                }
            }
            last = '\n';
            continue;
        }
        return checkisnumber(token) ? TOKEN_NUMBER : TOKEN_WORD;
    }
}

int clear_foundflag(token_entry *table) {
    if (!table) return 1;
    for (token_entry *e = table; e->name; ++e) e->found = 0;
    return 1;
}

int set_foundflag(token_entry *table, const char *keyword) {
    for (token_entry *e = table; e->name; ++e) {
        if (e->name[0] != keyword[0] || std::strcmp(e->name, keyword) != 0) continue;
        if (e->found) return 0;
        e->found = 1;
    }
    return 1;
}

int check_tokenlength(token_entry *table, const char *keyword, const char *value) {
    size_t len = std::strlen(value);
    if (table)
        for (token_entry *e = table; e->name; ++e)
            if (std::strcmp(e->name, keyword) == 0) return len <= static_cast<size_t>(e->maxlen);
    return len == 0;
}

int get_vendorspecific_flag(const char *vendor, const char *tablename, const char *keyword) {
    const vendor_map_entry *m = globalvendormap;
    for (; m->vendor; ++m)
        if (std::strcmp(m->tablename, tablename) == 0 && std::strcmp(m->vendor, vendor) == 0) break;
    if (!m->vendor) {
        logmsg("vendor (%s) specific data-block for %s is not found\n", vendor, tablename);
        return 0;
    }
    for (const vendor_flag_entry *f = m->flags; f->keyword; ++f)
        if (std::strcmp(f->keyword, keyword) == 0) return f->flag;
    logmsg("Error: Token '%s' flag value is not found in vendor specific data\n", keyword);
    return 0;
}

int validate_mandatoryfields(const char *vendor, const char *tablename, token_entry *table,
                             char *missing) {
    if (!table) return 1;
    for (token_entry *e = table; e->name; ++e) {
        if (e->mandatory && !e->found) {
            copy_bounded(missing, e->name, 31);
            return 0;
        }
        if (e->mandatory == 2 && e->found) {
            int flag = get_vendorspecific_flag(vendor, tablename, e->name);
            if (flag == 0) return 0;
            if (flag == 3) {
                logmsg("The token '%s' is not applicable for vendor %s:@%d\n", e->name, vendor, Line);
                copy_bounded(missing, e->name, 31);
                return 0;
            }
        }
    }
    return 1;
}

static void convert_case(char *dest, const char *src, size_t size, char from, char to) {
    size_t i = 0;
    for (; src[i] && i + 1 < size; ++i) {
        char c = src[i];
        dest[i] = (c >= from && c <= from + 25) ? static_cast<char>(c - from + to) : c;
    }
    dest[i] = '\0';
}

void converttocap(char *dest, const char *src, size_t size) { convert_case(dest, src, size, 'a', 'A'); }
void converttolow(char *dest, const char *src, size_t size) { convert_case(dest, src, size, 'A', 'a'); }

int checkisnumber(const char *text) {
    for (; *text; ++text)
        if (*text < '0' || *text > '9') return 0;
    return 1;
}

int validate_evalexp(const char *domainname, const char *nodetype, const char *context1,
                     const char *context2, const char *context3, const char *value) {
    std::string work(value);
    size_t start = work.find_first_not_of(" \t");
    work.erase(0, start == std::string::npos ? work.size() : start);
    size_t open = work.find('(');
    if (open == std::string::npos) {
        if (checkisnumber(work.c_str())) return 1;
        logmsg("ERROR: Invalid expression function: '%s' @ %d\n", value, Line);
        return 0;
    }
    if (work.compare(0, open, "EVALEXP") != 0) {
        logmsg("ERROR: Invalid expression function: '%s' @ %d\n", value, Line);
        return 0;
    }
    int depth = 0;
    size_t close = std::string::npos;
    for (size_t i = open; i < work.size(); ++i) {
        if (work[i] == '(') ++depth;
        else if (work[i] == ')' && --depth == 0) {
            close = i;
            break;
        }
    }
    if (close == std::string::npos) {
        logmsg("ERROR: Syntax error, unmatched paranthesis: '%s' @ %d\n", value, Line);
        return 0;
    }
    if (close + 1 < work.size()) {
        logmsg("ERROR: Invalid characted after EVALEXP: '%s' @ %d\n", value, Line);
        return 0;
    }
    std::string expr = work.substr(open, close - open + 1);

    int type = 0;
    if (!validate_commandvar(domainname, nodetype, context1, context2, context3, expr.c_str(), &type)) {
        addtooutput();
        return 0;
    }
    if (type != 12 && type != 8) {
        logmsg("ERROR: One of variable in expression is not of type 'NUMBER': '%s' @ %d\n",
               expr.c_str(), Line);
        return 0;
    }

    // Every <variable> becomes a test number; the blanks after it go too.
    std::string test;
    size_t i = expr.find_first_not_of(' ');
    while (i != std::string::npos && i < expr.size()) {
        if (expr[i] == '<') {
            size_t end = expr.find('>', i);
            test += "123.987468";
            if (end == std::string::npos) break;
            i = expr.find_first_not_of(' ', end + 1);
        } else {
            test += expr[i++];
        }
    }
    // Division becomes multiplication so that a test value cannot divide by
    // zero; a slash that cannot be a division is a syntax error.
    for (size_t k = 0; k < test.size(); ++k) {
        if (test[k] != '/') continue;
        if (k == 0 || test[k - 1] == '*' || (k + 1 < test.size() && test[k + 1] == '*')) {
            logmsg("ERROR: Expression syntax error: '%s' @ %d\n", value, Line);
            return 0;
        }
        test[k] = '*';
    }

    resetVariables();
    if (evaluateExpression(test.c_str()) != 0) {
        logmsg("ERROR: Expression syntax error: '%s' @ %d\n", value, Line);
        return 0;
    }
    if (nVariables > 0) {
        logmsg("Error in eval expression: variables not defined in <>: '%s' @ %d\n", value, Line);
        return 0;
    }
    return 1;
}
