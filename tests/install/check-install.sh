#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs Quenmora the two ways a user gets it (cmake --install into a
# prefix, and its Debian package unpacked), starts each installed copy
# headless with a temporary home and checks that it keeps its files in the
# user's data folder and writes nothing below the installation. The binary
# of a hardened build (HARDENED is ON) must pass hardening-check and show
# lintian no hardening notes.
#   check-install.sh BUILD_FOLDER VERSION [HARDENED]
# Needs desktop-file-utils, appstream, dpkg-dev, lintian and devscripts.
# Touches neither the real home, the user's data sources nor the system.
set -euo pipefail
build="$(cd "${1:?usage: check-install.sh BUILD_FOLDER VERSION [HARDENED]}" && pwd)"
version="${2:?usage: check-install.sh BUILD_FOLDER VERSION [HARDENED]}"
hardened="${3:-OFF}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Every file below a folder with its size, time and mode.
snapshot() { (cd "$1" && find . -printf '%p %s %T@ %m %l\n' | LC_ALL=C sort); }

# Starts an installed program (with the arguments after the first three),
# waits until it has prepared its data folder, asks it to stop as a shutdown
# would (SIGTERM) and checks what it left there.
start_and_stop() {
    local program="$1" data="$2" shipped="$3"
    shift 3
    # timeout hands the request on to the program and ends a program that hangs.
    timeout -k 10 180 "$program" "$@" >"$work/program.log" 2>&1 &
    local pid=$! rc=0
    for _ in $(seq 1200); do
        [ -e "$data/Photographs/Audio/title.wav" ] && break
        sleep 0.1
    done
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" || rc=$?
    [ "$rc" -eq 0 ] || { cat "$work/program.log" >&2; fail "$program ended with $rc"; }
    [ -f "$data/populnv.ppl" ] || fail "no session log in $data"
    [ "$(wc -l <"$data/populnv.ppl")" -eq 1 ] || fail "the session log should hold one session"
    grep -q $'\r$' "$data/populnv.ppl" || fail "the session log lines should end in CR LF"
    cmp -s "$data/DizaRore.hlp" "$shipped/DizaRore.hlp" || fail "the help was not copied to $data"
    cmp -s "$data/Photographs/Audio/pukarta.mid" "$shipped/Photographs/Audio/pukarta.mid" || fail "no built-in song in $data"
    # What the program keeps and writes is the user's alone.
    [ "$(stat -c %a "$data")" = 700 ] || fail "the data folder $data is open to others: $(stat -c %a "$data")"
    [ "$(stat -c %a "$data/populnv.ppl")" = 600 ] || fail "the session log is readable by others"
}

# The other set-up commands run from the installation and find the structure files there.
other_commands() {
    local bin="$1" data="$2"
    "$bin/quenmora-add-indexes" | grep -q "has its indexes" || fail "quenmora-add-indexes failed on $data"
    local rc=0
    "$bin/quenmora-setup-postgres" >/dev/null 2>&1 || rc=$?
    [ "$rc" -eq 2 ] || fail "quenmora-setup-postgres without a host should end with its usage (2), not $rc"
    if [ -n "${QUENMORA_PG_PORT:-}" ]; then
        PGPASSWORD=throwaway "$bin/quenmora-setup-postgres" --server-only --host 127.0.0.1 --port "$QUENMORA_PG_PORT" \
            --admin quenmora_admin --database "installed_$3" >"$work/setup-postgres.log" 2>&1 \
            || { cat "$work/setup-postgres.log" >&2; fail "quenmora-setup-postgres failed"; }
        grep -qE "(Created table1 in the database|table1 exists already in) installed_$3" "$work/setup-postgres.log" \
            || { cat "$work/setup-postgres.log" >&2; fail "quenmora-setup-postgres made no catalogue"; }
    fi
}

