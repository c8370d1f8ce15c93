// The one way the registry searches a record list: a lookup names the list
// and its keys (a field and the value it must equal, or any test of a
// record), and the walk or the index does the rest.
#ifndef NDL_CORE_LOOKUP_H
#define NDL_CORE_LOOKUP_H

#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "records_common.h"

namespace lookup {

// Texts compare whole and with case.
inline bool same(const char *field, const char *value) { return std::strcmp(field, value) == 0; }
inline bool same(int32_t field, int32_t value) { return field == value; }

template <class T, size_t N>
struct text_key {
    char (T::*field)[N];
    const char *value;
    bool operator()(const T &r) const { return same(r.*field, value); }
};

template <class T>
struct int_key {
    int32_t T::*field;
    int32_t value;
    bool operator()(const T &r) const { return r.*field == value; }
};

template <class T, size_t N>
text_key<T, N> key(char (T::*field)[N], const char *value) {
    return {field, value};
}
template <class T>
int_key<T> key(int32_t T::*field, int32_t value) {
    return {field, value};
}

// The first record, in list order, that every key accepts; null when none.
template <class T, class... Keys>
T *find_first(T *head, const Keys &...keys) {
    for (T *r = head; r; r = r->next)
        if ((keys(*r) && ...)) return r;
    return nullptr;
}
template <class T, class... Keys>
T *find_first(const record_list<T> &list, const Keys &...keys) {
    return find_first(list.head, keys...);
}

// The last record that every key accepts: the whole list is walked.
template <class T, class... Keys>
T *find_last(const record_list<T> &list, const Keys &...keys) {
    T *found = nullptr;
    for (T *r = list.head; r; r = r->next)
        if ((keys(*r) && ...)) found = r;
    return found;
}

template <class T, class... Keys>
int count_matches(const record_list<T> &list, const Keys &...keys) {
    int n = 0;
    for (T *r = list.head; r; r = r->next)
        if ((keys(*r) && ...)) ++n;
    return n;
}

// Every index of the library, so that a run can start them all over from
// their lists (the library outlives its runs in the agent). An index joins
// the roll when it is made and leaves it when it goes.
class any_index;
inline any_index *&all_indexes() {
    static any_index *first = nullptr;
    return first;
}

class any_index {
public:
    virtual void resync() = 0;
    any_index *next_index = nullptr;

protected:
    any_index() {
        next_index = all_indexes();
        all_indexes() = this;
    }
    ~any_index() {
        for (any_index **at = &all_indexes(); *at; at = &(*at)->next_index)
            if (*at == this) {
                *at = next_index;
                break;
            }
    }
    any_index(const any_index &) = delete;
    any_index &operator=(const any_index &) = delete;
};

// The hash of a key's values (texts or 32-bit integers).
inline size_t key_part(const char *text) { return std::hash<std::string_view>{}(text); }
inline size_t key_part(int32_t n) { return std::hash<int32_t>{}(n); }
template <class... Values>
size_t key_hash(const Values &...values) {
    size_t h = 0;
    ((h ^= key_part(values) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2)), ...);
    return h;
}

// Every index forgets what it held and takes its list as it stands.
inline void resync_indexes() {
    for (any_index *i = all_indexes(); i; i = i->next_index) i->resync();
}

// What every index of a list shares: it attaches itself to the list at its
// first use and is kept in step by the list's appends from then on. The last
// record may still be being filled: it is indexed only once the next one
// arrives, and compared directly until then.
template <class T, auto... Fields>
class list_index : public list_watcher<T>, public any_index {
public:
    void reset() override {
        forget();
        last_ = nullptr;
    }
    void resync() override {
        reset();
        if (attached_)
            for (T *r = list_.head; r; r = r->next) added(r);
    }
    void added(T *rec) override {
        if (last_) index(last_);
        last_ = rec;
    }

protected:
    explicit list_index(record_list<T> &list) : list_(list) {}
    ~list_index() = default;

