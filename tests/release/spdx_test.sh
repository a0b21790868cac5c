#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/spdx-headers.sh on a small tree of its own: --check lists the files
# without the licence line and fails; a run gives each its line in its own
# comment syntax, after a #! line, and leaves everything else as it was; a
# second run changes nothing. In a git work tree only tracked files count.
# And the project's own files all have their line.
set -euo pipefail
SCRIPT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/spdx-headers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
line="SPDX-License-Identifier: GPL-3.0-or-later"

tree="$work/tree"
mkdir -p "$tree/src" "$tree/scripts" "$tree/cmake" "$tree/build"
printf '#pragma once\nint f() { return 1; }' >"$tree/src/x.h" # no line end at the end
: >"$tree/src/empty.cpp"
printf '#!/usr/bin/env bash\necho hi\n' >"$tree/scripts/run.sh"
chmod 755 "$tree/scripts/run.sh"
printf '#!/bin/sh\n# %s\necho done\n' "$line" >"$tree/scripts/done.sh"
printf 'project(X)\n' >"$tree/CMakeLists.txt"
printf 'set(b @B@)\n' >"$tree/cmake/y.cmake.in"
printf -- '-- table\n' >"$tree/schema.sql"
printf '# Notes\n' >"$tree/README.md"
printf 'int built;\n' >"$tree/build/generated.cpp"
: >"$tree/build/CMakeCache.txt"

# file | what it holds after a run
expected=(
    "src/x.h|// $line
#pragma once
int f() { return 1; }"
    "src/empty.cpp|// $line"
    "scripts/run.sh|#!/usr/bin/env bash
# $line
echo hi"
    "CMakeLists.txt|# $line
project(X)"
    "cmake/y.cmake.in|# $line
set(b @B@)"
    "schema.sql|-- $line
-- table"
)

snapshot() { (cd "$tree" && find . -type f -exec md5sum {} + | LC_ALL=C sort); }
before=$(snapshot)
rc=0
listed=$(bash "$SCRIPT" --check "$tree") || rc=$?
[ "$rc" -eq 1 ] || fail "--check on a tree with files lacking the line should end with 1, not $rc"
[ "$(grep '^  ' <<<"$listed" | LC_ALL=C sort)" = "$(printf '  %s\n' "${expected[@]%%|*}" | LC_ALL=C sort)" ] \
    || fail "--check lists: $listed"
[ "$(snapshot)" = "$before" ] || fail "--check changed files"

bash "$SCRIPT" "$tree" >/dev/null || fail "the run failed"
for entry in "${expected[@]}"; do
    [ "$(cat "$tree/${entry%%|*}")" = "${entry#*|}" ] || fail "${entry%%|*} holds: $(cat "$tree/${entry%%|*}")"
done
[ "$(stat -c %a "$tree/scripts/run.sh")" = 755 ] || fail "a script lost its mode"
after=$(snapshot)
[ "$(grep -v -e ' ./src/' -e run.sh -e CMakeLists -e '\.in$' -e '\.sql$' <<<"$after")" = \
    "$(grep -v -e ' ./src/' -e run.sh -e CMakeLists -e '\.in$' -e '\.sql$' <<<"$before")" ] \
    || fail "files with the line, of other kinds or in a build folder were changed"
bash "$SCRIPT" "$tree" >/dev/null && [ "$(snapshot)" = "$after" ] || fail "a second run changed files"
bash "$SCRIPT" --check "$tree" >/dev/null || fail "--check fails after the run"

if command -v git >/dev/null; then
    git -C "$work" init -q repo
    printf 'int a;\n' >"$work/repo/tracked.cpp"
    printf 'int b;\n' >"$work/repo/untracked.cpp"
    git -C "$work/repo" add tracked.cpp
    listed=$(bash "$SCRIPT" --check "$work/repo") && fail "--check passed a tracked file without the line"
    [ "$(tail -n +2 <<<"$listed")" = "  tracked.cpp" ] || fail "--check in a git work tree lists: $listed"
fi

bash "$SCRIPT" --check || fail "files of the project lack the licence line"

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
