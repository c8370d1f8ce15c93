// A small network built by hand for the validation tests, and the log
// captured in memory.
//
// Domains CORE and EDGE; nodes CORE.PE, CORE.P, EDGE.CE. Connection types
// 1 PE-CE (CORE.PE - EDGE.CE), 2 PE-P (CORE.PE - CORE.P), 3 LONE (CORE.P
// alone). Node CORE.PE has the variables X (NUMBER), S (STRING), NL (a
// static list of numbers) and WL (a static list of words) and the service
// DNS; connection PE-CE has VLAN (NUMBER) and DESCR (STRING).
#ifndef NDL_TESTS_VALIDATIONS_WORLD_H
#define NDL_TESTS_VALIDATIONS_WORLD_H

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "records_common.h"
#include "registry.h"
#include "runstate.h"
#include "validations.h"

#include "memory_log.h"

constexpr int kTestLine = 7;

// Lists keep their keys once appended (the registry indexes them), so a
// record is filled before it goes in.
template <class T, class Fill>
void add(record_list<T> &list, Fill fill) {
    T *rec = alloc_record<T>();
    fill(*rec);
    append_record(list, rec);
}

template <size_t N>
void set(char (&field)[N], const char *text) {
    std::snprintf(field, N, "%s", text);
}
template <size_t N>
void set(text_field<N> &field, const char *text) {
    field = text;
}

void build_world();

class World : public ::testing::Test {
protected:
    void SetUp() override {
        releasememory("ALL");
        build_world();
        log_text.clear();
        g_errormsg[0] = '\0';
        Line = kTestLine;
    }
    void TearDown() override { releasememory("ALL"); }
};

#endif
