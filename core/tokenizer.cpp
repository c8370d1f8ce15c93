// NDL tokenizer and keyword tables.
#include "tokenizer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "bytes.h"
#include "evaluator.h"
#include "runstate.h"
#include "validations.h"

// clang-format off
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
            fold[i] = keyword_fold(static_cast<unsigned char>(i));
        // A NUL byte separates tokens like a blank: it cannot live in a text.
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

// The tokenizer's own read buffer: the bytes of the stream it reads that
// it has not taken yet, read a chunk at a time through the stream's public
// interface. It serves one stream: reset_tokenizer lets it go, and a call
// with another stream starts over on that one. Static, so that reading
// allocates nothing and a load's peak memory does not grow with it.
struct Input {
    FILE *fp = nullptr;
    const unsigned char *p = nullptr, *end = nullptr;  // the bytes not taken
    bool at_end = false;  // a read met the stream's end
    bool failed = false;  // a read failed: the input ends there
    unsigned char buf[kReadChunk];
};
Input input;

void use_stream(FILE *fp) {
    input.fp = fp;
    input.p = input.end = input.buf;
    input.at_end = input.failed = false;
}
inline void bind_stream(FILE *fp) {
    if (fp != input.fp) use_stream(fp);
}

// The next chunk; false when none came. A read that fails ends the input
// as its end would, but the load fails, with its message: the blocks the
// file lost must not be taken as deleted.
[[gnu::noinline]] bool refill() {
    if (input.failed) return false;
    size_t n = std::fread(input.buf, 1, sizeof input.buf, input.fp);
    input.p = input.buf;
    input.end = input.buf + n;
    if (n) return true;
    if (std::ferror(input.fp)) {
        input.failed = true;
        logmsg("ERROR: File cannot be read to its end (%s) @ %d\n", std::strerror(errno), Line);
        g_error = 1;
    } else {
        input.at_end = true;
    }
    return false;
}

// Reads one byte, counting lines as they are read. Only the real end of the
// input ends it: a byte 0xFF is an ordinary byte, so that a stray one cannot
// silently cut off the rest of a file (and the stored rows of its blocks).
// As a text-mode read on the original platform, CR LF is one line end.
int next_char() {
    if (input.p == input.end && !refill()) return EOF;
    int c = *input.p++;
    if (c > '\r') return c;  // neither line end
    if (c == '\r' && (input.p < input.end || refill()) && *input.p == '\n') {
        ++input.p;
        c = '\n';
    }
    if (c == '\n') ++Line;
    return c;
}

// What a word's bytes add up to, one table read per byte: the folded byte
// (the keyword hash) in the low half, a count of lower-case letters and a
// count of non-digits above it; a byte that ends a word has the sign bit.
constexpr int kLowerShift = 32, kOtherShift = 48;
constexpr uint64_t kEndsWord = uint64_t{1} << 63;
struct WordMap {
    uint64_t v[256];
    constexpr WordMap() : v() {
        for (int i = 0; i < 256; ++i) {
            if (charmap.cls[i]) {
                v[i] = kEndsWord;
                continue;
            }
            v[i] = charmap.fold[i];
            if (i >= 'a' && i <= 'z') v[i] |= uint64_t{1} << kLowerShift;
            if (i < '0' || i > '9') v[i] |= uint64_t{1} << kOtherShift;
        }
    }
};
constexpr WordMap wordmap;

// The bytes that stop the bulk copy of a quoted text.
struct QuoteMap {
    bool stop[256];
    constexpr QuoteMap() : stop() {
        for (char c : {'"', '\n', '\r', '\0'}) stop[static_cast<unsigned char>(c)] = true;
    }
};
constexpr QuoteMap quotemap;

