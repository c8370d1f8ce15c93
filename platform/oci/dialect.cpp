// The one place where the callers' statement texts meet SQLite's dialect:
// SYSDATE becomes the current timestamp and "DELETE table" gains its FROM
// (NVL is a registered function, LIKE is made case-sensitive per
// connection). Also recognises the writers' literal INSERTs, so that they
// can run as one cached statement with bound values.
#include "oci_internal.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace ndloci {

const char kSysdateSql[] = "datetime('now','localtime')";

namespace {

// SQLite's own blanks (a vertical tab is none to it).
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Letters and digits below 0x80 are the same in every locale, and every
// byte above counts: one comparison chain, no library call per byte.
bool is_word_char(char c) {
    auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || is_digit(c) || ((u | 0x20) >= 'a' && (u | 0x20) <= 'z') || c == '_' || c == '$' ||
           c == '#';
}

bool same_word(std::string_view a, const char *b) {
    size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return true;
}

// The first byte from d[j] on that is the quote `q` (' or ") or a NUL, or
// n when none is. All three are below '(': eight bytes a step where eight
// remain, for the first byte below it (the borrow trick, exact at its
// lowest flag, which is all that is read), then a look at that byte.
size_t next_quote_or_nul(const char *d, size_t j, size_t n, char q) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    constexpr uint64_t below = 0x2828282828282828ULL, highs = 0x8080808080808080ULL;
    while (j + 8 <= n) {
        uint64_t v;
        std::memcpy(&v, d + j, sizeof v);
        uint64_t hit = (v - below) & ~v & highs;
        if (!hit) {
            j += 8;
            continue;
        }
        j += static_cast<size_t>(__builtin_ctzll(hit) >> 3);
        if (d[j] == q || d[j] == '\0') return j;
        ++j;
    }
#endif
    for (; j < n; ++j)
        if (d[j] == q || d[j] == '\0') return j;
    return n;
}

// The quoted text that opens with the quote (' or ") at d[i]: the index
// just past its closing quote (a doubled quote stays inside), or n when it
// is not closed. `doubled` and `nul` are set when it holds a doubled quote
// or a NUL byte.
// Inline: the writers' texts are mostly a few bytes, and a call costs more.
[[gnu::always_inline]] inline size_t scan_quoted(const char *d, size_t i, size_t n, bool &doubled, bool &nul) {
    const char q = d[i];
    for (size_t j = i + 1;;) {
        j = next_quote_or_nul(d, j, n, q);
        if (j >= n) return n;
        if (d[j] == '\0') {
            nul = true;
            ++j;
        } else if (j + 1 < n && d[j + 1] == q) {
            doubled = true;
            j += 2;
        } else {
            return j + 1;
        }
    }
}

// Whether the quoted text that opens at d[i], and that scan_quoted says
// ends at j, has its closing quote: at the end of the text (j == n) the
// last quote may be half of a doubled one.
bool quote_closed(const char *d, size_t i, size_t j, size_t n) {
    if (j < n) return true;
    const char q = d[i];
    for (size_t k = i + 1; k < n; ++k) {
        if (d[k] != q) continue;
        if (k + 1 < n && d[k + 1] == q) {
            ++k;
            continue;
        }
        return k + 1 == n;
    }
    return false;
}

// Index just past a comment that starts at i, or i when none starts there.
size_t skip_comment(std::string_view s, size_t i) {
    if (i + 1 >= s.size()) return i;
    if (s[i] == '-' && s[i + 1] == '-') {
        size_t nl = s.find('\n', i);
        return nl == std::string_view::npos ? s.size() : nl + 1;
    }
    if (s[i] == '/' && s[i + 1] == '*') {
        size_t end = s.find("*/", i + 2);
        return end == std::string_view::npos ? s.size() : end + 2;
    }
    return i;
}

// Whether the word tok, which ends at s[j], calls an aggregate.
bool aggregate(std::string_view s, std::string_view tok, size_t j) {
    if (!same_word(tok, "COUNT") && !same_word(tok, "MAX") && !same_word(tok, "MIN") && !same_word(tok, "SUM") &&
        !same_word(tok, "AVG"))
        return false;
    while (j < s.size() && is_blank(s[j])) ++j;
    return j < s.size() && s[j] == '(';
}

// What a backend's dialect asks of a statement's text.
struct Rules {
    const char *sysdate;   // what SYSDATE becomes
    const char *order;     // a query of one table is ordered by it, when set
    bool quote_offset;     // the word offset is a column's name
    bool one_statement;    // a text after a top-level ';' is cut off, its place told
    // Where a query's or DML's literals go as parameters, when set.
    std::vector<Param> *params;
};

// A literal that a type name prefixes (DATE '...') takes no parameter.
bool typed_literal_word(std::string_view w) {
    return same_word(w, "DATE") || same_word(w, "TIME") || same_word(w, "TIMESTAMP") || same_word(w, "INTERVAL");
}

