#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The server scripts as a CI job and a household use them. From a copy of the
# scripts in a folder that only its owner may enter (its name and the
# server's folder hold a quote), the throw-away server starts. Against it,
# with password logins, the set-up script leaves a catalogue alone when run
# again, repairs the login sa that a desktop changed, takes over a catalogue
# that sa owned (keeping its records), works for an admin that is no
# superuser, writes a data source the program's login can use (keeping the
# first saved data sources), asks for the admin's password once, and prints
# the pg_hba.conf lines that keep sa out of the other databases.
set -euo pipefail
SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
ls -d /usr/lib/postgresql/*/bin >/dev/null 2>&1 || { echo "SKIP: PostgreSQL is not installed"; exit 77; }

fail() { echo "FAIL: $*" >&2; exit 1; }
contains() { grep -qF -- "$2" <<<"$1" || fail "expected '$2' in: $1"; }
lacks() { ! grep -qF -- "$2" <<<"$1" || fail "did not expect '$2' in: $1"; }
# Runs a command that must succeed (or with !, fail) and say the text.
says() {
    local text=$1 want=0; shift
    [ "$1" != "!" ] || { want=1; shift; }
    out=$("$@" 2>&1) && got=0 || got=1
    [ "$got" = "$want" ] || fail "$* (exit status not as expected): $out"
    contains "$out" "$text"
}

work=$(mktemp -d)  # mode 0700: closed to the server's system user
server=$(mktemp -d)
copy="$work/Bob's copy"
pg="$server/Bob's server"
stop() {
    bash "$copy/scripts/pg-server.sh" stop "$pg" >/dev/null 2>&1 || true
    rm -rf "$work" "$server"
}
trap stop EXIT
mkdir "$copy"
cp -r "$SOURCE/scripts" "$SOURCE/data" "$copy/"
cd "$copy"

port=55432
while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done
bash scripts/pg-server.sh start "$pg" "$port" || fail "the server did not start from $copy"

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

# Anyone may log in as sa and lock the others out: a new password, every
# session read-only, a timeout in the catalogue. Running the set-up again repairs it.
as_sa -d quenmora -c "ALTER ROLE sa SET default_transaction_read_only = on" \
    -c "ALTER ROLE sa IN DATABASE quenmora SET statement_timeout = 1" -c "ALTER ROLE sa PASSWORD 'mine'" >/dev/null
says "password authentication failed" ! as_sa -d quenmora -c "SELECT 1"
says "Reset the login sa" setup --server-only
out=$(as_sa -d quenmora -c "SHOW default_transaction_read_only" -c "SHOW statement_timeout" \
    -c "INSERT INTO table1 (DiskID) VALUES ('AFTER REPAIR')") || fail "sa after the repair: $out"
[ "$out" = $'off\n0' ] || fail "sa's settings after the repair: $out"

# The admin's own connection uses the SSL mode it is given (this server has no SSL).
says "SSL" ! setup --server-only --sslmode require

# An admin that may create roles and databases but is no superuser.
as_admin -d postgres -c "CREATE ROLE household LOGIN CREATEROLE CREATEDB PASSWORD 'house'"
says "Created table1 in the database club." env PGPASSWORD=house bash scripts/setup-postgres-dsn.sh --host 127.0.0.1 \
    --port "$port" --server-only --database club --admin household
contains "$out" "Only a superuser may forbid sa to make large objects in club"
out=$(as_sa -d club -c "INSERT INTO table1 (DiskID) VALUES ('CLUB')" -c "SELECT count(*) FROM table1") \
    || fail "sa in the club's catalogue: $out"
[ "$out" = 1 ] || fail "records in the club's catalogue: $out"

# Without a terminal and without a password the scripts say that a password is needed.
nopassword() { env -u PGPASSWORD setsid bash "scripts/$1" "${@:2}" --host 127.0.0.1 --port "$port" --admin quenmora_admin </dev/null; }
says "A password is needed for the admin login quenmora_admin" ! nopassword setup-postgres-dsn.sh --server-only
says "a password is needed for the login quenmora_admin" ! nopassword add-indexes.sh --postgres

# At a terminal, psql asks for the admin's password once: each prompt is answered.
mkfifo "$work/keys"
env -u PGPASSWORD script -qec "bash scripts/setup-postgres-dsn.sh --server-only --host 127.0.0.1 --port $port --admin quenmora_admin" \
    /dev/null <"$work/keys" >"$work/screen" 2>&1 &
typist=$!
exec 7>"$work/keys"
answered=0
for _ in $(seq 600); do
    kill -0 "$typist" 2>/dev/null || break
    asked=$(grep -c "Password for user" "$work/screen" || true)
    if [ "$asked" -gt "$answered" ]; then echo throwaway >&7; answered=$asked; fi
    sleep 0.1
done
exec 7>&-
wait "$typist" || fail "the set-up at a terminal failed: $(cat "$work/screen")"
[ "$answered" -eq 1 ] || fail "the admin's password was asked $answered times: $(cat "$work/screen")"
grep -q "table1 exists already in quenmora" "$work/screen" || fail "the set-up at a terminal: $(cat "$work/screen")"

# A desktop: its former data source is kept, and the new one reaches the catalogue as sa.
export ODBCINI="$work/odbc.ini"
printf '# my sources\n[Orvandel]\nDriver=SQLite3\nDatabase=/nowhere/DizaRore.sqlite\n' >"$ODBCINI"
out=$(setup --dsn-only --database earlier --sslmode prefer) || fail "data source: $out"
grep -q "Driver=SQLite3" "$ODBCINI.before-postgres" || fail "the former data source was not kept"
for line in "# my sources" "SSLmode=prefer" "CommLog=0" "Debug=0"; do
    grep -qxF "$line" "$ODBCINI" || fail "the data sources lack '$line': $(cat "$ODBCINI")"
done
out=$(echo "SELECT count(*) FROM table1" | isql -b -v Orvandel sa kzq 2>&1) || fail "isql as sa: $out"
contains "$out" "2"
lines=$(wc -l <"$ODBCINI")
# Run again for another catalogue, without --sslmode: the first saved sources
# stay, the SSL mode too; the same run once more changes nothing.
setup --dsn-only --database quenmora >/dev/null || fail "second data source"
grep -q "Driver=SQLite3" "$ODBCINI.before-postgres" || fail "the first saved data sources were replaced"
grep -q "Database=earlier" "$ODBCINI.before-postgres.2" || fail "the second run saved nothing: $(ls "$work")"
grep -qx "SSLmode=prefer" "$ODBCINI" || fail "a run without --sslmode dropped the SSL mode"
[ "$(wc -l <"$ODBCINI")" -eq "$lines" ] || fail "the data sources grew on a rewrite: $(cat -A "$ODBCINI")"
says "already" setup --dsn-only --database quenmora
[ ! -e "$ODBCINI.before-postgres.3" ] || fail "a run that changed nothing saved the data sources"

# The pg_hba.conf lines the set-up prints keep sa in the catalogue's database.
says "The pg_hba.conf of the server: " setup --server-only
hba=$(sed -n 's/^The pg_hba.conf of the server: //p' <<<"$out")
[ -f "$hba" ] || fail "no pg_hba.conf named: $out"
lines=$(grep -E '^ +(local|host|hostssl) ' <<<"$out") || fail "no pg_hba.conf lines: $out"
{ echo "$lines"; cat "$hba"; } >"$work/hba" && cat "$work/hba" >"$hba"
as_admin -d postgres -c "SELECT pg_reload_conf()" >/dev/null
for db in postgres template1 earlier; do
    out=$(as_sa -d "$db" -c "SELECT 1") && fail "sa reached the database $db"
    contains "$out" "rejects connection"
done
out=$(as_sa -d quenmora -c "SELECT count(*) FROM table1") || fail "sa cannot reach its catalogue: $out"
as_admin -d postgres -c "SELECT 1" >/dev/null || fail "the admin was kept out"
echo "PASS"