// What the fast path of get_token does with a byte.
enum : unsigned char { kScanWord, kScanBlank, kScanNewline, kScanCr, kScanPunct, kScanQuote };
struct ScanMap {
    unsigned char k[256];
    constexpr ScanMap() : k() {
        for (int i = 0; i < 256; ++i)
            k[i] = charmap.cls[i] == kPunct ? kScanPunct : charmap.cls[i] == kSpace ? kScanBlank : kScanWord;
        k[static_cast<unsigned char>('\n')] = kScanNewline;
        k[static_cast<unsigned char>('\r')] = kScanCr;
        k[static_cast<unsigned char>('"')] = kScanQuote;
    }
};
constexpr ScanMap scanmap;

// Reads the input the way next_char does, but takes the bytes that the
// buffer holds from a local copy of its position: a blank, a line end or a
// word's byte costs no call. A CR (which next_char pairs with the LF after
// it) and the buffer's end go through next_char. The position is handed
// back by store(), which must come before anything else reads the input
// and before get_token returns.
class Cursor {
public:
    Cursor() { load(); }

    void store() { input.p = p_; }

    // next_char().
    int get() {
        if (p_ < end_) {
            int b = *p_;
            if (b != '\r') {
                ++p_;
                if (b == '\n') ++Line;
                return b;
            }
        }
        return slow();
    }

    // Reads on from a blank to the first byte that is none (or EOF).
    int skip_blanks() {
        for (;;) {
            while (p_ < end_) {
                int b = *p_;
                if (charmap.cls[b] != kSpace) {
                    ++p_;
                    return b;
                }
                if (b == '\r') break;
                ++p_;
                if (b == '\n') ++Line;
            }
            int c = slow();
            if (c == EOF || charmap.cls[static_cast<unsigned char>(c)] != kSpace) return c;
        }
    }

    // Reads on to a line end (or EOF) and gives it. A CR on the way is
    // passed as next_char would pass it: alone it is a byte, before an LF
    // the LF ends the line.
    int skip_line() {
        for (;;) {
            if (p_ < end_) {
                auto *nl = static_cast<const unsigned char *>(
                    std::memchr(p_, '\n', static_cast<size_t>(end_ - p_)));
                if (nl) {
                    p_ = nl + 1;
                    ++Line;
                    return '\n';
                }
                p_ = end_;
            }
            int c = slow();
            if (c == EOF || c == '\n') return c;
        }
    }

    // The buffered bytes ahead, at most `room` of them.
    const unsigned char *pos() const { return p_; }
    const unsigned char *limit(size_t room) const {
        return static_cast<size_t>(end_ - p_) > room ? p_ + room : end_;
    }
    void advance_to(const unsigned char *q) { p_ = q; }

private:
    void load() {
        p_ = input.p;
        end_ = input.end;
    }
    int slow() {
        store();
        int c = next_char();
        load();
        return c;
    }

    const unsigned char *p_ = nullptr, *end_ = nullptr;
};

// The row the last lookup matched, whatever its kind.
const token_entry *matched = nullptr;
// The last word read holds a lower-case letter.
bool lower = true;

// casestrcmp's equality for a name and a word of `len` bytes each, faster
// where it matters: keywords are upper case, as words mostly are, so bytes
// are folded only when they differ.
bool same_keyword(const char *name, const char *text, size_t len) {
    if (bytes::same(name, text, len)) return true;
    for (size_t i = 0; i < len; ++i)
        if (name[i] != text[i] && fold(name[i]) != fold(text[i])) return false;
    return true;
}

