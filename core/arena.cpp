// The run's arena: every record and the texts they hold, in chunks that
// are freed together when the run's records are.
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <future>
#include <mutex>
#include <new>
#include <vector>

#include <pthread.h>
#include <sys/mman.h>

#include <sanitizer/asan_interface.h>

#include "records_common.h"

namespace {

// A chunk is one huge page where the system has them: the run's records
// and texts then take a page fault and a TLB entry per 2 MB, not per 4 KB.
constexpr size_t kHugePage = 2u << 20;
// A text or record longer than this gets a chunk of its own, so a chunk never
// wastes more than this at its end.
constexpr size_t kLarge = 1024;

struct chunk {
    chunk *prev;
    size_t size;
    // texts or records follow
};
constexpr size_t kChunk = kHugePage - sizeof(chunk);

chunk *chunks = nullptr;  // every chunk of the run, newest first
// Huge chunks of earlier runs, for the next: a fresh huge page costs its
// zeroing, which is much of a load's time in a process that loads again.
// The system may take their pages back whenever it needs them.
std::vector<chunk *> spares;
size_t held = 0;

// Texts and records fill chunks of their own, so that records stay aligned
// and lie close together for the walks over their lists.
struct region {
    char *next = nullptr;
    char *end = nullptr;
};
region texts, records;

// A fresh mapping of `bytes` (a multiple of a huge page), aligned to a huge
// page: memory recycled by malloc would already be backed by small pages.
void *huge_pages(size_t bytes) {
    size_t span = bytes + kHugePage;
    void *m = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) return nullptr;
    auto start = reinterpret_cast<uintptr_t>(m);
    uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > start) munmap(m, aligned - start);
    uintptr_t tail = aligned + bytes;
    if (tail < start + span) munmap(reinterpret_cast<void *>(tail), start + span - tail);
#ifdef MADV_HUGEPAGE
    madvise(reinterpret_cast<void *>(aligned), bytes, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void *>(aligned);
}
void *huge_page() { return huge_pages(kHugePage); }

// A fresh chunk is zeroed by the kernel when it is first written, which on
// some machines is a large share of a load. The next chunks are therefore
// mapped and faulted in on helper threads while the run fills the current
// one: the zeroing happens beside the parse, not in it. A helper takes
// longer to fault a chunk in than a parse takes to fill one, so a few are
// under way at once: one fewer than the run has taken already, up to
// kAhead, so a load of one chunk starts no helper and a small one is not
// given much more than it uses.
constexpr size_t kAhead = 3;
std::deque<std::future<void *>> ahead;
size_t filled = 0;  // fresh chunks taken in this run

void *faulted_huge_page() {
    void *m = huge_page();
    if (!m) return nullptr;
    for (size_t at = 0; at < kHugePage; at += 4096) static_cast<volatile char *>(m)[at] = 0;
    return m;
}

void *take_ahead() {
    if (ahead.empty()) return nullptr;
    void *m = ahead.front().get();
    ahead.pop_front();
    return m;
}

// A process that forks while helpers run would leave its child waiting for
// chunks that no thread of its own makes: they are taken before the fork,
// and none is started until it is done. The lock is held across the fork
// (whichever thread forks), so the run's own thread cannot start another
// in between; it guards the spare chunks and those made ahead.
std::mutex chunks_mu;
void before_fork() {
    chunks_mu.lock();
    while (!ahead.empty())
        if (void *m = take_ahead()) spares.push_back(static_cast<chunk *>(m));
}
void after_fork() { chunks_mu.unlock(); }

void start_ahead() {
    static const bool forks_wait = pthread_atfork(before_fork, after_fork, after_fork) == 0;
    (void)forks_wait;
    size_t want = filled < 2 ? 0 : filled - 1 < kAhead ? filled - 1 : kAhead;
    try {
        while (ahead.size() < want) ahead.push_back(std::async(std::launch::async, faulted_huge_page));
    } catch (const std::system_error &) {
        // No thread to spare: chunks are then faulted in where they are used.
    }
}

