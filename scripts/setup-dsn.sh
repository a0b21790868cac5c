#!/usr/bin/env bash
# Prepares the user's ODBC data source 'Orvandel' on the embedded SQLite database.
# An existing 'Orvandel' is left as it is, and so is an existing database file.
set -euo pipefail
APP_FOLDER="${1:?usage: setup-dsn.sh APPLICATION_FOLDER}"
DB="$APP_FOLDER/DizaRore.sqlite"

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
    cp "$APP_FOLDER/Dizarore-structure.sqlite" "$DB"
    chmod u+rw "$DB"
fi
tmp=$(mktemp)
printf '[Orvandel]\nDescription=Quenmora song database\nDriver=SQLite3\nDatabase=%s\nTimeout=2000\nStepAPI=1\n' "$DB" > "$tmp"
odbcinst -i -s -h -f "$tmp"
rm -f "$tmp"
echo "Created the data source 'Orvandel' on $DB"
