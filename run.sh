#!/usr/bin/env bash
# Installs what is missing, builds (Release) and loads the sample network into
# an embedded repository (repository.db) through the host, as the database
# would call the loader, then prints the log.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
bin=build/bin
if [ ! -x "$bin/extproc" ]; then
  echo "The host (extproc) is not built yet: nothing to run." >&2
  exit 1
fi
if [ ! -f "$bin/libcfgproc.so" ]; then
  echo "Built: the repository layer and the host (build/bin/extproc)."
  echo "The loader (libcfgproc.so) is not built yet, so the sample network cannot be loaded."
  echo "Try the host on its test library: $bin/extproc call hosttest T_echo hello 3"
  "$bin/extproc" --repository repository.db call "$bin/libhosttest.so" T_echo hello 3
  exit 0
fi
# updateversion lets a network already stored take its topology again, so the
# script can run any number of times.
status=0
"$bin/extproc" --repository repository.db parse --dir examples --files network.ndl \
  --mode updateversion || status=$?
echo
if [ "$status" -eq 0 ]; then
  echo "Loaded examples/network.ndl into repository.db (read it with: sqlite3 repository.db)."
else
  echo "The load of examples/network.ndl failed (return code $status); the log above says why." >&2
fi
exit "$status"
