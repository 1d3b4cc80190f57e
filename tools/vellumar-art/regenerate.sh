#!/usr/bin/env bash
# Rebuilds the art generator and rewrites resources/bitmaps/ and
# resources/icons/ with it. Run after changing a picture; the art tests fail
# until the files are regenerated.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${BUILD_DIR:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja
fi
cmake --build "$build" --target vellumar-art
"$build/tools/vellumar-art/vellumar-art" generate resources
"$build/tools/vellumar-art/vellumar-art" contact-sheet "$build/contact-sheet.png"
echo "Contact sheet: $build/contact-sheet.png"
