#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A throw-away PostgreSQL server on the loopback address, for tests and benchmarks.
#   pg-server.sh start DIR PORT   initialise DIR, start the server and set up
#                                 the catalogue 'quenmora' as on a household's
#                                 server (setup-postgres-dsn.sh --server-only)
#   pg-server.sh stop DIR         stop it (DIR may then be removed)
#   pg-server.sh pause DIR        stop it, as a restart of the machine does
#   pg-server.sh resume DIR       start it again as it was, on its port
# The server listens on 127.0.0.1 only and keeps its socket in DIR. Its
# superuser 'quenmora_admin' (password 'throwaway') sets it up and owns the
# catalogue; the program's login 'sa' (password 'kzq') may only read and
# change records. Logins over TCP need the password (scram-sha-256).
# This copy of the scripts may lie anywhere, even in a folder that the
# server's system user cannot enter: only DIR must be reachable for it (as
# root, the folders above DIR are made passable).
set -euo pipefail
cmd="${1:?usage: pg-server.sh start|stop DIR [PORT]}"
dir="${2:?usage: pg-server.sh start|stop DIR [PORT]}"
port="${3:-54329}"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
readonly admin=quenmora_admin admin_password=throwaway

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$bindir" ] || { echo "PostgreSQL is not installed (package postgresql)." >&2; exit 1; }

# The server refuses to run as root: run it as the 'postgres' system user
# then, from a folder that user may enter.
as_owner() {
    if [ "$(id -u)" -eq 0 ]; then (cd / && runuser -u postgres -- "$@"); else "$@"; fi
}

# The server's settings (address, port, socket folder) are in its own file.
run_server() {
    as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 start >/dev/null \
        || { cat "$dir/server.log" >&2; exit 1; }
}

case "$cmd" in
start)
    mkdir -p "$dir"
    dir="$(cd "$dir" && pwd)"
    # pg_ctl hands the data folder and the log to a shell in double quotes.
    case "$dir" in
    *[\"\$\`\\]*) echo "pg_ctl cannot start a server in $dir: its name holds one of \" \$ \` \\" >&2; exit 2 ;;
    esac
    if [ "$(id -u)" -eq 0 ]; then
        # The server's user must reach DIR: let it pass through the folders
        # above that are closed to it; 'stop' closes them again.
        opened=()
        p="$(dirname "$dir")"
        while [ "$p" != "/" ]; do
            if [ -z "$(find "$p" -maxdepth 0 -perm -o+x)" ]; then chmod o+x "$p"; opened+=("$p"); fi
            p="$(dirname "$p")"
        done
        chown postgres: "$dir"
        chmod 700 "$dir"
        [ ${#opened[@]} -eq 0 ] || printf '%s\n' "${opened[@]}" >"$dir/opened-folders"
    fi
    printf '%s\n' "$admin_password" >"$dir/admin-password"
    as_owner "$bindir/initdb" -D "$dir/data" -U "$admin" --pwfile="$dir/admin-password" \
        --auth-local=trust --auth-host=scram-sha-256 --no-sync -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
        || { cat "$dir/initdb.log" >&2; exit 1; }
    rm -f "$dir/admin-password"
    # The settings go into the server's own file. The socket folder is an
    # item of a list (in double quotes) inside a quoted setting (' doubled);
    # a name with " or a backslash was refused above.
    socket="\"$dir\""
    {
        echo "listen_addresses = '127.0.0.1'"
        echo "port = $port"
        echo "unix_socket_directories = '${socket//\'/\'\'}'"
        echo "fsync = off"
        echo "full_page_writes = off"
    } >>"$dir/data/postgresql.conf"
    run_server
    # The set-up reads the schema as the caller, so this copy's folder may be closed to the server's user.
    PGPASSWORD="$admin_password" bash "$HERE/setup-postgres-dsn.sh" --server-only \
        --host 127.0.0.1 --port "$port" --admin "$admin" >"$dir/setup.log" 2>&1 \
        || { cat "$dir/setup.log" >&2; exit 1; }
    ;;
pause)
    dir="$(cd "$dir" && pwd)"
    as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
    ;;
resume)
    dir="$(cd "$dir" && pwd)"
    run_server
    ;;
stop)
    [ -d "$dir/data" ] || exit 0
    dir="$(cd "$dir" && pwd)"
    as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
    if [ -f "$dir/opened-folders" ]; then
        while IFS= read -r p; do chmod o-x "$p" 2>/dev/null || true; done <"$dir/opened-folders"
        rm -f "$dir/opened-folders"
    fi
    ;;
*)
    echo "usage: pg-server.sh start|stop|pause|resume DIR [PORT]" >&2
    exit 2
    ;;
esac
