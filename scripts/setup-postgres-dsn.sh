#!/usr/bin/env bash
# Shares one catalogue on a PostgreSQL server and points this user's data
# source 'Orvandel' at it.
#
#   setup-postgres-dsn.sh --host HOST [--port 5432] [--database quenmora] [--admin USER]
#                         [--sslmode MODE] [--server-only | --dsn-only]
#
# On the server's side, as the admin user (default: postgres; it must be
# allowed to create roles and databases, and psql asks for its password
# unless PGPASSWORD is set), it makes what is missing:
#   - the login 'sa' with the password 'kzq', which Quenmora connects with;
#   - the database and table1, both owned by the admin user;
#   - for 'sa' exactly what the program uses (data/access-postgres.sql):
#     connecting to that database and reading, adding, changing and deleting
#     the records of table1. Everyone knows the fixed password, so 'sa' may
#     neither alter nor drop the table nor create anything.
# Running it again changes nothing. A catalogue made with 'sa' as its owner
# (as earlier versions of this script did) passes to the admin user, which
# then must be a superuser, and 'sa' is narrowed; the script says so.
#
# Run it once on the server's side (--server-only there skips the data
# source) and on every desktop; --dsn-only writes only the data source, for
# desktops that may not reach the admin user. --sslmode (for instance
# 'require') goes into the data source, for servers that admit 'sa' only
# over SSL. The user's data source file (~/.odbc.ini, or what ODBCINI names)
# is saved beside itself with the ending .before-postgres before 'Orvandel'
# is replaced.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
host="" port=5432 database=quenmora admin=postgres sslmode="" server=1 dsn=1
usage="usage: setup-postgres-dsn.sh --host HOST [--port P] [--database D] [--admin USER] [--sslmode MODE] [--server-only | --dsn-only]"
while [ $# -gt 0 ]; do
    case "$1" in
    --host) host="$2"; shift 2 ;;
    --port) port="$2"; shift 2 ;;
    --database) database="$2"; shift 2 ;;
    --admin) admin="$2"; shift 2 ;;
    --sslmode) sslmode="$2"; shift 2 ;;
    --dsn-only) server=0; shift ;;
    --server-only) dsn=0; shift ;;
    *) echo "unknown option $1" >&2; echo "$usage" >&2; exit 2 ;;
    esac
done
[ -n "$host" ] && [ $((server + dsn)) -gt 0 ] || { echo "$usage" >&2; exit 2; }
[ "$admin" != sa ] || { echo "The admin user must be another login than sa, which everyone may use." >&2; exit 2; }

if [ "$dsn" -eq 1 ] && ! odbcinst -q -d -n "PostgreSQL Unicode" >/dev/null 2>&1; then
    echo "The PostgreSQL ODBC driver is missing: install the Debian package odbc-postgresql." >&2
    exit 1
fi

if [ "$server" -eq 1 ]; then
    admin_psql() {
        psql -X -q -h "$host" -p "$port" -U "$admin" -v ON_ERROR_STOP=1 -v db="$database" "$@"
    }

    # The login, the database, and who owns it.
    admin_psql -d postgres <<'SQL'
SELECT NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'sa') AS missing \gset
\if :missing
    CREATE ROLE sa LOGIN PASSWORD 'kzq';
    \echo Created the login sa.
\endif
SELECT rolsuper OR rolcreatedb OR rolcreaterole OR rolreplication OR rolbypassrls AS wide
    FROM pg_roles WHERE rolname = 'sa' \gset
\if :wide
    ALTER ROLE sa NOSUPERUSER NOCREATEDB NOCREATEROLE NOREPLICATION NOBYPASSRLS;
    \echo The login sa may no longer act as a superuser nor create databases or roles.
\endif
SELECT NOT EXISTS (SELECT FROM pg_database WHERE datname = :'db') AS missing \gset
\if :missing
    SELECT format('CREATE DATABASE %I', :'db') \gexec
    \echo Created the database :db.
\endif
SELECT datdba = 'sa'::regrole AS sa_owns FROM pg_database WHERE datname = :'db' \gset
\if :sa_owns
    SELECT format('ALTER DATABASE %I OWNER TO CURRENT_USER', :'db') \gexec
    \echo The database :db belonged to sa; it now belongs to :USER.
\endif
SQL

    # The table, who owns it, and what sa may do.
    admin_psql -d "$database" -v schema="$ROOT/data/schema-postgres.sql" -v access="$ROOT/data/access-postgres.sql" <<'SQL'
SELECT to_regclass('table1') IS NULL AS missing \gset
\if :missing
    \i :schema
    \echo Created table1 in the database :db.
\else
    SELECT relowner = 'sa'::regrole AS sa_owns FROM pg_class WHERE oid = 'table1'::regclass \gset
    \if :sa_owns
        ALTER TABLE table1 OWNER TO CURRENT_USER;
        \echo table1 belonged to sa; it now belongs to :USER. Its records are kept.
    \else
        \echo table1 exists already in :db; its records are left as they are.
    \endif
\endif
\i :access
\echo In :db the login sa may read, add, change and delete the records of table1, nothing more.
SELECT string_agg(relname, ', ' ORDER BY relname) AS others, count(*) > 0 AS sa_owns_more
    FROM pg_class WHERE relowner = 'sa'::regrole AND relkind IN ('r', 'v', 'm', 'f', 'p') \gset
\if :sa_owns_more
    \echo Note: in :db sa still owns what any desktop may therefore change or drop: :others.
\endif
SQL
fi

[ "$dsn" -eq 1 ] || exit 0
user_ini=$(odbcinst -j | sed -n 's/^USER DATA SOURCES\.*: //p')
if odbcinst -q -s -h -n Orvandel >/dev/null 2>&1; then
    cp "$user_ini" "$user_ini.before-postgres"
    odbcinst -u -s -h -n Orvandel >/dev/null
    echo "Saved the former data sources to $user_ini.before-postgres."
fi
tmp=$(mktemp)
{
    printf '[Orvandel]\nDescription=Quenmora catalogue on %s\nDriver=PostgreSQL Unicode\n' "$host"
    printf 'Servername=%s\nPort=%s\nDatabase=%s\n' "$host" "$port" "$database"
    [ -z "$sslmode" ] || printf 'SSLmode=%s\n' "$sslmode"
} >"$tmp"
odbcinst -i -s -h -f "$tmp" >/dev/null
rm -f "$tmp"
echo "The data source 'Orvandel' now names the database '$database' on $host:$port."
