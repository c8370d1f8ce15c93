#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test, the end-to-end suites on
# SQLite and again on a private PostgreSQL cluster; then, in a plain build of
# just what they need, the loads under an address-space limit, which skip
# themselves in the sanitized one, and the loads with C allocations failing.
set -euo pipefail
cd "$(dirname "$0")"
# The tests, their reference runs in Python, and the README's commands,
# which read the repository with the SQLite shell; the server for the
# suites' second run.
scripts/deps.sh gtest python3 sqlite3 pgserver
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNDL_SANITIZE=ON -DNDL_BENCH=OFF
cmake --build build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The cluster is stopped and its folder removed however the tests end.
cluster=$(mktemp -d /tmp/ndl-pg-XXXXXX)
here=$PWD
trap '"$here/scripts/pg-cluster.sh" stop "$cluster"' EXIT
eval "$(scripts/pg-cluster.sh start "$cluster")"
(cd build-asan && ctest --output-on-failure -j "$(nproc)")
# AddressSanitizer reserves terabytes of address space, and its allocator
# aborts where ours throws and owns malloc: a limit on the address space,
# and the sweeps that fail C allocations, need a build without it.
cmake -S . -B build-plain -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNDL_SANITIZE=OFF -DNDL_BENCH=OFF
cmake --build build-plain --target core_memory_limit_test alloc_sweep_test
cd build-plain && ctest --output-on-failure -j "$(nproc)" -R '^AddressSpaceLimit\.|^Runs/ExhaustionSweep\.EveryCAllocation'
