// Fuzz target: the tokenizer over arbitrary bytes, with the section
// keywords, pushed-back tokens and resets between inputs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runstate.h"
#include "tokenizer.h"

int addtooutput() { return 1; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static token_entry *buckets[kBuckets];
    static bool hashed = false;
    if (!hashed) {
        hash_init(majortokens, buckets);
        hashed = true;
    }
    if (size == 0) return 0;
    // fmemopen refuses an empty buffer; keep a private copy for it.
    char *copy = static_cast<char *>(std::malloc(size));
    std::memcpy(copy, data, size);
    FILE *fp = fmemopen(copy, size, "r");
    if (!fp) {
        std::free(copy);
        return 0;
    }
    InitialiseGlobalData();
    reset_tokenizer();
    char token[kTokenSize];
    int line = Line;
    for (size_t n = 0; n <= size + 1; ++n) {
        int kind = get_token(fp, token, buckets);
        if (std::strlen(token) >= static_cast<size_t>(kTokenSize)) std::abort();
        if (Line < line) std::abort();  // lines only grow
        line = Line;
        if (kind == TOKEN_EOF) break;
        // Now and then hand the token back, as a parser that looked ahead.
        if ((data[n % size] & 7) == 0) {
            setnexttoken(token, kind);
            int again = get_token(fp, token, buckets);
            if (kind != TOKEN_QUOTED && kind != TOKEN_ERROR && again != kind &&
                !(again == TOKEN_WORD && kind == TOKEN_NUMBER))
                std::abort();
        }
    }
    std::fclose(fp);
    std::free(copy);
    return 0;
}
