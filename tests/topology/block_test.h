// In-process runs of one block parser over a text: the log is captured in
// memory and the record lists start empty.
#ifndef NDL_TESTS_TOPOLOGY_BLOCK_TEST_H
#define NDL_TESTS_TOPOLOGY_BLOCK_TEST_H

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "runstate.h"
#include "tokenizer.h"

std::string &block_log();

class Block : public ::testing::Test {
protected:
    void SetUp() override {
        InitialiseGlobalData();
        releasememory("ALL");
        block_log().clear();
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
        block_log().clear();
        g_error = 0;
        return parser(open(text), nullptr, nullptr);
    }
    void close() {
        if (fp) std::fclose(fp);
        fp = nullptr;
    }
    const std::string &log() const { return block_log(); }

    std::string data;
    FILE *fp = nullptr;
};

#endif
