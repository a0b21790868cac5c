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
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
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

# One key of the data source 'Orvandel' (or of its driver's entry).
dsn_key() { odbcinst -q -s -n Orvandel 2>/dev/null | sed -n "s/^$1[[:space:]]*=[[:space:]]*//Ip" | head -n 1; }

if [ -z "$engine" ]; then
    odbcinst -q -s -n Orvandel >/dev/null 2>&1 || { echo "There is no data source 'Orvandel'." >&2; exit 1; }
    driver=$(dsn_key Driver)
    library=$(odbcinst -q -d -n "$driver" 2>/dev/null | sed -n 's/^Driver[[:space:]]*=[[:space:]]*//Ip' | head -n 1)
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
        echo "The data source 'Orvandel' uses the driver '$driver', which this script does not know." >&2
        exit 1
        ;;
    esac
fi

# The index statements of the structure file, one per line.
statements() { grep -i '^CREATE INDEX IF NOT EXISTS' "$ROOT/data/schema-$1.sql"; }

case "$engine" in
sqlite)
    [ -f "$file" ] || { echo "The catalogue file '$file' does not exist." >&2; exit 1; }
    statements sqlite | sqlite3 -bail "$file"
    echo "The catalogue '$file' has its indexes."
    ;;
postgres)
    [ -n "$host" ] || { echo "$usage" >&2; exit 2; }
    { echo "SET client_min_messages TO warning;"; statements postgres; } | psql -h "$host" -p "$port" -U "$admin" -d "$database" -v ON_ERROR_STOP=1 -q \
        || { echo "No index was added. On PostgreSQL the owner of table1 adds them: name it with --admin." >&2; exit 1; }
    echo "The catalogue '$database' on $host:$port has its indexes."
    ;;
esac
