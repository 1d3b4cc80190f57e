#!/usr/bin/env bash
# Builds the fuzz targets with Clang under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for the given number of seconds
# (default 60) on its seed corpus. Any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/install-deps.sh
if [ ! -f build-fuzz/CMakeCache.txt ]; then
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
        -DVELLUMAR_FUZZ=ON -DVELLUMAR_TESTS=OFF -DVELLUMAR_BENCH=OFF
fi
cmake --build build-fuzz --parallel "$(nproc)" --target fuzz_pattern_reader fuzz_settings_store \
    fuzz_svg_reader fuzz_picture_reader
for target in pattern_reader settings_store svg_reader picture_reader; do
    work="build-fuzz/corpus-$target"
    mkdir -p "$work"
    echo "fuzzing $target for $seconds s"
    log="build-fuzz/$target.log"
    if ! UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
        "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/$target-" "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        echo "fuzz_$target found a fault; the input is kept under build-fuzz/" >&2
        exit 1
    fi
    tail -n 4 "$log"
done
