// The NDL tokenizer, the keyword tables and the small text services that
// every parser shares.
#ifndef NDL_CORE_TOKENIZER_H
#define NDL_CORE_TOKENIZER_H

#include <cstddef>
#include <cstdio>

// Token kinds returned by get_token; a keyword returns its own kind.
enum {
    TOKEN_EOF = -2,
    TOKEN_ERROR = -1,
    TOKEN_WORD = 1,
    TOKEN_NUMBER = 3,
    TOKEN_LPAREN = 4,
    TOKEN_RPAREN = 5,
    TOKEN_EQUAL = 6,
    TOKEN_END = 7,
    TOKEN_HASH = 27,
    TOKEN_GROUP = 28,
    TOKEN_ATTRIBUTE = 29,
    TOKEN_LOOPBACK = 31,
    TOKEN_QUOTED = 32,
    TOKEN_BEGIN = 33,
    TOKEN_TO = 34,
    TOKEN_SCOPE = 35,
    TOKEN_LIST = 38,
    TOKEN_AREA = 39,
    // The section header's first word. Block keywords and their kinds are
    // the sections' own (core/sections.h, block_entry).
    KW_NETWORKNAME = 56,
};

// One row of a keyword table; a table ends with a row whose name is null.
struct token_entry {
    const char *name;  // upper case
    int namelen;       // as typed into the table; hash_init makes it exact
    int mandatory;     // 0 optional; nonzero mandatory; 2 also vendor-checked
    int found;         // met in the current block
    int type;          // kind returned for the keyword
    int maxlen;        // longest value allowed
    int hash;          // set by hash_init
    token_entry *next; // bucket chain, set by hash_init
};

constexpr int kBuckets = 32;
// A table of values an attribute may take: rows of 301 bytes, ended by an
// empty row.
typedef char value_table[301];

extern token_entry mainsectiontokens[];
extern const value_table sectionnames[];

struct vendor_flag_entry {
    const char *keyword;
    int flag;  // 1 mandatory for the vendor, 3 not applicable
};
struct vendor_map_entry {
    const char *vendor;  // null ends the map
    const char *tablename;
    const vendor_flag_entry *flags;  // ends with a null keyword
};
extern const vendor_map_entry globalvendormap[];

// A keyword's byte as the hash and the lookups see it: letters folded to
// lower case, every other byte as it is.
constexpr unsigned char keyword_fold(unsigned char c) {
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}
// The keyword hash: the sum of the folded bytes. The tokenizer sums a word
// as it reads it, with the same fold.
constexpr int keyword_hash(const char *s) {
    int h = 0;
    for (; *s; ++s) h += keyword_fold(static_cast<unsigned char>(*s));
    return h;
}
// Hashes a table into 32 buckets: a keyword is then found in any case. A
// later row heads its bucket's chain. Constant: the block tables are hashed
// when they are compiled.
constexpr void hash_init(token_entry *table, token_entry **buckets) {
    for (int i = 0; i < kBuckets; ++i) buckets[i] = nullptr;
    for (token_entry *e = table; e->name; ++e) {
        e->hash = keyword_hash(e->name);
        // Lookups compare lengths before names: a typed length is made exact.
        int len = 0;
        while (e->name[len]) ++len;
        e->namelen = len;
        e->next = buckets[e->hash & (kBuckets - 1)];
        buckets[e->hash & (kBuckets - 1)] = e;
    }
}
// Reads the next token into `token` (room for 300 bytes) and gives its kind.
int get_token(FILE *fp, char *token, token_entry **buckets);
// The row of the buckets that the last get_token's word matched (any
// kind), or null when it matched none.
const token_entry *matched_keyword();
// False when the last get_token read a word without a lower-case letter.
bool token_has_lower();
// Pushes one token back: the next get_token serves it.
void setnexttoken(const char *token, int kind);
// Before each file: line 1, no pushed-back token, no look-ahead character,
// nothing of the last file's stream in the tokenizer's buffer.
void reset_tokenizer();
// The tokenizer reads its stream ahead into a buffer of its own, this much
// at a time: the stream's own state (feof) says where the reads are, this
// says whether the tokenizer itself has met the stream's end.
constexpr size_t kReadChunk = 64 * 1024;
bool tokenizer_at_end();

// Opens an NDL file for reading; null when it cannot be opened. Only a
// regular file holds text: a directory, a FIFO, a device or a socket is a
// file that cannot be opened, refused at once.
FILE *open_ndl_file(const char *path);
// The name of the encoding of a text in an encoding the loader does not
// read, told by its first N bytes: "UTF-32" (its mark, or text of three
// NULs beside a character in most of its fours), "UTF-16" (its mark, or a
// NUL beside a character in most of its pairs, whatever letters the others
// hold); null for 8-bit text.
const char *text_encoding(const unsigned char *head, size_t n);
// Opens an NDL file as editors save it: past a UTF-8 byte-order mark at its
// very start (line numbers stay as they are). A file in an encoding the
// loader does not read is not opened: null with `refused` set to the
// encoding's name, for the caller to report with kEncodingRefusal.
FILE *open_ndl_text(const char *path, const char *&refused);
// printf format of the refusal of a file by its encoding: the encoding's
// name, then the path.
constexpr const char kEncodingRefusal[] =
    "ERROR: File is %s text, save it as 8-bit text (UTF-8 or ASCII) and parse it again: %s \n";
int parseQuoteString(FILE *fp, char *token);
// Equal ignoring case (A-Z and a-z alike, every other byte as it is),
// inline: what a block reader compares its token with is mostly one
// punctuation character, which for a literal `b` comes down to two byte
// compares.
inline bool same_word(const char *a, const char *b) {
    unsigned char first = static_cast<unsigned char>(b[0]);
    if (first && !b[1] && ((first | 0x20) < 'a' || (first | 0x20) > 'z')) return a[0] == b[0] && !a[1];
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
        if (x != y) {
            // Equal but for case: one bit apart, and a letter.
            unsigned char lower = x | 0x20;
            if (lower != (y | 0x20) || lower < 'a' || lower > 'z') return false;
        }
        if (!x) return true;
    }
}
// 0 when equal ignoring case, 1 otherwise.
int casestrcmp(const char *a, const char *b);

int clear_foundflag(token_entry *table);
int set_foundflag(token_entry *table, const char *keyword);
// `missing` receives the first missing keyword (room for 31 bytes).
int validate_mandatoryfields(const char *vendor, const char *tablename, token_entry *table,
                             char *missing);
int get_vendorspecific_flag(const char *vendor, const char *tablename, const char *keyword);

// Checks an EVALEXP value by evaluating it once with a test number.
int validate_evalexp(const char *domainname, const char *nodetype, const char *context1,
                     const char *context2, const char *context3, const char *value);

// Copies with letters raised (lowered); `dest` may be `src`. At most size-1
// bytes are written before the terminator.
void converttocap(char *dest, const char *src, size_t size);
void converttolow(char *dest, const char *src, size_t size);
int checkisnumber(const char *text);

#endif
