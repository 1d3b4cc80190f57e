#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ ! -x build/app/vellumar ]; then
    echo "The game was not built: build/app/vellumar is missing (see the build's output above)." >&2
    exit 1
fi
exec build/app/vellumar
