#!/usr/bin/env bash
# The file-system sweeps at every N (CI tries a stride of them): each run of
# the sweep test fails one file-system call on the repository's folder (EIO
# and ENOSPC, once and from the Nth on), or ends the process just before
# its Nth write or sync, for a fresh load, a reload and cfgload.
#   scripts/io-sweep.sh [BUILD_DIR] [JOBS] [GTEST_FILTER]
# BUILD_DIR defaults to build-plain: the shim needs a build without
# AddressSanitizer. NDL_SWEEP_STRIDE=S tries every Sth N instead.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-plain}
jobs=${2:-4}
filter=${3:-*}
cmake --build "$build" --target io_sweep_test
export NDL_LIBDIR=$PWD/$build/bin NDL_SWEEP_STRIDE=${NDL_SWEEP_STRIDE:-1}
export LD_LIBRARY_PATH=$PWD/$build/bin/faults${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
logs=$(mktemp -d)
# Every sweep in JOBS shares, each share a process of its own.
seq 0 $((jobs - 1)) | xargs -P "$jobs" -I{} sh -c \
    "NDL_SWEEP_SHARD={}/$jobs '$build/bin/io_sweep_test' --gtest_filter='$filter' > '$logs/{}.log' 2>&1" || true
grep -h "ways of ending wrongly" "$logs"/*.log | sort | uniq -c || true
if grep -q "FAILED TEST" "$logs"/*.log; then
    echo "some runs ended wrongly; logs in $logs"
    exit 1
fi
echo "every run ended rightly"
rm -rf "$logs"
