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
# The layer with the fault hook, as ctest gives it.
export LD_LIBRARY_PATH=$PWD/$build/bin/faults${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
NDL_SWEEP_TEST=io_sweep_test exec scripts/alloc-sweep.sh "$build" "${2:-4}" "${3:-*}"
