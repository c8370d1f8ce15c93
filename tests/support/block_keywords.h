// Every section's block keywords and the frame's, once each, hashed into
// BUCKETS: the tokenizer's view of a file whose section is not yet known,
// for the tokenizer's fuzz target and benchmark. KEYWORDS owns the rows.
#ifndef NDL_TESTS_BLOCK_KEYWORDS_H
#define NDL_TESTS_BLOCK_KEYWORDS_H

#include <algorithm>
#include <cstring>
#include <vector>

#include "driver.h"
#include "sections.h"
#include "tokenizer.h"

inline void every_block_keyword(std::vector<token_entry> &keywords, token_entry **buckets) {
    keywords.clear();
    for (const frame_keyword &k : kFrameKeywords) keywords.push_back({k.name, 0, 0, 0, k.kind, 0, 0, nullptr});
    for (int i = 0; const char *name = section_name(i); ++i) {
        const section_def *def = registered_section(name);
        for (const block_entry *b = def ? def->blocks : nullptr; b && b->kind; ++b)
            if (std::none_of(keywords.begin(), keywords.end(),
                             [b](const token_entry &e) { return std::strcmp(e.name, b->keyword) == 0; }))
                keywords.push_back({b->keyword, 0, 0, 0, b->kind, 0, 0, nullptr});
    }
    keywords.push_back({});
    hash_init(keywords.data(), buckets);
}

#endif