// The words that end an ORDER BY or GROUP BY list, whose integers are
// column positions, not values.
bool ends_by_list(std::string_view w) {
    return same_word(w, "LIMIT") || same_word(w, "OFFSET") || same_word(w, "HAVING") || same_word(w, "FOR") ||
           same_word(w, "UNION") || same_word(w, "EXCEPT") || same_word(w, "INTERSECT") || same_word(w, "FETCH") ||
           same_word(w, "WINDOW");
}

// The digits of tok as an integer of 32 bits, or -1 when tok is not one.
long small_integer(std::string_view tok) {
    if (tok.empty() || tok.size() > 10) return -1;
    long v = 0;
    for (char c : tok) {
        if (!is_digit(c)) return -1;
        v = v * 10 + (c - '0');
    }
    return v <= 2147483647L ? v : -1;
}

std::string map_with(std::string_view s, const Rules &rules, size_t &tail) {
    std::string out;
    out.reserve(s.size() + 64);
    tail = std::string_view::npos;
    size_t i = 0;
    bool first_token = true, delete_target = false;
    char last = 0;
    // What the top level of a query says, for its order: one table after
    // FROM, nothing that groups, merges or aggregates, an ORDER BY or none.
    bool select = false, single = true, ordered = false;
    int depth = 0;
    enum { Before, Table, After } from = Before;
    size_t end = std::string_view::npos;  // the top-level ';', where a tail begins
    // Literals become parameters in a query or DML (a utility statement
    // takes none); not in the column positions of ORDER BY and GROUP BY.
    bool data = false, by_list = false;
    std::string_view prev_word;
    if (rules.params) rules.params->clear();
    while (i < s.size()) {
        char c = s[i];
        size_t after_comment = skip_comment(s, i);
        if (after_comment != i) {
            out.append(s.substr(i, after_comment - i));
            i = after_comment;
            continue;
        }
        if (is_blank(c)) {
            out += c;
            ++i;
            continue;
        }
        if (end != std::string_view::npos) {
            tail = i;
            out.resize(end);
            return out;
        }
        size_t j = i + 1;
        bool word = is_word_char(c);
        if (c == '\'' || c == '"') {
            bool doubled = false, nul = false;
            j = scan_quoted(s.data(), i, s.size(), doubled, nul);
        } else if (word) {
            while (j < s.size() && is_word_char(s[j])) ++j;
        }
        std::string_view tok = s.substr(i, j - i);
        if (first_token && word && rules.params)
            data = same_word(tok, "SELECT") || same_word(tok, "INSERT") || same_word(tok, "UPDATE") ||
                   same_word(tok, "DELETE") || same_word(tok, "WITH");
        if (word && same_word(tok, "BY")) by_list = true;
        else if (by_list && ((word && ends_by_list(tok)) || c == ')')) by_list = false;
        bool param = false;
        if (data && c == '\'' && !(i > 0 && is_word_char(s[i - 1])) &&
            !(last == 'a' && typed_literal_word(prev_word)) && quote_closed(s.data(), i, j, s.size())) {
            bool doubled = false, nul = false;
            scan_quoted(s.data(), i, s.size(), doubled, nul);
            rules.params->push_back(Param{tok.substr(1, tok.size() - 2), true, doubled});
            param = true;
        } else if (data && word && is_digit(c) && !by_list && last != '.' && (j >= s.size() || s[j] != '.') &&
                   small_integer(tok) >= 0) {
            rules.params->push_back(Param{tok, false, false});
            param = true;
        }
        if (delete_target) {
            if ((word && !same_word(tok, "FROM")) || c == '"') out += "FROM ";
            delete_target = false;
        }
        if (first_token && word && same_word(tok, "DELETE")) delete_target = true;
        if (first_token && word && same_word(tok, "SELECT")) select = true;
        if (c == '(') ++depth;
        if (c == ')') --depth;
        // An aggregate in the select list, however deep (NVL(MAX(a), 0)).
        if (rules.order && select && from == Before && word && aggregate(s, tok, j)) single = false;
        if (rules.order && select && depth == 0) {
            if (from == Table) from = After;
            if (word && same_word(tok, "FROM") && from == Before) {
                from = Table;
            } else if (from == After && (c == ',' || (word && (same_word(tok, "JOIN") || same_word(tok, "AS"))))) {
                single = false;
            } else if (word && (same_word(tok, "GROUP") || same_word(tok, "DISTINCT") || same_word(tok, "UNION") ||
                                same_word(tok, "HAVING") || same_word(tok, "LIMIT") || same_word(tok, "FOR") ||
                                same_word(tok, "EXCEPT") || same_word(tok, "INTERSECT"))) {
                single = false;
            } else if (word && same_word(tok, "ORDER")) {
                ordered = true;
            }
        }
        if (rules.one_statement && c == ';' && depth == 0) {
            end = out.size();
        } else if (param) {
            char number[16];
            number[0] = '$';
            out.append(number, std::to_chars(number + 1, number + sizeof number, rules.params->size()).ptr);
        } else if (word && last != '.' && same_word(tok, "SYSDATE")) {
            out += rules.sysdate;
        } else if (rules.quote_offset && word && last != '.' && same_word(tok, "OFFSET")) {
            out += "\"offset\"";
        } else {
            out.append(tok);
        }
        first_token = false;
        if (word) prev_word = tok;
        last = word ? 'a' : c;
        i = j;
    }
    if (end != std::string_view::npos) out.resize(end);
    if (select && single && from != Before && rules.order) {
        while (!out.empty() && is_blank(out.back())) out.pop_back();
        out += ordered ? ", " : " ORDER BY ";
        out += rules.order;
    }
    return out;
}

}  // namespace

