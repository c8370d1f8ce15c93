#!/usr/bin/env bash
# Compares the load at REV with the working tree, both built in Release:
#   scripts/perf-compare.sh REV [PAIRS]
# For the fresh load of the sample grown to about 30 MB (--mode
# initializedata) and a createversion load of its policy sections onto a
# repository of 40 versions (of the network grown to a tenth, about 3 MB),
# it prints the instructions of each on the 3 MB network (callgrind), and
# the CPU time (user+sys) and wall time over PAIRS interleaved pairs
# (default 7): medians, ranges, and the ratios tree/REV pair by pair.
# COPIES (default 2000) sets the size; builds, networks and repositories
# stay under PERF_DIR (default build-perf) for the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
[ $# -ge 1 ] || { echo "usage: scripts/perf-compare.sh REV [PAIRS]" >&2; exit 2; }
rev=$1
pairs=${2:-7}
copies=${COPIES:-2000}
small=$((copies / 10))
work=$(mkdir -p "${PERF_DIR:-build-perf}" && cd "${PERF_DIR:-build-perf}" && pwd)
sha=$(git rev-parse --verify "$rev^{commit}")
for tool in valgrind /usr/bin/time cmake ninja; do
  command -v "$tool" >/dev/null || { echo "perf-compare: $tool is needed" >&2; exit 2; }
done
unset NDL_LIBDIR NDL_REPOSITORY
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
launch=()
if command -v ccache >/dev/null; then
  launch=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

# build SRC DIR BENCH TARGET...: a Release build of the loader through the host.
build() {
  local src=$1 dir=$2 bench=$3
  shift 3
  cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNDL_TESTS=OFF -DNDL_BENCH="$bench" \
    "${launch[@]}" >"$dir.log" 2>&1 &&
    cmake --build "$dir" -j "${JOBS:-4}" --target extproc cfgproc "$@" >>"$dir.log" 2>&1 ||
    { echo "perf-compare: the build in $dir failed; see $dir.log" >&2; exit 1; }
}

src="$work/src-$sha"
if [ ! -d "$src" ]; then
  rm -rf "$src.part" && mkdir -p "$src.part"
  git archive "$sha" | tar -x -C "$src.part"
  mv "$src.part" "$src"
fi
echo "building $rev ($sha) and the working tree in Release ..."
build "$src" "$work/build-$sha" OFF
build "$root" "$work/build-tree" ON write_network
old="$work/build-$sha/bin"
new="$work/build-tree/bin"

policies=routing.ndl,firewall.ndl,qos.ndl
all=network.ndl,customer.ndl,$policies
for n in "$copies" "$small"; do
  if [ ! -f "$work/net-$n/qos.ndl" ]; then
    mkdir -p "$work/net-$n"
    "$work/build-tree/bench/write_network" "$n" "$work/net-$n" >/dev/null
  fi
done
mb=$(du -cm "$work/net-$copies"/*.ndl | tail -1 | cut -f1)
small_mb=$(du -cm "$work/net-$small"/*.ndl | tail -1 | cut -f1)

# parse BIN DB DIR FILES MODE: one load through the host, its log dropped.
parse() {
  "$1/extproc" --repository "$2" parse --dir "$3" --files "$4" --mode "$5" --raw >/dev/null
}
fresh_db() { rm -f "$1" "$1-wal" "$1-shm" "$1-journal"; }

# Each build's own repository of 40 versions: the whole network, then 39
# createversion loads of its policy sections.
for side in old new; do
  bin=${!side}
  repo="$work/repo40-$side.db"
  [ "$side" = old ] && repo="$work/repo40-$sha.db"
  if [ ! -f "$repo" ] || [ "$side" = new ]; then
    fresh_db "$repo.part"
    parse "$bin" "$repo.part" "$work/net-$small" "$all" initializedata
    for v in $(seq 2 40); do parse "$bin" "$repo.part" "$work/net-$small" "$policies" createversion; done
    mv "$repo.part" "$repo"
  fi
done

# load KIND SIDE DB: the measured command of a kind, its repository made ready.
load() {
  local kind=$1 side=$2 db=$3 bin=${!2} repo="$work/repo40-new.db"
  [ "$side" = old ] && repo="$work/repo40-$sha.db"
  fresh_db "$db"
  case $kind in
    fresh) cmd=("$bin/extproc" --repository "$db" parse --dir "$work/net-$copies" --files "$all" --mode initializedata --raw) ;;
    fresh-small) cmd=("$bin/extproc" --repository "$db" parse --dir "$work/net-$small" --files "$all" --mode initializedata --raw) ;;
    version) cp "$repo" "$db"; cmd=("$bin/extproc" --repository "$db" parse --dir "$work/net-$small" --files "$policies" --mode createversion --raw) ;;
  esac
}

instructions() {
  load "$1" "$2" "$work/run-$2.db"
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "${cmd[@]}" 2>&1 >/dev/null |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

# stats: median, min and max of the numbers on standard input.
stats() { sort -g | awk '{v[NR] = $1} END {m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2;
  printf "%.3f (%.3f-%.3f)", m, v[1], v[NR]}'; }

# pairs KIND: PAIRS runs of each side in turn (the order alternating), one
# line each of "side wall cpu" in $work/times.
pairs() {
  local kind=$1 order
  : >"$work/times"
  for side in old new; do load "$kind" "$side" "$work/run-$side.db"; "${cmd[@]}" >/dev/null; done  # warm-up
  for i in $(seq "$pairs"); do
    order="old new"
    [ $((i % 2)) -eq 0 ] && order="new old"
    for side in $order; do
      load "$kind" "$side" "$work/run-$side.db"
      /usr/bin/time -f "$side $i %e %U %S" -a -o "$work/times" "${cmd[@]}" >/dev/null
    done
  done
}

report() {
  local kind=$1 title=$2 a b
  echo
  echo "$title"
  a=$(instructions "${3:-$kind}" old)
  b=$(instructions "${3:-$kind}" new)
  awk -v a="$a" -v b="$b" -v mb="$small_mb" 'BEGIN {printf "  instructions (callgrind, %s MB): %s %.1f M, tree %.1f M, ratio %.3f\n",
    mb, "REV", a / 1e6, b / 1e6, b / a}'
  pairs "$kind"
  for what in cpu wall; do
    col='$4 + $5'
    [ $what = wall ] && col='$3'
    ra=$(awk "\$1 == \"old\" {print $col}" "$work/times" | stats)
    rb=$(awk "\$1 == \"new\" {print $col}" "$work/times" | stats)
    ratio=$(awk "{t[\$1 \" \" \$2] = $col} END {for (k in t) {split(k, p, \" \"); if (p[1] == \"new\") print t[k] / t[\"old \" p[2]]}}" \
      "$work/times" | stats)
    printf "  %-4s %s s: REV %s, tree %s, ratio tree/REV %s\n" "$what" "$( [ $what = cpu ] && echo '(user+sys)' || echo '          ')" \
      "$ra" "$rb" "$ratio"
  done
}

echo "REV = $rev; $pairs interleaved pairs; medians (min-max)"
report fresh "fresh load (initializedata), $mb MB ($copies copies)" fresh-small
report version "createversion of the policy sections onto 40 versions, $small_mb MB network ($small copies)"
