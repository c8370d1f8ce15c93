#!/usr/bin/env bash
# scripts/check-shape.py on small CMake projects of its own: a sound one
# passes; an include up a layer, a cycle between folders with no file cycle,
# a ring of six files and a symbol defined twice in one deliverable each
# fail with that fault alone, in a line that names it.
#   check_shape_test.sh CHECKER COMPILER CMAKE NINJA
set -euo pipefail
checker=$1 cxx=$2 cmake=$3
export NINJA=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# build NAME: configures and builds $work/NAME with Ninja.
build() {
  "$cmake" -S "$work/$1" -B "$work/$1/build" -G Ninja -DCMAKE_MAKE_PROGRAM="$NINJA" \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$work/$1.log" 2>&1 &&
    "$cmake" --build "$work/$1/build" >>"$work/$1.log" 2>&1 || { cat "$work/$1.log"; exit 1; }
}
# variant NAME: a copy of the sound tree, without its build.
variant() {
  cp -r "$work/sound" "$work/$1" && rm -rf "$work/$1/build"
}
# expect STATUS NAME [LINE...]: the checker's status, each LINE a line of
# its output, and (when it fails) one fault alone.
expect() {
  local want=$1 name=$2 out status=0 line faults
  shift 2
  out=$(python3 "$checker" "$work/$name/build" --source "$work/$name" 2>&1) || status=$?
  faults=$(grep -c '^[^ ]' <<<"$out" || true)
  if [ "$status" != "$want" ] || { [ "$want" = 1 ] && [ "$faults" != 1 ]; }; then
    echo "FAILED on $name: status $status with $faults faults, wanted $want; output:"
    echo "$out"
    exit 1
  fi
  for line in "$@"; do
    if ! grep -qxF -- "$line" <<<"$out"; then
      echo "FAILED on $name: no line \"$line\"; output:"
      echo "$out"
      exit 1
    fi
  done
}

# Sound: the database on the core, a cycle of two files inside the core, a
# library the deliverables link, and the log's writer defined once in each
# deliverable (a third, in the core's archive, pulled in by neither).
mkdir -p "$work/sound/core" "$work/sound/database" "$work/sound/cli" "$work/sound/platform/oci"
cd "$work/sound"
cat >CMakeLists.txt <<'EOF'
cmake_minimum_required(VERSION 3.24)
project(shape CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_library(ndloci SHARED platform/oci/oci.cpp)
add_library(ndlcore STATIC core/state.cpp core/log.cpp core/spare.cpp)
target_include_directories(ndlcore PUBLIC core)
target_link_libraries(ndlcore PUBLIC ndloci)
add_library(ndldatabase STATIC database/reader.cpp)
target_link_libraries(ndldatabase PUBLIC ndlcore)
add_library(cfgproc SHARED core/log_file.cpp)
target_link_libraries(cfgproc PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,ndldatabase>" ndlcore)
add_executable(cfgload cli/main.cpp core/log_stdout.cpp)
target_link_libraries(cfgload PRIVATE ndlcore)
include(extra.cmake OPTIONAL)
EOF
echo 'int oci_call() { return 4; }' >platform/oci/oci.cpp
echo 'int log_line(); int write_log(); int oci_call(); int run_state() { return log_line() + write_log() + oci_call(); }' >core/state.cpp
echo 'int run_state(); int log_line() { return run_state() - 1; }' >core/log.cpp
echo 'int write_log() { return 1; }' >core/log_file.cpp
echo 'int write_log() { return 2; }' >core/log_stdout.cpp
echo 'int write_log() { return 3; }' >core/spare.cpp
echo 'inline int base() { return 1; }' >core/base.h
printf '#include "base.h"\nint run_state(); int read_table() { return base() + run_state(); }\n' >database/reader.cpp
echo 'int run_state(); int main() { return run_state(); }' >cli/main.cpp
build sound
expect 0 sound

# The core includes a header of the database layer.
variant upward
echo 'inline int rows() { return 2; }' >"$work/upward/database/rows.h"
printf '#include "../database/rows.h"\nint use_rows() { return rows(); }\n' >"$work/upward/core/uses.cpp"
echo 'target_sources(ndlcore PRIVATE core/uses.cpp)' >"$work/upward/extra.cmake"
build upward
expect 1 upward "core/uses.cpp:1: includes database/rows.h, which is not on a lower layer"

# The core calls the database's writer and the database's reader calls the
# core: no file cycle, a folder cycle.
variant folders
echo 'int write_table(); int bind_run() { return write_table(); }' >"$work/folders/core/driver.cpp"
echo 'int write_table() { return 7; }' >"$work/folders/database/writer.cpp"
printf 'target_sources(cfgproc PRIVATE core/driver.cpp)\ntarget_sources(ndldatabase PRIVATE database/writer.cpp)\n' \
  >"$work/folders/extra.cmake"
build folders
expect 1 folders "a cycle between folders core, database:" \
  "  core -> database: 1 link, e.g. core/driver.cpp -> database/writer.cpp (write_table())" \
  "  database -> core: 1 link, e.g. database/reader.cpp -> core/state.cpp (run_state())"

# Six files of the core in a ring, a library of their own.
variant ring
for i in 0 1 2 3 4 5; do
  echo "int f$(((i + 1) % 6))(); int f$i() { return f$(((i + 1) % 6))(); }" >"$work/ring/core/r$i.cpp"
done
echo 'add_library(ring SHARED core/r0.cpp core/r1.cpp core/r2.cpp core/r3.cpp core/r4.cpp core/r5.cpp)' \
  >"$work/ring/extra.cmake"
build ring
expect 1 ring "a symbol cycle of 6 files (at most 5): core/r0.cpp core/r1.cpp core/r2.cpp core/r3.cpp core/r4.cpp core/r5.cpp"

# One deliverable takes two definitions of one function, and its link lets
# it: which one runs is chance.
variant twice
echo 'int run_twice() { return 1; }' >"$work/twice/core/one.cpp"
echo 'int run_twice() { return 2; }' >"$work/twice/core/two.cpp"
printf 'add_library(twice SHARED core/one.cpp core/two.cpp)\ntarget_link_options(twice PRIVATE -Wl,--allow-multiple-definition)\n' \
  >"$work/twice/extra.cmake"
build twice
expect 1 twice "run_twice() is defined 2 times in libtwice.so: core/one.cpp, core/two.cpp"
echo "check_shape_test: 5 trees judged as they should be"
