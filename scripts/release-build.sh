#!/usr/bin/env bash
# Builds the Release deliverables into DIR (default: build), guided by a
# profile: an instrumented build first loads the sample network of examples/
# through the host and through cfgload, then everything is compiled again
# with the counts that training left beside the objects, and linked with
# link-time optimisation. Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
configure() { cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"; }

configure -DNDL_PGO=generate "$@"
cmake --build "$dir"
find "$dir" -name '*.gcda' -delete
bin=$(cd "$dir/bin" && pwd)
examples=$(pwd)/examples
train=$(mktemp -d)
trap 'rm -rf "$train"' EXIT
files=network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl
for run in $(seq 20); do
  "$bin/extproc" --repository "$train/host.db" parse --dir "$examples" --files "$files" \
    --mode updateversion >/dev/null
done
for f in network customer routing firewall qos; do
  for run in 1 2 3; do
    (cd "$train" && "$bin/cfgload" "$examples/$f.ndl" ndl/ndl/cli.db overwrite >/dev/null)
  done
done
configure -DNDL_PGO=use "$@"
cmake --build "$dir"
