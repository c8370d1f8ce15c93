// Faults on purpose: tests make the k-th call of a kind fail, in this
// process (ocix_inject_fault) or in a child (NDL_OCI_FAULT). Only the layer
// built for the tests has this file; the product's has no such hook.
#include "oci_internal.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace ndloci {

namespace {

constexpr int kKinds = static_cast<int>(Fault::Count);
const char *const kKindNames[kKinds] = {"prepare",   "define",    "execute",      "fetch",     "lobwrite",
                                        "lobread",   "loblength", "sessionbegin", "extprocenv", "commit",
                                        "checkpoint", "commitdrop", "ownquery", "context"};

struct Armed {
    int left = 0;  // calls to go; the fault fires when it reaches 0
    sword status = 0;
};

std::mutex g_mu;
Armed g_armed[kKinds];

int kind_index(std::string_view name) {
    for (int k = 0; k < kKinds; ++k)
        if (name == kKindNames[k]) return k;
    return -1;
}

void arm(int k, int nth, sword status) {
    std::lock_guard<std::mutex> lock(g_mu);
    g_armed[k] = (nth < 1 || status == 0) ? Armed{} : Armed{nth, status};
    int n = 0;
    for (const Armed &a : g_armed) n += a.left > 0;
    g_faults_armed.store(n);
}

// A decimal number that spans the whole of `t`, within the bound.
bool whole_number(std::string_view t, long bound, long &out) {
    if (t.empty() || t.size() > 12) return false;
    char digits[16] = {};  // a copy of its own: the variable's text goes on after it
    t.copy(digits, t.size());
    char *end = nullptr;
    out = std::strtol(digits, &end, 10);
    return end == digits + t.size() && out >= -bound && out <= bound;
}

// One entry "kind:nth[:status]"; false when it does not read so. Read
// while the layer starts, so it allocates nothing.
bool arm_entry(std::string_view entry) {
    size_t c1 = entry.find(':');
    if (c1 == std::string_view::npos) return false;
    int k = kind_index(entry.substr(0, c1));
    if (k < 0) return false;
    std::string_view rest = entry.substr(c1 + 1);
    size_t c2 = rest.find(':');
    long nth = 0, status = OCI_ERROR;
    if (!whole_number(rest.substr(0, c2), 1000000000, nth) || nth < 1) return false;
    if (c2 != std::string_view::npos && !whole_number(rest.substr(c2 + 1), 1000000000, status)) return false;
    arm(k, static_cast<int>(nth), static_cast<sword>(status));
    return true;
}

void read_environment() {
    const char *v = std::getenv("NDL_OCI_FAULT");
    if (!v) return;
    std::string_view all(v);
    while (!all.empty()) {
        size_t comma = all.find(',');
        std::string_view entry = all.substr(0, comma);
        if (!entry.empty() && !arm_entry(entry))
            std::fprintf(stderr, "ndloci: NDL_OCI_FAULT: ignored entry \"%.*s\"\n",
                         static_cast<int>(entry.size()), entry.data());
        if (comma == std::string_view::npos) break;
        all.remove_prefix(comma + 1);
    }
}

}  // namespace

std::atomic<int> g_faults_armed{0};

void layer_init() {
    static const bool read = (read_environment(), true);
    (void)read;
}

int quiet_margin_ms() {
    const char *v = std::getenv("NDL_OCI_QUIET_MARGIN_MS");
    long ms = 0;
    return v && whole_number(v, 3600000, ms) && ms >= 0 ? static_cast<int>(ms) : 60000;
}

sword fault_take(Fault kind, Error *e) {
    layer_init();
    if (g_faults_armed.load(std::memory_order_relaxed) == 0) return 0;
    int k = static_cast<int>(kind);
    sword status;
    {
        std::lock_guard<std::mutex> lock(g_mu);
        Armed &a = g_armed[k];
        if (a.left == 0 || --a.left > 0) return 0;
        status = a.status;
        a = Armed{};
        g_faults_armed.fetch_sub(1);
    }
    if (e) {
        e->code = kErrInjected;
        // Joined here, not by the layer's format(): the fault hook stays a
        // leaf that the layer's files call and that calls none of them.
        e->text = std::string("fault injected on purpose: ") + kKindNames[k] + " call";
    }
    return status;
}

int run_out_of_memory(sqlite3 *db) {
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT randomblob(1048576) FROM sqlite_master", -1, &s, nullptr) != SQLITE_OK)
        return sqlite3_errcode(db);
    // Held to the memory it has: the blob finds no room.
    sqlite3_int64 soft = sqlite3_soft_heap_limit64(-1);
    sqlite3_int64 hard = sqlite3_hard_heap_limit64(sqlite3_memory_used());
    sqlite3_step(s);
    sqlite3_hard_heap_limit64(hard);
    sqlite3_soft_heap_limit64(soft);
    // The statement's error becomes the connection's.
    return sqlite3_finalize(s);
}

}  // namespace ndloci

using namespace ndloci;

extern "C" {

// The nth call (1 = the next one) of the given kind, counted from now,
// returns status instead of running. Kinds are named "prepare", "define",
// "execute", "fetch", "lobwrite", "lobread", "loblength", "sessionbegin",
// "extprocenv", "commit" (the commit fails and its transaction is rolled
// back), "checkpoint" (the closing one), "ownquery" (a query the layer
// makes for itself runs out of memory) and "context" (no external-procedure
// context is made, as when memory runs out). A status of 0 clears the kind.
// The variable NDL_OCI_FAULT ("execute:5" or "execute:5:-1,fetch:2") arms
// the same faults at the first call of a process.
OCI_API void ocix_inject_fault(const char *kind, int nth, sword status);
OCI_API void ocix_clear_faults(void);

void ocix_inject_fault(const char *kind, int nth, sword status) {
    layer_init();
    int k = kind ? kind_index(kind) : -1;
    if (k >= 0) arm(k, nth, status);
}

void ocix_clear_faults(void) {
    layer_init();
    for (int k = 0; k < kKinds; ++k) arm(k, 0, 0);
}

}  // extern "C"
