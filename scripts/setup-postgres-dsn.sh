#!/usr/bin/env bash
# Shares one catalogue on a PostgreSQL server: creates the login 'sa' (the
# user and password Quenmora connects with), the database and table1 when
# they are missing, and points this user's data source 'Orvandel' at them.
#
#   setup-postgres-dsn.sh --host HOST [--port 5432] [--database quenmora] [--admin USER]
#
# The admin user (default: postgres) must be allowed to create roles and
# databases; psql asks for its password unless PGPASSWORD is set. Run the
# script once on the server's side (it creates what is missing and changes
# nothing that exists) and once on every desktop (there it only writes the
# data source; pass --dsn-only when the desktop may not reach the admin user).
# The user's data source file (~/.odbc.ini, or what ODBCINI names) is saved
# beside itself with the ending .before-postgres before 'Orvandel' is replaced.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
host="" port=5432 database=quenmora admin=postgres dsn_only=0
while [ $# -gt 0 ]; do
    case "$1" in
    --host) host="$2"; shift 2 ;;
    --port) port="$2"; shift 2 ;;
    --database) database="$2"; shift 2 ;;
    --admin) admin="$2"; shift 2 ;;
    --dsn-only) dsn_only=1; shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
[ -n "$host" ] || { echo "usage: setup-postgres-dsn.sh --host HOST [--port P] [--database D] [--admin USER] [--dsn-only]" >&2; exit 2; }

if ! odbcinst -q -d -n "PostgreSQL Unicode" >/dev/null 2>&1; then
    echo "The PostgreSQL ODBC driver is missing: install the Debian package odbc-postgresql." >&2
    exit 1
fi

if [ "$dsn_only" -eq 0 ]; then
    admin_psql() { psql -h "$host" -p "$port" -U "$admin" -v ON_ERROR_STOP=1 -q "$@"; }
    admin_psql -d postgres <<'SQL'
DO $$ BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'sa') THEN
        CREATE ROLE sa LOGIN PASSWORD 'kzq';
    END IF;
END $$;
SQL
    if [ -z "$(admin_psql -d postgres -tAc "SELECT 1 FROM pg_database WHERE datname = '$database'")" ]; then
        admin_psql -d postgres -c "CREATE DATABASE \"$database\" OWNER sa"
    fi
    if [ -z "$(PGPASSWORD=kzq psql -h "$host" -p "$port" -U sa -d "$database" -tAc "SELECT to_regclass('table1')")" ]; then
        PGPASSWORD=kzq psql -h "$host" -p "$port" -U sa -d "$database" -v ON_ERROR_STOP=1 -q -f "$ROOT/data/schema-postgres.sql"
        echo "Created table1 in the database '$database'."
    else
        echo "table1 exists already in '$database'; it is left as it is."
    fi
fi

user_ini=$(odbcinst -j | sed -n 's/^USER DATA SOURCES\.*: //p')
if odbcinst -q -s -h -n Orvandel >/dev/null 2>&1; then
    cp "$user_ini" "$user_ini.before-postgres"
    odbcinst -u -s -h -n Orvandel >/dev/null
    echo "Saved the former data sources to $user_ini.before-postgres."
fi
tmp=$(mktemp)
printf '[Orvandel]\nDescription=Quenmora catalogue on %s\nDriver=PostgreSQL Unicode\nServername=%s\nPort=%s\nDatabase=%s\n' \
    "$host" "$host" "$port" "$database" > "$tmp"
odbcinst -i -s -h -f "$tmp" >/dev/null
rm -f "$tmp"
echo "The data source 'Orvandel' now names the database '$database' on $host:$port."
