#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs one of them:
#   scripts/fuzz.sh TARGET [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}
secs=${2:-120}
scripts/deps.sh gtest libfuzzer
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DNDL_FUZZ=ON -DNDL_SANITIZE=ON -DNDL_BENCH=OFF
cmake --build build-fuzz --target "$target"
corpus=build-fuzz/corpus-$target
mkdir -p "$corpus"
seeds=tests/fuzz/seeds/$target
[ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
build-fuzz/bin/"$target" -max_total_time="$secs" "$corpus"
