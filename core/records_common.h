// Building blocks shared by every record list of the loader: the field
// widths, allocation and tail appending.
#ifndef NDL_CORE_RECORDS_COMMON_H
#define NDL_CORE_RECORDS_COMMON_H

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstdarg>
#include <cstring>
#include <type_traits>

// Name fields hold 30 characters, free texts 300; the terminator is extra.
constexpr int kName = 31;
constexpr int kText = 301;

// A record's stored fields, as core/records_SECTION_stored.h declares them
// from its tables.
#define NDL_STORED(R) NDL_STORED_##R

// ---- the run's memory: texts and records ----
//
// A record's text field holds at most N-1 characters, as a char[N] column
// buffer would, but keeps them in the run's text arena: a record costs a
// pointer per text, and the text the bytes it needs. Zero bytes are the
// empty text, so a zeroed record is a record of empty texts. Texts are never
// changed in place: assigning makes a new one (or shares one that already
// fits, or an equal one stored lately), so records copied whole may share
// their texts safely.
//
// The arena lives for the run: releasememory("ALL") frees it with the
// records, and nothing may keep a record or its text beyond that.
char *text_arena_alloc(size_t bytes);
void text_arena_reset();
size_t text_arena_bytes();  // held now, by texts and records

// A text is a pointer and nothing else: records stay plain data, zeroed with
// memset and copied whole with memcpy. The format attribute of the log
// writers and of format() is what catches a text handed to printf-like
// functions without c_str().
class text_slot {
public:
    text_slot() = default;
    text_slot(const text_slot &other) = default;
    text_slot &operator=(const text_slot &other) = default;

    operator const char *() const { return p_ ? p_ : ""; }
    const char *c_str() const { return p_ ? p_ : ""; }
    bool empty() const { return !p_ || !*p_; }
    void clear() { p_ = nullptr; }

protected:
    // Copies `len` bytes (no NUL among them) into the arena; the caller
    // has bounded `len`.
    void put(const char *s, size_t len);
    const char *p_ = nullptr;

    friend struct text_access;
};

template <size_t N>
class text_field : public text_slot {
public:
    static_assert(N > 1);
    static constexpr size_t capacity = N;  // the column's width, with the NUL

    text_field() = default;
    text_field(const text_field &other) = default;
    text_field &operator=(const text_field &other) = default;

    // A bounded copy: the first N-1 characters (all of a shorter text).
    text_field &operator=(const char *s) {
        assign(s, s ? std::strlen(s) : 0);
        return *this;
    }
    // A text of a field no wider is shared, not copied.
    template <size_t M>
    text_field &operator=(const text_field<M> &other) {
        if constexpr (M <= N) p_ = other.p_;
        else assign(other.c_str(), std::strlen(other.c_str()));
        return *this;
    }
    void assign(const char *s, size_t len) { put(s, len < N - 1 ? len : N - 1); }
    // As snprintf into a char[N]: the text cut to fit; answers what
    // snprintf answers.
    int format(const char *fmt, ...) __attribute__((format(printf, 2, 3)));

    template <size_t M>
    friend class text_field;
};

// A text is compared by its characters (strcmp), never by where it lies:
// == and != on a record's text do not compile.
template <class T>
bool operator==(const text_slot &, const T &) = delete;
template <class T>
bool operator!=(const text_slot &, const T &) = delete;

// The reader's, writer's and block framework's way to a text field known
// only by its offset.
struct text_access {
    static void assign(void *field, const char *s, size_t len) { static_cast<text_slot *>(field)->put(s, len); }
    static const char *get(const void *field) { return static_cast<const text_slot *>(field)->c_str(); }
};

int format_text(text_slot &field, size_t size, const char *fmt, va_list ap);

static_assert(std::is_trivially_copyable_v<text_field<kName>> && std::is_trivially_copyable_v<text_field<kText>>,
              "records are zeroed and copied as bytes");

template <size_t N>
int text_field<N>::format(const char *fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    int n = format_text(*this, N, fmt, ap);
    va_end(ap);
    return n;
}

// A field's width as the table descriptions see it: a text's column
// width (with its NUL), any other field's size.
template <class F>
struct text_width {
    static constexpr size_t size = sizeof(F);
    static constexpr bool slot = false;
};
template <size_t N>
struct text_width<text_field<N>> {
    static constexpr size_t size = N;
    static constexpr bool slot = true;
};

// Records (and the entries blocks read into) come from the run's arena too,
// 16-byte aligned, in sizes rounded to 16 bytes: a record given back with
// free_record is kept for the next record of its size, and every record goes
// with the arena when the run's records are released. Malloc's memory is
// uninitialised; it never answers null. A record carries no size of its
// own (330,000 records of a 30 MB load would carry 5 MB of them): it is
// given back as its type, or with the size it was taken with.
void *Malloc(size_t count);
void free_record(void *rec, size_t size);
template <class T>
void free_record(T *rec) {
    static_assert(!std::is_void_v<T>, "a record known only by its address is given back with its size");
    free_record(static_cast<void *>(rec), sizeof(T));
}

// A record with every field zero and every text empty.
template <class T>
T *alloc_record() {
    static_assert(std::is_trivially_copyable_v<T>, "a record is plain data: zeroed and copied as bytes");
    T *rec = static_cast<T *>(Malloc(sizeof(T)));
    // Through void *: a text's pointer starts null, which makes the record
    // not trivial to GCC's memset check, yet all-zero bytes are that null.
    std::memset(static_cast<void *>(rec), 0, sizeof(T));
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
        // A record appended twice would close the list into a ring.
        assert(!head || rec != tail);
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
