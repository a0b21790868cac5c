#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prepares the user's ODBC data source 'Orvandel' on the embedded SQLite database.
# An existing 'Orvandel' is left as it is, and so is a database file that
# holds the catalogue. The script says which database the data source names.
#
#   setup-dsn.sh FOLDER   the database DizaRore.sqlite in FOLDER, made from the
#                         structure file Dizarore-structure.sqlite there (a build
#                         folder or a copy of the program)
#   quenmora-setup-dsn    (installed) the database in the user's data folder,
#                         $XDG_DATA_HOME/Quenmora or ~/.local/share/Quenmora,
#                         made from the structure file the installation ships
#
# When 'Orvandel' names the database this script makes and that file is
# missing or empty (a deleted build folder, or a first connection that
# found no file), the empty structure is copied in again. A file that is
# not empty is never touched.
set -euo pipefail
shopt -s inherit_errexit
# What this script makes is the user's own: the data folder, the database, the data source.
umask 077
here="$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")"

fail() { echo "$*" >&2; exit 1; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        fail "This step needs the superuser's rights and sudo is not installed: run the script as root, or install sudo (apt-get install sudo, as root) and run it again."
    fi
}

# The folder the program keeps its files in when no home folder is known:
# one of the user's own in the system's temporary folder, never another's.
temporary_home() {
    local tmp="${TMPDIR:-/tmp}"
    [[ "$tmp" == /* ]] || tmp=/tmp
    local folder="${tmp%/}/quenmora-$(id -u)"
    mkdir -m 700 "$folder" 2>/dev/null || true
    if [ -L "$folder" ] || [ ! -d "$folder" ] || [ "$(stat -c %u "$folder")" != "$(id -u)" ]; then
        fail "Neither HOME nor the system's account names a home folder, and $folder, where Quenmora would keep its files instead, is not a folder of your own. Set HOME to your home folder and run this again."
    fi
    chmod 700 "$folder"
    echo "$folder"
}

# The user's data folder, as Quenmora itself finds it.
data_folder() {
    local base="${XDG_DATA_HOME:-}"
    if [[ "$base" != /* ]]; then
        local home="${HOME:-}"
        [[ "$home" == /* ]] || home="$(getent passwd "$(id -u)" | cut -d: -f6 || true)"
        if [[ "$home" == /* ]]; then
            base="$home/.local/share"
        else
            base="$(temporary_home)"
        fi
    fi
    echo "${base%/}/Quenmora"
}

if [ $# -gt 0 ]; then
    # The data source must name the database wherever the program starts from.
    APP_FOLDER="$(realpath -m -- "$1")"
    mkdir -p -- "$APP_FOLDER"
elif [ -e "$here/Dizarore-structure.sqlite" ]; then
    APP_FOLDER="$(data_folder)"
    # A data home that does not exist yet is private to the user, and the
    # data folder always is.
    base="$(dirname "$APP_FOLDER")"
    [ -d "$base" ] || { mkdir -p "$(dirname "$base")" && mkdir -m 700 "$base"; }
    [ -d "$APP_FOLDER" ] || mkdir -m 700 "$APP_FOLDER"
    [ ! -O "$APP_FOLDER" ] || chmod 700 "$APP_FOLDER"
else
    echo "usage: setup-dsn.sh APPLICATION_FOLDER" >&2
    exit 2
fi
DB="$APP_FOLDER/DizaRore.sqlite"
STRUCTURE="$APP_FOLDER/Dizarore-structure.sqlite"
[ -e "$STRUCTURE" ] || STRUCTURE="$here/Dizarore-structure.sqlite"

# Puts the empty structure in place of a missing or empty database file,
# whole or not at all.
make_database() {
    [ -e "$STRUCTURE" ] || fail "The database structure file $STRUCTURE is missing."
    local part="$DB.part-$$"
    cp -- "$STRUCTURE" "$part"
    chmod 600 -- "$part"
    mv -f -- "$part" "$DB"
}

# One key of the data source 'Orvandel', whatever its letter case.
dsn_key() { odbcinst -q -s -n Orvandel 2>/dev/null | sed -n "s/^$1[[:space:]]*=[[:space:]]*//Ip" | head -n 1 || true; }

# The SQLite3 ODBC driver, registered when unixODBC does not know it.
if ! odbcinst -q -d -n SQLite3 >/dev/null 2>&1; then
    lib=$(find /usr/lib -name 'libsqlite3odbc.so' 2>/dev/null | head -n 1 || true)
    [ -n "$lib" ] || fail "The SQLite3 ODBC driver (libsqliteodbc) is not installed."
    tmp=$(mktemp)
    trap 'rm -f "$tmp"' EXIT
    printf '[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=%s\nSetup=%s\n' "$lib" "$lib" > "$tmp"
    # The system's list of drivers stays readable by every user.
    (umask 022 && as_root odbcinst -i -d -f "$tmp")
    rm -f "$tmp"
    trap - EXIT
fi

if odbcinst -q -s -n Orvandel >/dev/null 2>&1; then
    named="$(dsn_key Database)"
    if [ -z "$named" ]; then
        echo "The data source 'Orvandel' exists already (driver $(dsn_key Driver), no database file); it is left as it is."
        exit 0
    fi
    echo "The data source 'Orvandel' exists already and names $named; it is left as it is."
    if [ "$(realpath -m -- "$named")" = "$(realpath -m -- "$DB")" ] && [ ! -s "$DB" ]; then
        make_database
        echo "The database $DB was missing or empty: it now holds the empty catalogue."
    elif [ ! -e "$named" ]; then
        echo "Note: $named does not exist, so Quenmora will find no catalogue. Copy your catalogue there, or remove the data source (odbcinst -u -s -h -n Orvandel) and run this again." >&2
    fi
    exit 0
fi

[ -s "$DB" ] || make_database

# The data source is added to the user's file as text: odbcinst would write
# the whole file anew and drop the user's comments.
user_ini=$(odbcinst -j | sed -n 's/^USER DATA SOURCES\.*: //p')
[ -n "$user_ini" ] || fail "unixODBC names no file for the user's data sources (odbcinst -j)."
{
    [ ! -s "$user_ini" ] || [ -z "$(tail -c 1 "$user_ini")" ] || echo
    [ ! -s "$user_ini" ] || echo
    # NoCreat: a missing database file is an error, not a new empty catalogue.
    printf '[Orvandel]\nDescription=Quenmora song database\nDriver=SQLite3\nDatabase=%s\nTimeout=2000\nStepAPI=1\nNoCreat=1\n' "$DB"
} >>"$user_ini"
echo "Created the data source 'Orvandel' on $DB"
