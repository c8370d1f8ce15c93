// The one way the registry searches a record list: a lookup names the list
// and its keys (a field and the value it must equal, or any test of a
// record), and the walk or the index does the rest.
#ifndef NDL_CORE_LOOKUP_H
#define NDL_CORE_LOOKUP_H

#include <cassert>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "records_common.h"

namespace lookup {

// Texts compare whole and with case. Most texts that differ differ in
// their first byte: a walk over a table passes them without a call.
inline bool same(const char *field, const char *value) {
    return field[0] == value[0] && std::strcmp(field, value) == 0;
}
inline bool same(int32_t field, int32_t value) { return field == value; }

// A key part of a record: one of its fields, or what a function of the
// record answers (a number its text stands for, say).
template <auto F, class T>
decltype(auto) part(const T *r) {
    if constexpr (std::is_member_object_pointer_v<decltype(F)>) return (r->*F);
    else return F(*r);
}

template <class T, size_t N>
struct text_key {
    text_field<N> T::*field;
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
text_key<T, N> key(text_field<N> T::*field, const char *value) {
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

// The hash of a key's values (texts or 32-bit integers). A text is hashed
// as it is read (FNV-1a), without measuring it first: keys are short names.
inline size_t key_part(const char *text) {
    uint64_t h = 0xcbf29ce484222325ULL;
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; ++p)
        h = (h ^ *p) * 0x100000001b3ULL;
    return static_cast<size_t>(h);
}
inline size_t key_part(int32_t n) { return std::hash<int32_t>{}(n); }
// Each part is folded in through a full 64-bit mix: two keys that share a
// hash make a lookup walk the whole list, so near keys (numbers one apart,
// one name) must not meet.
inline uint64_t mix_bits(uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}
template <class... Values>
size_t key_hash(const Values &...values) {
    uint64_t h = 0;
    ((h = mix_bits(h + 0x9e3779b97f4a7c15ULL + key_part(values))), ...);
    return static_cast<size_t>(h);
}

// Values by the hash of their key, in one flat table (open addressing,
// linear probing): a lookup reads neighbouring slots, not a chain of nodes,
// and looks at a record only where the whole hash matches. Several values
// may share a hash; nothing is taken out but all at once (clear).
template <class V>
class hash_slots {
public:
    // The first value of hash `h` that `accept` takes, or null.
    template <class Accept>
    V *find_if(size_t h, Accept accept) {
        if (slots_.empty()) return nullptr;
        h = stored(h);
        for (size_t i = h & mask(); slots_[i].hash; i = (i + 1) & mask())
            if (slots_[i].hash == h && accept(slots_[i].value)) return &slots_[i].value;
        return nullptr;
    }
    // A new value under `h`; the reference holds until the next insert.
    V &insert(size_t h, V value) {
        if ((count_ + 1) * 4 > slots_.size() * 3) grow();  // at most three quarters full
        h = stored(h);
        size_t i = h & mask();
        while (slots_[i].hash) i = (i + 1) & mask();
        slots_[i].hash = h;
        slots_[i].value = std::move(value);
        ++count_;
        return slots_[i].value;
    }
    // Lets the table's room go: an index is emptied when its run ends,
    // and what the run built goes back with it. A fresh vector, since
    // `slots_ = {}` assigns an empty list and keeps the capacity.
    void clear() {
        slots_ = std::vector<slot>();
        count_ = 0;
    }

private:
    // A hash beside its value: a lookup reads one place, not two.
    struct slot {
        size_t hash = 0;  // 0 marks a free slot
        V value{};
    };
    static size_t stored(size_t h) { return h ? h : 1; }
    size_t mask() const { return slots_.size() - 1; }
    void grow() {
        std::vector<slot> old(slots_.empty() ? 16 : slots_.size() * 2);
        old.swap(slots_);
        for (slot &s : old) {
            if (!s.hash) continue;
            size_t i = s.hash & mask();
            while (slots_[i].hash) i = (i + 1) & mask();
            slots_[i].hash = s.hash;
            slots_[i].value = std::move(s.value);
        }
    }

