// Every table of the repository, found in its schema, filled by SQL with
// distinct values as wide as the loader's fields hold (quotes included);
// then a load of an empty section of each kind, which reads every table of
// the other sections back and writes it again, must leave every table it
// does not own exactly as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "repo_test.h"
#include "table_desc.h"

using V = std::vector<std::string>;

namespace {

std::string lower(std::string s) {
    for (char &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The column a select item reads: "NVL(name,...)" or a plain name.
std::string column_of(const char *expr) {
    std::string e = expr;
    if (e.rfind("NVL(", 0) == 0) e = e.substr(4, e.find(',') - 4);
    return lower(e);
}

// What the readers keep of a column: the narrowest text field of that
// column name in any table (names join tables, so they share one width),
// and whether its text is read as a number.
struct field_facts {
    std::map<std::string, size_t> width;
    std::set<std::string> numtext;  // "table.column"
    std::map<std::string, int> owner;  // table -> section of its reader
};

field_facts read_descriptions() {
    field_facts f;
    for (size_t s = 0; s < 5; ++s) {
        const ndldb::read_section &sec = ndldb::kSections[s];
        for (size_t i = 0; i < sec.count; ++i)
            for (const ndldb::reader_desc *d : {sec.steps[i].d, sec.steps[i].child})
                if (d) f.owner[lower(d->table)] = static_cast<int>(s);
    }
    for (size_t r = 0; r < ndldb::kAllReadersCount; ++r) {
        const ndldb::reader_desc &d = *ndldb::kAllReaders[r];
        for (size_t c = 0; c < d.ncols; ++c) {
            const ndldb::column_desc &col = d.cols[c];
            std::string name = column_of(col.expr);
            if (col.kind == ndldb::col_numtext) f.numtext.insert(lower(d.table) + "." + name);
            if (col.kind != ndldb::col_text || col.offset == ndldb::kDropped) continue;
            size_t w = col.size - 1;
            auto it = f.width.find(name);
            if (it == f.width.end() || w < it->second) f.width[name] = w;
        }
    }
    return f;
}

class RoundTripAll : public RepoTest {
protected:
    int load(const std::string &section) {
        std::ofstream(dir + "/s.ndl") << "NETWORKNAME = RT, SECTION = " << section << "\n";
        return parse(dir, "s.ndl").ret;
    }

    // A text of exactly `width` characters, its own for the column and row,
    // with quotes in it.
    static std::string text_value(const std::string &column, int row, size_t width) {
        std::string v = column + "'" + std::to_string(row);
        while (v.size() < width) v += (v.size() % 7 == 3) ? '\'' : static_cast<char>('a' + v.size() % 26);
        v.resize(width);
        return v;
    }
    static int number_value(const std::string &column, int row) {
        size_t h = std::hash<std::string>{}(column);
        return static_cast<int>(h % 6000) * 10 + row;  // distinct, and within 16 bits
    }
    static std::string quoted(const std::string &s) {
        std::string out = "'";
        for (char c : s) {
            out += c;
            if (c == '\'') out += '\'';
        }
        return out + "'";
    }

    // The SQL value of row `row` of a column: numbers distinct per column,
    // texts as wide as the narrowest field that keeps them, numbers in the
    // texts that the readers read as numbers.
    std::string value_for(const field_facts &f, const std::string &t, const std::string &c, int row) const {
        if (c == "networkid" || c == "ndlversion") return "1";
        for (const TableColumn &col : table_columns(db, t))
            if (col.number && lower(col.name) == c) return std::to_string(number_value(c, row));
        if (f.numtext.count(t + "." + c)) return quoted(std::to_string(number_value(c, row)));
        auto w = f.width.find(c);
        return quoted(text_value(c, row, w == f.width.end() ? 300 : w->second));
    }

    // Columns whose value no load can choose, read off the writers: a
    // constant of the INSERT text, an entry's position, or, in a table fed
    // from a sub-list, a field of the parent record (the parent table's
    // column that its reader fills that field from).
    static std::map<std::string, std::map<std::string, std::string>> forced_values(
        const field_facts &f, const std::map<std::string, V> &columns) {
        std::map<std::string, std::map<std::string, std::string>> out;
        for (size_t i = 0; i < ndldb::kAllWritersCount; ++i) {
            const ndldb::writer_desc &w = *ndldb::kAllWriters[i];
            std::string table = lower(std::string(w.label).substr(6));
            auto cols = columns.find(table);
            if (cols == columns.end()) continue;
            std::string text = w.insert;
            text = text.substr(text.find('(') + 1);
            text = text.substr(0, text.rfind(')'));
            size_t next = 0, col = 0;
            for (size_t at = 0; at <= text.size() && col < cols->second.size(); ++col) {
                size_t comma = text.find(',', at);
                if (comma == std::string::npos) comma = text.size();
                std::string item = text.substr(at, comma - at);
                at = comma + 1;
                item.erase(0, item.find_first_not_of(' '));
                item.erase(item.find_last_not_of(' ') + 1);
                const std::string &name = cols->second[col];
                if (item.find('%') == std::string::npos) {
                    out[table][name] = item;
                    continue;
                }
                const ndldb::value_desc &v = w.vals[next++];
                if (v.kind == ndldb::val_pos || v.kind == ndldb::val_qosseq) out[table][name] = "1";
                if (v.kind != ndldb::val_int && v.kind != ndldb::val_text) continue;
                if (v.target != 0 || w.sub.headoff == ndldb::kDropped) continue;
                for (size_t r = 0; r < ndldb::kAllReadersCount; ++r) {
                    const ndldb::reader_desc &d = *ndldb::kAllReaders[r];
                    if (d.list.head != w.list.head || lower(d.table) == table) continue;
                    for (size_t c = 0; c < d.ncols; ++c)
                        if (d.cols[c].target == 0 && d.cols[c].offset == v.offset)
                            out[table][name] = "=" + lower(d.table) + "." + column_of(d.cols[c].expr);
                }
            }
        }
        (void)f;
        return out;
    }

    // Two rows in every table but those the run keeps of its own (`own`);
    // the network's own row gets wide texts.
    void fill(const field_facts &f, const std::set<std::string> &own) {
        std::map<std::string, V> columns;
        V tables = rows("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
        for (const std::string &table : tables)
            for (const TableColumn &c : table_columns(db, table)) columns[lower(table)].push_back(lower(c.name));
        auto forced = forced_values(f, columns);
        for (const std::string &table : tables) {
            std::string t = lower(table);
            if (t == "networks") {
                for (const std::string &c : columns[t])
                    if (c != "networkid" && c != "networkname")
                        sql("UPDATE networks SET " + c + "=" + value_for(f, t, c, 1));
                continue;
            }
            if (own.count(t)) continue;
            sql("DELETE FROM \"" + table + "\"");
            for (int row = 1; row <= 2; ++row) {
                std::string values;
                for (const std::string &c : columns[t]) {
                    std::string v = value_for(f, t, c, row);
                    auto fixed = forced[t].find(c);
                    if (fixed != forced[t].end()) {
                        const std::string &x = fixed->second;
                        if (x[0] != '=') v = x;
                        else v = value_for(f, x.substr(1, x.find('.') - 1), x.substr(x.find('.') + 1), row);
                    }
                    values += (values.empty() ? "" : ",") + v;
                }
                sql("INSERT INTO \"" + table + "\" VALUES (" + values + ")");
            }
        }
    }

    // Where two snapshots of a table differ: the rows' columns that changed.
    std::string differences(const std::string &table, const V &a, const V &b) const {
        if (a.size() != b.size()) return std::to_string(a.size()) + " rows became " + std::to_string(b.size());
        V names;
        for (const TableColumn &c : table_columns(db, table)) names.push_back(c.name);
        auto split = [](const std::string &r) {
            V out;
            size_t at = 0;
            for (size_t bar; (bar = r.find('|', at)) != std::string::npos; at = bar + 1) out.push_back(r.substr(at, bar - at));
            out.push_back(r.substr(at));
            return out;
        };
        std::string out;
        for (size_t i = 0; i < a.size(); ++i) {
            V x = split(a[i]), y = split(b[i]);
            for (size_t c = 0; c < x.size() && c < y.size() && c < names.size(); ++c)
                if (x[c] != y[c]) out += " " + names[c] + ": [" + x[c] + "] -> [" + y[c] + "]";
        }
        return out;
    }
    void expect_kept(const field_facts &f, int section, const std::map<std::string, V> &before,
                     const std::map<std::string, V> &after, const char *what) const {
        ASSERT_EQ(before.size(), after.size());
        for (const auto &[table, r] : before) {
            auto owned = f.owner.find(table);
            if (owned != f.owner.end() && owned->second == section) continue;
            const V &now = after.at(table);
            EXPECT_TRUE(r == now) << "table " << table << " changed by " << what << ":" << differences(table, r, now);
        }
    }

    std::map<std::string, V> snapshot() const {
        std::map<std::string, V> all;
        for (const std::string &t : rows("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name")) {
            V r = dump_rows("\"" + t + "\"");
            std::sort(r.begin(), r.end());
            all[lower(t)] = r;
        }
        return all;
    }
};

TEST_F(RoundTripAll, AnEmptySectionLeavesEveryOtherTableAsItWas) {
    ASSERT_EQ(load("TOPOLOGY"), 0) << log;
    const field_facts f = read_descriptions();
    // What a run writes of its own: the network, its project and version.
    std::set<std::string> own;
    for (const std::string &t : rows("SELECT name FROM sqlite_master WHERE type='table'"))
        if (!rows("SELECT 1 FROM \"" + t + "\" LIMIT 1").empty()) own.insert(lower(t));
    const char *sections[] = {"TOPOLOGY", "CUSTOMER", "ROUTING", "FIREWALL", "QOS"};
    for (int s : {2, 4, 3, 1}) {
        std::string what = std::string("an empty ") + sections[s] + " load";
        fill(f, own);
        // An empty QOS section defines no policy: no customer type may
        // name one, or the section fails its closing check.
        if (s == 4) sql("DELETE FROM custconnqospolicy");
        std::map<std::string, V> before = snapshot();
        ASSERT_EQ(load(sections[s]), 0) << log;
        std::map<std::string, V> after = snapshot();
        expect_kept(f, s, before, after, what.c_str());
        // Once more: a loss that grows on every load shows here too.
        ASSERT_EQ(load(sections[s]), 0) << log;
        expect_kept(f, s, after, snapshot(), ("a second " + what).c_str());
    }
}

}  // namespace
