// The older, unversioned layout derived from the one schema text, so that
// a table is defined in one place: paragraphs (blocks between empty lines)
// marked "versioned only" go, so do ndlversion columns and columns marked
// "versioned only", and "older layout: TYPE" gives a column its older type.
#include "oci_internal.h"

#include <vector>

namespace ndloci {

namespace {

constexpr std::string_view kVersionedOnly = "-- versioned only";
constexpr std::string_view kOlderType = "-- older layout: ";

const char kOlderHeader[] =
    "-- The repository, older unversioned layout: what cfgload writes. No policy\n"
    "-- versions; the policy tables carry no version column.\n";

bool has(std::string_view line, std::string_view what) { return line.find(what) != std::string_view::npos; }

std::string_view trim_right(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == ',')) s.remove_suffix(1);
    return s;
}

// One column line of a CREATE TABLE: its text without the comma and the
// marker comment, with the older type where one is given; empty when the
// older layout has no such column.
std::string older_column(std::string_view line) {
    size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::string(line);
    std::string_view name = line.substr(first, line.find(' ', first) - first);
    if (name == "ndlversion" || has(line, kVersionedOnly)) return "";
    size_t marker = line.find(kOlderType);
    std::string_view body = trim_right(line.substr(0, std::min(marker, line.find("--"))));
    if (marker == std::string_view::npos) return std::string(body);
    std::string_view type = line.substr(marker + kOlderType.size());
    // The name and its padding, then the older type in place of the type.
    size_t after_name = body.find(' ', first);
    std::string column(body.substr(0, after_name == std::string_view::npos ? body.size()
                                                                          : body.find_first_not_of(' ', after_name)));
    column.append(type);
    return column;
}

// A CREATE TABLE paragraph: the columns filtered and joined with commas again.
std::string older_table(const std::vector<std::string_view> &lines) {
    std::string out;
    std::vector<std::string> columns;
    size_t i = 0;
    for (; i < lines.size() && !has(lines[i], "CREATE TABLE"); ++i) out.append(lines[i]).append("\n");
    if (i == lines.size()) return out;
    out.append(lines[i++]).append("\n");
    for (; i < lines.size() && lines[i].rfind(")", 0) != 0; ++i) {
        std::string column = older_column(lines[i]);
        if (!column.empty()) columns.push_back(column);
    }
    for (size_t c = 0; c < columns.size(); ++c) {
        out += columns[c];
        out += c + 1 < columns.size() ? ",\n" : "\n";
    }
    for (; i < lines.size(); ++i) out.append(lines[i]).append("\n");
    return out;
}

// The names of the file's indexes; false when they cannot be read.
bool index_names(sqlite3 *db, std::unordered_set<std::string> &names) {
    sqlite3_stmt *raw = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='index'", -1, &raw, nullptr);
    // Finalized when a name cannot be kept, too.
    PreparedSql s(raw);
    if (!s) return false;
    int rc;
    while ((rc = own_step(s.get())) == SQLITE_ROW)
        if (const unsigned char *name = sqlite3_column_text(s.get(), 0)) names.emplace(reinterpret_cast<const char *>(name));
    return rc == SQLITE_DONE;
}

}  // namespace

namespace {

// The CREATE INDEX statements of `schema` whose index `db` lacks, into
// `missing`; false when the file's indexes cannot be read.
bool missing_indexes(sqlite3 *db, std::string_view schema, std::string &missing) {
    constexpr std::string_view kCreate = "CREATE INDEX IF NOT EXISTS ";
    std::unordered_set<std::string> present;
    if (!index_names(db, present)) return false;
    for (size_t at = schema.find(kCreate); at != std::string_view::npos; at = schema.find(kCreate, at + 1)) {
        size_t name = at + kCreate.size();
        size_t end = schema.find(';', name);
        if (end == std::string_view::npos) break;
        if (!present.count(std::string(schema.substr(name, schema.find(' ', name) - name))))
            missing.append(schema.substr(at, end + 1 - at)).append("\n");
    }
    return true;
}

// What the repository holds two of, if it keeps policy versions: versions
// or networks. Found by the rowid bounds, never by reading the tables. The
// older layout has no table of versions, and so no answer.
struct Several {
    bool versions = false, networks = false;
    bool any() const { return versions || networks; }
};

// False when the bounds cannot be read: a failure of SQLite's own, which
// may have rolled the transaction back.
bool holds_several(sqlite3 *db, Several &out) {
    const Deciders &d = deciders();
    std::string several = "SELECT (SELECT max(rowid) FROM " + std::string(d.versions) + ") > (SELECT min(rowid) FROM " +
                          std::string(d.versions) + "), (SELECT max(rowid) FROM " + std::string(d.networks) +
                          ") > (SELECT min(rowid) FROM " + std::string(d.networks) + ")";
    sqlite3_stmt *raw = nullptr;
    int rc = sqlite3_prepare_v2(db, several.c_str(), -1, &raw, nullptr);
    PreparedSql s(raw);
    // The older layout lacks the table: no answer, and no failure.
    if (rc == SQLITE_ERROR) return true;
    if (!s || own_step(s.get()) != SQLITE_ROW) return false;
    out.versions = sqlite3_column_int(s.get(), 0) == 1;
    out.networks = sqlite3_column_int(s.get(), 1) == 1;
    return true;
}

// The version indexes that `several` calls for: those of several versions
// or networks, then, from its marked paragraph on, those of several
// networks alone.
std::string_view version_indexes(Several several) {
    constexpr std::string_view kNetworksOnly = "\n-- With several networks";
    std::string_view all = reinterpret_cast<const char *>(kVersionIndexes);
    if (!several.any()) return {};
    return several.networks ? all : all.substr(0, all.find(kNetworksOnly));
}

}  // namespace

