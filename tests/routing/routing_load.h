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
        if (IsSkipped() || HasFatalFailure()) return;
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
    // a silent END.
    void check_cut_short(const std::vector<MessageCase> &cases) {
        for (const MessageCase &c : cases) expect_refused(blocks(c.text), c.errors, c.text);
    }
    // Each text, a file cut off inside a block, fails as an update and
    // leaves `tables` as they were.
    template <class Tables>
    void expect_cuts_keep(const V &cuts, const Tables &tables) {
        std::vector<MessageCase> cases;
        for (const std::string &c : cuts) cases.push_back({c, {}});
        expect_cuts_keep(cases, tables);
    }
    // The same, each with exactly its errors (none given: not checked).
    template <class Tables>
    void expect_cuts_keep(const std::vector<MessageCase> &cuts, const Tables &tables) {
        std::map<std::string, V> before;
        for (const std::string t : tables) before[t] = dump_rows(t, "ORDER BY rowid");
        for (size_t i = 0; i < cuts.size(); ++i) {
            const std::string name = "cut" + std::to_string(i + 1) + ".ndl";
            write_file(name, cuts[i].text);
            Outcome r = without_file_lines(load(name, "updateversion", dir));
            if (cuts[i].errors.empty()) { EXPECT_EQ(r.ret, 2) << name; }
            // The file's last line says where it was cut.
            else
                expect_refused(r, cuts[i].errors,
                                  name + ": " + cuts[i].text.substr(cuts[i].text.rfind('\n') + 1));
            for (const std::string t : tables) EXPECT_EQ(dump_rows(t, "ORDER BY rowid"), before[t]) << name << " " << t;
        }
    }
    // Files of tests/data/routing.
    Outcome files(const std::string &names, const std::string &mode = "") {
        return without_file_lines(load(names, mode, kRouting));
    }

    // The named columns of a table's rows, in the order they were written.
    V table(const std::string &name, const std::string &columns) const {
        return rows("SELECT " + columns + " FROM " + name + " ORDER BY rowid");
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
