// What the policy load tests share: a run refused on a file that ends
// inside a block, with the exact messages of that block.
#ifndef NDL_TESTS_POLICY_POLICY_LOAD_H
#define NDL_TESTS_POLICY_POLICY_LOAD_H

#include "../topology/topo_load.h"

// A cut file: its text and the messages its last block logs for the end.
struct Cut {
    std::string text;
    std::vector<std::string> messages;
};

// The run failed, and its last messages are `messages`, then the skip's
// "Exiting due to errors" (what comes before is the earlier files' and
// blocks').
template <class Outcome>
void expect_refused_at_end(const Outcome &r, const std::vector<std::string> &messages, const std::string &note) {
    EXPECT_EQ(r.ret, 2) << note;
    std::vector<std::string> errors = errors_of(r.messages), expected = messages;
    expected.push_back("Exiting due to errors \n");
    ASSERT_GE(errors.size(), expected.size()) << note << ::testing::PrintToString(errors);
    EXPECT_EQ(std::vector<std::string>(errors.end() - static_cast<std::ptrdiff_t>(expected.size()), errors.end()),
              expected)
        << note;
}

#endif
