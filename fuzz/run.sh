#!/usr/bin/env bash
# Builds the fuzz target with clang and runs it.
# Usage: fuzz/run.sh [SECONDS]   (default 300)
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD="${FUZZ_BUILD_DIR:-$HERE/../build-fuzz}"
SECONDS_TO_RUN="${1:-300}"
CC=clang CXX=clang++ cmake -S "$HERE" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j2
CORPUS="$BUILD/corpus"
mkdir -p "$CORPUS"
cp -n "$HERE"/../tests/data/rtf/*.rtf "$HERE"/regressions/* "$CORPUS"/ 2>/dev/null || true
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
cd "$BUILD"
./fuzz_rtfreader -max_total_time="$SECONDS_TO_RUN" -max_len=65536 -rss_limit_mb=4096 -timeout=10 \
    -dict="$HERE/rtf.dict" "$CORPUS"
