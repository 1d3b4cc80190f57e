#!/usr/bin/env bash
# Rebuilds the synthesiser and rewrites resources/sounds/ with it. Run after
# changing a sound; the sound tests fail until the files are regenerated.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD_DIR:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target vellumar-synth
"$build/tools/vellumar-synth/vellumar-synth" --stats resources/sounds
