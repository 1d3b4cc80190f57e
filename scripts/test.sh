#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. With --sanitize the
# suite runs instead on a Debug build in build-asan/ under AddressSanitizer
# (leak detection on) and UndefinedBehaviorSanitizer, every assert kept; the
# only leaks forgiven are the system's font and graphics libraries'
# (tests/sanitizer_suppressions.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
if [ "${1:-}" = "--sanitize" ]; then
    if [ ! -f build-asan/CMakeCache.txt ]; then
        cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELLUMAR_SANITIZE=ON -DVELLUMAR_BENCH=OFF
    fi
    cmake --build build-asan --parallel 2
    export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
    export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer_suppressions.txt:print_suppressions=0"
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    cd build-asan
    ctest --output-on-failure --parallel 2 --timeout 900
    exit
fi
bash scripts/build.sh
cd build
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
