#!/usr/bin/env bash
# The server scripts as a CI job and a household use them. From a copy of the
# scripts in a folder that only its owner may enter, the throw-away server
# starts. Against it, with password logins, the set-up script leaves a
# catalogue alone when run again, takes over one that the login sa owned
# (keeping its records) and writes a data source the program's login can use.
set -euo pipefail
SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
ls -d /usr/lib/postgresql/*/bin >/dev/null 2>&1 || { echo "SKIP: PostgreSQL is not installed"; exit 77; }

fail() { echo "FAIL: $*" >&2; exit 1; }
contains() { grep -qF -- "$2" <<<"$1" || fail "expected '$2' in: $1"; }
lacks() { ! grep -qF -- "$2" <<<"$1" || fail "did not expect '$2' in: $1"; }

work=$(mktemp -d)  # mode 0700: closed to the server's system user
server=$(mktemp -d)
stop() {
    bash "$work/copy/scripts/pg-server.sh" stop "$server/pg" >/dev/null 2>&1 || true
    rm -rf "$work" "$server"
}
trap stop EXIT
mkdir "$work/copy"
cp -r "$SOURCE/scripts" "$SOURCE/data" "$work/copy/"
cd "$work/copy"

port=55432
while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done
bash scripts/pg-server.sh start "$server/pg" "$port" || fail "the server did not start from $work/copy"

export PGPASSWORD=throwaway
as_admin() { psql -X -q -tA -h 127.0.0.1 -p "$port" -U quenmora_admin -v ON_ERROR_STOP=1 "$@"; }
as_sa() { PGPASSWORD=kzq psql -X -q -tA -h 127.0.0.1 -p "$port" -U sa -v ON_ERROR_STOP=1 "$@" 2>&1; }
setup() { bash scripts/setup-postgres-dsn.sh --host 127.0.0.1 --port "$port" --admin quenmora_admin "$@" 2>&1; }

# Run again on the catalogue the server start made: nothing to do.
out=$(setup --server-only) || fail "second run: $out"
contains "$out" "table1 exists already in quenmora"
lacks "$out" "Created"
lacks "$out" "belonged"

# A catalogue made by an earlier version: sa owned it and could create databases.
as_admin -d postgres -c "ALTER ROLE sa CREATEDB" -c "CREATE DATABASE earlier OWNER sa"
as_sa -d earlier -f data/schema-postgres.sql -c "INSERT INTO table1 (DiskID) VALUES ('KEPT')" >/dev/null
out=$(setup --server-only --database earlier) || fail "taking over: $out"
contains "$out" "The login sa may no longer act as a superuser nor create databases or roles."
contains "$out" "The database earlier belonged to sa; it now belongs to quenmora_admin."
contains "$out" "table1 belonged to sa; it now belongs to quenmora_admin."
owners=$(as_admin -d earlier -c "SELECT pg_get_userbyid(datdba) FROM pg_database WHERE datname = 'earlier'" \
    -c "SELECT pg_get_userbyid(relowner) FROM pg_class WHERE relname IN ('table1', 'table1_id_seq')" | sort -u)
[ "$owners" = quenmora_admin ] || fail "owners after the take-over: $owners"
out=$(as_sa -d earlier -c "DROP TABLE table1") && fail "sa dropped table1"
contains "$out" "must be owner"
out=$(as_sa -d earlier -c "INSERT INTO table1 (DiskID) VALUES ('NEW')" -c "SELECT DiskID FROM table1 ORDER BY ID") \
    || fail "sa cannot add records after the take-over: $out"
[ "$out" = $'KEPT\nNEW' ] || fail "records after the take-over: $out"
out=$(setup --server-only --database earlier) || fail "run after the take-over: $out"
lacks "$out" "belonged"
lacks "$out" "no longer"

# A desktop: its former data source is kept, and the new one reaches the catalogue as sa.
export ODBCINI="$work/odbc.ini"
printf '[Orvandel]\nDriver=SQLite3\nDatabase=/nowhere/DizaRore.sqlite\n' >"$ODBCINI"
out=$(setup --dsn-only --database earlier --sslmode prefer) || fail "data source: $out"
grep -q "Driver=SQLite3" "$ODBCINI.before-postgres" || fail "the former data source was not kept"
grep -q "SSLmode=prefer" "$ODBCINI" || fail "no SSL mode in the data source"
out=$(echo "SELECT count(*) FROM table1" | isql -b -v Orvandel sa kzq 2>&1) || fail "isql as sa: $out"
contains "$out" "2"
echo "PASS"
