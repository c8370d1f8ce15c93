#!/usr/bin/env bash
# Line coverage of the product's code under the test suite: a plain Debug
# build with --coverage (build-cov), its tests, and gcovr's summary over
# the product's folders. Fails when the line rate falls below the floor,
# scripts/coverage-floor (the rate when it was last set, in percent).
# The tests' verdict is the sanitizer build's (test.sh): here a test that
# fails still counts the lines it ran; the sweeps, which run thousands of
# processes, and the address-space limit, which the counters' files upset,
# are left out.
#   scripts/coverage.sh [--set-floor]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh gtest python3 sqlite3 gcovr
flags=--coverage
cmake -S . -B build-cov -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNDL_SANITIZE=OFF -DNDL_BENCH=OFF \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$flags" >/dev/null
cmake --build build-cov
find build-cov -name '*.gcda' -delete
(cd build-cov && ctest -j "$(nproc)" -E 'Sweep|AddressSpaceLimit' >ctest.log 2>&1) ||
  echo "coverage.sh: some tests failed in the coverage build (build-cov/ctest.log); their lines still count"
# The product: every folder that builds a deliverable, not the tests,
# benchmarks, tools or generated files.
product='^(core|database|evaluator|topology|policy|routing|cli|addrkit|addrkit-solaris|folderwalk|encrypt|platform)/'
gcovr -r . build-cov --filter "$product" --print-summary \
  --txt build-cov/coverage.txt -j "$(nproc)" >build-cov/coverage-summary.txt
cat build-cov/coverage-summary.txt
rate=$(sed -n 's/^lines: \([0-9.]*\)%.*/\1/p' build-cov/coverage-summary.txt)
[ -n "$rate" ] || { echo "coverage.sh: gcovr gave no line rate" >&2; exit 1; }
if [ "${1:-}" = --set-floor ]; then
  echo "$rate" >scripts/coverage-floor
  echo "coverage.sh: floor set at $rate%"
  exit 0
fi
[ -f scripts/coverage-floor ] || { echo "coverage.sh: no floor yet; scripts/coverage.sh --set-floor sets it" >&2; exit 1; }
floor=$(cat scripts/coverage-floor)
if awk -v r="$rate" -v f="$floor" 'BEGIN { exit !(r + 0 < f + 0) }'; then
  echo "coverage.sh: line coverage $rate% is below the floor of $floor%" >&2
  exit 1
fi
echo "coverage.sh: line coverage $rate% (floor $floor%)"