std::string map_dialect(std::string_view s) {
    size_t tail;
    return map_with(s, Rules{kSysdateSql, nullptr, false, false, nullptr}, tail);
}

std::string map_dialect_server(std::string_view s, const char *sysdate, const char *order, size_t &tail,
                               std::vector<Param> &params) {
    return map_with(s, Rules{sysdate, order, true, true, &params}, tail);
}

namespace {

// Whether the keyword `k` (upper case) starts at s[i] as a whole word; the
// exact spelling is tried before the fold.
bool keyword_at(std::string_view s, size_t i, std::string_view k) {
    if (i + k.size() > s.size()) return false;
    std::string_view w = s.substr(i, k.size());
    if (w != k && !same_word(w, k.data())) return false;
    return i + k.size() == s.size() || !is_word_char(s[i + k.size()]);
}

// The blanks from s[i] on. Every blank is at most ' ': one comparison
// passes the other bytes.
size_t skip_blanks(const char *d, size_t i, size_t n) {
    while (i < n && static_cast<unsigned char>(d[i]) <= ' ' && is_blank(d[i])) ++i;
    return i;
}

}  // namespace

size_t literal_insert_head(std::string_view s, std::string_view &table) {
    const size_t n = s.size();
    const char *d = s.data();
    size_t i = skip_blanks(d, 0, n);
    auto keyword = [&](std::string_view k) {
        if (!keyword_at(s, i, k)) return false;
        i = skip_blanks(d, i + k.size(), n);
        return true;
    };
    if (!keyword("INSERT") || !keyword("INTO")) return 0;
    size_t t0 = i;
    if (i >= n || !(std::isalpha(static_cast<unsigned char>(d[i])) || d[i] == '_')) return 0;
    while (i < n && is_word_char(d[i])) ++i;
    table = s.substr(t0, i - t0);
    i = skip_blanks(d, i, n);
    if (!keyword("VALUES")) return 0;
    if (i >= n || d[i] != '(') return 0;
    return i + 1;
}

bool literal_insert_values(std::string_view s, size_t i, std::vector<Literal> &vals, size_t &sysdates) {
    const size_t n = s.size();
    const char *d = s.data();
    vals.clear();
    sysdates = 0;
    for (;;) {
        i = skip_blanks(d, i, n);
        if (i >= n) return false;
        // Filled in place; a text that is no literal INSERT leaves vals
        // to the next statement.
        Literal &lit = vals.emplace_back(Literal{Literal::Int, 0, {}, false});
        if (d[i] == '\'') {
            // A NUL inside sends the text to the plain path.
            bool nul = false;
            size_t end = scan_quoted(d, i, n, lit.doubled, nul);
            if (nul || end >= n) return false;  // not closed, or nothing can follow
            lit.kind = Literal::Text;
            lit.raw = s.substr(i + 1, end - i - 2);
            i = end;
        } else if (d[i] == '-' || is_digit(d[i])) {
            bool negative = d[i] == '-';
            if (negative) ++i;
            if (i >= n || !is_digit(d[i])) return false;
            unsigned long long v = 0;
            for (; i < n && is_digit(d[i]); ++i) {
                // Past the largest integer SQLite reads it as a real; the
                // test comes before the digit, so the sum never wraps.
                unsigned digit = static_cast<unsigned>(d[i] - '0');
                if (v > (9223372036854775807ULL - digit) / 10) return false;
                v = v * 10 + digit;
            }
            if (i < n && (is_word_char(d[i]) || d[i] == '.')) return false;  // 1.5, 1e3, 0x1
            lit.value = negative ? -static_cast<sqlite3_int64>(v) : static_cast<sqlite3_int64>(v);
        } else if (constexpr std::string_view sysdate = "SYSDATE"; keyword_at(s, i, sysdate)) {
            lit.kind = Literal::Sysdate;
            ++sysdates;
            i += sysdate.size();
        } else {
            return false;
        }
        i = skip_blanks(d, i, n);
        if (i < n && d[i] == ',') {
            ++i;
            continue;
        }
        if (i < n && d[i] == ')') {
            ++i;
            break;
        }
        return false;
    }
    i = skip_blanks(d, i, n);
    if (i < n && d[i] == ';') i = skip_blanks(d, i + 1, n);
    return i == n;
}

void literal_insert_key(std::string_view table, const std::vector<Literal> &vals, std::string &key) {
    key.assign("INSERT INTO ").append(table).append(" VALUES (");
    for (size_t v = 0; v < vals.size(); ++v) {
        if (v) key += ',';
        if (vals[v].kind == Literal::Sysdate) key += kSysdateSql;
        else key += '?';
    }
    key += ')';
}

}  // namespace ndloci
