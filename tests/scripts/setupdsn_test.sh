#!/usr/bin/env bash
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
mode() { stat -c %a "$1"; }
records() { sqlite3 "$1" "SELECT count(*) FROM table1"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
umask 022
export ODBCINI="$work/odbc.ini" HOME="$work/home"
unset XDG_DATA_HOME
mkdir "$HOME"
setup() { bash "$SOURCE/scripts/setup-dsn.sh" "$@" 2>&1; }

# A build folder: the program, its structure file, and the user's own data sources.
build="$work/build"
fresh_build() { rm -rf "$build" && mkdir "$build" && cp "$empty" "$build/Dizarore-structure.sqlite"; }
fresh_build
printf '# my own comment\n[Music]\nDriver=SQLite3\nDatabase=/elsewhere.sqlite\n; and another\n' >"$ODBCINI"
out=$(setup "$build") || fail "first run: $out"
contains "$out" "Created the data source 'Orvandel' on $build/DizaRore.sqlite"
for line in "# my own comment" "[Music]" "; and another" "Database=$build/DizaRore.sqlite" "NoCreat=1"; do
    grep -qxF -- "$line" "$ODBCINI" || fail "the data sources lack '$line': $(cat "$ODBCINI")"
done
[ "$(records "$build/DizaRore.sqlite")" = 0 ] || fail "the new catalogue is not the empty structure"
[ "$(mode "$build/DizaRore.sqlite")" = 600 ] || fail "the catalogue is readable by others"

# A catalogue that holds records is left alone, and the data source names it.
sqlite3 "$build/DizaRore.sqlite" "INSERT INTO table1 (DiskID) VALUES ('KEEP')"
before=$(md5sum <"$build/DizaRore.sqlite")
out=$(setup "$build") || fail "second run: $out"
contains "$out" "exists already and names $build/DizaRore.sqlite"
[ "$(md5sum <"$build/DizaRore.sqlite")" = "$before" ] || fail "a catalogue with records was touched"

# The build folder deleted and built again: the catalogue is made anew, and
# so is one that a first connection left empty.
fresh_build
out=$(setup "$build") || fail "run after deleting the build: $out"
contains "$out" "was missing or empty"
[ "$(records "$build/DizaRore.sqlite")" = 0 ] || fail "the catalogue was not made anew"
: >"$build/DizaRore.sqlite"
out=$(setup "$build") || fail "run on an empty file: $out"
contains "$out" "was missing or empty"
[ "$(records "$build/DizaRore.sqlite")" = 0 ] || fail "the empty file was not given the structure"
# A file that is not empty is never touched, whatever it holds.
printf 'not a catalogue' >"$build/DizaRore.sqlite"
out=$(setup "$build") || fail "run on another file: $out"
[ "$(cat "$build/DizaRore.sqlite")" = "not a catalogue" ] || fail "a file that is not empty was replaced"

# A data source that names another, missing, file: said, and nothing made there.
other="$work/other-build"
mkdir "$other" && cp "$empty" "$other/Dizarore-structure.sqlite"
out=$(setup "$other") || fail "run for another folder: $out"
contains "$out" "names $build/DizaRore.sqlite"
[ ! -e "$other/DizaRore.sqlite" ] || fail "a catalogue was made that the data source does not name"
rm "$build/DizaRore.sqlite"
out=$(setup "$other") || fail "run with the named file missing: $out"
contains "$out" "does not exist"

# The installed copy: the data folder is private, an open one from an earlier version too.
install="$work/usr/share/quenmora"
mkdir -p "$install" "$work/usr/bin"
cp "$SOURCE/scripts/setup-dsn.sh" "$empty" "$install/"
mv "$install/$(basename "$empty")" "$install/Dizarore-structure.sqlite"
ln -s ../share/quenmora/setup-dsn.sh "$work/usr/bin/quenmora-setup-dsn"
export ODBCINI="$work/odbc-installed.ini"
out=$("$work/usr/bin/quenmora-setup-dsn" 2>&1) || fail "installed run: $out"
data="$HOME/.local/share/Quenmora"
[ "$(mode "$HOME/.local/share")" = 700 ] || fail "a new data home should be private"
[ "$(mode "$data")" = 700 ] || fail "the data folder should be private: $(mode "$data")"
[ "$(mode "$data/DizaRore.sqlite")" = 600 ] || fail "the catalogue should be private"
chmod 755 "$data"
rm "$ODBCINI"
out=$("$work/usr/bin/quenmora-setup-dsn" 2>&1) || fail "installed run on an open folder: $out"
[ "$(mode "$data")" = 700 ] || fail "an open data folder should become private"

# No home at all: a folder of the user's own in the temporary folder, never another's.
mkdir "$work/nohome" "$work/tmp"
printf '#!/bin/sh\nexit 2\n' >"$work/nohome/getent" # the account names no home
chmod +x "$work/nohome/getent"
nohome() { env -u HOME PATH="$work/nohome:$PATH" TMPDIR="$work/tmp" ODBCINI="$work/odbc-nohome.ini" \
    "$work/usr/bin/quenmora-setup-dsn" 2>&1; }
temporary="$work/tmp/quenmora-$(id -u)"
mkdir "$work/someone-elses"
ln -s "$work/someone-elses" "$temporary"
out=$(nohome) && fail "a link in the temporary folder was used: $out"
contains "$out" "is not a folder of your own"
[ -z "$(ls -A "$work/someone-elses")" ] || fail "something was written through the link"
rm "$temporary"
out=$(nohome) || fail "run without a home: $out"
contains "$out" "$temporary/Quenmora/DizaRore.sqlite"
[ "$(mode "$temporary")" = 700 ] && [ "$(mode "$temporary/Quenmora")" = 700 ] || fail "the temporary data folder is not private"

# The index script, with the driver named by its library's path (as the
# screenshot script writes it) and by a name unixODBC does not know.
library=$(find /usr/lib -name 'libsqlite3odbc.so' | head -n 1)
cp "$empty" "$work/indexes.sqlite"
export ODBCINI="$work/odbc-path.ini"
printf '[Orvandel]\nDriver=%s\nDatabase=%s\n' "$library" "$work/indexes.sqlite" >"$ODBCINI"
out=$(bash "$SOURCE/scripts/add-indexes.sh" 2>&1) || fail "add-indexes.sh with a driver path: $out"
contains "$out" "has its indexes"
printf '[Orvandel]\nDriver=NoSuchDriver\nDatabase=%s\n' "$work/indexes.sqlite" >"$ODBCINI"
out=$(bash "$SOURCE/scripts/add-indexes.sh" 2>&1) && fail "add-indexes.sh with an unknown driver succeeded"
contains "$out" "NoSuchDriver"
echo "PASS"
