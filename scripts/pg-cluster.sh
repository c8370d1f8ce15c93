#!/usr/bin/env bash
# A private PostgreSQL cluster for the tests and for trying a server
# repository: its own folder, a Unix socket in that folder and 127.0.0.1
# only, a free port, one superuser with a password.
#   scripts/pg-cluster.sh start DIR   prints the shell lines that point
#                                     libpq and the tests at it
#   scripts/pg-cluster.sh stop DIR    stops it and removes DIR, whatever
#                                     state it was left in
#   scripts/pg-cluster.sh halt DIR    stops the server at once, as a crash
#                                     would (the folder stays)
#   scripts/pg-cluster.sh resume DIR  starts a halted server again, on its
#                                     socket and port
# Run as root, the cluster belongs to the postgres user (initdb refuses
# root). PG_BINDIR names the server's programs when they are not on PATH.
set -euo pipefail

usage() { echo "usage: $0 start|stop|halt|resume DIR" >&2; exit 2; }
[ $# -eq 2 ] || usage
cmd=$1
dir=$2

bindir=${PG_BINDIR:-}
if [ -z "$bindir" ]; then
  if command -v initdb >/dev/null 2>&1; then
    bindir=$(dirname "$(readlink -f "$(command -v initdb)")")
  else
    bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
  fi
fi

# Runs a server program as the cluster's owner.
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

stop_cluster() {
  [ -e "$dir" ] || return 0
  local data=$dir/data pid
  if [ -f "$data/postmaster.pid" ]; then
    as_owner "$bindir/pg_ctl" stop -D "$data" -m immediate -w -t 30 >/dev/null 2>&1 || true
    # A server pg_ctl could not stop (a damaged folder) is ended by its pid.
    pid=$(head -n 1 "$data/postmaster.pid" 2>/dev/null || true)
    if [[ "$pid" =~ ^[0-9]+$ ]] && kill -0 "$pid" 2>/dev/null; then
      kill -QUIT "$pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -KILL "$pid" 2>/dev/null || true
    fi
  fi
  rm -rf "$dir"
}

# A port nothing listens on at 127.0.0.1.
free_port() {
  local p
  for _ in $(seq 200); do
    p=$((20000 + RANDOM % 40000))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; then
      echo "$p"
      return 0
    fi
  done
  return 1
}

# Starts the server of DIR on PORT. fsync=off: the cluster is thrown away
# with its folder, and creating a database per test would otherwise wait on
# the disk.
launch() {
  as_owner "$bindir/pg_ctl" start -D "$dir/data" -w -t 60 -l "$dir/server.log" \
    -o "-c listen_addresses=127.0.0.1 -c port=$1 -c unix_socket_directories='$dir' -c fsync=off" \
    >/dev/null 2>&1
}

start_cluster() {
  [ -x "$bindir/initdb" ] || { echo "pg-cluster.sh: no PostgreSQL server programs found (set PG_BINDIR)" >&2; exit 1; }
  if [ -e "$dir/data/PG_VERSION" ]; then
    echo "pg-cluster.sh: $dir already holds a cluster" >&2
    exit 1
  fi
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  # The socket's path must fit a sockaddr_un.
  if [ ${#dir} -gt 90 ]; then
    echo "pg-cluster.sh: $dir is too long a path for the server's socket" >&2
    exit 1
  fi
  [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
  chmod 755 "$dir"

  local user=ndl_admin password pwfile
  password=$(od -An -N 12 -tx1 /dev/urandom | tr -d ' \n')
  pwfile=$dir/pwfile
  (umask 077; printf '%s\n' "$password" > "$pwfile")
  [ "$(id -u)" -eq 0 ] && chown postgres: "$pwfile"
  if ! as_owner "$bindir/initdb" -D "$dir/data" -U "$user" --pwfile="$pwfile" -A scram-sha-256 \
      -E UTF8 --locale=C --no-sync >"$dir/initdb.log" 2>&1; then
    cat "$dir/initdb.log" >&2
    rm -f "$pwfile"
    exit 1
  fi
  rm -f "$pwfile"

  local port tries=0
  while :; do
    port=$(free_port) || { echo "pg-cluster.sh: no free port" >&2; exit 1; }
    if launch "$port"; then
      break
    fi
    tries=$((tries + 1))
    # Another process may have taken the port between the probe and the start.
    if [ $tries -ge 5 ]; then
      tail -n 20 "$dir/server.log" >&2 || true
      exit 1
    fi
  done

  local env_lines="export PGHOST=$dir PGPORT=$port NDL_TEST_PG_USER=$user NDL_TEST_PG_PASSWORD=$password"
  (umask 077; echo "$env_lines" > "$dir/env")
  echo "$env_lines"
}

case $cmd in
  start) start_cluster ;;
  stop) stop_cluster ;;
  halt) as_owner "$bindir/pg_ctl" stop -D "$dir/data" -m immediate -w -t 30 >/dev/null ;;
  resume) launch "$(sed -n 's/.* PGPORT=\([0-9]*\) .*/\1/p' "$dir/env")" || { tail -n 20 "$dir/server.log" >&2; exit 1; } ;;
  *) usage ;;
esac
