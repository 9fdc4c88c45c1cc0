#!/usr/bin/env bash
# Builds the fuzz programs with clang and runs one of them.
# Usage: fuzz/run.sh TARGET [SECONDS]   (TARGET: rtfreader, cardsetload,
# initext, legacyimport or wordlist; SECONDS default 300)
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD="${FUZZ_BUILD_DIR:-$HERE/../build-fuzz}"
TARGET="${1:?usage: fuzz/run.sh rtfreader|cardsetload|initext|legacyimport|wordlist [SECONDS]}"
SECONDS_TO_RUN="${2:-300}"
CC=clang CXX=clang++ cmake -S "$HERE" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j2 --target "fuzz_$TARGET"

CORPUS="$BUILD/corpus-$TARGET"
mkdir -p "$CORPUS"
for dir in "$HERE/seeds/$TARGET" "$HERE/regressions/$TARGET"; do
    [[ -d $dir ]] && cp -n "$dir"/* "$CORPUS"/ 2>/dev/null || true
done
[[ $TARGET == rtfreader ]] && cp -n "$HERE"/../tests/data/rtf/*.rtf "$CORPUS"/
DICT=()
[[ -f $HERE/$TARGET.dict ]] && DICT=(-dict="$HERE/$TARGET.dict")

# The targets write their files into a folder of their own under TMPDIR;
# memory is faster than the disk where there is some.
if [[ -z ${TMPDIR:-} && -d /dev/shm && -w /dev/shm ]]; then
    export TMPDIR=/dev/shm
fi
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
cd "$BUILD"
time "./fuzz_$TARGET" -max_total_time="$SECONDS_TO_RUN" -max_len=65536 -rss_limit_mb=4096 -timeout=10 \
    -print_final_stats=1 "${DICT[@]}" "$CORPUS"
