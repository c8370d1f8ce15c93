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
T *last_record(T *first) {
    T *last = first;
    while (last && last->next) last = last->next;
    return last;
}

// A list's head with its tail, so that appending stays constant-time
// however long the list grows. A sub-list that hangs under a record is one
// (a plain struct, zero when the record is); it reads like the head pointer
// it stands for, and taking a list built elsewhere finds its tail once.
template <class T>
struct tail_list {
    T *head;
    T *tail;

    operator T *() const { return head; }
    T *operator->() const { return head; }
    tail_list &operator=(T *first) {
        head = first;
        tail = last_record(first);
        return *this;
    }
    void link(T *rec) {
        rec->next = nullptr;
        // A tail that is not the list's own (the head was set directly) is
        // found again.
        if (head && (!tail || tail->next)) tail = last_record(head);
        if (tail && head) tail->next = rec;
        else head = rec;
        tail = rec;
    }
};

template <class T>
void append_record(tail_list<T> &list, T *rec) {
    list.link(rec);
}

// Something kept in step with a list, such as a lookup index: told of every
// record appended, and told to start over when the list is replaced or
// emptied. A record of a watched list keeps its key fields once the next
// record is appended, and records leave the list only all at once (release
// or replacement). Every change of a list goes through append, replace or
// clear, which tell its watchers.
template <class T>
struct list_watcher {
    virtual void reset() = 0;
    virtual void added(T *rec) = 0;
    list_watcher *chained = nullptr;  // the next watcher of the same list

protected:
    ~list_watcher() = default;
};

// The head of a global record list, with its tail kept so that appending
// stays constant-time however long the list grows. It reads like the head
// pointer it stands for: `prdomains->domainname`, `for (r = prdomains; r;
// r = r->next)`, `if (!prnetwork)`, and `prdomains = load_domains()` takes a
// list built elsewhere.
template <class T>
struct record_list : tail_list<T> {
    using tail_list<T>::head;
    using tail_list<T>::tail;
    list_watcher<T> *watchers = nullptr;

    record_list() : tail_list<T>{nullptr, nullptr} {}
    // A copy shares the records but not the watchers.
    record_list(const record_list &other) : tail_list<T>{other.head, other.tail} {}
    record_list &operator=(const record_list &other) {
        replace(other.head, other.tail);
        return *this;
    }

    record_list &operator=(T *first) {
        replace(first, last_record(first));
        return *this;
    }

    // Takes a list built elsewhere (its last record given); the watchers
    // start over from it.
    void replace(T *first, T *last) {
        head = first;
        tail = last;
        rewatch();
    }
    // Forgets every record (their memory is the caller's to free).
    void clear() { replace(nullptr, nullptr); }

    void append(T *rec) {
        // No tail: empty, or emptied by a release that did not tell us.
        if (!tail) {
            head = nullptr;
            for (list_watcher<T> *w = watchers; w; w = w->chained) w->reset();
        }
        this->link(rec);
        for (list_watcher<T> *w = watchers; w; w = w->chained) w->added(rec);
    }

    void watch(list_watcher<T> *w) {
        w->chained = watchers;
        watchers = w;
        w->reset();
        for (T *r = head; r; r = r->next) w->added(r);
    }

    // The watchers start over from what the list holds now.
    void rewatch() {
        for (list_watcher<T> *w = watchers; w; w = w->chained) {
            w->reset();
            for (T *r = head; r; r = r->next) w->added(r);
        }
    }
};

template <class T>
void append_record(record_list<T> &list, T *rec) {
    list.append(rec);
}

#endif
