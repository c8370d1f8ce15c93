#!/usr/bin/env bash
# Installs what its build uses when it is missing, builds (Release, the
# deliverables and the benchmarks; a second run rebuilds only what changed)
# and loads the sample network into an embedded repository (repository.db)
# through the host, as the database would call the loader, then prints the
# log.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh benchmark
# NDL_JOBS caps the build's parallel jobs (every core by default).
[ -z "${NDL_JOBS:-}" ] || export CMAKE_BUILD_PARALLEL_LEVEL=$NDL_JOBS
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DNDL_PGO= -DNDL_TESTS=OFF -DNDL_BENCH=ON >/dev/null
cmake --build build
bin=build/bin
if [ ! -f "$bin/libcfgproc.so" ]; then
  echo "The loader (libcfgproc.so) is not built: nothing to load." >&2
  exit 1
fi
# updateversion lets a network already stored take its topology again, so the
# script can run any number of times.
status=0
"$bin/extproc" --repository repository.db parse --dir examples --files network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl \
  --mode updateversion || status=$?
echo
if [ "$status" -eq 0 ]; then
  echo "Loaded the sample network (examples/network.ndl, customer.ndl, routing.ndl, firewall.ndl, qos.ndl) into repository.db (read it with: sqlite3 repository.db)."
else
  echo "The load of the sample network failed (return code $status); the log above says why." >&2
fi
[ "$status" -eq 0 ] || exit "$status"

# The command-line road: cfgload logs on itself (the third part of the login
# names the repository file) and writes the older, unversioned layout, so it
# gets a repository file of its own. overwrite lets it reload the network.
echo
echo "---- cfgload ----"
"$bin/cfgload" examples/network.ndl ndl/ndl/repository_cli.db overwrite || status=$?
if [ "$status" -eq 0 ]; then
  echo "Loaded examples/network.ndl into repository_cli.db with cfgload (read it with: sqlite3 repository_cli.db)."
else
  echo "The cfgload run of examples/network.ndl failed (exit status $status); the log above says why." >&2
fi
exit "$status"
