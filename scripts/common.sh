# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the set-up and test scripts: install what is missing, then build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${QUENMORA_BUILD_DIR:-$ROOT/build}"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "Installing needs the superuser's rights and sudo is not installed: run this as root, or install sudo (apt-get install sudo, as root) and run it again." >&2
        return 1
    fi
}

install_packages() {
    local wanted missing=()
    wanted=$(grep -v '^#' "$ROOT/scripts/packages.txt" | grep -v '^$')
    for p in $wanted "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# Builds the targets named, or everything when none is named.
build() {
    cmake -S "$ROOT" -B "$BUILD" -G Ninja
    if [ $# -gt 0 ]; then
        cmake --build "$BUILD" --target "$@"
    else
        cmake --build "$BUILD"
    fi
}
