#!/usr/bin/env bash
# The allocation sweep at every N (CI tries a stride of them): each run of
# the sweep test fails one allocation (operator new or C's, once or from the
# Nth on), then each OCI fault point in turn.
#   scripts/alloc-sweep.sh [BUILD_DIR] [JOBS] [GTEST_FILTER]
# BUILD_DIR defaults to build-asan (LeakSanitizer on; about a second a
# run); a plain build (-DNDL_SANITIZE=OFF) runs several times faster, and
# only it fails C allocations (the C sweeps skip themselves under
# AddressSanitizer). NDL_SWEEP_STRIDE=S tries every Sth N instead (from
# NDL_SWEEP_OFFSET on, with each of the last NDL_SWEEP_TAIL); a failure
# prints the command that repeats its first N.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-asan}
jobs=${2:-4}
filter=${3:-*}
# scripts/io-sweep.sh runs its own sweep test through this.
test=${NDL_SWEEP_TEST:-alloc_sweep_test}
cmake --build "$build" --target "$test"
export NDL_LIBDIR=$PWD/$build/bin NDL_SWEEP_STRIDE=${NDL_SWEEP_STRIDE:-1}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
logs=$(mktemp -d)
# Every sweep in JOBS shares, each share a process of its own.
seq 0 $((jobs - 1)) | xargs -P "$jobs" -I{} sh -c \
    "NDL_SWEEP_SHARD={}/$jobs '$build/bin/$test' --gtest_filter='$filter' > '$logs/{}.log' 2>&1" || true
grep -h "runs: \|runs of " "$logs"/*.log | sort | uniq -c || true
if grep -q "FAILED TEST" "$logs"/*.log; then
    echo "some runs ended wrongly; logs in $logs"
    exit 1
fi
echo "every run ended rightly"
rm -rf "$logs"
