// Loads of ROUTING files through the host, each after the topology of
// tests/data/routing/topo.ndl in the same run.
#ifndef NDL_TESTS_ROUTING_ROUTING_LOAD_H
#define NDL_TESTS_ROUTING_ROUTING_LOAD_H

#include <filesystem>
#include <map>

#include "topo_load.h"

using V = std::vector<std::string>;

// A ROUTING text from line 2 on, and every error its load reports, in order.
struct MessageCase {
    std::string text;
    V errors;
};

class RoutingLoad : public TopoLoad {
protected:
    void SetUp() override {
        TopoLoad::SetUp();
        std::filesystem::copy_file(std::string(kRouting) + "/topo.ndl", dir + "/topo.ndl");
    }

    // The topology, then a ROUTING section of `blocks` (from line 2 on);
    // the file lines are left out of the messages.
    Outcome blocks(const std::string &text, const std::string &mode = "") {
        std::ofstream(dir + "/r.ndl") << kRoutingHeader << text;
        return without_file_lines(load("topo.ndl,r.ndl", mode, dir));
    }
    // Each text fails the load with exactly its errors.
    void check(const std::vector<MessageCase> &cases) {
        for (const MessageCase &c : cases) {
            Outcome r = blocks(c.text + "\n");
            EXPECT_EQ(r.ret, 2) << c.text;
            EXPECT_EQ(errors_of(r.messages), c.errors) << c.text;
        }
    }
    // Each text ends inside a block (no line end after it): an error, never
    // a silent END; its errors, then the skip that meets the end.
    void check_cut_short(const std::vector<MessageCase> &cases) {
        for (const MessageCase &c : cases) {
            Outcome r = blocks(c.text);
            EXPECT_EQ(r.ret, 2) << c.text;
            V errors = c.errors;
            errors.push_back("Exiting due to errors \n");
            EXPECT_EQ(errors_of(r.messages), errors) << c.text;
        }
    }
    // Each text, a file cut off inside a block, fails as an update and
    // leaves `tables` as they were.
    template <class Tables>
    void expect_cuts_keep(const V &cuts, const Tables &tables) {
        std::map<std::string, V> before;
        for (const std::string t : tables) before[t] = table(t);
        for (size_t i = 0; i < cuts.size(); ++i) {
            const std::string name = "cut" + std::to_string(i + 1) + ".ndl";
            write_file(name, cuts[i]);
            Outcome r = load(name, "updateversion", dir);
            EXPECT_EQ(r.ret, 2) << name;
            for (const std::string t : tables) EXPECT_EQ(table(t), before[t]) << name << " " << t;
        }
    }
    // Files of tests/data/routing.
    Outcome files(const std::string &names, const std::string &mode = "") {
        return without_file_lines(load(names, mode, kRouting));
    }

    // Rows of a table, in the order they were written.
    V table(const std::string &name, const std::string &where = "") const {
        return rows("SELECT * FROM " + name + (where.empty() ? "" : " WHERE " + where) + " ORDER BY rowid");
    }

    static Outcome without_file_lines(Outcome r) {
        V kept;
        for (const std::string &m : r.messages)
            if (m.find("--- FILE:") == std::string::npos) kept.push_back(m);
        r.messages = kept;
        return r;
    }

    static constexpr const char *kRouting = NDL_TEST_DATA "/routing";
    static constexpr const char *kRoutingHeader = "NETWORKNAME = RTLAB, SECTION = ROUTING\n";
};

#endif