# The installed program answers --version without a display, and a hardened
# build's binary passes hardening-check.
check_binary() {
    local program="$1" shown
    shown=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version) \
        || fail "$program --version failed"
    [ "$shown" = "Quenmora $version" ] || fail "$program --version prints '$shown'"
    if [ "$hardened" != ON ]; then
        echo "-- not a hardened build (Debug, sanitizers or QUENMORA_HARDEN=OFF): hardening not checked"
    elif ! command -v hardening-check >/dev/null; then
        echo "-- hardening-check (devscripts) is not installed: the hardening was not checked"
    else
        # Where the C library's own start files carry no control-flow mark
        # (IBT, SHSTK; Debian 12), no program built there has it.
        local options=()
        readelf -n "$(command -v bash)" 2>/dev/null | grep -q 'IBT, SHSTK' || options+=(--nocfprotection)
        hardening-check "${options[@]}" "$program" || fail "hardening-check: $program"
    fi
}

# quenmora-setup-dsn: a data source on a database in the data folder; a second run changes nothing.
setup_dsn() {
    local command="$1" data="$2"
    "$command" >/dev/null || fail "$command failed"
    [ -f "$data/DizaRore.sqlite" ] || fail "$command made no database in $data"
    grep -qx "Database=$data/DizaRore.sqlite" "$ODBCINI" || fail "the data source does not name $data/DizaRore.sqlite"
    local before
    before=$(md5sum <"$data/DizaRore.sqlite")
    "$command" | grep -q "exists already" || fail "a second $command should leave the data source alone"
    [ "$(md5sum <"$data/DizaRore.sqlite")" = "$before" ] || fail "a second $command changed the database"
}

step "cmake --install into a temporary prefix"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/quenmora bin/quenmora-setup-dsn bin/quenmora-setup-postgres bin/quenmora-add-indexes \
    share/quenmora/DizaRore.hlp share/quenmora/Dizarore-structure.sqlite share/quenmora/setup-dsn.sh \
    share/quenmora/setup-postgres-dsn.sh share/quenmora/add-indexes.sh share/quenmora/data/schema-sqlite.sql \
    share/quenmora/data/schema-postgres.sql share/quenmora/data/access-postgres.sql \
    share/quenmora/Photographs/Audio/pukarta.mid share/quenmora/Photographs/Audio/title.wav \
    share/applications/quenmora.desktop share/metainfo/quenmora.metainfo.xml share/man/man1/quenmora.1 \
    share/man/man1/quenmora-setup-dsn.1 share/man/man1/quenmora-setup-postgres.1 \
    share/man/man1/quenmora-add-indexes.1 share/icons/hicolor/scalable/apps/quenmora.svg; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
done
for size in 48 128 256; do
    file "$prefix/share/icons/hicolor/${size}x$size/apps/quenmora.png" | grep -q "PNG image data, $size x $size" \
        || fail "no $size pixel icon"
done
check_binary "$prefix/bin/quenmora"
desktop-file-validate "$prefix/share/applications/quenmora.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/quenmora.metainfo.xml" >/dev/null \
    || { appstreamcli validate --no-net "$prefix/share/metainfo/quenmora.metainfo.xml"; fail "appstreamcli validate"; }

step "the installed copy, data folder ~/.local/share/Quenmora"
before=$(snapshot "$prefix")
export ODBCINI="$work/odbc-prefix.ini" # unixODBC finds the home in the password file, not in HOME
data="$HOME/.local/share/Quenmora"
setup_dsn "$prefix/bin/quenmora-setup-dsn" "$data"
start_and_stop "$prefix/bin/quenmora" "$data" "$prefix/share/quenmora"
other_commands "$prefix/bin" "$data" prefix
[ "$(snapshot "$prefix")" = "$before" ] || fail "something was written below the prefix"
[ "$(stat -c %a "$HOME/.local/share")" = 700 ] || fail "a new data home should be private"

step "quenmora-setup-dsn for a copy outside the installation, named by a relative path"
mkdir -p "$work/portable/copy"
cp "$prefix/share/quenmora/Dizarore-structure.sqlite" "$work/portable/copy/"
(cd "$work/portable" && ODBCINI="$work/odbc-portable.ini" "$prefix/bin/quenmora-setup-dsn" copy >/dev/null)
grep -qx "Database=$work/portable/copy/DizaRore.sqlite" "$work/odbc-portable.ini" \
    || fail "the data source should name the database by its full path"

step "cpack -G DEB"
# The modes in the package must not follow the umask of the run or of the checkout.
(umask 002 && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >/dev/null)
deb="$work/package/quenmora_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work/package" >&2; fail "no package $(basename "$deb")"; }
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quenmora ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] && [ -n "$(field Section)" ] \
    || fail "Maintainer, Description and Section are needed"
