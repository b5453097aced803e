#!/usr/bin/env bash
# Throw-away PostgreSQL cluster for the RelayHub tests.
#   pg_cluster.sh start STATE_FILE   initdb in a temp dir, start on a free port,
#                                    write the libpq connection string to STATE_FILE
#   pg_cluster.sh stop STATE_FILE    stop the cluster and remove its directory
# initdb refuses to run as root, so as root the cluster runs as the
# "postgres" user (or "nobody" when that user does not exist).
set -euo pipefail
action=$1
state=$2
bin=${PG_BIN:-/usr/lib/postgresql/15/bin}

as_owner() {
  if [[ $(id -u) -eq 0 ]]; then
    runuser -u "$owner" -- "$@"
  else
    "$@"
  fi
}

if [[ $(id -u) -eq 0 ]]; then
  owner=postgres
  id "$owner" >/dev/null 2>&1 || owner=nobody
else
  owner=$(id -un)
fi

case "$action" in
start)
  dir=$(mktemp -d /tmp/relayhub-pg.XXXXXX)
  chmod 755 "$dir"
  [[ $(id -u) -eq 0 ]] && chown "$owner" "$dir"
  as_owner "$bin/initdb" -D "$dir/data" -U relayhub --auth=trust -E UTF8 --no-sync >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log" >&2; exit 1; }
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    port=$((20000 + RANDOM % 40000))
    (echo >"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
    if as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
      -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
      start >/dev/null; then
      echo "host=127.0.0.1 port=$port user=relayhub dbname=postgres" >"$state.tmp"
      echo "$dir" >"$state.dir"
      mv "$state.tmp" "$state"
      exit 0
    fi
  done
  cat "$dir/server.log" >&2 || true
  exit 1
  ;;
stop)
  [[ -f "$state.dir" ]] || exit 0
  dir=$(cat "$state.dir")
  as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$dir" "$state" "$state.dir"
  ;;
*)
  echo "usage: $0 start|stop STATE_FILE" >&2
  exit 2
  ;;
esac
