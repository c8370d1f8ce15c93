// The record-list heads of a run and their release, by group or all at once.
#include <cstdlib>
#include <cstring>

#include "records_customer.h"
#include "records_policy.h"
#include "records_routing.h"
#include "records_topology.h"
#include "runstate.h"

namespace {

// Releasing everything: the lists are only emptied, their records go with
// the arena at once.
bool dropping_all = false;

template <class T>
void free_list(T *&head) {
    if (dropping_all) head = nullptr;
    while (head) {
        T *next = head->next;
        free_record(head);
        head = next;
    }
}

template <class T>
void free_list(record_list<T> &list) {
    T *head = list.head;
    list.clear();
    free_list(head);
}

template <class T>
void free_list(tail_list<T> &list) {
    T *head = list.head;
    list = nullptr;
    free_list(head);
}

// Records that carry a list of their own: the sub-list goes first.
template <class T, class S>
void free_list(record_list<T> &list, S T::*sub) {
    T *head = list.head;
    list.clear();
    if (dropping_all) return;
    while (head) {
        T *next = head->next;
        free_list(head->*sub);
        free_record(head);
        head = next;
    }
}

struct group {
    const char *name;
    void (*release)();
};

}  // namespace

// The list heads and their groups, from the tables' declaration.
#include "release.inc"

void releasememory(const char *section) {
    bool all = std::strcmp(section, "ALL") == 0;
    dropping_all = all;
    for (const group &g : groups)
        if (all || std::strcmp(section, g.name) == 0) g.release();
    dropping_all = false;
    // Every record is gone: so is the memory of every record and text.
    if (all) text_arena_reset();
}
