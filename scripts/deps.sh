#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing; extra
# package names given as arguments join the list.
set -euo pipefail
pkgs=(g++ cmake ninja-build libsqlite3-dev sqlite3 googletest libgtest-dev
      libbenchmark-dev libssl-dev python3 "$@")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
