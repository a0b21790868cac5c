#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, prepares the data source 'Orvandel' and starts Quenmora.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
# The program and the files beside it; the tests and benchmarks wait for test.sh.
build quenmora
bash "$ROOT/scripts/setup-dsn.sh" "$BUILD"
exec "$BUILD/quenmora"
