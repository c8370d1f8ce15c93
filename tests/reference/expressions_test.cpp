// Every example of the reference's chapter on expressions, evaluated: the
// arithmetic by the evaluator, every other value in a load of the place
// its table names, onto the topology and customers of the example files.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "evaluator.h"
#include "repo_test.h"

namespace {

std::string chapter() {
    std::ifstream in(NDL_REFERENCE_DOC);
    std::stringstream s;
    s << in.rdbuf();
    std::string doc = s.str();
    size_t from = doc.find("\n## Expressions\n");
    if (from == std::string::npos) return "";
    return doc.substr(from, doc.find("\n## ", from + 1) - from);
}

std::vector<std::string> cells_of(const std::string &line) {
    std::vector<std::string> cells;
    std::string c;
    for (size_t i = 1; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '|') {
            c += '|';
            ++i;
        } else if (line[i] == '|') {
            size_t a = c.find_first_not_of(' '), b = c.find_last_not_of(' ');
            cells.push_back(a == std::string::npos ? "" : c.substr(a, b - a + 1));
            c.clear();
        } else {
            c += line[i];
        }
    }
    return cells;
}

// The texts between backticks in a cell, without the quotes of a value.
std::vector<std::string> spans(const std::string &cell) {
    std::vector<std::string> out;
    for (size_t at = cell.find('`'); at != std::string::npos; at = cell.find('`', at)) {
        size_t end = cell.find('`', at + 1);
        std::string text = cell.substr(at + 1, end - at - 1);
        if (text.size() > 1 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
        out.push_back(text);
        at = end + 1;
    }
    return out;
}

struct example {
    std::string place, text, value;
};

// The examples of the chapter: the rows of its tables, by the heading or
// the row that says where they stand, and the statements of its prose.
std::vector<example> examples() {
    const std::map<std::string, std::string> by_heading = {
        {"Address functions", "address"}, {"Interface functions", "interface"},
        {"Variable functions", "variable"}, {"Context functions", "context"},
        {"Number functions", "number"}, {"Arithmetic", "arithmetic"}};
    const std::pair<const char *, const char *> by_row[] = {
        {"an address value", "address"}, {"an interface value", "interface"}, {"a context", "context"},
        {"a command value", "command"}, {"a number value", "number"}};
    std::vector<example> found;
    std::istringstream in(chapter());
    std::string place, line;
    while (std::getline(in, line)) {
        if (line.rfind("### ", 0) == 0) {
            auto at = by_heading.find(line.substr(4));
            place = at == by_heading.end() ? "" : at->second;
            continue;
        }
        if (line.rfind("Other statements:", 0) == 0) {
            std::vector<std::string> s = spans(line);
            for (size_t i = 0; i < s.size(); ++i) {
                size_t gives = line.find("` gives ", line.find(s[i]));
                found.push_back({"arithmetic", s[i], line.substr(gives + 8, line.find_first_of(",.", gives + 8) - gives - 8)});
            }
            continue;
        }
        if (line.rfind("| ", 0) != 0 || line.rfind("|---", 0) == 0) continue;
        std::vector<std::string> cells = cells_of(line);
        if (cells.size() < 3 || cells[0] == "place" || cells[0] == "function" || cells[0] == "operator") continue;
        for (const auto &[start, row_place] : by_row)
            if (cells[0].rfind(start, 0) == 0)
                for (const std::string &s : spans(cells[2])) found.push_back({row_place, s, ""});
        if (place == "arithmetic") {
            std::vector<std::string> s = spans(cells[cells.size() - 2]);
            if (!s.empty()) found.push_back({place, s[0], cells.back()});
        } else if (!place.empty()) {
            found.push_back({place, spans(cells.back()).at(0), ""});
        }
    }
    return found;
}

// The block of NORTH.PE that holds a value of the place, "%s" for it.
const std::map<std::string, std::string> kPlaces = {
    {"address", "PREFIXLIST NORTH.PE BEGIN\n  DESCRIPTION = ( PFX-NAME = \"EX\" )\n"
                "  FORMAT = ( TYPE = permit , NETWORK = \"%s\" , PREFIX = 24 )\nEND\n"},
    {"interface", "ROUTING-RIP NORTH.PE O BEGIN\n  NETWORK = ( INTERFACE = \"%s\" )\nEND\n"},
    {"variable", "PREFIXLIST NORTH.PE BEGIN\n  DESCRIPTION = ( PFX-NAME = \"PL-<%s>\" )\n"
                 "  FORMAT = ( TYPE = permit , NETWORK = \"EVALIP(10.0.0.0)\" , PREFIX = 8 )\nEND\n"},
    {"command", "PREFIXLIST NORTH.PE BEGIN\n  DESCRIPTION = ( PFX-NAME = \"%s\" )\n"
                "  FORMAT = ( TYPE = permit , NETWORK = \"EVALIP(10.0.0.0)\" , PREFIX = 8 )\nEND\n"},
    {"context", "ROUTING-RIP NORTH.PE O BEGIN\n  USAGE-CONDITION = \"%s\"\n"
                "  NETWORK = ( INTERFACE = \"LOCALINT(INTERFACE.Ethernet0)\" )\nEND\n"},
    {"number", "QOSMATCHRULES NORTH.PE BEGIN\n  DESCRIPTION = ( NAME = EXAMPLE , USAGE = POLICERULE )\n"
               "  MATCH # 1 = ( TYPE = \"dscp\" , VALUE = \"%s\" )\nEND\n"},
};

std::string read(const std::string &path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Expressions : public RepoTest {};

TEST_F(Expressions, EveryArithmeticExampleGivesItsValue) {
    int tried = 0;
    for (const example &e : examples()) {
        if (e.place != "arithmetic") continue;
        ++tried;
        resetVariables();
        ASSERT_EQ(evaluateExpression(e.text.c_str()), 0) << e.text << ": " << errorRecord.message;
        bool found = false;
        for (int i = 0; i < nVariables; ++i)
            if (std::string(variable[i].name) == "x") {
                found = true;
                EXPECT_NEAR(variable[i].value, std::stod(e.value), 1e-9) << e.text;
            }
        EXPECT_TRUE(found) << e.text << " leaves no x";
    }
    resetVariables();
    EXPECT_GE(tried, 28);
}

// Each value in its place loads onto the stored topology and customers;
// a number place with `cs1` fails as the chapter says.
TEST_F(Expressions, EveryValueExampleLoadsInItsPlace) {
    ASSERT_EQ(parse(NDL_DOC_EXAMPLES, "1-topology.ndl,2-customer.ndl").ret, 0) << log;
    std::string qos = read(std::string(NDL_DOC_EXAMPLES) + "/5-qos.ndl");
    std::map<std::string, int> tried;
    auto load = [&](const std::string &place, const std::string &value) {
        std::string block = kPlaces.at(place);
        block.replace(block.find("%s"), 2, value);
        std::string file = place == "number" ? qos + "\n" + block : "NETWORKNAME = LABNET, SECTION = ROUTING\n" + block;
        write_file("example.ndl", file);
        return parse(dir, "example.ndl").ret;
    };
    for (const example &e : examples()) {
        if (e.place == "arithmetic") continue;
        ++tried[e.place];
        EXPECT_EQ(load(e.place, e.text), 0) << e.place << " " << e.text << ":\n" << log;
    }
    for (const auto &[place, block] : kPlaces) EXPECT_GT(tried[place], 0) << "no example in a place: " << place;
    EXPECT_NE(load("number", "cs1"), 0);
    EXPECT_NE(log.find("ERROR:  Expression Function name expected:  @ "), std::string::npos) << log;
    EXPECT_EQ(load("number", "8"), 0) << log;
}

}  // namespace