// The tables named after "-- Versions are rows of: " and "-- Networks are
// rows of: " in the version indexes' text: where they lie in it, so that
// knowing them allocates nothing.
const Deciders &deciders() {
    static const Deciders d = [] {
        std::string_view text = reinterpret_cast<const char *>(kVersionIndexes);
        auto after = [text](std::string_view mark) {
            size_t at = text.find(mark);
            if (at == std::string_view::npos) return std::string_view();
            at += mark.size();
            return text.substr(at, text.find_first_of(" \n", at) - at);
        };
        return Deciders{after("-- Versions are rows of: "), after("-- Networks are rows of: ")};
    }();
    return d;
}

sword add_missing_indexes(sqlite3 *db, std::string_view schema, Error *e, std::string_view where) {
    std::string missing;
    Several several;
    if (!missing_indexes(db, schema, missing) || !holds_several(db, several) ||
        !missing_indexes(db, version_indexes(several), missing))
        return fail_sql(e, db, where);
    if (missing.empty()) return OCI_SUCCESS;
    // Asked for only when one is missing; a repository that cannot take
    // them now (busy, read-only) is used as it is and gets them next time.
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) return OCI_SUCCESS;
    bool ok = sqlite3_exec(db, missing.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_exec(db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
    return OCI_SUCCESS;
}

sword add_version_indexes(sqlite3 *db, Error *e) {
    Several several;
    if (!holds_several(db, several)) return fail_sql(e, db, "");
    if (!several.any()) return OCI_SUCCESS;
    std::string missing;
    if (!missing_indexes(db, version_indexes(several), missing)) return fail_sql(e, db, "");
    if (missing.empty()) return OCI_SUCCESS;
    // A savepoint inside the load's transaction: committed with its rows,
    // rolled back with them, and undone alone when one fails, whose error
    // the statement that called for them then reports.
    if (sqlite3_exec(db, "SAVEPOINT version_indexes", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail_sql(e, db, "");
    sword status = OCI_SUCCESS;
    if (sqlite3_exec(db, missing.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        status = fail_sql(e, db, "");
        // Gone with the transaction where SQLite rolled it back itself.
        if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK TO version_indexes", nullptr, nullptr, nullptr);
    }
    if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "RELEASE version_indexes", nullptr, nullptr, nullptr);
    return status;
}

std::string older_schema(std::string_view versioned) {
    std::vector<std::vector<std::string_view>> paragraphs(1);
    size_t pos = 0;
    while (pos < versioned.size()) {
        size_t end = versioned.find('\n', pos);
        if (end == std::string_view::npos) end = versioned.size();
        std::string_view line = versioned.substr(pos, end - pos);
        pos = end + 1;
        if (line.empty()) {
            if (!paragraphs.back().empty()) paragraphs.emplace_back();
            continue;
        }
        paragraphs.back().push_back(line);
    }
    std::string out = kOlderHeader;
    bool header = true;  // the versioned layout's own opening comment
    for (const auto &p : paragraphs) {
        if (p.empty()) continue;
        bool comment = true;
        for (std::string_view line : p) comment = comment && line.rfind("--", 0) == 0;
        if (header && comment) {
            header = false;
            continue;
        }
        header = false;
        bool dropped = false;
        for (std::string_view line : p) dropped = dropped || (line.rfind("CREATE", 0) == 0 && has(line, kVersionedOnly));
        if (dropped) continue;
        out += '\n';
        out += older_table(p);
    }
    return out;
}

}  // namespace ndloci
