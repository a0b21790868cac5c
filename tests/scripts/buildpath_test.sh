#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A clone in a folder whose name holds a quote and spaces configures, and its
# build makes the empty song database (the one build rule that once went
# through a shell). Building the program also draws the icons, which
# installing and packaging take.
set -euo pipefail
SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clone="$work/My Music's Catalogue"
mkdir "$clone"
for entry in CMakeLists.txt NEWS.md cmake data dist help src tests bench; do
    [ ! -e "$SOURCE/$entry" ] || cp -r "$SOURCE/$entry" "$clone/"
done
build="$clone/build"
cmake -S "$clone" -B "$build" -G Ninja >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "configure"; }

# What building the program needs, without building it.
needs=$(ninja -C "$build" -t inputs quenmora) || fail "ninja knows no program: $needs"
grep -qx "dist/icons" <<<"$needs" || fail "building the program does not draw the icons"

cmake --build "$build" --target empty_database >"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "build"; }
tables=$(sqlite3 "$build/Dizarore.db" "SELECT name FROM sqlite_master WHERE type = 'table' AND name = 'table1'")
[ "$tables" = table1 ] || fail "the empty database lacks table1"
[ ! -e "$build/Dizarore.db.part" ] || fail "a part of the database was left behind"
echo "PASS"
