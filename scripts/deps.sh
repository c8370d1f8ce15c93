#!/usr/bin/env bash
# Probes for what a build needs and installs only what is missing: with
# apt-get where the system has it; elsewhere it names what is missing and
# stops. When nothing is missing it does nothing, on any system.
#   scripts/deps.sh [NEED...]
# Every build needs a C compiler and a C++20 one, CMake 3.24 or newer,
# Ninja, SQLite's, OpenSSL's (libcrypto) and libpq's (PostgreSQL's client,
# found through pkg-config) headers and libraries. NEED
# adds: gtest (GoogleTest, the tests), benchmark (Google Benchmark, the
# benchmarks), python3 (the tests' reference runs), sqlite3 (the SQLite
# shell the README reads the repository with), libfuzzer (clang with
# libFuzzer, the fuzz targets), pgserver (the PostgreSQL server, for the
# tests' private cluster).
set -euo pipefail

# What each need is called in a message, and the Debian packages that give it.
declare -A what=(
  [cc]="a C compiler (\$CC, else cc)"
  [cxx]="a C++20 compiler (\$CXX, else c++)"
  [cmake]="CMake 3.24 or newer"
  [ninja]="Ninja"
  [sqlite]="SQLite's headers and library (sqlite3.h, -lsqlite3)"
  [openssl]="OpenSSL's headers and libcrypto (openssl/evp.h, -lcrypto)"
  [libpq]="libpq's headers and library through pkg-config (libpq-fe.h, -lpq)"
  [gtest]="GoogleTest (gtest/gtest.h, -lgtest)"
  [benchmark]="Google Benchmark (benchmark/benchmark.h, -lbenchmark)"
  [python3]="python3"
  [sqlite3]="the SQLite shell (sqlite3)"
  [libfuzzer]="clang++ with libFuzzer (-fsanitize=fuzzer)"
  [pgserver]="the PostgreSQL server (initdb, pg_ctl)"
)
declare -A debian=(
  [cc]="gcc" [cxx]="g++" [cmake]="cmake" [ninja]="ninja-build" [sqlite]="libsqlite3-dev"
  [openssl]="libssl-dev" [libpq]="libpq-dev pkg-config" [gtest]="libgtest-dev" [benchmark]="libbenchmark-dev" [python3]="python3"
  [sqlite3]="sqlite3" [libfuzzer]="clang libclang-rt-dev" [pgserver]="postgresql"
)

needs=(cc cxx cmake ninja sqlite openssl libpq)
for n in "$@"; do
  case $n in
    gtest|benchmark|python3|sqlite3|libfuzzer|pgserver) needs+=("$n") ;;
    *) echo "deps.sh: unknown need '$n' (gtest, benchmark, python3, sqlite3, libfuzzer or pgserver)" >&2; exit 2 ;;
  esac
done

# The compilers a build would take: the variables CMake reads, else the
# usual names.
first_of() { for c in "$@"; do command -v "$c" >/dev/null 2>&1 && { echo "$c"; return; }; done; echo "$1"; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Compiles and links a program read from standard input with $1 (which
# may carry arguments of its own, "ccache g++"), language $2, then flags.
builds() {
  local compiler=$1 lang=$2
  shift 2
  local src
  src=$(mktemp "$tmp/probe.XXXXXX")
  cat > "$src"
  # shellcheck disable=SC2086
  $compiler -x "$lang" "$src" -o "$src.out" "$@" >/dev/null 2>&1
}

# A header that $1 finds (language $2, header $3) and libraries it links
# (the flags after): preprocessing the header is enough, and much cheaper
# than compiling it.
offers() {
  local compiler=$1 lang=$2 header=$3 std=()
  shift 3
  [ "$lang" = c++ ] && std=(-std=c++20)
  # shellcheck disable=SC2086
  printf '#include <%s>\n' "$header" | $compiler -x "$lang" "${std[@]}" -E - >/dev/null 2>&1 &&
    builds "$compiler" "$lang" "$@" <<< 'int main(void) { return 0; }'
}

have() {
  local cc cxx
  cc=${CC:-$(first_of cc gcc clang)}
  cxx=${CXX:-$(first_of c++ g++ clang++)}
  case $1 in
    cc) builds "$cc" c <<< 'int main(void) { return 0; }' ;;
    cxx) builds "$cxx" c++ -std=c++20 -pthread <<'EOF'
#include <concepts>
#include <span>
#include <string>
template <std::integral T> constexpr T twice(T v) { return 2 * v; }
int main() {
    std::string s = "ab";
    int a[] = {1, 2};
    return s.starts_with("a") && std::span(a).size() == 2 ? twice(0) : 1;
}
EOF
      ;;
    cmake)
      local major minor
      read -r major minor < <(cmake --version 2>/dev/null |
        sed -n 's/^cmake version \([0-9]*\)\.\([0-9]*\).*/\1 \2/p') || return 1
      [ "${major:-0}" -gt 3 ] || { [ "${major:-0}" -eq 3 ] && [ "${minor:-0}" -ge 24 ]; }
      ;;
    ninja) command -v ninja >/dev/null 2>&1 || command -v ninja-build >/dev/null 2>&1 ;;
    sqlite) offers "$cc" c sqlite3.h -lsqlite3 ;;
    openssl) offers "$cc" c openssl/evp.h -lcrypto ;;
    libpq) pkg-config --exists libpq 2>/dev/null &&
      # shellcheck disable=SC2046
      builds "$cc" c $(pkg-config --cflags --libs libpq) <<< '#include <libpq-fe.h>
int main(void) { return PQlibVersion() > 0 ? 0 : 1; }' ;;
    gtest) offers "$cxx" c++ gtest/gtest.h -lgtest -pthread ;;
    benchmark) offers "$cxx" c++ benchmark/benchmark.h -lbenchmark -pthread ;;
    python3|sqlite3) command -v "$1" >/dev/null 2>&1 ;;
    # Debian keeps the server's programs out of the PATH, under its version.
    pgserver) command -v initdb >/dev/null 2>&1 || compgen -G '/usr/lib/postgresql/*/bin/initdb' >/dev/null ;;
    libfuzzer) command -v clang >/dev/null 2>&1 && builds clang++ c++ -fsanitize=fuzzer,address <<< '#include <cstddef>
#include <cstdint>
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *, size_t) { return 0; }' ;;
  esac
}

# The needs that are missing, probed side by side.
missing() {
  local n pids=() out=()
  for n in "${needs[@]}"; do
    (have "$n") & pids+=($!)
  done
  local i=0
  for n in "${needs[@]}"; do
    wait "${pids[$i]}" || out+=("$n")
    i=$((i + 1))
  done
  echo "${out[@]}"
}

stop() {
  echo "deps.sh: missing:" >&2
  for n in "$@"; do echo "  ${what[$n]}" >&2; done
  echo "Install them and run again." >&2
  exit 1
}

read -r -a lack <<< "$(missing)"
[ ${#lack[@]} -eq 0 ] && exit 0
command -v apt-get >/dev/null 2>&1 || stop "${lack[@]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null 2>&1 || stop "${lack[@]}"
  sudo="sudo"
fi
pkgs=()
for n in "${lack[@]}"; do read -r -a p <<< "${debian[$n]}"; pkgs+=("${p[@]}"); done
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${pkgs[@]}"
# What the packages did not give (an older CMake, a compiler without
# C++20) is for the user.
read -r -a lack <<< "$(missing)"
[ ${#lack[@]} -eq 0 ] || stop "${lack[@]}"
