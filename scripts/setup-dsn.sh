#!/usr/bin/env bash
# Prepares the user's ODBC data source 'Orvandel' on the embedded SQLite database.
# An existing 'Orvandel' is left as it is, and so is an existing database file.
#
#   setup-dsn.sh FOLDER   the database DizaRore.sqlite in FOLDER, made from the
#                         structure file Dizarore-structure.sqlite there (a build
#                         folder or a copy of the program)
#   quenmora-setup-dsn    (installed) the database in the user's data folder,
#                         $XDG_DATA_HOME/Quenmora or ~/.local/share/Quenmora,
#                         made from the structure file the installation ships
set -euo pipefail
here="$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")"

# The user's data folder, as Quenmora itself finds it.
data_folder() {
    local base="${XDG_DATA_HOME:-}"
    if [[ "$base" != /* ]]; then
        local home="${HOME:-}"
        [[ "$home" == /* ]] || home="$(getent passwd "$(id -u)" | cut -d: -f6)"
        base="$home/.local/share"
    fi
    echo "$base/Quenmora"
}

if [ $# -gt 0 ]; then
    # The data source must name the database wherever the program starts from.
    APP_FOLDER="$(realpath -m -- "$1")"
elif [ -e "$here/Dizarore-structure.sqlite" ]; then
    APP_FOLDER="$(data_folder)"
    # A data home that does not exist yet is private to the user.
    base="$(dirname "$APP_FOLDER")"
    [ -d "$base" ] || { mkdir -p "$(dirname "$base")" && mkdir -m 700 "$base"; }
else
    echo "usage: setup-dsn.sh APPLICATION_FOLDER" >&2
    exit 2
fi
DB="$APP_FOLDER/DizaRore.sqlite"
STRUCTURE="$APP_FOLDER/Dizarore-structure.sqlite"
[ -e "$STRUCTURE" ] || STRUCTURE="$here/Dizarore-structure.sqlite"

# The SQLite3 ODBC driver, registered when unixODBC does not know it.
if ! odbcinst -q -d -n SQLite3 >/dev/null 2>&1; then
    lib=$(find /usr/lib -name 'libsqlite3odbc.so' 2>/dev/null | head -n 1)
    [ -n "$lib" ] || { echo "The SQLite3 ODBC driver (libsqliteodbc) is not installed." >&2; exit 1; }
    tmp=$(mktemp)
    printf '[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=%s\nSetup=%s\n' "$lib" "$lib" > "$tmp"
    if [ "$(id -u)" -eq 0 ]; then odbcinst -i -d -f "$tmp"; else sudo odbcinst -i -d -f "$tmp"; fi
    rm -f "$tmp"
fi

if odbcinst -q -s -n Orvandel >/dev/null 2>&1; then
    echo "The data source 'Orvandel' exists already; it is left as it is."
    exit 0
fi

if [ ! -e "$DB" ]; then
    [ -e "$STRUCTURE" ] || { echo "The database structure file $STRUCTURE is missing." >&2; exit 1; }
    mkdir -p "$APP_FOLDER"
    cp "$STRUCTURE" "$DB"
    chmod u+rw "$DB"
fi
tmp=$(mktemp)
printf '[Orvandel]\nDescription=Quenmora song database\nDriver=SQLite3\nDatabase=%s\nTimeout=2000\nStepAPI=1\n' "$DB" > "$tmp"
odbcinst -i -s -h -f "$tmp"
rm -f "$tmp"
echo "Created the data source 'Orvandel' on $DB"
