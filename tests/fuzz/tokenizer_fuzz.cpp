// Fuzz target: the tokenizer over arbitrary bytes, with the section
// keywords, pushed-back tokens and resets between inputs. The same bytes are
// read three ways: from memory in one piece, in pieces of a size the input
// chooses, and a byte per read. The tokenizer reads its stream ahead into a
// buffer of its own, so every way must give the same tokens, lines,
// messages and end-of-file state.
#include <sys/types.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "block_keywords.h"
#include "driver.h"
#include "runstate.h"
#include "sections.h"
#include "tokenizer.h"

namespace {

std::string messages;

struct Piecewise {
    const uint8_t *data;
    size_t size, pos, piece;
};

ssize_t read_piece(void *cookie, char *buf, size_t n) {
    auto *s = static_cast<Piecewise *>(cookie);
    size_t k = std::min({n, s->piece, s->size - s->pos});
    std::memcpy(buf, s->data + s->pos, k);
    s->pos += k;
    return static_cast<ssize_t>(k);
}

struct Step {
    int kind, line, error;
    bool eof;
    std::string text, log;
    bool operator==(const Step &o) const {
        return kind == o.kind && line == o.line && error == o.error && eof == o.eof && text == o.text &&
               log == o.log;
    }
};

std::vector<Step> tokenize(FILE *fp, const uint8_t *data, size_t size, token_entry **buckets) {
    InitialiseGlobalData();
    reset_tokenizer();
    messages.clear();
    std::vector<Step> steps;
    char token[kTokenSize];
    int line = Line;
    for (size_t n = 0; n <= size + 1; ++n) {
        int kind = get_token(fp, token, buckets);
        if (std::strlen(token) >= static_cast<size_t>(kTokenSize)) std::abort();
        if (Line < line) std::abort();  // lines only grow
        line = Line;
        steps.push_back({kind, Line, g_error, tokenizer_at_end(), token, messages});
        if (kind == TOKEN_EOF) break;
        // Now and then hand the token back, as a parser that looked ahead.
        if ((data[n % size] & 7) == 0) {
            setnexttoken(token, kind);
            int again = get_token(fp, token, buckets);
            if (kind != TOKEN_QUOTED && kind != TOKEN_ERROR && again != kind &&
                !(again == TOKEN_WORD && kind == TOKEN_NUMBER))
                std::abort();
            steps.push_back({again, Line, g_error, tokenizer_at_end(), token, messages});
        }
    }
    std::fclose(fp);
    return steps;
}

std::vector<Step> tokenize_pieces(const std::string &text, const uint8_t *data, size_t size, size_t piece,
                                  token_entry **buckets) {
    Piecewise src{reinterpret_cast<const uint8_t *>(text.data()), text.size(), 0, piece};
    FILE *fp = fopencookie(&src, "r", cookie_io_functions_t{read_piece, nullptr, nullptr, nullptr});
    if (!fp) std::abort();
    return tokenize(fp, data, size, buckets);
}

void keep_message(void *, const char *message) { messages += message; }
[[maybe_unused]] const log_sink kept = set_log({keep_message, nullptr});

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static token_entry *buckets[kBuckets];
    static std::vector<token_entry> keywords;
    if (keywords.empty()) every_block_keyword(keywords, buckets);
    if (size == 0) return 0;
    // One input in four sits after line ends across the end of the first
    // chunk the tokenizer reads.
    size_t before = (data[0] & 3) == 0 ? kReadChunk - 1 - data[size - 1] % 48 : 0;
    std::string text = std::string(before, '\n') + std::string(reinterpret_cast<const char *>(data), size);
    // fmemopen refuses an empty buffer; keep a private copy for it.
    std::string copy = text;
    FILE *fp = fmemopen(copy.data(), copy.size(), "r");
    if (!fp) return 0;
    std::vector<Step> whole = tokenize(fp, data, size, buckets);

    std::vector<Step> bytewise = tokenize_pieces(text, data, size, 1, buckets);
    if (whole != bytewise) std::abort();
    std::vector<Step> pieces = tokenize_pieces(text, data, size, 2 + data[0] % 61, buckets);
    if (pieces != bytewise) std::abort();
    return 0;
}
