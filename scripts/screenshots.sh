#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes screenshots of Quenmora's windows as a person sees them: the real
# program under a virtual X server with a window manager, at 1x, at
# QT_SCALE_FACTOR=2, at 120 DPI and with a dark palette (the qt6ct "darker"
# colour scheme on the Fusion style).
#
#   scripts/screenshots.sh BUILD_FOLDER OUTPUT_FOLDER [MODE...]
#
# MODE is any of 1x, 2x, dpi120, dark, dark2x (default: 1x 2x dpi120 dark).
# It builds nothing: BUILD_FOLDER must hold a built quenmora. Each mode
# writes MODE-main.png, MODE-main-hover.png, MODE-prginfo.png,
# MODE-session.png, MODE-help.png, MODE-navigation.png,
# MODE-navigation-record.png, MODE-navigation-edit.png (the record open for
# editing), MODE-createlist.png and MODE-createlist-disks.png (the Disk IDs
# in use listed) (whole screen, so that a window reaching past the screen
# shows as cut off).
#
# Environment: SCREEN (default 1600x1200), the size of the virtual screen.
#
# The program runs from a copy in a temporary folder, with its own home,
# settings and ODBC data source (a fresh SQLite database with a few sample
# records): nothing of the user's is read or written.
#
# Tools, optional for the project and installed here when missing (Debian
# packages): xvfb, openbox, xdotool, imagemagick (import), qt6ct.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

