#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -x build/app/vellumar ]; then
    exec build/app/vellumar
fi
echo "Vellumar is built. The game itself is not playable yet: what exists so far is the pattern model and"
echo "its command-line companion, for example:"
echo "  build/tools/vellumar-pattern/vellumar-pattern info FILE.mza"
