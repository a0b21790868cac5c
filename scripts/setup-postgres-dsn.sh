#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Shares one catalogue on a PostgreSQL server and points this user's data
# source 'Orvandel' at it.
#
#   setup-postgres-dsn.sh --host HOST [--port 5432] [--database quenmora] [--admin USER]
#                         [--sslmode MODE] [--server-only | --dsn-only]
#
# On the server's side, as the admin user (default: postgres; it must be
# allowed to create roles and databases; psql asks for its password once
# unless PGPASSWORD is set), it makes what is missing and puts right what
# anyone may have changed:
#   - the login 'sa' with the password 'kzq', which Quenmora connects with.
#     Everyone knows that password, so anyone may log in as sa and change
#     it, or sa's own settings (making every session read-only, say), and
#     lock every desktop out. Every run therefore sets the password again,
#     lets sa log in and clears its settings: running the script again is
#     the repair;
#   - the database and table1, both owned by the admin user;
#   - for 'sa' exactly what the program uses (data/access-postgres.sql):
#     connecting to that database and reading, adding, changing and deleting
#     the records of table1 (IDs come from the table's sequence only). sa
#     may neither alter nor drop the table nor create anything.
# It then prints the pg_hba.conf lines that admit sa to the catalogue's
# database only; the server's administrator puts them in place.
# A catalogue made with 'sa' as its owner (as earlier versions of this
# script did) passes to the admin user, which then must be a superuser, and
# 'sa' is narrowed; the script says so.
#
# Run it once on the server's side (--server-only there skips the data
# source) and on every desktop; --dsn-only writes only the data source, for
# desktops that may not reach the admin user. --sslmode (for instance
# 'require') is used by the admin's psql and goes into the data source, for
# servers that admit 'sa' only over SSL; without it a data source that has
# one keeps it ('--sslmode prefer' is the driver's default). The user's data
# source file (~/.odbc.ini, or what ODBCINI names) is saved beside itself
# with the ending .before-postgres (then .before-postgres.2, ...: the first
# one is never replaced) before 'Orvandel' is changed; its other sections
# and its comments stay as they are.
set -euo pipefail
shopt -s inherit_errexit
here="$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")"
# The structure files: beside the script where it is installed, else in the source tree's data/.
if [ -f "$here/data/schema-postgres.sql" ]; then data="$here/data"; else data="$here/../data"; fi
host="" port=5432 database=quenmora admin=postgres sslmode="" server=1 dsn=1
usage="usage: setup-postgres-dsn.sh --host HOST [--port P] [--database D] [--admin USER] [--sslmode MODE] [--server-only | --dsn-only]"
while [ $# -gt 0 ]; do
    case "$1" in
    --host | --port | --database | --admin | --sslmode)
        [ $# -ge 2 ] || { echo "$1 needs a value" >&2; echo "$usage" >&2; exit 2; }
        ;;&
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
    command -v psql >/dev/null || { echo "psql is missing: install the Debian package postgresql-client." >&2; exit 1; }
    # The admin's own connection uses the same SSL mode as the desktops.
    [ -z "$sslmode" ] || export PGSSLMODE="$sslmode"
    # Without a terminal psql cannot ask for a password (it would read one
    # from the statements): it is told not to try.
    ask=()
    (exec </dev/tty) 2>/dev/null || ask=(-w)
    errors=$(mktemp)
    trap 'rm -f "$errors"' EXIT

    # One session, so that psql asks for the password once: the login, the
    # database and who owns it; then, in that database, the table, who owns
    # it, and what sa may do.
    rc=0
    psql -X -q "${ask[@]}" -h "$host" -p "$port" -U "$admin" -d postgres -v ON_ERROR_STOP=1 -v db="$database" \
        -v schema="$data/schema-postgres.sql" -v access="$data/access-postgres.sql" 2>"$errors" <<'SQL' || rc=$?
SELECT NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'sa') AS missing \gset
\if :missing
    CREATE ROLE sa LOGIN PASSWORD 'kzq';
    \echo Created the login sa.
\else
    -- Whatever anyone who logged in as sa changed: the password, its own
    -- settings (in every database), and what the admin may put right.
    ALTER ROLE sa LOGIN PASSWORD 'kzq' CONNECTION LIMIT -1 VALID UNTIL 'infinity';
    ALTER ROLE sa RESET ALL;
    SELECT format('ALTER ROLE sa IN DATABASE %I RESET ALL', d.datname)
        FROM pg_db_role_setting s JOIN pg_database d ON d.oid = s.setdatabase
        WHERE s.setrole = 'sa'::regrole \gexec
    \echo Reset the login sa: its password is kzq again and it has no settings of its own, so every desktop can log in and write again.
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

\connect -reuse-previous=on :db
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
SELECT count(*) AS objects, count(*) > 0 AS sa_has_objects
    FROM pg_largeobject_metadata WHERE lomowner = 'sa'::regrole \gset
\if :sa_has_objects
    \echo Note: in :db sa owns large objects (:objects), which the program never makes and Delete All leaves. As the admin, this removes them: 'SELECT lo_unlink(oid) FROM pg_largeobject_metadata WHERE lomowner = ''sa''::regrole;'
