#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The one version: project() in the top CMakeLists.txt names it, and every
# place that shows it agrees: the program (--version), the manual pages, the
# AppStream data, the Debian package's change log and version, the release
# notes and the README. No source, help or template writes it out by hand.
#   version_test.sh BUILD_FOLDER VERSION
set -euo pipefail
SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:?usage: version_test.sh BUILD_FOLDER VERSION}" && pwd)"
version="${2:?usage: version_test.sh BUILD_FOLDER VERSION}"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

project=$(sed -n 's/^project(Quenmora VERSION \([^ )]*\).*/\1/p' "$SOURCE/CMakeLists.txt")
[ "$project" = "$version" ] || fail "CMakeLists.txt names $project, the build $version: configure again"

shown=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$build/quenmora" --version) || fail "quenmora --version failed"
[ "$shown" = "Quenmora $version" ] || fail "quenmora --version prints '$shown'"

# The release notes, newest first: "## VERSION (DATE)".
releases=$(sed -n 's/^## \([^ ]*\) (\([0-9-]*\)).*/\1 \2/p' "$SOURCE/NEWS.md")
newest=$(head -n 1 <<<"$releases")
[ "${newest% *}" = "$version" ] || fail "the newest release in NEWS.md is ${newest% *}, not $version"
month=$(LC_ALL=C date -u -d "${newest#* }" '+%B %Y') || fail "NEWS.md dates its release '${newest#* }'"

pages=0
for page in "$build"/dist/man/*.1; do
    pages=$((pages + 1))
    header=$(head -n 1 "$page")
    [[ "$header" == *"\"$month\" \"Quenmora $version\""* ]] || fail "$(basename "$page") begins '$header'"
done
[ "$pages" -eq "$(find "$SOURCE/dist" -maxdepth 1 -name '*.1' | wc -l)" ] || fail "$pages manual pages in the build"

metainfo=$(sed -n 's/.*<release version="\([^"]*\)" date="\([^"]*\)".*/\1 \2/p' "$build/dist/quenmora.metainfo.xml")
[ "$metainfo" = "$releases" ] || fail "the AppStream releases are '$metainfo', the release notes '$releases'"

changelog=$(head -n 1 "$build/dist/changelog")
[ "$changelog" = "quenmora ($version) unstable; urgency=medium" ] || fail "the change log begins '$changelog'"
entries=$(grep -c '^quenmora (' "$build/dist/changelog")
[ "$entries" -eq "$(wc -l <<<"$releases")" ] || fail "the change log has $entries entries"
if command -v dpkg-parsechangelog >/dev/null; then
    parsed=$(dpkg-parsechangelog -l "$build/dist/changelog" -S Version) || fail "dpkg-parsechangelog cannot read the change log"
    [ "$parsed" = "$version" ] || fail "dpkg-parsechangelog reads version $parsed"
fi

grep -qxF "set(CPACK_PACKAGE_VERSION \"$version\")" "$build/CPackConfig.cmake" || fail "the package has another version"

while read -r named; do
    [ "$named" = "quenmora_${version}_" ] || fail "the README names the package $named"
done < <(grep -o 'quenmora_[0-9][^_ ]*_' "$SOURCE/README.md")

# Written out by hand, the version would be left behind by the next one.
pattern="(^|[^0-9.])${version//./[.,]}([^0-9]|$)"
if hits=$(grep -rnE "$pattern" "$SOURCE/src" "$SOURCE/help" "$SOURCE/dist"); then
    fail "the version is written out by hand: $hits"
fi

[ "$failures" -eq 0 ] || exit 1
echo "PASS: version $version everywhere"
