#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test (headless). The
# database tests run twice: on the embedded SQLite database and on a
# throw-away PostgreSQL server on the loopback address, started here.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build
export QT_QPA_PLATFORM=offscreen

pgdir=$(mktemp -d)
stop_server() {
    bash "$ROOT/scripts/pg-server.sh" stop "$pgdir/pg" || true
    rm -rf "$pgdir"
}
trap stop_server EXIT
port=54329
while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done
bash "$ROOT/scripts/pg-server.sh" start "$pgdir/pg" "$port"
export QUENMORA_PG_PORT=$port

cd "$BUILD"
ctest --output-on-failure -j2
