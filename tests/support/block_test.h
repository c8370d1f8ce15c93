// In-process runs of one block parser over a text: the log is captured in
// memory and the record lists start empty.
#ifndef NDL_TESTS_TOPOLOGY_BLOCK_TEST_H
#define NDL_TESTS_TOPOLOGY_BLOCK_TEST_H

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "driver.h"
#include "records_topology.h"
#include "runstate.h"
#include "tokenizer.h"

#include "memory_log.h"

// A new empty record at the tail of `list`.
template <class R>
R *add(record_list<R> &list) {
    R *rec = alloc_record<R>();
    append_record(list, rec);
    return rec;
}

template <class R>
int count(const R *head) {
    int n = 0;
    for (; head; head = head->next) ++n;
    return n;
}
template <class R>
int count(const record_list<R> &list) {
    return count<R>(list.head);
}

// Domain `domain` with its node types, each of `devicetype`.
inline void add_domain(const char *domain, std::initializer_list<const char *> nodetypes,
                       const char *devicetype = "") {
    add(prdomains)->domainname = domain;
    for (const char *nodetype : nodetypes) {
        domain_node_rec *n = add(prdomainnodes);
        n->domainname = domain;
        n->nodetype = nodetype;
        n->devicetype = devicetype;
    }
}

// A text a parser refuses, and the first line it logs for it.
struct Refused {
    std::string text, first_line;
};

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
    std::string first_log_line() const { return log_text.substr(0, log_text.find('\n') + 1); }

    // Each text is refused (1) with its first line; `before` runs ahead of
    // every case and `after` checks what the case left behind.
    template <class Parser>
    void expect_refused(Parser parser, const std::vector<Refused> &cases, const std::function<void()> &before = {},
                        const std::function<void(const std::string &)> &after = {}) {
        for (const Refused &c : cases) {
            if (before) before();
            EXPECT_EQ(run(parser, c.text), 1) << c.text;
            EXPECT_EQ(first_log_line(), c.first_line) << c.text;
            if (after) after(c.text);
        }
    }

    std::string data;
    FILE *fp = nullptr;
};

#endif
