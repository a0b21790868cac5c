#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/spdx-headers.sh on a small tree of its own: --check lists the files
# without the licence line and fails; a run gives each its line in its own
# comment syntax, after a #! line, and leaves everything else as it was; a
# second run changes nothing. In a git work tree only tracked files count.
set -euo pipefail
SCRIPT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/spdx-headers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
line="SPDX-License-Identifier: GPL-3.0-or-later"

tree="$work/tree"
mkdir -p "$tree/src/a" "$tree/scripts" "$tree/cmake" "$tree/data" "$tree/build" "$tree/.git"
printf '#pragma once\n' >"$tree/src/a/x.h"
printf '#include "x.h"\nint f() { return 1; }' >"$tree/src/a/x.cpp" # no line end at the end
printf '#!/usr/bin/env bash\necho hi\n' >"$tree/scripts/run.sh"
chmod 755 "$tree/scripts/run.sh"
printf '# Shared\nset -e\n' >"$tree/scripts/common.sh"
printf 'project(X)\n' >"$tree/CMakeLists.txt"
printf 'set(a 1)\n' >"$tree/cmake/x.cmake"
printf 'set(b @B@)\n' >"$tree/cmake/y.cmake.in"
printf -- '-- table\nCREATE TABLE t (a TEXT);\n' >"$tree/data/schema.sql"
: >"$tree/src/empty.cpp"
printf '#!/bin/sh\n# SPDX-License-Identifier: GPL-3.0-or-later\necho done\n' >"$tree/scripts/done.sh"
printf '# Notes\n' >"$tree/README.md"
printf 'int built;\n' >"$tree/build/generated.cpp"
: >"$tree/build/CMakeCache.txt"
printf 'x\n' >"$tree/.git/hook.sh"
ln -s run.sh "$tree/scripts/link.sh"

# file | its first lines after a run
expected=(
    "src/a/x.h|// $line
#pragma once"
    "src/a/x.cpp|// $line
#include \"x.h\"
int f() { return 1; }"
    "scripts/run.sh|#!/usr/bin/env bash
# $line
echo hi"
    "scripts/common.sh|# $line
# Shared"
    "CMakeLists.txt|# $line
project(X)"
    "cmake/x.cmake|# $line
set(a 1)"
    "cmake/y.cmake.in|# $line
set(b @B@)"
    "data/schema.sql|-- $line
-- table"
    "src/empty.cpp|// $line"
)

snapshot() { (cd "$tree" && find . -type f -exec md5sum {} + | LC_ALL=C sort); }
before=$(snapshot)
rc=0
listed=$(bash "$SCRIPT" --check "$tree") || rc=$?
[ "$rc" -eq 1 ] || fail "--check on a tree with files lacking the line should end with 1, not $rc"
for entry in "${expected[@]}"; do
    grep -qxF "  ${entry%%|*}" <<<"$listed" || fail "--check does not list ${entry%%|*}: $listed"
done
[ "$(grep -c '^  ' <<<"$listed")" -eq "${#expected[@]}" ] || fail "--check lists other files: $listed"
[ "$(snapshot)" = "$before" ] || fail "--check changed files"

bash "$SCRIPT" "$tree" >/dev/null || fail "the run failed"
for entry in "${expected[@]}"; do
    file="${entry%%|*}" want="${entry#*|}"
    got=$(head -n "$(wc -l <<<"$want")" "$tree/$file")
    [ "$got" = "$want" ] || fail "$file begins
$got"
done
[ "$(cat "$tree/scripts/done.sh")" = $'#!/bin/sh\n# '"$line"$'\necho done' ] || fail "a file with the line was changed"
[ "$(cat "$tree/README.md")" = "# Notes" ] || fail "a Markdown file was changed"
[ "$(cat "$tree/build/generated.cpp")" = "int built;" ] || fail "a file in a build folder was changed"
[ "$(cat "$tree/.git/hook.sh")" = "x" ] || fail "a file in .git was changed"
[ -L "$tree/scripts/link.sh" ] || fail "a link was replaced"
[ "$(stat -c %a "$tree/scripts/run.sh")" = 755 ] || fail "a script lost its mode"

after=$(snapshot)
bash "$SCRIPT" "$tree" >/dev/null || fail "the second run failed"
[ "$(snapshot)" = "$after" ] || fail "a second run changed files"
bash "$SCRIPT" --check "$tree" >/dev/null || fail "--check fails after the run"

# In a git work tree: the tracked files only.
if command -v git >/dev/null; then
    repo="$work/repo"
    mkdir -p "$repo"
    git -C "$repo" init -q
    printf 'int a;\n' >"$repo/tracked.cpp"
    printf 'int b;\n' >"$repo/untracked.cpp"
    git -C "$repo" add tracked.cpp
    listed=$(bash "$SCRIPT" --check "$repo") && fail "--check passed a tracked file without the line"
    [ "$listed" = "Files without the line '$line':
  tracked.cpp" ] || fail "--check in a git tree lists: $listed"
fi

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
