// The run's arena: every record and the texts they hold, in chunks that
// are freed together when the run's records are, and given back to the
// system then: the library lives on in its host between calls.
#include <cassert>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include <sys/mman.h>

#include <sanitizer/asan_interface.h>

#include "bytes.h"
#include "records_common.h"

namespace {

// A chunk is one huge page where the system has them: the run's records
// and texts then take a page fault and a TLB entry per 2 MB, not per 4 KB.
// Measured on the every-block load of 30 MB against chunks from malloc, in
// 15 interleaved pairs: CPU time (user+sys) 0.74x (median; range
// 0.60-0.94, every pair faster), instructions the same (598.3 M against
// 598.4 M on 3 MB, callgrind), peak memory 57.3 MiB against 55.0. It rests
// on nothing but the system's willingness: without huge pages (or with
// transparent ones off) they are plain pages.
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
size_t held = 0;

// Texts and records fill chunks of their own, so that records stay aligned
// and lie close together for the walks over their lists.
struct region {
    char *next = nullptr;
    char *end = nullptr;
};
region texts, records;

// A fresh mapping of one huge page, aligned to it: memory recycled by
// malloc would already be backed by small pages.
void *huge_page() {
    size_t span = 2 * kHugePage;
    void *m = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) return nullptr;
    auto start = reinterpret_cast<uintptr_t>(m);
    uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > start) munmap(m, aligned - start);
    uintptr_t tail = aligned + kHugePage;
    if (tail < start + span) munmap(reinterpret_cast<void *>(tail), start + span - tail);
#ifdef MADV_HUGEPAGE
    madvise(reinterpret_cast<void *>(aligned), kHugePage, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void *>(aligned);
}

// Out of line: the records' and texts' paths that find room save no
// registers for it.
__attribute__((noinline)) char *new_chunk(size_t bytes) {
    // A chunk of its own only for what is larger than kLarge.
    assert(bytes == kChunk || bytes > kLarge);
    void *m = bytes == kChunk ? huge_page() : std::malloc(sizeof(chunk) + bytes);
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
    assert(r.next <= r.end);
    return p;
}

// Records come in size classes of 16 bytes; a record given back is kept
// for the next one of its class. A record carries no size: whoever gives
// it back says it (its type's size, or its entry's).
constexpr size_t kAlign = 16;
static_assert(sizeof(chunk) % kAlign == 0);
size_t size_class(size_t count) { return count ? (count + kAlign - 1) / kAlign : 1; }

// Under AddressSanitizer a record keeps its class in a poisoned head before
// it: a record given back with a size of another class is reported, and
// the heads part the records as red zones would.
#if defined(__SANITIZE_ADDRESS__)
#define NDL_RECORD_HEADS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NDL_RECORD_HEADS 1
#endif
#endif
#ifdef NDL_RECORD_HEADS
constexpr size_t kHead = kAlign;
#else
constexpr size_t kHead = 0;
#endif

// Per size class, the records given back, linked through their first word.
std::vector<void *> free_records;

// Texts repeat: a domain's name and a node type are in every record of the
// domain. A text met lately is shared rather than stored again, which
// texts allow since none is changed in place (assigning a field makes or
// finds another text). Measured on the every-block load of 30 MB in 12
// interleaved pairs against storing every text: peak memory 53.1 MiB
// against 65.1 (ranges 52.9-53.2 and 65.0-65.2), time the same (0.95x,
// 0.72-1.64). A slot is found by a hash of the whole text and confirmed by its
// bytes; a slot's text lives until the arena's reset empties the slots.
struct recent_text {
    const char *p = nullptr;
    size_t len = 0;
};
constexpr size_t kRecentTexts = 4096;
recent_text recent_texts[kRecentTexts];

