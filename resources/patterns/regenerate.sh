#!/usr/bin/env bash
# Regenerates the bundled pattern library from manifest.txt: each line's picture
# (from the Debian package the line names, installed if missing) is made into a
# pattern with the line's options, checked and thumbnailed into
# resources/patterns/NAME.mza and NAME.bmp. The results are committed, so
# building the game needs neither this script nor the pictures.
#
#   resources/patterns/regenerate.sh [--contact-sheet OUT.png]
#
# --contact-sheet also draws every thumbnail with its name into one PNG.
# BUILD_DIR names the build folder (default build); the tool is built there if needed.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=${BUILD_DIR:-build}
library=resources/patterns
sheet=
while [ $# -gt 0 ]; do
    case $1 in
    --contact-sheet) sheet=${2:?--contact-sheet needs a file}; shift 2 ;;
    -h | --help) sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "regenerate.sh: unexpected '$1'" >&2; exit 2 ;;
    esac
done

# The Debian packages whose pictures the manifest names (PACKAGE, the fourth field).
packages=$(awk -F'|' '!/^#/ && NF >= 4 { gsub(/[[:space:]]/, "", $4); if ($4 != "" && $4 != "-") print $4 }' \
    "$library/manifest.txt" | sort -u)
missing=()
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "regenerate.sh: installing ${missing[*]} for the pictures" >&2
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DVELLUMAR_BENCH=OFF
fi
cmake --build "$build" --target vellumar-pattern
tool=$root/$build/tools/vellumar-pattern/vellumar-pattern

trim() {
    local s=$1
    s=${s#"${s%%[![:space:]]*}"}
    printf '%s' "${s%"${s##*[![:space:]]}"}"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
names=()
while IFS='|' read -r name source options _; do
    name=$(trim "$name")
    case $name in '' | '#'*) continue ;; esac
    source=$(trim "$source")
    options=$(trim "${options:-}")
    case $source in /*) ;; *) source=$root/$source ;; esac
    if [ "${#name}" -ge 64 ]; then
        echo "regenerate.sh: '$name': a name must be under 64 characters" >&2
        exit 1
    fi
    # Options are words without spaces; the split is deliberate.
    # shellcheck disable=SC2086
    "$tool" make "$source" -o "$work/$name.mza" $options 2>"$work/make.log" ||
        { cat "$work/make.log" >&2; exit 1; }
    "$tool" check "$work/$name.mza"
    "$tool" thumbnail "$work/$name.mza" -o "$work/$name.bmp"
    names+=("$name")
done <"$library/manifest.txt"

# Replace the library only when every pattern was made: the old files go,
# so a pattern taken out of the manifest does not linger.
find "$library" -maxdepth 1 \( -name '*.mza' -o -name '*.bmp' \) -delete
for name in "${names[@]}"; do
    mv "$work/$name.mza" "$work/$name.bmp" "$library/"
done
echo "regenerate.sh: ${#names[@]} patterns in $library"

if [ -n "$sheet" ]; then
    "$tool" contact-sheet "$library" -o "$sheet"
fi
