// Record lists built by hand for the registry tests, and the captured log.
#ifndef NDL_TESTS_REGISTRY_FIXTURE_H
#define NDL_TESTS_REGISTRY_FIXTURE_H

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "records_common.h"
#include "records_customer.h"
#include "records_policy.h"
#include "records_routing.h"
#include "records_topology.h"
#include "registry.h"
#include "runstate.h"

#include "memory_log.h"

// Every test starts and ends with empty lists and an empty log.
class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        releasememory("ALL");
        log_text.clear();
        g_error = 0;
        Line = 1;
    }
    void TearDown() override { releasememory("ALL"); }
};

// Appends a zero-filled record to a list and gives it back to be filled.
template <class T>
T *add(record_list<T> &list) {
    T *rec = alloc_record<T>();
    if (!rec) std::abort();
    append_record(list, rec);
    return rec;
}

template <size_t N>
void set(char (&field)[N], const char *text) {
    std::snprintf(field, N, "%s", text);
}
template <size_t N>
void set(text_field<N> &field, const char *text) {
    field = text;
}

#endif
