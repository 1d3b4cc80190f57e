#!/usr/bin/env bash
# Makes the AppStream screenshots again (resources/desktop/screenshots/) with
# the game itself on the headless backend, from the bundled patterns.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p resources/desktop/screenshots
XDG_CONFIG_HOME="$scratch" XDG_DATA_HOME="$scratch" \
    build/tools/vellumar-screenshots/vellumar-screenshots resources/patterns resources/desktop/screenshots
echo "resources/desktop/screenshots/: landscape.png portrait.png"
