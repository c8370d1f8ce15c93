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

// A hash index of a list on some of its fields (texts or 32-bit integers),
// answering what find_first would: the first record of the list with those
// values. It attaches itself to the list at its first use and is kept in
// step by the list's appends from then on. It serves lookups whose answer
// does not depend on the order of the search beyond "the first entry wins".
template <class T, auto... Fields>
class keyed_index final : public list_watcher<T>, public any_index {
public:
    explicit keyed_index(record_list<T> &list) : list_(list) {}

    template <class... Values>
    T *find(const Values &...values) {
        static_assert(sizeof...(Values) == sizeof...(Fields));
        // A released list has no head; the entries still indexed are gone.
        if (!list_.head) return nullptr;
        if (!attached_) {
            attached_ = true;
            list_.watch(this);
        }
        bool stale = false;
        auto [from, to] = first_.equal_range(key_hash(values...));
        for (auto it = from; it != to; ++it) {
            if ((same(it->second->*Fields, values) && ...)) return it->second;
            stale = true;
        }
        // Two keys with one hash, or a key changed after its record was
        // indexed: the walk decides.
        if (stale) return find_first(list_.head, key(Fields, values)...);
        if (last_ && (same(last_->*Fields, values) && ...)) return last_;
        return nullptr;
    }

    void reset() override {
        first_.clear();
        last_ = nullptr;
    }
    void resync() override {
        reset();
        if (attached_)
            for (T *r = list_.head; r; r = r->next) added(r);
    }
    // The last record may still be being filled: it is indexed only once the
    // next one arrives, and compared directly until then.
    void added(T *rec) override {
        if (last_) {
            size_t h = key_hash(last_->*Fields...);
            auto [from, to] = first_.equal_range(h);
            bool known = false;  // the first entry of a key wins
            for (auto it = from; it != to && !known; ++it)
                known = (same(it->second->*Fields, last_->*Fields) && ...);
            if (!known) first_.emplace(h, last_);
        }
        last_ = rec;
    }

private:
    record_list<T> &list_;
    bool attached_ = false;
    T *last_ = nullptr;
    // Records by the hash of their key: the records, not the hashes, decide.
    std::unordered_multimap<size_t, T *> first_;
};


// The records of a list that share some fields (texts or 32-bit integers),
// in list order: a search that walks only the records of one domain and
// node type, say, visits them through `each` and keeps its own rule for
// which record answers. Kept in step with its list as keyed_index is.
template <class T, auto... Fields>
class group_index final : public list_watcher<T>, public any_index {
public:
    explicit group_index(record_list<T> &list) : list_(list) {}

    // Calls visit(record) for the records with these values, in list
    // order, until it answers true; that record, or null.
    template <class Visit, class... Values>
    T *each(Visit visit, const Values &...values) {
        static_assert(sizeof...(Values) == sizeof...(Fields));
        if (!list_.head) return nullptr;
        if (!attached_) {
            attached_ = true;
            list_.watch(this);
        }
        auto [from, to] = groups_.equal_range(key_hash(values...));
        for (auto it = from; it != to; ++it) {
            std::vector<T *> &members = it->second;
            if (members.empty() || !(same(members.front()->*Fields, values) && ...)) continue;
            for (T *r : members) {
                // A key changed after its record was indexed: the walk decides.
                if (!(same(r->*Fields, values) && ...)) return walk(visit, values...);
                if (visit(*r)) return r;
            }
            break;
        }
        if (last_ && (same(last_->*Fields, values) && ...) && visit(*last_)) return last_;
        return nullptr;
    }

    void reset() override {
        groups_.clear();
        last_ = nullptr;
    }
    void resync() override {
        reset();
        if (attached_)
            for (T *r = list_.head; r; r = r->next) added(r);
    }
    // The last record may still be being filled: it joins its group only
    // once the next one arrives, and is compared directly until then.
    void added(T *rec) override {
        if (last_) {
            size_t h = key_hash(last_->*Fields...);
            auto [from, to] = groups_.equal_range(h);
            auto it = from;
            while (it != to && !(same(it->second.front()->*Fields, last_->*Fields) && ...)) ++it;
            if (it == to) it = groups_.emplace(h, std::vector<T *>{});
            it->second.push_back(last_);
        }
        last_ = rec;
    }

private:
    template <class Visit, class... Values>
    T *walk(Visit visit, const Values &...values) {
        for (T *r = list_.head; r; r = r->next)
            if ((same(r->*Fields, values) && ...) && visit(*r)) return r;
        return nullptr;
    }

    record_list<T> &list_;
    bool attached_ = false;
    T *last_ = nullptr;
    std::unordered_multimap<size_t, std::vector<T *>> groups_;
};

}  // namespace lookup

#endif