    std::vector<slot> slots_;
    size_t count_ = 0;
};

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
        return (same(part<Fields>(r), values) && ...);
    }
    // The entry of `map` for the key of `rec`: the one whose record (`rec_of`
    // of it) has that key, else one that `make` gives.
    template <class Map, class RecOf, class Make>
    static auto &entry_for(Map &map, T *rec, RecOf rec_of, Make make) {
        size_t h = key_hash(part<Fields>(rec)...);
        auto found = map.find_if(h, [&](const auto &v) { return matches(rec_of(v), part<Fields>(rec)...); });
        return found ? *found : map.insert(h, make());
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
        return search(key_hash(values...), values...);
    }

private:
    template <class... Values>
    T *search(size_t h, const Values &...values) {
        bool stale = false;
        T **found = first_.find_if(h, [&](T *r) {
            if (base::matches(r, values...)) return true;
            stale = true;
            return false;
        });
        if (found) return *found;
        // Two keys with one hash, or a key changed after its record was
        // indexed: the walk decides.
        if (stale)
            for (T *r = this->list_.head; r; r = r->next)
                if (base::matches(r, values...)) return r;
        return this->pending(values...);
    }

    void forget() override { first_.clear(); }
    // The first entry of a key wins.
    void index(T *rec) override {
        base::entry_for(first_, rec, [](T *r) { return r; }, [&] { return rec; });
    }

    // Records by the hash of their key: the records, not the hashes, decide.
    hash_slots<T *> first_;
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
        group *g = groups_.find_if(key_hash(values...),
                                   [&](const group &candidate) { return base::matches(candidate.first, values...); });
        if (g)
            for (uint32_t i = g->head; i != kEnd; i = members_[i].next) {
                T *r = members_[i].rec;
                // A key changed after its record was indexed: the walk decides.
                if (!base::matches(r, values...)) return walk(visit, values...);
                if (visit(*r)) return r;
            }
        T *last = this->pending(values...);
        return last && visit(*last) ? last : nullptr;
    }

private:
    // The members of every group in one array, each group chained through
    // it from its first member: starting over frees two arrays, not a list
    // per group.
    static constexpr uint32_t kEnd = UINT32_MAX;
    struct member {
        T *rec;
        uint32_t next;
    };
    struct group {
        T *first = nullptr;  // stands for the key
        uint32_t head = kEnd, tail = kEnd;
    };

    void forget() override {
        groups_.clear();
        members_ = {};
    }
    void index(T *rec) override {
        group &g = base::entry_for(groups_, rec, [](const group &e) { return e.first; },
                                   [&] { return group{rec, kEnd, kEnd}; });
        auto at = static_cast<uint32_t>(members_.size());
        // A group's tail is its last member.
        assert(g.tail == kEnd || members_[g.tail].next == kEnd);
        members_.push_back({rec, kEnd});
        if (g.tail == kEnd) g.head = at;
        else members_[g.tail].next = at;
        g.tail = at;
    }
    template <class Visit, class... Values>
    T *walk(Visit visit, const Values &...values) {
        for (T *r = this->list_.head; r; r = r->next)
            if (base::matches(r, values...) && visit(*r)) return r;
        return nullptr;
    }

    hash_slots<group> groups_;
    std::vector<member> members_;
};

// What the records with some values add up to, as the walk that folds
// them in list order would: how many there are (counted), or the highest
// of a number field, from 0 (highest<Field>).
struct counted {
    template <class T>
    static int32_t add(int32_t n, const T &) {
        return n < INT32_MAX ? n + 1 : n;
    }
};
template <auto Field>
struct highest {
    template <class T>
    static int32_t add(int32_t top, const T &r) {
        return r.*Field > top ? r.*Field : top;
    }
};

template <class T, class Fold, auto... Fields>
class tally_index final : public list_index<T, Fields...> {
    using base = list_index<T, Fields...>;

public:
    explicit tally_index(record_list<T> &list) : base(list) {}

    template <class... Values>
    int32_t get(const Values &...values) {
        if (!this->ready()) return 0;
        int32_t total = 0;
        auto *tally = tallies_.find_if(key_hash(values...), [&](const std::pair<T *, int32_t> &t) {
            return base::matches(t.first, values...);
        });
        if (tally) total = tally->second;
        if (T *last = this->pending(values...)) total = Fold::add(total, *last);
        return total;
    }

private:
    void forget() override { tallies_.clear(); }
    void index(T *rec) override {
        auto &tally = base::entry_for(tallies_, rec, [](const std::pair<T *, int32_t> &t) { return t.first; },
                                      [&] { return std::pair<T *, int32_t>{rec, 0}; });
        tally.second = Fold::add(tally.second, *rec);
    }