\endif
SELECT coalesce((SELECT setting FROM pg_settings WHERE name = 'hba_file'), 'the file that SHOW hba_file names') AS hba_file \gset
\echo The pg_hba.conf of the server: :hba_file
SQL
    sed -e 's/^psql:[^ ]* NOTICE:  /Note: /' "$errors" >&2
    if [ "$rc" -ne 0 ]; then
        if grep -q "no password supplied" "$errors"; then
            echo "A password is needed for the admin login $admin: set PGPASSWORD, or run this from a terminal, where psql asks for it." >&2
        elif grep -q "password authentication failed" "$errors"; then
            echo "The server refused the password of the admin login $admin." >&2
        fi
        echo "The server's side was not set up completely; running this again after the fault is mended is safe." >&2
        exit 1
    fi

    # sa may log in from anywhere the server's pg_hba.conf lets it: only the
    # server's administrator can keep it out of the other databases.
    hba_database="$database"
    [[ "$hba_database" =~ ^[a-z_][a-z0-9_]*$ ]] || hba_database="\"${hba_database//\"/\"\"}\""
    kind=host
    case "$sslmode" in require | verify-ca | verify-full) kind=hostssl ;; esac
    echo
    echo "Now admit sa to '$database' and to nothing else: put these lines in the server's pg_hba.conf"
    echo "above every other line (the first line that matches counts) and reload the server"
    echo "(as root on the server: systemctl reload postgresql). 'samenet' admits the networks the"
    echo "server is on; write a network such as 192.168.1.0/24 instead to narrow it."
    printf '    %-8s %-10s %-4s %-9s %s\n' local "$hba_database" sa "" scram-sha-256 \
        "$kind" "$hba_database" sa samenet scram-sha-256 \
        local all sa "" reject \
        host all sa all reject
    echo
fi

[ "$dsn" -eq 1 ] || exit 0

# One key of the data source 'Orvandel', whatever its letter case.
dsn_key() { odbcinst -q -s -n Orvandel 2>/dev/null | sed -n "s/^$1[[:space:]]*=[[:space:]]*//Ip" | head -n 1 || true; }
# The key lines of the section 'Orvandel' of an odbc.ini, keys in lower case, sorted.
section_keys() {
    awk '/^[[:space:]]*\[/ { name = $0; gsub(/^[[:space:]]*\[|\][[:space:]]*$/, "", name); inside = (tolower(name) == "orvandel"); next }
         inside && /^[[:space:]]*[^#;[:space:]]/ { split($0, kv, "="); key = kv[1]; sub(/^[^=]*=/, ""); gsub(/^[[:space:]]+|[[:space:]]+$/, "", key); gsub(/^[[:space:]]+|[[:space:]]+$/, "", $0); print tolower(key) "=" $0 }' "$1" | LC_ALL=C sort
}
# The file without the key lines of 'Orvandel'; comments and the other
# sections stay. Blank lines at the end are left out: the section comes
# back after one, and a file rewritten again and again must not grow.
without_section() {
    awk '/^[[:space:]]*\[/ { name = $0; gsub(/^[[:space:]]*\[|\][[:space:]]*$/, "", name); inside = (tolower(name) == "orvandel"); if (inside) next }
         inside && /^[[:space:]]*([^#;[:space:]]|$)/ { next }
         /^[[:space:]]*$/ { held = held $0 "\n"; next }
         { printf "%s", held; held = ""; print }' "$1"
}

# Keep what the data source has unless told otherwise.
[ -n "$sslmode" ] || sslmode=$(dsn_key SSLmode)
section=$(
    printf '[Orvandel]\nDescription=Quenmora catalogue on %s\nDriver=PostgreSQL Unicode\n' "$host"
    printf 'Servername=%s\nPort=%s\nDatabase=%s\n' "$host" "$port" "$database"
    [ -z "$sslmode" ] || printf 'SSLmode=%s\n' "$sslmode"
    # Debian registers the driver with a log of every connection in the
    # temporary folder, readable by everyone: none for this data source.
    printf 'CommLog=0\nDebug=0\n'
)

umask 077
user_ini=$(odbcinst -j | sed -n 's/^USER DATA SOURCES\.*: //p')
[ -n "$user_ini" ] || { echo "unixODBC names no file for the user's data sources (odbcinst -j)." >&2; exit 1; }
[ -e "$user_ini" ] || : >"$user_ini"
if [ "$(section_keys "$user_ini")" = "$(section_keys <(echo "$section"))" ]; then
    echo "The data source 'Orvandel' names the database '$database' on $host:$port already; it is left as it is."
    exit 0
fi
if [ -n "$(section_keys "$user_ini")" ]; then
    backup="$user_ini.before-postgres"
    n=2
    while [ -e "$backup" ]; do backup="$user_ini.before-postgres.$n"; n=$((n + 1)); done
    cp -p -- "$user_ini" "$backup"
    echo "Saved the former data sources to $backup."
fi
new=$(mktemp)
trap 'rm -f "$new" "${errors:-}"' EXIT
without_section "$user_ini" >"$new"
{
    [ ! -s "$new" ] || [ -z "$(tail -c 1 "$new")" ] || echo
    [ ! -s "$new" ] || echo
    echo "$section"
} >>"$new"
# Written into the file itself, so that its mode, and a link to it, stay.
cat "$new" >"$user_ini"
echo "The data source 'Orvandel' now names the database '$database' on $host:$port${sslmode:+ (SSL mode $sslmode)}."
