#!/usr/bin/env bash
# Line coverage of the product's code: gcovr's summary of the counters that
# a test run left in BUILD, a build made with NDL_COVERAGE (test.sh's
# sanitized build, build-asan, by default). Every process that exited
# normally counted its lines there: the tests, run side by side, and the
# programs and libraries they ran. Fails when the line rate is below the
# floor, scripts/coverage-floor (the rate when it was last set, in percent);
# --set-floor sets it to the rate of this run.
#   scripts/coverage.sh [--set-floor] [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
set_floor=
[ "${1:-}" = --set-floor ] && { set_floor=1; shift; }
build=${1:-build-asan}
scripts/deps.sh gcovr
[ -n "$(find "$build" -name '*.gcda' -print -quit)" ] ||
  { echo "coverage.sh: no counters in $build: build it with -DNDL_COVERAGE=ON and run its tests" >&2; exit 1; }
# The product: every folder that builds a deliverable, not the tests,
# benchmarks, tools or generated files. Its counters are those of its own
# objects (the test build of the OCI layer included): the tests' objects
# would add the test code's counts, and take most of gcovr's time. One gcov
# at a time: side by side, two objects' reports of a shared header clash.
folders=(core database evaluator topology policy routing cli addrkit addrkit-solaris folderwalk encrypt platform)
product="^($(IFS='|'; echo "${folders[*]}"))/"
objects=()
for f in "${folders[@]}"; do [ -d "$build/$f" ] && objects+=("$build/$f"); done
gcovr -r . "${objects[@]}" --filter "$product" --print-summary --gcov-ignore-parse-errors \
  --txt "$build/coverage.txt" >"$build/coverage-summary.txt"
cat "$build/coverage-summary.txt"
rate=$(sed -n 's/^lines: \([0-9.]*\)%.*/\1/p' "$build/coverage-summary.txt")
[ -n "$rate" ] || { echo "coverage.sh: gcovr gave no line rate" >&2; exit 1; }
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