    // By the hash of a key: its first record, which stands for the key, and
    // the tally.
    hash_slots<std::pair<T *, int32_t>> tallies_;
};

// The lowest number from 1 that no record with some values holds in a
// number field, as trying 1, 2, 3 ... against the list would find it.
// Records only join a list until it starts over, so that number only grows:
// each key keeps where its last search stopped, and a search costs the
// numbers it passes once.
template <class T, auto Number, auto... Fields>
class lowest_free final : public list_index<T, Fields...> {
    using base = list_index<T, Fields...>;

public:
    explicit lowest_free(record_list<T> &list) : base(list) {}

    template <class... Values>
    int32_t get(const Values &...values) {
        if (!this->ready()) return 1;
        size_t h = key_hash(values...);
        auto *from = starts_.find_if(h, [&](const std::pair<T *, int32_t> &s) { return base::matches(s.first, values...); });
        int32_t n = from ? from->second : 1;
        while (n < INT32_MAX && taken(n, values...)) ++n;
        if (from) from->second = n;
        return n;
    }

private:
    template <class... Values>
    bool taken(int32_t n, const Values &...values) {
        // A key changed after its record was indexed leaves its stale
        // entry behind: the record, not the hash, decides.
        if (taken_.find_if(key_hash(values..., n),
                           [&](T *r) { return part<Number>(r) == n && base::matches(r, values...); }))
            return true;
        T *last = this->pending(values...);
        return last && part<Number>(last) == n;
    }
    void forget() override {
        starts_.clear();
        taken_.clear();
    }
    void index(T *rec) override {
        base::entry_for(starts_, rec, [](const std::pair<T *, int32_t> &s) { return s.first; },
                        [&] { return std::pair<T *, int32_t>{rec, 1}; });
        taken_.insert(key_hash(part<Fields>(rec)..., part<Number>(rec)), rec);
    }

    // By the hash of a key: its first record, which stands for the key,
    // and where the last search stopped.
    hash_slots<std::pair<T *, int32_t>> starts_;
    // Every record by the hash of its key and number.
    hash_slots<T *> taken_;
};

// The sub-lists that hang under the records of a list (the entries of each
// system list, say), searched by an owner and some fields of the entries:
// the first entry of that owner's sub-list with those values. Entries are
// appended to their sub-list complete, and the index takes in those it has
// not seen when it is asked; a sub-list that starts over (another head) is
// taken in again, and the whole index starts over with its owners' list.
template <class O, class E, tail_list<E> O::*Sub, auto... Fields>
class sub_index final : public list_watcher<O>, public any_index {
public:
    explicit sub_index(record_list<O> &owners) : owners_(owners) {}

    template <class... Values>
    E *find(const O *owner, const Values &...values) {
        if (!owner) return nullptr;
        if (!attached_) {
            attached_ = true;
            owners_.watch(this);
        }
        seen &s = catch_up(owner);
        E **found = s.first.find_if(key_hash(values...), [&](E *e) { return matches(e, values...); });
        return found ? *found : nullptr;
    }

    void reset() override { by_owner_ = {}; }
    void added(O *) override {}
    void resync() override { reset(); }

private:
    struct seen {
        E *head = nullptr, *last = nullptr;
        hash_slots<E *> first;
    };
    template <class... Values>
    static bool matches(const E *e, const Values &...values) {
        return (same(part<Fields>(e), values) && ...);
    }
    seen &catch_up(const O *owner) {
        const tail_list<E> &list = owner->*Sub;
        seen &s = by_owner_[owner];
        if (s.head != list.head) s = seen{list.head, nullptr, {}};
        for (E *e = s.last ? s.last->next : list.head; e; e = e->next) {
            s.last = e;
            size_t h = key_hash(part<Fields>(e)...);
            // The first entry of a key wins.
            if (!s.first.find_if(h, [&](E *other) { return matches(other, part<Fields>(e)...); }))
                s.first.insert(h, e);
        }
        return s;
    }

    record_list<O> &owners_;
    bool attached_ = false;
    std::unordered_map<const O *, seen> by_owner_;
};

}  // namespace lookup

#endif
