// Building blocks shared by every record list of the loader: the field
// widths, allocation and tail appending.
#ifndef NDL_CORE_RECORDS_COMMON_H
#define NDL_CORE_RECORDS_COMMON_H

#include <cstddef>
#include <cstdint>
#include <cstring>

// Name fields hold 30 characters, free texts 300; the terminator is extra.
constexpr int kName = 31;
constexpr int kText = 301;

// At least 16 bytes, uninitialised; every record list is built from it.
void *Malloc(size_t count);

// A record with every field zero and every text empty.
template <class T>
T *alloc_record() {
    T *rec = static_cast<T *>(Malloc(sizeof(T)));
    if (rec) std::memset(static_cast<void *>(rec), 0, sizeof(T));
    return rec;
}

// Lists keep input (or row) order: records go to the tail.
template <class T>
void append_record(T *&head, T *rec) {
    rec->next = nullptr;
    T **link = &head;
    while (*link) link = &(*link)->next;
    *link = rec;
}

#endif
