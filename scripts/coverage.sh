#!/usr/bin/env bash
# Line coverage of the product's code, from the gcov counters that a test
# run left in BUILD, a build made with NDL_COVERAGE (test.sh's sanitized
# build, build-asan, by default). Every process that exited normally counted
# its lines there: the tests, run side by side, and the programs and
# libraries they ran. Fails when the line rate is below the floor,
# scripts/coverage-floor (the rate when it was last set, in percent);
# --set-floor sets it to the rate of this run. Lines by file go to
# BUILD/coverage.txt.
#   scripts/coverage.sh [--set-floor] [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
set_floor=
[ "${1:-}" = --set-floor ] && { set_floor=1; shift; }
build=${1:-build-asan}
scripts/deps.sh python3
[ -n "$(find "$build" -name '*.gcda' -print -quit)" ] ||
  { echo "coverage.sh: no counters in $build: build it with -DNDL_COVERAGE=ON and run its tests" >&2; exit 1; }
# The product: every folder that builds a deliverable, not the tests,
# benchmarks, tools or generated files; its counters are those of its own
# objects (the test build of the OCI layer included).
python3 scripts/coverage-lines.py "$build" core database loader evaluator topology policy routing cli \
  addrkit addrkit-solaris folderwalk encrypt platform >"$build/coverage-summary.txt"
cat "$build/coverage-summary.txt"
rate=$(sed -n 's/^lines: \([0-9.]*\)%.*/\1/p' "$build/coverage-summary.txt")
[ -n "$rate" ] || { echo "coverage.sh: no line rate" >&2; exit 1; }
if [ -n "$set_floor" ]; then
  echo "$rate" >scripts/coverage-floor
  echo "coverage.sh: floor set at $rate%"
  exit 0
fi
[ -f scripts/coverage-floor ] || { echo "coverage.sh: no floor yet; scripts/coverage.sh --set-floor sets it" >&2; exit 1; }
floor=$(cat scripts/coverage-floor)
if awk -v r="$rate" -v f="$floor" 'BEGIN { exit !(r + 0 < f + 0) }'; then
  echo "coverage.sh: line coverage $rate% is below the floor of $floor% (lines by file: $build/coverage.txt)" >&2
  exit 1
fi
echo "coverage.sh: line coverage $rate% (floor $floor%)"
