#!/usr/bin/env bash
# Builds the fuzz targets listed in fuzz/targets.txt with Clang under
# AddressSanitizer and UndefinedBehaviorSanitizer, every library instrumented
# for coverage, and runs each for the given number of seconds (default 60)
# from its seed corpus and dictionary. Any finding fails. Extra arguments go
# to every run (e.g. -runs=10000000). Coverage and runs per second are
# printed for each target.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
bash scripts/install-deps.sh
if [ ! -f build-fuzz/CMakeCache.txt ]; then
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
        -DVELLUMAR_FUZZ=ON -DVELLUMAR_TESTS=OFF -DVELLUMAR_BENCH=OFF
fi
targets=()
rest=()
while read -r name words; do
    case "$name" in '' | '#'*) continue ;; esac
    targets+=("$name")
    rest+=("$words")
done <fuzz/targets.txt
cmake --build build-fuzz --parallel 2 --target "${targets[@]/#/fuzz_}"
for i in "${!targets[@]}"; do
    target="${targets[$i]}"
    work="build-fuzz/corpus-$target"
    mkdir -p "$work"
    options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="build-fuzz/$target-")
    for word in ${rest[$i]}; do
        case "$word" in
            -*) options+=("$word") ;;
            *) if [ -f "$word" ]; then cp -n "$word" "$work/"; fi ;;
        esac
    done
    if [ -f "fuzz/$target.dict" ]; then
        options+=(-dict="fuzz/$target.dict")
    fi
    seeds=("$work")
    if [ -d "fuzz/corpus/$target" ]; then
        seeds+=("fuzz/corpus/$target")
    fi
    echo "fuzzing $target for $seconds s"
    log="build-fuzz/$target.log"
    if ! UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
        "build-fuzz/fuzz/fuzz_$target" "${options[@]}" "$@" "${seeds[@]}" >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        echo "fuzz_$target found a fault; the input is kept under build-fuzz/" >&2
        exit 1
    fi
    stat() { awk -v key="stat::$1:" '$1 == key { print $2 }' "$log"; }
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
    echo "fuzz_$target: $cov, $(stat number_of_executed_units) runs, $(stat average_exec_per_sec) runs/s"
done
