#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the fuzz targets of the program's own file readers, each for a given
# time, one after another:
#   bash scripts/fuzz.sh SECONDS [TARGET...]
# Targets: midi currentlist sessionlog mounttable tagtitle (all when none is
# named).
# Builds with clang and QUENMORA_FUZZ in build-fuzz/ (QUENMORA_FUZZ_BUILD_DIR
# names another folder). Each target starts from its seeds in
# tests/fuzz/corpus/TARGET and grows a working corpus in the build folder;
# an input that breaks a reader is kept in build-fuzz/findings/TARGET: copy
# it into tests/fuzz/corpus/TARGET, where every test run replays it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:?usage: fuzz.sh SECONDS [TARGET...]}"
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(midi currentlist sessionlog mounttable tagtitle)
source "$ROOT/scripts/common.sh"
BUILD="${QUENMORA_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
install_packages clang libclang-rt-dev
# The compiler is chosen once, when the folder is configured first.
compiler=()
[ -f "$BUILD/CMakeCache.txt" ] || compiler=(-DCMAKE_CXX_COMPILER=clang++)
cmake -S "$ROOT" -B "$BUILD" -G Ninja "${compiler[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUENMORA_FUZZ=ON -DQUENMORA_BENCH=OFF >/dev/null
cmake --build "$BUILD" --target "${targets[@]/#/fuzz_}"

status=0
for target in "${targets[@]}"; do
    work="$BUILD/corpus/$target"
    findings="$BUILD/findings/$target"
    mkdir -p "$work" "$findings"
    echo "== $target: $seconds s"
    # A reader must answer a file in well under a second and within a bounded memory.
    if ! "$BUILD/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=1024 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" \
        "$work" "$ROOT/tests/fuzz/corpus/$target" 2>"$BUILD/fuzz-$target.log"; then
        status=1
        echo "   found a fault: see $BUILD/fuzz-$target.log and $findings"
    fi
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)' "$BUILD/fuzz-$target.log" || true
    grep -E 'cov:' "$BUILD/fuzz-$target.log" | tail -n 1 || true
done
exit $status
