// Any text of values stores through the OCI layer's cached literal INSERTs
// exactly what the plain statement stores, or both refuse it.
#include "oci_client.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

namespace {

struct Repo {
    Repo() {
        if (l.begin_status != OCI_SUCCESS ||
            l.exec("CREATE TABLE T (a NUMBER(10), s VARCHAR2(300), d DATE, r NUMBER)") != OCI_SUCCESS)
            std::abort();
    }
    // Executes `sql`; its status, then the rows it stored (typed, quoted,
    // timestamps masked: the two statements may run a second apart).
    std::string run(const std::string &sql) {
        static const std::regex stamp("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d");
        std::string out = std::to_string(l.exec(sql)) + " ";
        out += l.value("SELECT group_concat(x, ' | ') FROM (SELECT typeof(a)||':'||quote(a)||' '||typeof(s)||':'||"
                       "quote(s)||' '||typeof(d)||' '||typeof(r)||':'||quote(r) AS x FROM T ORDER BY rowid)");
        l.exec("DELETE FROM T");
        return std::regex_replace(out, stamp, "TS");
    }
    TempDir dir;
    Logon l{dir.file("fuzz.db")};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static Repo repo;
    std::string values(reinterpret_cast<const char *>(data), size);
    std::string fast = repo.run("INSERT INTO T VALUES (" + values + ")");
    std::string plain = repo.run("INSERT INTO T (a, s, d, r) VALUES (" + values + ")");
    if (fast != plain) {
        std::fprintf(stderr, "cached: %s\nplain:  %s\n", fast.c_str(), plain.c_str());
        std::abort();
    }
    return 0;
}
