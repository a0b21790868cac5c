#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The embedded catalogue's set-up (setup-dsn.sh) as a newcomer meets it: run
# again after the build folder was deleted, it puts the empty structure back
# where the catalogue was lost, and never touches a file that holds one. An
# installed copy keeps the user's data folder private, and without a home
# uses only a folder of the user's own in the temporary folder. The index
# script finds the catalogue whatever way the data source names its driver.
#   setupdsn_test.sh EMPTY_DATABASE
set -euo pipefail
SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
empty="${1:?usage: setupdsn_test.sh EMPTY_DATABASE}"

fail() { echo "FAIL: $*" >&2; exit 1; }
contains() { grep -qF -- "$2" <<<"$1" || fail "expected '$2' in: $1"; }
mode() { [ "$(stat -c %a "$1")" = "$2" ] || fail "$1 has the mode $(stat -c %a "$1"), not $2"; }
is_empty_catalogue() { [ "$(sqlite3 "$1" "SELECT count(*) FROM table1")" = 0 ] || fail "$1 is not the empty structure"; }
# Runs a command that must succeed and say the text.
says() { local text=$1; shift; out=$("$@" 2>&1) || fail "$*: $out"; contains "$out" "$text"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
umask 022
export ODBCINI="$work/odbc.ini" HOME="$work/home"
unset XDG_DATA_HOME
mkdir "$HOME"
setup() { bash "$SOURCE/scripts/setup-dsn.sh" "$@"; }

# A build folder: the program, its structure file, and the user's own data sources.
build="$work/build" db="$work/build/DizaRore.sqlite"
fresh_build() { rm -rf "$build" && mkdir "$build" && cp "$empty" "$build/Dizarore-structure.sqlite"; }
fresh_build
printf '# my own comment\n[Music]\nDriver=SQLite3\nDatabase=/elsewhere.sqlite\n; and another\n' >"$ODBCINI"
says "Created the data source 'Orvandel' on $db" setup "$build"
for line in "# my own comment" "[Music]" "; and another" "Database=$db" "NoCreat=1"; do
    grep -qxF -- "$line" "$ODBCINI" || fail "the data sources lack '$line': $(cat "$ODBCINI")"
done
is_empty_catalogue "$db"
mode "$db" 600

# A catalogue that holds records is left alone, and the data source names it.
sqlite3 "$db" "INSERT INTO table1 (DiskID) VALUES ('KEEP')"
before=$(md5sum <"$db")
says "exists already and names $db" setup "$build"
[ "$(md5sum <"$db")" = "$before" ] || fail "a catalogue with records was touched"

# The build folder deleted and built again, or a first connection that left
# the file empty: the catalogue is made anew. A file that is not empty is never touched.
for lose in fresh_build "truncate -s 0 $db"; do
    $lose
    says "was missing or empty" setup "$build"
    is_empty_catalogue "$db"
done
printf 'not a catalogue' >"$db"
setup "$build" >/dev/null || fail "run on another file"
[ "$(cat "$db")" = "not a catalogue" ] || fail "a file that is not empty was replaced"

# A data source that names another file: said, and nothing made here.
other="$work/other-build"
mkdir "$other" && cp "$empty" "$other/Dizarore-structure.sqlite"
says "names $db" setup "$other"
rm "$db"
says "does not exist" setup "$other"
[ ! -e "$other/DizaRore.sqlite" ] && [ ! -e "$db" ] || fail "a catalogue was made that the data source does not name"

# The installed copy: the data folder is private, an open one from an earlier version too.
install="$work/usr/share/quenmora"
mkdir -p "$install" "$work/usr/bin"
cp "$SOURCE/scripts/setup-dsn.sh" "$install/"
cp "$empty" "$install/Dizarore-structure.sqlite"
ln -s ../share/quenmora/setup-dsn.sh "$work/usr/bin/quenmora-setup-dsn"
data="$HOME/.local/share/Quenmora"
for ini in installed open; do
    ODBCINI="$work/odbc-$ini.ini" "$work/usr/bin/quenmora-setup-dsn" >/dev/null || fail "installed run ($ini)"
    mode "$HOME/.local/share" 700
    mode "$data" 700
    mode "$data/DizaRore.sqlite" 600
    chmod 755 "$data"
done

# No home at all: a folder of the user's own in the temporary folder, never another's.
mkdir "$work/nohome" "$work/tmp" "$work/someone-elses"
printf '#!/bin/sh\nexit 2\n' >"$work/nohome/getent" # the account names no home
chmod +x "$work/nohome/getent"
nohome() { env -u HOME PATH="$work/nohome:$PATH" TMPDIR="$work/tmp" ODBCINI="$work/odbc-nohome.ini" \
    "$work/usr/bin/quenmora-setup-dsn"; }
temporary="$work/tmp/quenmora-$(id -u)"
ln -s "$work/someone-elses" "$temporary"
out=$(nohome 2>&1) && fail "a link in the temporary folder was used: $out"
contains "$out" "is not a folder of your own"
[ -z "$(ls -A "$work/someone-elses")" ] || fail "something was written through the link"
rm "$temporary"
says "$temporary/Quenmora/DizaRore.sqlite" nohome
mode "$temporary" 700
mode "$temporary/Quenmora" 700

# The index script, with the driver named by its library's path (as the
# screenshot script writes it) and by a name unixODBC does not know.
library=$(find /usr/lib -name 'libsqlite3odbc.so' | head -n 1)
cp "$empty" "$work/indexes.sqlite"
export ODBCINI="$work/odbc-path.ini"
printf '[Orvandel]\nDriver=%s\nDatabase=%s\n' "$library" "$work/indexes.sqlite" >"$ODBCINI"
says "has its indexes" bash "$SOURCE/scripts/add-indexes.sh"
printf '[Orvandel]\nDriver=NoSuchDriver\nDatabase=%s\n' "$work/indexes.sqlite" >"$ODBCINI"
out=$(bash "$SOURCE/scripts/add-indexes.sh" 2>&1) && fail "add-indexes.sh with an unknown driver succeeded"
contains "$out" "NoSuchDriver"
echo "PASS"
