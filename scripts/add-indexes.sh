#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Adds the indexes that keep a large catalogue quick (the label lists,
# deleting a disk, the Disk ID check, finding in titles and artists) to an
# existing catalogue. The records are not touched, and an index that is
# there already is left as it is, so the script may run any number of times.
# Quenmora itself never changes a catalogue's structure; new catalogues get
# the indexes from data/schema-*.sql. Making the search indexes of a
# catalogue of millions of records takes minutes.
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

# The index statements of the structure file, one per line: indexes, the
# search indexes and the triggers that keep them in step, on PostgreSQL the
# block that adds the trigram extension and its indexes.
statements() { grep -iE '^(CREATE (INDEX|VIRTUAL TABLE|TRIGGER) IF NOT EXISTS|DO )' "$data/schema-$1.sql"; }
# The names of the objects that the statements of one kind make.
made() { sed -n "s/^CREATE $1 IF NOT EXISTS \([A-Za-z0-9_]*\) .*/\1/Ip" "$data/schema-sqlite.sql"; }

case "$engine" in
sqlite)
    [ -f "$file" ] || { echo "The catalogue file '$file' does not exist." >&2; exit 1; }
    command -v sqlite3 >/dev/null || { echo "sqlite3 is missing: install the Debian package sqlite3." >&2; exit 1; }
    # A search index is filled when it is made, and again whenever one of
    # the search indexes or of their triggers was missing: an index that
    # missed a change would leave records out. All of it or nothing.
    present=$(sqlite3 -bail "$file" "SELECT lower(name) FROM sqlite_master WHERE type IN ('table', 'trigger')")
    search_tables=$(made "VIRTUAL TABLE")
    fill=0
    for name in $search_tables $(made TRIGGER); do
        grep -qxF "${name,,}" <<<"$present" || fill=1
    done
    [ "$fill" -eq 0 ] || echo "Filling the search indexes: a catalogue of millions of records takes some minutes."
    {
        echo "BEGIN;"
        statements sqlite
        if [ "$fill" -eq 1 ]; then
            for table in $search_tables; do echo "INSERT INTO $table ($table) VALUES ('rebuild');"; done
        fi
        echo "COMMIT;"
    } | sqlite3 -bail "$file"
    echo "The catalogue '$file' has its indexes."
    ;;
postgres)
    [ -n "$host" ] || { echo "$usage" >&2; exit 2; }
    command -v psql >/dev/null || { echo "psql is missing: install the Debian package postgresql-client." >&2; exit 1; }
    # Without a terminal psql cannot ask for a password: it is told not to try.
    ask=()
    (exec </dev/tty) 2>/dev/null || ask=(-w)
    echo "Making the indexes: a catalogue of millions of records takes some minutes, and meanwhile no records can be added or changed."
    if ! errors=$({ echo "SET client_min_messages TO warning;"; statements postgres; } \
        | psql -X -q -1 "${ask[@]}" -h "$host" -p "$port" -U "$admin" -d "$database" -v ON_ERROR_STOP=1 2>&1 >/dev/null); then
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
    # What the server warned of (no trigram extension, say).
    [ -z "$errors" ] || sed -e 's/^psql:[^ ]* WARNING:  /Note: /' <<<"$errors" >&2
    echo "The catalogue '$database' on $host:$port has its indexes."
    ;;
esac