depends=", $(field Depends),"
for p in libqt6core6 libqt6widgets6 libqt6multimedia6 libtag1v5 libqt6sql6-odbc libsqliteodbc unixodbc odbcinst \
    qt6-qpa-plugins fluidsynth timgm6mb-soundfont; do
    [[ "$depends" == *[\ ,]"$p"[\ ,]* ]] || fail "Depends lacks $p: $depends"
done
dpkg-deb -I "$deb" >/dev/null
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 $7 $8 }')
for f in ./usr/bin/quenmora ./usr/bin/quenmora-setup-dsn-\>../share/quenmora/setup-dsn.sh \
    ./usr/bin/quenmora-setup-postgres-\>../share/quenmora/setup-postgres-dsn.sh \
    ./usr/bin/quenmora-add-indexes-\>../share/quenmora/add-indexes.sh \
    ./usr/share/quenmora/data/schema-postgres.sql ./usr/share/quenmora/data/access-postgres.sql \
    ./usr/share/man/man1/quenmora-setup-postgres.1.gz ./usr/share/man/man1/quenmora-add-indexes.1.gz \
    ./usr/share/quenmora/DizaRore.hlp ./usr/share/quenmora/Dizarore-structure.sqlite \
    ./usr/share/quenmora/Photographs/Audio/title.wav ./usr/share/applications/quenmora.desktop \
    ./usr/share/icons/hicolor/48x48/apps/quenmora.png ./usr/share/metainfo/quenmora.metainfo.xml \
    ./usr/share/man/man1/quenmora.1.gz ./usr/share/doc/quenmora/copyright ./usr/share/doc/quenmora/changelog.gz; do
    grep -qxF -- "$f" <<<"$contents" || fail "the package lacks $f"
done
! grep -v '^\./usr/' <<<"$contents" | grep -q . || fail "the package holds files outside /usr"
odd=$(dpkg-deb -c "$deb" | awk '$1 !~ /^(-rw-r--r--|-rwxr-xr-x|drwxr-xr-x|lrwxrwxrwx)$/ { print $1, $6 }')
[ -z "$odd" ] || fail "entries of the package with other modes than Debian's: $odd"
! grep -q -e '_test' -e 'bench' <<<"$contents" || fail "the package holds tests or benchmarks"
if command -v lintian >/dev/null; then
    rc=0
    lintian --fail-on error --display-info "$deb" >"$work/lintian.log" 2>&1 || rc=$?
    grep -v 'root privileges' "$work/lintian.log" || true
    [ "$rc" -eq 0 ] || fail "lintian reports errors"
    if [ "$hardened" = ON ] && grep -q ' hardening-' "$work/lintian.log"; then
        fail "lintian finds the binary's hardening lacking"
    fi
else
    echo "-- lintian is not installed: the package was not checked with it"
fi

step "the package's files, data folder \$XDG_DATA_HOME/Quenmora"
root="$work/root"
dpkg-deb -x "$deb" "$root"
before=$(snapshot "$root")
export XDG_DATA_HOME="$work/xdg" ODBCINI="$work/odbc-package.ini"
setup_dsn "$root/usr/bin/quenmora-setup-dsn" "$XDG_DATA_HOME/Quenmora"
start_and_stop "$root/usr/bin/quenmora" "$XDG_DATA_HOME/Quenmora" "$root/usr/share/quenmora"
other_commands "$root/usr/bin" "$XDG_DATA_HOME/Quenmora" package
check_binary "$root/usr/bin/quenmora"

step "the package's program with --app-folder: a portable catalogue in a folder of its own"
sessions=$(md5sum <"$XDG_DATA_HOME/Quenmora/populnv.ppl")
mkdir -p "$work/stick"
start_and_stop "$root/usr/bin/quenmora" "$work/stick/Quenmora" "$root/usr/share/quenmora" --app-folder "$work/stick/Quenmora"
[ "$(md5sum <"$XDG_DATA_HOME/Quenmora/populnv.ppl")" = "$sessions" ] || fail "--app-folder logged in the data folder"
[ "$(snapshot "$root")" = "$before" ] || fail "something was written below the unpacked package"
echo "Installed copies start and keep their files in the data folder."
