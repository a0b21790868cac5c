#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Gives every source, script and CMake file its licence line,
# "SPDX-License-Identifier: GPL-3.0-or-later", in the file's own comment
# syntax: after a first line that starts with #!, otherwise at the top. A
# file that has the line in its first five lines stays as it is, so running
# the script again changes nothing.
#   spdx-headers.sh [--check] [FOLDER]
# FOLDER is the source tree (by default the one this script lies in); in a
# git work tree the files git tracks count, elsewhere every file outside
# .git and build folders. --check changes nothing: it lists the files that
# lack the line and ends with status 1 when there are any.
set -euo pipefail

IDENTIFIER="SPDX-License-Identifier: GPL-3.0-or-later"

usage() { echo "usage: spdx-headers.sh [--check] [FOLDER]"; }

check=false
root=
for argument in "$@"; do
    case "$argument" in
        --check) check=true ;;
        -h | --help) usage; exit 0 ;;
        -*) echo "spdx-headers.sh: unknown option '$argument'" >&2; usage >&2; exit 2 ;;
        *)
            [ -z "$root" ] || { usage >&2; exit 2; }
            root="$argument"
            ;;
    esac
done
root="${root:-$(dirname "${BASH_SOURCE[0]}")/..}"
root="$(cd "$root" && pwd)"

# The comment that starts a line in a file of that name; nothing for files
# that are neither source, script nor CMake.
comment_of() {
    case "$1" in
        *.cpp | *.cc | *.h | *.hpp | *.cpp.in | *.h.in) echo "//" ;;
        *.sh | *.bash | *.cmake | *.cmake.in | CMakeLists.txt | */CMakeLists.txt) echo "#" ;;
        *.sql) echo "--" ;;
        *) return 1 ;;
    esac
}

# The tree's files, NUL-separated, relative to the tree.
tree_files() {
    if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git -C "$root" ls-files -z
    else
        (cd "$root" && find . \( -name .git -o -type d -exec test -e '{}/CMakeCache.txt' \; \) -prune \
            -o -type f -print0 | sed -z 's|^\./||')
    fi
}

has_line() { head -n 5 "$1" | grep -q 'SPDX-License-Identifier:'; }

# Keeps the file's own mode and links: only its contents are rewritten.
add_line() {
    local file="$1" line="$2" new
    new=$(mktemp)
    if [ -s "$file" ]; then
        awk -v line="$line" 'NR == 1 && /^#!/ { print; print line; next } NR == 1 { print line } { print }' \
            "$file" >"$new"
    else
        printf '%s\n' "$line" >"$new"
    fi
    cat "$new" >"$file"
    rm -f "$new"
}

missing=()
while IFS= read -r -d '' file; do
    comment=$(comment_of "$file") || continue
    [ -f "$root/$file" ] && [ ! -L "$root/$file" ] || continue
    has_line "$root/$file" && continue
    missing+=("$file")
    $check || add_line "$root/$file" "$comment $IDENTIFIER"
done < <(tree_files)

if $check; then
    [ ${#missing[@]} -eq 0 ] && exit 0
    echo "Files without the line '$IDENTIFIER':"
    printf '  %s\n' "${missing[@]}"
    exit 1
fi
echo "Added the line '$IDENTIFIER' to ${#missing[@]} files."
[ ${#missing[@]} -eq 0 ] || printf '  %s\n' "${missing[@]}"
