// Lookups over lists of 10,000 and 100,000 records: the indexed lookups
// against the plain walk of the same list (the baseline), hits spread over
// the whole list and misses.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lookup.h"
#include "records_topology.h"
#include "registry.h"
#include "runstate.h"

namespace {

std::vector<std::string> names;

template <size_t N>
void set(text_field<N> &field, const std::string &text) {
    field = text.c_str();
}

// n domains with one node type, one variable and one connection type each,
// plus n pool types (a list the registry walks).
void build(int n) {
    releasememory("ALL");
    names.clear();
    for (int i = 0; i < n; ++i) {
        std::string name = "DOMAIN-" + std::to_string(i);
        names.push_back(name);
        domain_rec *d = alloc_record<domain_rec>();
        set(d->domainname, name);
        append_record(prdomains, d);
        domain_node_rec *node = alloc_record<domain_node_rec>();
        set(node->domainname, name);
        set(node->nodetype, "PE");
        set(node->devicetype, "ROUTER");
        append_record(prdomainnodes, node);
        domain_variable_rec *v = alloc_record<domain_variable_rec>();
        set(v->domainname, name);
        set(v->variablename, "VLAN");
        set(v->variabletype, "NUMBER");
        append_record(prdomainvariables, v);
        domain_conn_type_rec *ct = alloc_record<domain_conn_type_rec>();
        ct->connectionno = i + 1;
        set(ct->connectionname, name);
        append_record(prdomainconntypes, ct);
        pool_type_rec *pt = alloc_record<pool_type_rec>();
        set(pt->servicetype, "VPN");
        set(pt->hosttype, "PE");
        set(pt->poolowner, name);
        append_record(prpooltypes, pt);
    }
}

// Alternates a hit with a miss. The hits go over every record of the list
// (second argument 0), or over 1,024 records spread along it (1), so that
// both list sizes touch as much memory and only the lookup itself differs.
template <class Lookup>
void run(benchmark::State &state, Lookup lookup) {
    size_t n = static_cast<size_t>(state.range(0));
    size_t hot = state.range(1) ? 1024 : n;
    build(static_cast<int>(n));
    size_t i = 0;
    for (auto _ : state) {
        size_t k = (i / 2 * 7919) % hot * (n / hot);
        const char *name = i % 2 ? "NO-SUCH-NAME" : names[k].c_str();
        benchmark::DoNotOptimize(lookup(name));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
    releasememory("ALL");
}

void BM_validate_domain(benchmark::State &state) {
    run(state, [](const char *name) { return validate_domain(name); });
}
void BM_validate_node(benchmark::State &state) {
    char device[kName];
    run(state, [&](const char *name) { return validate_node(name, "PE", device); });
}
void BM_validate_domainvariable(benchmark::State &state) {
    int type;
    run(state, [&](const char *name) { return validate_domainvariable(name, "VLAN", &type); });
}
void BM_getconnidfromname(benchmark::State &state) {
    run(state, [](const char *name) { return getconnidfromname(name); });
}
// Baselines: the same questions answered by walking the list.
void BM_walk_domain(benchmark::State &state) {
    run(state, [](const char *name) {
        return lookup::find_first(prdomains, lookup::key(&domain_rec::domainname, name)) != nullptr;
    });
}
void BM_validate_pooltype_walk(benchmark::State &state) {
    run(state, [](const char *name) { return validate_pooltype("VPN", "PE", name); });
}

}  // namespace

BENCHMARK(BM_validate_domain)->ArgsProduct({{10000, 100000}, {0, 1}});
BENCHMARK(BM_validate_node)->ArgsProduct({{10000, 100000}, {0, 1}});
BENCHMARK(BM_validate_domainvariable)->ArgsProduct({{10000, 100000}, {0, 1}});
BENCHMARK(BM_getconnidfromname)->ArgsProduct({{10000, 100000}, {0, 1}});
BENCHMARK(BM_walk_domain)->ArgsProduct({{10000, 100000}, {0}});
BENCHMARK(BM_validate_pooltype_walk)->ArgsProduct({{10000, 100000}, {0}});

BENCHMARK_MAIN();