BUILD_FOLDER="$(cd "${1:?usage: screenshots.sh BUILD_FOLDER OUTPUT_FOLDER [MODE...]}" && pwd)"
mkdir -p "${2:?usage: screenshots.sh BUILD_FOLDER OUTPUT_FOLDER [MODE...]}"
OUT="$(cd "$2" && pwd)"
shift 2
MODES=("$@")
[ ${#MODES[@]} -gt 0 ] || MODES=(1x 2x dpi120 dark)
SCREEN="${SCREEN:-1600x1200}"

[ -x "$BUILD_FOLDER/quenmora" ] || { echo "No quenmora in $BUILD_FOLDER: build it first." >&2; exit 1; }

missing=()
for tool in Xvfb:xvfb openbox:openbox xdotool:xdotool import:imagemagick; do
    command -v "${tool%%:*}" >/dev/null 2>&1 || missing+=("${tool#*:}")
done
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platformthemes/libqt6ct.so ] \
    || ls /usr/lib/*/qt6/plugins/platformthemes/libqt6ct.so >/dev/null 2>&1 || missing+=(qt6ct)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

WORK="$(mktemp -d)"
XVFB_PID=""
WM_PID=""
APP_PID=""
cleanup() {
    for pid in "$APP_PID" "$WM_PID" "$XVFB_PID"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# The application folder: a copy of the program and the files beside it.
APP="$WORK/app"
mkdir -p "$APP/Photographs/Audio"
cp "$BUILD_FOLDER/quenmora" "$APP/"
for f in DizaRore.hlp Dizarore-structure.sqlite; do
    [ -e "$BUILD_FOLDER/$f" ] && cp "$BUILD_FOLDER/$f" "$APP/"
done
cp -r "$BUILD_FOLDER/Photographs/Audio/." "$APP/Photographs/Audio/" 2>/dev/null || true

# Three earlier sessions for the history window.
printf '%s\r\n' \
    " 1            7 Dec 2026 09:30:00         7 Dec 2026 09:30:10          10 " \
    " 2            8 Dec 2026 10:00:00         8 Dec 2026 10:00:20          20 " \
    " 3            9 Dec 2026 11:00:00         9 Dec 2026 11:00:30          30 " > "$APP/populnv.ppl"

# A private data source on a database with a few records, long values among them.
DB="$WORK/DizaRore.sqlite"
sqlite3 "$DB" < "$ROOT/data/schema-sqlite.sql"
sqlite3 "$DB" <<'SQL'
INSERT INTO table1 (DiskID, PathSID, TitleSID, ExtensionID, FileSizID, FileDatTimID, ArtistID, TotFiles, OccasionID, StatusID)
VALUES ('ER_ROAD_TRIP_FINAL', 'E:\Music\Road trip\Final selection', 'Driving through the long night with the windows down',
        'mp3', '7340032', '12/08/2026 21:14:05', 'The Very Long Band Name Orchestra', '3', 'Un-categorized', 'OK'),
       ('ER_ROAD_TRIP_FINAL', 'E:\Music\Road trip\Final selection', 'Morning', 'mp3', '4194304', '12/08/2026 21:15:40',
        'Solo', '3', 'Wedding', 'OK'),
       ('CD01', 'D:\', 'Song of the sea', 'wav', '31457280', '01/02/2025 10:00:00', 'Harbour Choir', '1', 'Party', 'Lent');
SQL
DRIVER="$(find /usr/lib -name 'libsqlite3odbc.so' 2>/dev/null | head -n 1)"
[ -n "$DRIVER" ] || { echo "The SQLite3 ODBC driver (libsqliteodbc) is not installed." >&2; exit 1; }
printf '[Orvandel]\nDriver=%s\nDatabase=%s\nTimeout=2000\nStepAPI=1\n' "$DRIVER" "$DB" > "$WORK/odbc.ini"

# Settings of the dark palette: qt6ct's "darker" scheme with Fusion.
mkdir -p "$WORK/config/qt6ct"
printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\nstyle=Fusion\n' \
    > "$WORK/config/qt6ct/qt6ct.conf"
mkdir -p "$WORK/home" "$WORK/runtime"
chmod 700 "$WORK/runtime"

free_display() {
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return; }
    done
    echo "No free X display number." >&2
    exit 1
}

# Waits for a visible window whose title matches; prints its id.
window() {
    local id
    for _ in $(seq 150); do
        # A window that goes away during the search makes xdotool fail: ask again.
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    echo "The window '$1' did not appear." >&2
    return 1
}

shoot() {
    sleep 1.5
    import -window root "$OUT/$1.png"
    echo "  $1.png"
}

# Clicks at a point given in the main window's own pixels (at scale 1).
click_main() {
    local x=$(( $2 * SCALE_PERCENT / 100 )) y=$(( $3 * SCALE_PERCENT / 100 ))
    xdotool mousemove --window "$1" "$x" "$y" click 1
}

# Brings the window to the front and presses the keys there.
press() {
    timeout 20 xdotool windowactivate --sync "$1" key --clearmodifiers "$2"
}

close_active() {
    press "$1" alt+F4
    sleep 0.5
}

run_mode() {
    local mode="$1" display main info session nav make help
    display=$(free_display)
    echo "$mode (display :$display, $SCREEN)"
    Xvfb ":$display" -screen 0 "${SCREEN}x24" -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$display"
    for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
    HOME="$WORK/home" openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    sleep 1

    local env=(HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config-plain" XDG_RUNTIME_DIR="$WORK/runtime"
               ODBCINI="$WORK/odbc.ini" LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb)
    case "$mode" in
        1x) ;;
        2x) env+=(QT_SCALE_FACTOR=2) ;;
        dpi120) env+=(QT_FONT_DPI=120) ;;
        dark) env+=(XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORMTHEME=qt6ct) ;;
        dark2x) env+=(XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORMTHEME=qt6ct QT_SCALE_FACTOR=2) ;;
        *) echo "Unknown mode $mode" >&2; exit 1 ;;
    esac
    env -u QT_QPA_PLATFORMTHEME -u QT_SCALE_FACTOR -u QT_FONT_DPI -u SESSION_MANAGER "${env[@]}" \
        "$APP/quenmora" >"$WORK/$mode-quenmora.log" 2>&1 &
    APP_PID=$!

    main=$(window '^Quenmora \(Zimbrel\) - Main$')
    # The main window is 582 pixels wide at scale 1; the factor follows from its width on the screen.
    local width
    width=$(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
    SCALE_PERCENT=$(( width * 100 / 582 ))
    shoot "$mode-main"
    xdotool mousemove --window "$main" $(( 110 * SCALE_PERCENT / 100 )) $(( 101 * SCALE_PERCENT / 100 ))
    shoot "$mode-main-hover"

    click_main "$main" 120 41 # Label21: program information
    info=$(window '^Quenmora - Program Information$')
    shoot "$mode-prginfo"
    close_active "$info"

    click_main "$main" 525 388 # Label2: the session history
    session=$(window '^Zimbrel Popularity Count - Parvello$')
    shoot "$mode-session"
    close_active "$session"

    press "$main" alt+h
    help=$(window 'Quenmora help')
    shoot "$mode-help"
    close_active "$help"

    press "$main" alt+n
    nav=$(window '^Navigating through  Database - DizaRore$')
    shoot "$mode-navigation"
    press "$nav" alt+w
    sleep 0.5
    xdotool key Down
    shoot "$mode-navigation-record"
    press "$nav" alt+e
    shoot "$mode-navigation-edit"
    close_active "$nav"

    main=$(window '^Quenmora \(Zimbrel\) - Main$')
    press "$main" alt+a
    make=$(window '^Quenmora - Create File List to Append the Database$')
    shoot "$mode-createlist"
    press "$make" alt+d
    shoot "$mode-createlist-disks"
    close_active "$make"

    main=$(window '^Quenmora \(Zimbrel\) - Main$')
    close_active "$main" # leaves the program the way a person does
    for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
    kill "$WM_PID" "$XVFB_PID" 2>/dev/null || true
    wait "$WM_PID" "$XVFB_PID" 2>/dev/null || true
    WM_PID=""
    XVFB_PID=""
}

for mode in "${MODES[@]}"; do
    run_mode "$mode"
done
echo "Screenshots in $OUT"
