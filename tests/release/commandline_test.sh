#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The built program's command line. Without any display, --version, --help
# and a wrong command line answer on the terminal with their exit status
# (a program that made its window first would abort instead). With a
# virtual screen, a folder that --app-folder names and that cannot be made
# is refused. (install_check runs the package's program with --app-folder.)
#   commandline_test.sh BUILD_FOLDER VERSION
set -euo pipefail
build="$(cd "${1:?usage: commandline_test.sh BUILD_FOLDER VERSION}" && pwd)"
version="${2:?usage: commandline_test.sh BUILD_FOLDER VERSION}"
program="$build/quenmora"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

usage="Usage: quenmora [--app-folder FOLDER] [--help] [--version]"

# arguments | exit status | standard output's first line | standard error
cases=(
    "--version|0|Quenmora $version|"
    "--help|0|$usage|"
    "-h|0|$usage|"
    "--app-folder $work/x --version|0|Quenmora $version|"
    "--frob|2||quenmora: unknown option '--frob'
$usage"
    "--version --frob|2||quenmora: unknown option '--frob'
$usage"
    "songs.txt|2||quenmora: unexpected argument 'songs.txt'
$usage"
    "--app-folder|2||quenmora: --app-folder needs a folder
$usage"
)
for case in "${cases[@]}"; do
    IFS='|' read -r -d '' arguments status first err <<<"$case" || true
    err="${err%$'\n'}"
    rc=0
    # shellcheck disable=SC2086 # the arguments are words
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$work/home" \
        "$program" $arguments >"$work/out" 2>"$work/err" || rc=$?
    [ "$rc" -eq "$status" ] || fail "quenmora $arguments ends with $rc, not $status: $(cat "$work/err")"
    [ "$(head -n 1 "$work/out")" = "$first" ] || fail "quenmora $arguments prints '$(head -n 1 "$work/out")'"
    [ "$(cat "$work/err")" = "$err" ] || fail "quenmora $arguments reports '$(cat "$work/err")'"
done
env -u DISPLAY "$program" --help | grep -q -- '--app-folder FOLDER' || fail "the help does not describe --app-folder"
[ ! -e "$work/x" ] || fail "--version made the application folder"
for option in '\-\-app\-folder' '\-\-help' '\-\-version'; do
    grep -qF -- "$option" "$build/dist/man/quenmora.1" || fail "the manual page does not name $option"
done

export QT_QPA_PLATFORM=offscreen HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A folder that cannot be made: the reason on the terminal, then the message
# (a request to stop closes it), and the program ends with status 1.
gone="$work/gone/Quenmora"
timeout -k 10 120 "$program" --app-folder "$gone" >"$work/program.log" 2>&1 &
pid=$!
for _ in $(seq 600); do
    grep -q "quenmora: Quenmora cannot keep its files in $gone" "$work/program.log" && break
    sleep 0.1
done
kill -TERM "$pid" 2>/dev/null || true
rc=0
wait "$pid" || rc=$?
[ "$rc" -eq 1 ] || { cat "$work/program.log" >&2; fail "a folder that cannot be made should end the program with 1, not $rc"; }
[ ! -e "$work/gone" ] || fail "the folders above the chosen one were made"

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
