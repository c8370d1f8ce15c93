#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test, the end-to-end suites on
# SQLite and again on a private PostgreSQL cluster; then, in a plain build of
# just what they need, the loads under an address-space limit, which skip
# themselves in the sanitized one, and the loads with C allocations failing.
# The sanitized build counts the lines its tests run: the product's line
# coverage must stay at its floor (scripts/coverage.sh).
set -euo pipefail
cd "$(dirname "$0")"
# The tests, their reference runs in Python, and the README's commands,
# which read the repository with the SQLite shell; the server for the
# suites' second run.
scripts/deps.sh gtest python3 sqlite3 pgserver
# NDL_JOBS caps the parallel jobs of the builds and the tests (every core
# by default).
jobs=${NDL_JOBS:-$(nproc)}
export CMAKE_BUILD_PARALLEL_LEVEL=$jobs
# part DIR [CTEST ARGS]: one build's tests, their output kept for the
# summary; a failure fails the script at its end, after both parts.
status=0
part() {
  local dir=$1
  shift
  (cd "$dir" && ctest --output-on-failure -j "$jobs" "$@") 2>&1 | tee "$dir/ctest-part.log" || status=1
}
# tally DIR: "PASSED FAILED SKIPPED" of that part, from ctest's last lines.
tally() {
  local log=$1/ctest-part.log total failed skipped
  total=$(sed -n 's/.* tests* failed out of \([0-9][0-9]*\)$/\1/p' "$log" | tail -1)
  failed=$(sed -n 's/.* \([0-9][0-9]*\) tests* failed out of .*/\1/p' "$log" | tail -1)
  skipped=$(grep -c ' (Skipped)$' "$log" || true)
  echo "$((${total:-0} - ${failed:-0} - skipped)) ${failed:-0} $skipped"
}
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNDL_SANITIZE=ON -DNDL_BENCH=OFF -DNDL_COVERAGE=ON
cmake --build build-asan
# Counters of an earlier run would add to this one's, and those of objects
# rebuilt since do not match them; the build's own test listing ran some.
find build-asan -name '*.gcda' -delete
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The cluster is stopped and its folder removed however the tests end.
cluster=$(mktemp -d /tmp/ndl-pg-XXXXXX)
here=$PWD
trap '"$here/scripts/pg-cluster.sh" stop "$cluster"' EXIT
eval "$(scripts/pg-cluster.sh start "$cluster")"
part build-asan
read -r _ _ skipped < <(tally build-asan)
echo "Of the $skipped tests skipped above, those that need a build without AddressSanitizer run next, in the plain build; the others mean something on one backend only."
scripts/coverage.sh build-asan || status=1
# Every derived file is what its source makes now.
scripts/regen.sh --check build-asan || status=1
# AddressSanitizer reserves terabytes of address space, and its allocator
# aborts where ours throws and owns malloc: a limit on the address space,
# and the sweeps that fail C allocations, need a build without it.
cmake -S . -B build-plain -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNDL_SANITIZE=OFF -DNDL_BENCH=OFF
cmake --build build-plain --target core_memory_limit_test alloc_sweep_test io_sweep_test stored_rows_test
# The C sweeps try every Sth allocation from an offset that changes with
# the commit (a fixed one outside git): commits in turn try every N, and a
# failure prints its N and the command that repeats it.
NDL_SWEEP_OFFSET=$( (git rev-parse HEAD 2>/dev/null || echo none) | cksum | cut -d' ' -f1)
export NDL_SWEEP_OFFSET
part build-plain -R '^AddressSpaceLimit\.|^Runs/ExhaustionSweep\.EveryCAllocation|^pg\.Runs/ExhaustionSweep\.EveryCAllocationFailsInTurn|^Runs/IoFaults\.'
# Every N of the write and the commit: each of the last 7,000 C allocations
# of a fresh load and of a reload fails in turn (the stride left out), in
# parallel shares.
tail_sweep=0
NDL_SWEEP_TAIL=7000 NDL_SWEEP_STRIDE=1000000000 scripts/alloc-sweep.sh build-plain "$jobs" \
    'Runs/ExhaustionSweep.EveryCAllocationFailsInTurn/fresh:Runs/ExhaustionSweep.EveryCAllocationFailsInTurn/reload' ||
    tail_sweep=1
[ "$tail_sweep" = 0 ] || status=1
read -r p1 f1 s1 < <(tally build-asan)
read -r p2 f2 s2 < <(tally build-plain)
echo "All tests: $((p1 + p2)) passed, $((f1 + f2)) failed, $s2 skipped (sanitized build: $p1 passed, $f1 failed, $s1 skipped; plain build: $p2 passed, $f2 failed, $s2 skipped)."
echo "The last 7,000 C allocations of a fresh load and a reload, each failing in turn: $([ "$tail_sweep" = 0 ] && echo "every run ended rightly" || echo "some runs ended wrongly (above)")."
exit "$status"
