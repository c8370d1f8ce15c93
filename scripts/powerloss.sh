#!/usr/bin/env bash
# Power loss at every sync point: one fresh load and one reload of the
# sample run with every write and sync on the repository's folder logged
# (tests/support/fs_shim.cpp); scripts/powerloss.py then rebuilds the files
# as a power loss after each sync would leave them and checks every state.
#   scripts/powerloss.sh [BUILD_DIR] [RANDOM_SUBSETS_PER_POINT]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-plain}
randoms=${2:-3}
cmake --build "$build" --target extproc cfgproc ndl_fs_shim
bin=$PWD/$build/bin
export NDL_LIBDIR=$bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files=network.ndl,customer.ndl,routing.ndl,firewall.ndl,qos.ndl
# NAME MODE: one logged run on $work/NAME, then its states.
logged() {
    local name=$1 mode=$2 status=0
    cp -r "$work/before" "$work/$name"
    LD_PRELOAD=$bin/libndl_fs_shim.so NDL_FS_DIR=$work/$name NDL_FS_LOG=$work/$name.log \
        "$bin/extproc" --repository "$work/$name/repository.db" parse --dir examples --files $files $mode \
        > "$work/$name.out" 2>&1 || status=$?
    python3 scripts/powerloss.py "$name" "$work/$name.log" "$work/$name" "$work/before" "$status" "$randoms"
}
mkdir "$work/before"
result=0
logged fresh "" || result=1
# The reload starts from the sample loaded and closed.
"$bin/extproc" --repository "$work/before/repository.db" parse --dir examples --files $files > /dev/null
rm -rf "$work/fresh"
logged reload "--mode updateversion" || result=1
exit $result
