#!/usr/bin/env bash
# Installs what is missing, builds (Release) and loads the sample network into
# an embedded repository (repository.db) through the host, as the database
# would call the loader, then prints the log.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DNDL_TESTS=OFF
cmake --build build
bin=build/bin
if [ ! -f "$bin/libcfgproc.so" ]; then
  echo "The loader (libcfgproc.so) is not built: nothing to load." >&2
  exit 1
fi
# updateversion lets a network already stored take its topology again, so the
# script can run any number of times.
status=0
"$bin/extproc" --repository repository.db parse --dir examples --files network.ndl,firewall.ndl,routing.ndl \
  --mode updateversion || status=$?
echo
if [ "$status" -eq 0 ]; then
  echo "Loaded examples/network.ndl, firewall.ndl and routing.ndl into repository.db (read it with: sqlite3 repository.db)."
else
  echo "The load of examples/network.ndl, firewall.ndl and routing.ndl failed (return code $status); the log above says why." >&2
fi
exit "$status"
