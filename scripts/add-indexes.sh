#!/usr/bin/env bash
# Adds the indexes that keep a large catalogue quick (the label lists,
# deleting a disk, the Disk ID check) to an existing catalogue. The records
# are not touched, and an index that is there already is left as it is, so
# the script may run any number of times. Quenmora itself never changes a
# catalogue's structure; new catalogues get the indexes from data/schema-*.sql.
#
#   add-indexes.sh                 the catalogue the data source 'Orvandel' names
#   add-indexes.sh --sqlite FILE   an SQLite catalogue file
#   add-indexes.sh --postgres --host HOST [--port 5432] [--database quenmora]
#
# On PostgreSQL the indexes are made by the owner of table1, the admin login
# that setup-postgres-dsn.sh was given: --admin USER names it (default:
# postgres; psql asks for its password unless PGPASSWORD is set). The login
# sa may change records only, never the table.
set -euo pipefail
shopt -s inherit_errexit
here="$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")"
# The structure files: beside the script where it is installed, else in the source tree's data/.
if [ -f "$here/data/schema-sqlite.sql" ]; then data="$here/data"; else data="$here/../data"; fi
usage="usage: add-indexes.sh [--sqlite FILE | --postgres --host HOST [--port P] [--database D]] [--admin USER]"
engine="" file="" host="" port=5432 database=quenmora admin=postgres
while [ $# -gt 0 ]; do
    case "$1" in
    --sqlite) engine=sqlite; file="${2:?$usage}"; shift 2 ;;
    --postgres) engine=postgres; shift ;;
    --host) host="$2"; shift 2 ;;
    --port) port="$2"; shift 2 ;;
    --database) database="$2"; shift 2 ;;
    --admin) admin="$2"; shift 2 ;;
    *) echo "$usage" >&2; exit 2 ;;
    esac
done

# One key of the data source 'Orvandel'.
dsn_key() { odbcinst -q -s -n Orvandel 2>/dev/null | sed -n "s/^$1[[:space:]]*=[[:space:]]*//Ip" | head -n 1 || true; }

if [ -z "$engine" ]; then
    odbcinst -q -s -n Orvandel >/dev/null 2>&1 || { echo "There is no data source 'Orvandel'." >&2; exit 1; }
    driver=$(dsn_key Driver)
    [ -n "$driver" ] || { echo "The data source 'Orvandel' names no driver (Driver=)." >&2; exit 1; }
    # The driver by its registered name, or by the path of its library.
    library="$driver"
    if odbcinst -q -d -n "$driver" >/dev/null 2>&1; then
        library=$(odbcinst -q -d -n "$driver" 2>/dev/null | sed -n 's/^Driver[[:space:]]*=[[:space:]]*//Ip' | head -n 1 || true)
    elif [[ "$driver" != /* ]]; then
        echo "The data source 'Orvandel' names the driver '$driver', which unixODBC does not know (odbcinst -q -d lists those it knows)." >&2
        exit 1
    fi
    case "$(printf '%s %s' "$driver" "$library" | tr '[:upper:]' '[:lower:]')" in
    *sqlite*)
        engine=sqlite
        file=$(dsn_key Database)
        ;;
    *postgres* | *psqlodbc*)
        engine=postgres
        host=$(dsn_key Servername)
        port=$(dsn_key Port)
        database=$(dsn_key Database)
        port=${port:-5432}
        ;;
    *)
        echo "The data source 'Orvandel' uses the driver '$driver', which this script does not know: name the catalogue with --sqlite FILE or --postgres --host HOST." >&2
        exit 1
        ;;
    esac
fi

# The index statements of the structure file, one per line.
statements() { grep -i '^CREATE INDEX IF NOT EXISTS' "$data/schema-$1.sql"; }

case "$engine" in
sqlite)
    [ -f "$file" ] || { echo "The catalogue file '$file' does not exist." >&2; exit 1; }
    command -v sqlite3 >/dev/null || { echo "sqlite3 is missing: install the Debian package sqlite3." >&2; exit 1; }
    statements sqlite | sqlite3 -bail "$file"
    echo "The catalogue '$file' has its indexes."
    ;;
postgres)
    [ -n "$host" ] || { echo "$usage" >&2; exit 2; }
    command -v psql >/dev/null || { echo "psql is missing: install the Debian package postgresql-client." >&2; exit 1; }
    # Without a terminal psql cannot ask for a password: it is told not to try.
    ask=()
    (exec </dev/tty) 2>/dev/null || ask=(-w)
    if ! errors=$({ echo "SET client_min_messages TO warning;"; statements postgres; } \
        | psql -X -q "${ask[@]}" -h "$host" -p "$port" -U "$admin" -d "$database" -v ON_ERROR_STOP=1 2>&1 >/dev/null); then
        echo "$errors" >&2
        if grep -q "no password supplied" <<<"$errors"; then
            echo "No index was added: a password is needed for the login $admin. Set PGPASSWORD, or run this from a terminal, where psql asks for it." >&2
        elif grep -q "must be owner" <<<"$errors"; then
            echo "No index was added. On PostgreSQL the owner of table1 adds them: name it with --admin." >&2
        else
            echo "No index was added." >&2
        fi
        exit 1
    fi
    echo "The catalogue '$database' on $host:$port has its indexes."
    ;;
esac