    // False for a released list (the records still indexed are gone).
    bool ready() {
        if (!list_.head) return false;
        if (!attached_) {
            attached_ = true;
            list_.watch(this);
        }
        return true;
    }
    template <class... Values>
    static bool matches(const T *r, const Values &...values) {
        static_assert(sizeof...(Values) == sizeof...(Fields));
        return (same(r->*Fields, values) && ...);
    }
    // The record still being filled, when it has these values.
    template <class... Values>
    T *pending(const Values &...values) const {
        return last_ && matches(last_, values...) ? last_ : nullptr;
    }
    virtual void forget() = 0;
    virtual void index(T *rec) = 0;

    record_list<T> &list_;

private:
    bool attached_ = false;
    T *last_ = nullptr;
};

// A hash index of a list on some of its fields (texts or 32-bit integers),
// answering what find_first would: the first record of the list with those
// values. It serves lookups whose answer does not depend on the order of the
// search beyond "the first entry wins".
template <class T, auto... Fields>
class keyed_index final : public list_index<T, Fields...> {
    using base = list_index<T, Fields...>;

public:
    explicit keyed_index(record_list<T> &list) : base(list) {}

    template <class... Values>
    T *find(const Values &...values) {
        if (!this->ready()) return nullptr;
        bool stale = false;
        auto [from, to] = first_.equal_range(key_hash(values...));
        for (auto it = from; it != to; ++it) {
            if (base::matches(it->second, values...)) return it->second;
            stale = true;
        }
        // Two keys with one hash, or a key changed after its record was
        // indexed: the walk decides.
        if (stale) return find_first(this->list_.head, key(Fields, values)...);
        return this->pending(values...);
    }

private:
    void forget() override { first_.clear(); }
    void index(T *rec) override {
        size_t h = key_hash(rec->*Fields...);
        auto [from, to] = first_.equal_range(h);
        for (auto it = from; it != to; ++it)
            if (base::matches(it->second, rec->*Fields...)) return;  // the first entry of a key wins
        first_.emplace(h, rec);
    }

    // Records by the hash of their key: the records, not the hashes, decide.
    std::unordered_multimap<size_t, T *> first_;
};

// The records of a list that share some fields (texts or 32-bit integers),
// in list order: a search that walks only the records of one domain and
// node type, say, visits them through `each` and keeps its own rule for
// which record answers.
template <class T, auto... Fields>
class group_index final : public list_index<T, Fields...> {
    using base = list_index<T, Fields...>;

public:
    explicit group_index(record_list<T> &list) : base(list) {}

    // Calls visit(record) for the records with these values, in list
    // order, until it answers true; that record, or null.
    template <class Visit, class... Values>
    T *each(Visit visit, const Values &...values) {
        if (!this->ready()) return nullptr;
        auto [from, to] = groups_.equal_range(key_hash(values...));
        for (auto it = from; it != to; ++it) {
            std::vector<T *> &members = it->second;
            if (!base::matches(members.front(), values...)) continue;
            for (T *r : members) {
                // A key changed after its record was indexed: the walk decides.
                if (!base::matches(r, values...)) return walk(visit, values...);
                if (visit(*r)) return r;
            }
            break;
        }
        T *last = this->pending(values...);
        return last && visit(*last) ? last : nullptr;
    }

private:
    void forget() override { groups_.clear(); }
    void index(T *rec) override {
        size_t h = key_hash(rec->*Fields...);
        auto [from, to] = groups_.equal_range(h);
        auto it = from;
        while (it != to && !base::matches(it->second.front(), rec->*Fields...)) ++it;
        if (it == to) it = groups_.emplace(h, std::vector<T *>{});
        it->second.push_back(rec);
    }
    template <class Visit, class... Values>
    T *walk(Visit visit, const Values &...values) {
        for (T *r = this->list_.head; r; r = r->next)
            if (base::matches(r, values...) && visit(*r)) return r;
        return nullptr;
    }

    std::unordered_multimap<size_t, std::vector<T *>> groups_;
};

}  // namespace lookup

#endif