void keep_spare(chunk *c) {
#ifdef MADV_FREE
    madvise(c, kHugePage, MADV_FREE);
#endif
    spares.push_back(c);  // kept outside: a write would keep the page from the system
    // What pointed into the chunk in the last run must not read it now.
    ASAN_POISON_MEMORY_REGION(c, kHugePage);
}

char *new_chunk(size_t bytes) {
    std::unique_lock<std::mutex> lock(chunks_mu);
    void *m;
    if (bytes == kChunk && !spares.empty()) {
        m = spares.back();
        spares.pop_back();
        ASAN_UNPOISON_MEMORY_REGION(m, sizeof(chunk));
    } else if (bytes == kChunk) {
        m = take_ahead();
        if (!m) m = huge_page();
        ++filled;
        start_ahead();  // the next ones, while this one fills
    } else {
        m = std::malloc(sizeof(chunk) + bytes);
    }
    lock.unlock();
    if (!m) throw std::bad_alloc();
    auto *c = static_cast<chunk *>(m);
    c->size = bytes;
    c->prev = chunks;
    chunks = c;
    held += bytes;
    // Under AddressSanitizer what is not handed out stays poisoned: a read
    // past a text or a record into free space, or of a record given back,
    // is reported.
    ASAN_POISON_MEMORY_REGION(c + 1, bytes);
    return reinterpret_cast<char *>(c + 1);
}

// `bytes` of `r`; what is larger than kLarge gets a chunk of its own,
// and `r` goes on filling its chunk.
char *take(region &r, size_t bytes) {
    if (static_cast<size_t>(r.end - r.next) < bytes || !r.next) {
        if (bytes > kLarge) return new_chunk(bytes);
        r.next = new_chunk(kChunk);
        r.end = r.next + kChunk;
    }
    char *p = r.next;
    r.next += bytes;
    return p;
}

// Records carry their size class in the 16 bytes before them, so that a
// record given back is kept for the next one of its size.
constexpr size_t kAlign = 16;
struct record_head {
    size_t size_class;
    size_t unused;
};
static_assert(sizeof(record_head) == kAlign && sizeof(chunk) % kAlign == 0);
// Per size class, the records given back, linked through their first word.
std::vector<void *> free_records;

// Texts repeat: a domain's name and a node type are in every record of the
// domain. A text met lately is shared rather than stored again, which
// texts allow since none is changed in place. A slot keeps a text's length
// and its first and last eight bytes, which place it and, for a text of up
// to sixteen bytes, are all of it: most texts are told without reading the
// one kept.
struct text_ends {
    uint64_t head = 0, tail = 0;
    size_t len = 0;
    bool operator==(const text_ends &) const = default;
};
struct recent_text {
    text_ends ends;
    const char *p = nullptr;
};
constexpr size_t kRecentTexts = 4096;
recent_text recent_texts[kRecentTexts];