inline int lookup(const char *text, size_t len, token_entry **buckets, int hash) {
    for (token_entry *e = buckets[hash & (kBuckets - 1)]; e; e = e->next)
        // One byte of the same hash is the same byte folded.
        if (e->hash == hash && e->namelen == static_cast<int>(len) &&
            (len == 1 || same_keyword(e->name, text, len))) {
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

FILE *open_ndl_file(const char *path) {
    // Without O_NONBLOCK a FIFO nobody writes would hold the open for ever;
    // only a regular file is read (a device may never end).
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st;
    FILE *fp = nullptr;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0)
        fp = fdopen(fd, "r");
    if (!fp) {
        // The caller tells a want of memory (ENOMEM) from the rest.
        int err = errno;
        close(fd);
        errno = err;
    }
    return fp;
}

namespace {

// Of the first N bytes of B in groups of WIDTH (2 or 4), at least half hold
// NULs everywhere but at CHAR (the same place in each) and a character
// there, and none is NULs only. An 8-bit file whose first line holds NULs
// has NUL beside NUL, or a line end beside text: its groups are either
// NULs only or mostly without a NUL. A letter beyond ASCII is a group
// without those NULs, which half of the groups may be.
bool wide_text(const unsigned char *b, size_t n, size_t width, size_t at) {
    size_t groups = 0, narrow = 0;
    for (size_t i = 0; i + width <= n; i += width, ++groups) {
        size_t nuls = 0;
        for (size_t k = 0; k < width; ++k) nuls += b[i + k] == 0;
        if (nuls == width) return false;
        narrow += nuls == width - 1 && b[i + at] != 0;
    }
    return narrow > 0 && narrow * 2 >= groups;
}

}  // namespace

const char *text_encoding(const unsigned char *head, size_t n) {
    auto starts = [&](const char *mark, size_t len) { return n >= len && std::memcmp(head, mark, len) == 0; };
    // UTF-32's little-endian mark begins with UTF-16's: it is asked first.
    if (starts("\x00\x00\xFE\xFF", 4) || starts("\xFF\xFE\x00\x00", 4) || wide_text(head, n, 4, 0) ||
        wide_text(head, n, 4, 3))
        return "UTF-32";
    if (starts("\xFF\xFE", 2) || starts("\xFE\xFF", 2) || wide_text(head, n, 2, 0) || wide_text(head, n, 2, 1))
        return "UTF-16";
    return nullptr;
}

FILE *open_ndl_text(const char *path, const char *&refused) {
    refused = nullptr;
    FILE *fp = open_ndl_file(path);  // a regular file, or null
    if (!fp) return fp;
    // The first bytes, whatever lines they hold.
    unsigned char head[256];
    size_t n = std::fread(head, 1, sizeof head, fp);
    refused = text_encoding(head, n);
    bool mark8 = n >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF;
    if (!refused && std::fseek(fp, mark8 ? 3 : 0, SEEK_SET) == 0) return fp;
    std::fclose(fp);
    return nullptr;
}

bool tokenizer_at_end() { return input.at_end; }

void reset_tokenizer() {
    Line = 1;
    // The buffer's bytes are the last file's; its stream may be closed.
    input.fp = nullptr;
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

int casestrcmp(const char *a, const char *b) { return same_word(a, b) ? 0 : 1; }

namespace {

int read_quoted(Cursor &in, char *token) {
    int n = 0;
    for (;;) {
        int c = in.get();
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
            while (c != EOF && c != '"') c = in.get();
            last = ' ';
            return TOKEN_ERROR;
        }
        token[n++] = static_cast<char>(c);
        // The text's rest up to a line end, a NUL byte or its quote.
        const unsigned char *q = in.pos(), *lim = in.limit(static_cast<size_t>(kTokenSize - 1 - n));
        while (q < lim && !quotemap.stop[*q]) token[n++] = static_cast<char>(*q++);
        in.advance_to(q);
    }
    token[n] = '\0';
    last = ' ';
    return TOKEN_QUOTED;
}

}  // namespace

int parseQuoteString(FILE *fp, char *token) {
    bind_stream(fp);
    Cursor in;
    int kind = read_quoted(in, token);
    in.store();
    return kind;
}

const token_entry *matched_keyword() { return matched; }
bool token_has_lower() { return lower; }

namespace {

// A punctuation byte is a token of its own; what follows it is read by the
// next call. Its hash is the byte itself.
inline int punct_token(char *token, token_entry **buckets, int c) {
    token[0] = static_cast<char>(c);
    token[1] = '\0';
    lower = false;
    last = ' ';
    int kind = lookup(token, 1, buckets, c);
    return kind ? kind : TOKEN_WORD;
}

// Reads a token from the look-ahead `last` on: the whole tokenizer, every
// byte through a Cursor. get_token's fast path leaves anything unusual to
// it.
int read_token(FILE *fp, char *token, token_entry **buckets) {
    Cursor in;
    for (;;) {
        token[0] = '\0';
        int c = last;
        if (c != EOF && charmap.cls[static_cast<unsigned char>(c)] == kSpace) c = in.skip_blanks();
        if (c == EOF) {
            in.store();
            last = EOF;
            return TOKEN_EOF;
        }
        if (c == '"') {
            in.store();
            return parseQuoteString(fp, token);
        }
        if (charmap.cls[c] == kPunct) {
            in.store();
            return punct_token(token, buckets, c);
        }

        // A word: its bytes, then the byte that ends it.
        int n = 0;
        uint64_t sum = 0;
        bool ended_by_newline = false;
        for (;;) {
            if (c != EOF && charmap.cls[static_cast<unsigned char>(c)] == 0) {
                if (n == kTokenSize - 1) {
                    in.store();
                    token[n] = '\0';
                    lower = (sum >> kLowerShift) & 0xFFFF;
                    last = c;
                    logmsg("ERROR : Token length exceeds maximum token length  : %s @ %d\n", token, Line);
                    g_error = 1;
                    return TOKEN_ERROR;
                }
                token[n++] = static_cast<char>(c);
                sum += wordmap.v[c];
                // The word's rest that the buffer holds.
                const unsigned char *q = in.pos(), *lim = in.limit(static_cast<size_t>(kTokenSize - 1 - n));
                while (q < lim) {
                    uint64_t v = wordmap.v[*q];
                    if (v & kEndsWord) break;
                    sum += v;
                    token[n++] = static_cast<char>(*q++);
                }
                in.advance_to(q);
                c = in.get();
                continue;
            }
            if (c == EOF) {
                // The input ended inside the word: only a keyword survives.
                in.store();
                token[n] = '\0';
                lower = (sum >> kLowerShift) & 0xFFFF;
                last = EOF;
                int kind = lookup(token, static_cast<size_t>(n), buckets, static_cast<int>(sum & 0xFFFFFFFF));
                return kind ? kind : TOKEN_EOF;
            }
            if (c == '\n') {
                ended_by_newline = true;
                last = ' ';
            } else {
                last = c;  // a blank or a punctuation byte
            }
            break;
        }
        token[n] = '\0';
        lower = (sum >> kLowerShift) & 0xFFFF;

        int kind = lookup(token, static_cast<size_t>(n), buckets, static_cast<int>(sum & 0xFFFFFFFF));
        if (kind) {
            in.store();
            return kind;
        }
        if (token[0] == '-' && token[1] == '-') {
            if (!ended_by_newline && in.skip_line() == EOF) {
                in.store();
                last = EOF;
                return TOKEN_EOF;
            }
            last = '\n';
            continue;
        }
        in.store();
        return sum >> kOtherShift ? TOKEN_WORD : TOKEN_NUMBER;
    }
}

// After a "--" word the fast path read: the rest of its line goes, and the
// token after it is read as if the loop had gone on.
[[gnu::noinline]] int after_comment(FILE *fp, char *token, token_entry **buckets, bool ended_by_newline) {
    if (!ended_by_newline) {
        Cursor in;
        int c = in.skip_line();
        in.store();
        if (c == EOF) {
            last = EOF;
            return TOKEN_EOF;
        }
    }
    last = '\n';
    return read_token(fp, token, buckets);
}

[[gnu::noinline]] int read_token_afresh(FILE *fp, char *token, token_entry **buckets) {
    matched = nullptr;
    lower = true;  // unless a word read here says otherwise
    if (b_nexttokeninmem) {
        b_nexttokeninmem = false;
        copy_bounded(token, nextinmemtoken, kTokenSize);
        if (nextinmemtokentype == TOKEN_EOF || nextinmemtokentype == TOKEN_NUMBER)
            return nextinmemtokentype;
        int kind = lookup(token, std::strlen(token), buckets, keyword_hash(token));
        return kind ? kind : TOKEN_WORD;
    }
    return read_token(fp, token, buckets);
}

}  // namespace

// The common token comes first: blanks and newlines, then punctuation, a
// quoted text or a word ended by a blank, a newline or punctuation, all in
// the tokenizer's buffer. Nothing is taken until the token is known to be
// such; anything else (the buffer's end, a CR, a token too long, a NUL in
// quotes, a pushed-back token) is left whole to read_token_afresh. It rests
// on the buffer holding, from input.p to input.end, the very bytes
// next_char would read next. The buffer of its own against the stream's
// private fields it replaced (the every-block load, against main before
// it): 592.8 M instructions against 591.9 M on 3 MB (callgrind, 1.002x,
// the stream check per token); CPU time (user+sys) on 30 MB 1.40 s against
// 1.49 s, 0.93x (medians of 9 interleaved pairs, range 0.80-1.07); the
// createversion of the policy sections onto 40 versions 1141.2 M against
// 1141.5 M (1.000x), CPU time 1.00x (range 0.84-1.19).
int get_token(FILE *fp, char *token, token_entry **buckets) {
    bind_stream(fp);
    if (!b_nexttokeninmem && last != EOF) {
        int c = last;
        unsigned k = scanmap.k[c];
        if (k == kScanPunct) return punct_token(token, buckets, c);
        if (k == kScanBlank || k == kScanNewline || k == kScanCr) {
            const unsigned char *p = input.p, *end = input.end;
            int lines = 0;
            for (;; ++p) {
                if (p >= end) goto general;
                c = *p;
                k = scanmap.k[c];
                if (k == kScanBlank) continue;
                if (k != kScanNewline) break;
                ++lines;
            }
            if (k == kScanPunct) {
                input.p = p + 1;
                Line += lines;
                return punct_token(token, buckets, c);
            }
            if (k == kScanQuote) {
                // The text up to its quote, if no line end, NUL or limit
                // comes first.
                const unsigned char *q = ++p;
                const unsigned char *lim = end - p > kTokenSize - 1 ? p + (kTokenSize - 1) : end;
                while (q < lim && !quotemap.stop[*q]) ++q;
                Line += lines;
                matched = nullptr;
                lower = true;
                if (q < lim && *q == '"') {
                    size_t n = static_cast<size_t>(q - p);
                    std::memcpy(token, p, n);
                    token[n] = '\0';
                    last = ' ';
                    input.p = q + 1;
                    return TOKEN_QUOTED;
                }
                input.p = p;
                return parseQuoteString(fp, token);
            }
            if (k != kScanWord) goto general;  // a CR
            // A word, up to the byte after it.
            const unsigned char *q = p + 1;
            const unsigned char *lim = end - p > kTokenSize - 1 ? p + (kTokenSize - 1) : end;
            uint64_t sum = wordmap.v[c];
            while (q < lim) {
                uint64_t v = wordmap.v[*q];
                if (v & kEndsWord) break;
                sum += v;
                ++q;
            }
            if (q == end) goto general;
            int after = *q;
            k = scanmap.k[after];
            if (k == kScanWord || k == kScanQuote || k == kScanCr) goto general;
            size_t n = static_cast<size_t>(q - p);
            std::memcpy(token, p, n);
            token[n] = '\0';
            input.p = q + 1;
            bool ended_by_newline = k == kScanNewline;
            Line += lines + ended_by_newline;
            last = ended_by_newline ? ' ' : after;
            lower = (sum >> kLowerShift) & 0xFFFF;
            int kind = lookup(token, n, buckets, static_cast<int>(sum & 0xFFFFFFFF));
            if (kind) return kind;
            if (token[0] == '-' && token[1] == '-') return after_comment(fp, token, buckets, ended_by_newline);
            return sum >> kOtherShift ? TOKEN_WORD : TOKEN_NUMBER;
        }
    }
general:
    return read_token_afresh(fp, token, buckets);
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