// Of a text of at least one byte: every word but the last whole, then the
// last 8 bytes (overlapping the word before them).
size_t recent_slot(const char *s, size_t len) {
    uint64_t h = len * 0x9e3779b97f4a7c15ULL;
    uint64_t last;
    if (len >= 8) {
        for (size_t i = 0; i + 8 < len; i += 8) {
            h = (h ^ bytes::word8(s + i)) * 0xbf58476d1ce4e5b9ULL;
            h ^= h >> 29;
        }
        last = bytes::word8(s + len - 8);
    } else {
        last = bytes::short_word(s, len);
    }
    h = (h ^ last) * 0x94d049bb133111ebULL;
    return static_cast<size_t>(h >> 52) & (kRecentTexts - 1);
}

}  // namespace

char *text_arena_alloc(size_t bytes) {
    char *p = take(texts, bytes);
    ASAN_UNPOISON_MEMORY_REGION(p, bytes);
    return p;
}

void text_arena_reset() {
    free_records = {};
    for (recent_text &t : recent_texts) t = {};
    while (chunks) {
        chunk *prev = chunks->prev;
        // A later mapping at this address must not find it still poisoned.
        ASAN_UNPOISON_MEMORY_REGION(chunks, sizeof(chunk) + chunks->size);
        if (chunks->size == kChunk) munmap(chunks, kHugePage);
        else std::free(chunks);
        chunks = prev;
    }
    texts = records = region{};
    held = 0;
}

size_t text_arena_bytes() { return held; }

// Every take from `records` is a multiple of 16 bytes, from a chunk start
// that is 16-byte aligned: every record is.
void *Malloc(size_t count) {
    size_t size = size_class(count);
    if (size < free_records.size() && free_records[size]) {
        void *rec = free_records[size];
        ASAN_UNPOISON_MEMORY_REGION(rec, size * kAlign);
        std::memcpy(&free_records[size], rec, sizeof(void *));
        return rec;
    }
    // The slot its free_record needs is made now: giving a record back runs
    // in destructors and must not allocate.
    if (size >= free_records.size()) free_records.resize(size + 1, nullptr);
    char *p = take(records, kHead + size * kAlign);
#ifdef NDL_RECORD_HEADS
    ASAN_UNPOISON_MEMORY_REGION(p, kHead);
    std::memcpy(p, &size, sizeof size);
    // The head stays poisoned: a write before the record is reported.
    ASAN_POISON_MEMORY_REGION(p, kHead);
#endif
    ASAN_UNPOISON_MEMORY_REGION(p + kHead, size * kAlign);
    return p + kHead;
}

void free_record(void *rec, size_t bytes) {
    if (!rec) return;
    size_t size = size_class(bytes);
#ifdef NDL_RECORD_HEADS
    size_t taken;
    char *at = static_cast<char *>(rec) - kHead;
    ASAN_UNPOISON_MEMORY_REGION(at, kHead);
    std::memcpy(&taken, at, sizeof taken);
    ASAN_POISON_MEMORY_REGION(at, kHead);
    if (taken != size) {
        std::fprintf(stderr, "free_record: a record of %zu bytes given back as one of %zu\n", taken * kAlign, bytes);
        std::abort();
    }
#endif
    // Only a record of an arena already released has no slot: it went with it.
    if (size >= free_records.size()) return;
    std::memcpy(rec, &free_records[size], sizeof(void *));
    free_records[size] = rec;
    ASAN_POISON_MEMORY_REGION(rec, size * kAlign);
}

namespace {

// A text not met lately: stored into `to`, and kept in its slot. Out of
// line, so that the path of a text met lately saves no registers.
__attribute__((noinline)) void store_recent(const char *&to, recent_text &seen, const char *s, size_t len) {
    char *p = text_arena_alloc(len + 1);
    std::memcpy(p, s, len);
    p[len] = '\0';
    seen = {p, len};
    to = p;
}

}  // namespace

void text_slot::put(const char *s, size_t len) {
    if (!len) {
        p_ = nullptr;
        return;
    }
    recent_text &seen = recent_texts[recent_slot(s, len)];
    if (seen.len == len && bytes::same(seen.p, s, len)) p_ = seen.p;
    else store_recent(p_, seen, s, len);
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
