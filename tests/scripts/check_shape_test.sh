#!/usr/bin/env bash
# scripts/check-shape.py on trees of its own: a sound one passes; an include
# up a layer, a symbol cycle across folders and one of six files each fail
# with a line that names them.
#   check_shape_test.sh CHECKER COMPILER
set -euo pipefail
checker=$1 cxx=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# tree NAME: compiles every .cpp of $work/NAME into objects and writes
# the compile_commands.json the checker reads.
tree() {
  local top=$work/$1 sep="" f
  mkdir -p "$top/build"
  echo "[" >"$top/build/compile_commands.json"
  for f in $(cd "$top" && ls */*.cpp); do
    local obj=${f//\//_}.o
    "$cxx" -c "$top/$f" -I"$top/core" -o "$top/build/$obj"
    printf '%s{"directory": "%s", "file": "%s", "command": "c++ -I%s -c %s -o %s"}\n' "$sep" "$top/build" \
      "$top/$f" "$top/core" "$top/$f" "$obj" >>"$top/build/compile_commands.json"
    sep=","
  done
  echo "]" >>"$top/build/compile_commands.json"
}
expect() {  # expect STATUS TEXT NAME: the checker's status, and TEXT in its output
  local out status=0
  out=$(python3 "$checker" "$work/$3/build" --source "$work/$3") || status=$?
  if [ "$status" != "$1" ] || ! grep -qF -- "$2" <<<"$out"; then
    echo "FAILED on $3: status $status, wanted $1 and \"$2\"; output:"
    echo "$out"
    exit 1
  fi
}

# Sound: database on core, a cycle of two inside core.
mkdir -p "$work/sound/core" "$work/sound/database"
echo 'int log_line(); int run_state() { return log_line(); }' >"$work/sound/core/state.cpp"
echo 'int run_state(); int log_line() { return run_state() - 1; }' >"$work/sound/core/log.cpp"
printf '#include "base.h"\nint read_table() { return base(); }\n' >"$work/sound/database/reader.cpp"
echo 'inline int base() { return 1; }' >"$work/sound/core/base.h"
tree sound
expect 0 "" sound

# The core includes a header of the database layer.
cp -r "$work/sound" "$work/upward" && rm -rf "$work/upward/build"
echo 'inline int rows() { return 2; }' >"$work/upward/database/rows.h"
printf '#include "../database/rows.h"\nint use_rows() { return rows(); }\n' >"$work/upward/core/uses.cpp"
tree upward
expect 1 "core/uses.cpp:1: includes database/rows.h, which is not on a lower layer" upward

# The core calls the database layer, which calls back into the same file.
cp -r "$work/sound" "$work/across" && rm -rf "$work/across/build"
echo 'int read_table(); int bind_run() { return read_table(); }' >"$work/across/core/driver.cpp"
echo 'int bind_run(); int write_table() { return bind_run(); }' >>"$work/across/database/reader.cpp"
echo 'int write_table(); int read_table_again() { return write_table(); }' >>"$work/across/core/driver.cpp"
tree across
expect 1 "a symbol cycle spans core, database" across

# Six files of the core in a ring.
mkdir -p "$work/ring/core"
for i in 0 1 2 3 4 5; do
  echo "int f$(( (i + 1) % 6 ))(); int f$i() { return f$(( (i + 1) % 6 ))(); }" >"$work/ring/core/r$i.cpp"
done
tree ring
expect 1 "a symbol cycle of 6 files (at most 5)" ring
echo "check_shape_test: 4 trees judged as they should be"
