#!/usr/bin/env bash
# A throw-away PostgreSQL server on the loopback address, for tests and benchmarks.
#   pg-server.sh start DIR PORT   initialise DIR, start the server, create the
#                                 database 'quenmora' with table1
#   pg-server.sh stop DIR         stop it (DIR may then be removed)
# The server's superuser is 'sa', the user the program connects as; the
# server trusts local connections, listens on 127.0.0.1 only and keeps its
# socket in DIR.
set -euo pipefail
cmd="${1:?usage: pg-server.sh start|stop DIR [PORT]}"
dir="${2:?usage: pg-server.sh start|stop DIR [PORT]}"
port="${3:-54329}"
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$bindir" ] || { echo "PostgreSQL is not installed (package postgresql)." >&2; exit 1; }

# The server refuses to run as root: run it as the 'postgres' system user then.
as_owner() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case "$cmd" in
start)
    mkdir -p "$dir"
    if [ "$(id -u)" -eq 0 ]; then
        # The server's user must reach DIR: let it pass through the folders above.
        p="$(cd "$dir/.." && pwd)"
        while [ "$p" != "/" ]; do chmod o+x "$p"; p="$(dirname "$p")"; done
        chown postgres: "$dir"
        chmod 700 "$dir"
    fi
    as_owner "$bindir/initdb" -D "$dir/data" -U sa --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
        || { cat "$dir/initdb.log" >&2; exit 1; }
    as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c full_page_writes=off" start >/dev/null \
        || { cat "$dir/server.log" >&2; exit 1; }
    as_owner "$bindir/createdb" -h 127.0.0.1 -p "$port" -U sa quenmora
    as_owner "$bindir/psql" -q -h 127.0.0.1 -p "$port" -U sa -d quenmora -v ON_ERROR_STOP=1 \
        -f "$ROOT/data/schema-postgres.sql" >/dev/null
    ;;
stop)
    [ -d "$dir/data" ] && as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
    ;;
*)
    echo "usage: pg-server.sh start|stop DIR [PORT]" >&2
    exit 2
    ;;
esac
