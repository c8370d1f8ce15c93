// The run's text arena: the texts of every record, in chunks that are
// freed together when the run's records are.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <sanitizer/asan_interface.h>

#include "records_common.h"

namespace {

constexpr size_t kChunk = 64 * 1024;
// A text longer than this gets a chunk of its own, so a chunk never
// wastes more than this at its end.
constexpr size_t kLargeText = 1024;

struct chunk {
    chunk *prev;
    size_t size;
    // the texts follow
};

chunk *current = nullptr;
char *next_free = nullptr;
char *chunk_end = nullptr;
size_t held = 0;

chunk *new_chunk(size_t bytes) {
    auto *c = static_cast<chunk *>(std::malloc(sizeof(chunk) + bytes));
    if (!c) throw std::bad_alloc();
    c->size = bytes;
    held += bytes;
    // Under AddressSanitizer what is not handed out stays poisoned: a read
    // past the last text into free space is reported.
    ASAN_POISON_MEMORY_REGION(c + 1, bytes);
    return c;
}

}  // namespace

namespace {
char *take(size_t bytes);
}

char *text_arena_alloc(size_t bytes) {
    char *p = take(bytes);
    ASAN_UNPOISON_MEMORY_REGION(p, bytes);
    return p;
}

namespace {

char *take(size_t bytes) {
    if (static_cast<size_t>(chunk_end - next_free) >= bytes && next_free) {
        char *p = next_free;
        next_free += bytes;
        return p;
    }
    if (bytes > kLargeText) {
        // Kept behind the current chunk, which goes on filling.
        chunk *c = new_chunk(bytes);
        if (current) {
            c->prev = current->prev;
            current->prev = c;
        } else {
            c->prev = nullptr;
            current = c;
            next_free = chunk_end = reinterpret_cast<char *>(c + 1) + bytes;
        }
        return reinterpret_cast<char *>(c + 1);
    }
    chunk *c = new_chunk(kChunk);
    c->prev = current;
    current = c;
    next_free = reinterpret_cast<char *>(c + 1);
    chunk_end = next_free + kChunk;
    char *p = next_free;
    next_free += bytes;
    return p;
}

}  // namespace

void text_arena_reset() {
    while (current) {
        chunk *prev = current->prev;
        std::free(current);
        current = prev;
    }
    next_free = chunk_end = nullptr;
    held = 0;
}

size_t text_arena_bytes() { return held; }

void text_slot::put(const char *s, size_t len) {
    if (!len) {
        p_ = nullptr;
        return;
    }
    char *p = text_arena_alloc(len + 1);
    std::memcpy(p, s, len);
    p[len] = '\0';
    p_ = p;
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
