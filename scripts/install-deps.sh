#!/usr/bin/env bash
# Installs the Debian packages Vellumar needs to build, run and test, when any
# are missing. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config git python3
    clang-14 libclang-rt-14-dev
    libsdl2-dev libfreetype-dev libfontconfig-dev fonts-liberation2
    libstb-dev libpugixml-dev libpng-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    xvfb xauth xdotool x11-apps x11-utils openbox
    lintian appstream
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
else
    echo "These Debian packages are missing and there is no sudo to install them: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