uint64_t load64(const char *p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
uint64_t load32(const char *p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Fixed-size loads only (overlapping where the text is short), so the ends
// stay in registers: a byte-wise copy into memory read back whole stalls.
// With the length, `head` holds every byte of a text under eight.
text_ends ends_of(const char *s, size_t len) {
    if (len >= 8) return {load64(s), load64(s + len - 8), len};
    if (len >= 4) return {load32(s) | load32(s + len - 4) << 32, 0, len};
    auto byte = [&](size_t i) { return static_cast<uint64_t>(static_cast<unsigned char>(s[i])); };
    return {byte(0) | byte(len / 2) << 8 | byte(len - 1) << 16, 0, len};
}

size_t recent_slot(const text_ends &e) {
    uint64_t h = (e.head * 0x9e3779b97f4a7c15ULL) ^ (e.tail * 0xc2b2ae3d27d4eb4fULL) ^ e.len;
    h ^= h >> 31;
    h *= 0xbf58476d1ce4e5b9ULL;
    return static_cast<size_t>(h >> 52) & (kRecentTexts - 1);
}

}  // namespace

char *text_arena_alloc(size_t bytes) {
    char *p = take(texts, bytes);
    ASAN_UNPOISON_MEMORY_REGION(p, bytes);
    return p;
}

void text_arena_reset() {
    free_records.clear();
    for (recent_text &t : recent_texts) t = {};
    std::lock_guard<std::mutex> lock(chunks_mu);
    while (chunks) {
        chunk *prev = chunks->prev;
        if (chunks->size == kChunk) keep_spare(chunks);
        else std::free(chunks);
        chunks = prev;
    }
    texts = records = region{};
    held = 0;
    filled = 0;
}

size_t text_arena_bytes() { return held; }

// Tables of a huge page or more are read at random: huge pages spare them a
// page walk per read. Smaller ones come from malloc.
constexpr size_t kBigTable = kHugePage;  // tables grow by doubling: no page half used

size_t big_table_span(size_t bytes) { return (bytes + kHugePage - 1) & ~(kHugePage - 1); }

void *table_alloc(size_t bytes) {
    void *p = bytes >= kBigTable ? huge_pages(big_table_span(bytes)) : std::malloc(bytes);
    if (!p) throw std::bad_alloc();
    return p;
}

void table_free(void *p, size_t bytes) {
    if (!p) return;
    if (bytes >= kBigTable) munmap(p, big_table_span(bytes));
    else std::free(p);
}

// Every take from `records` is a multiple of 16 bytes, from a chunk start
// that is 16-byte aligned: every record is.
void *Malloc(size_t count) {
    size_t size_class = count ? (count + kAlign - 1) / kAlign : 1;
    if (size_class < free_records.size() && free_records[size_class]) {
        void *rec = free_records[size_class];
        ASAN_UNPOISON_MEMORY_REGION(rec, size_class * kAlign);
        std::memcpy(&free_records[size_class], rec, sizeof(void *));
        return rec;
    }
    char *p = take(records, sizeof(record_head) + size_class * kAlign);
    ASAN_UNPOISON_MEMORY_REGION(p, sizeof(record_head));
    record_head head{size_class, 0};
    std::memcpy(p, &head, sizeof head);
    // The head stays poisoned: a write before the record is reported.
    ASAN_POISON_MEMORY_REGION(p, sizeof(record_head));
    ASAN_UNPOISON_MEMORY_REGION(p + sizeof(record_head), size_class * kAlign);
    return p + sizeof(record_head);
}

void free_record(void *rec) {
    if (!rec) return;
    record_head head;
    char *at = static_cast<char *>(rec) - sizeof head;
    ASAN_UNPOISON_MEMORY_REGION(at, sizeof head);
    std::memcpy(&head, at, sizeof head);
    ASAN_POISON_MEMORY_REGION(at, sizeof head);
    if (head.size_class >= free_records.size()) free_records.resize(head.size_class + 1, nullptr);
    std::memcpy(rec, &free_records[head.size_class], sizeof(void *));
    free_records[head.size_class] = rec;
    ASAN_POISON_MEMORY_REGION(rec, head.size_class * kAlign);
}

void text_slot::put(const char *s, size_t len) {
    if (!len) {
        p_ = nullptr;
        return;
    }
    text_ends ends = ends_of(s, len);
    recent_text &seen = recent_texts[recent_slot(ends)];
    if (seen.ends == ends && (len <= 16 || std::memcmp(seen.p + 8, s + 8, len - 16) == 0)) {
        p_ = seen.p;
        return;
    }
    char *p = text_arena_alloc(len + 1);
    std::memcpy(p, s, len);
    p[len] = '\0';
    p_ = p;
    seen = {ends, p};
}

int format_text(text_slot &field, size_t size, const char *fmt, va_list ap) {
    char small[kText + 1];
    va_list again;
    va_copy(again, ap);
    int n = std::vsnprintf(small, sizeof small, fmt, ap);
    if (n < 0) {
        va_end(again);
        field.clear();
        return n;
    }
    size_t keep = static_cast<size_t>(n) < size - 1 ? static_cast<size_t>(n) : size - 1;
    if (keep < sizeof small) {
        text_access::assign(&field, small, keep);
    } else {
        char *big = static_cast<char *>(std::malloc(keep + 1));
        if (!big) throw std::bad_alloc();
        std::vsnprintf(big, keep + 1, fmt, again);
        text_access::assign(&field, big, keep);
        std::free(big);
    }
    va_end(again);
    return n;
}
