// In-process runs of one block parser over a text: the log is captured in
// memory and the record lists start empty.
#ifndef NDL_TESTS_TOPOLOGY_BLOCK_TEST_H
#define NDL_TESTS_TOPOLOGY_BLOCK_TEST_H

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "runstate.h"
#include "tokenizer.h"

#include "memory_log.h"

class Block : public ::testing::Test {
protected:
    void SetUp() override {
        InitialiseGlobalData();
        releasememory("ALL");
        log_text.clear();
    }
    void TearDown() override {
        close();
        releasememory("ALL");
    }
    // Opens `text` as the input file, the block keyword already read.
    FILE *open(const std::string &text) {
        close();
        reset_tokenizer();
        data = text;
        fp = fmemopen(data.data(), data.size(), "r");
        return fp;
    }
    template <class Parser>
    int run(Parser parser, const std::string &text) {
        log_text.clear();
        g_error = 0;
        return parser(open(text), nullptr, nullptr);
    }
    void close() {
        if (fp) std::fclose(fp);
        fp = nullptr;
    }
    const std::string &log() const { return log_text; }

    std::string data;
    FILE *fp = nullptr;
};

#endif
