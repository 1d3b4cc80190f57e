#!/usr/bin/env bash
# The pictures the pattern maker is measured on: photographs, paintings and
# clip art that Debian packages ship under free licences. Installs those
# packages (nothing comes from anywhere else) and writes pictures.txt beside
# this script: each picture with its kind, package, author and licence.
#
# The licence and holder come from the package's /usr/share/doc/PACKAGE/copyright
# (the last Files: stanza that matches, as that format says); where the package
# also ships the picture's own credits (a wallpaper's metadata, a puzzle's
# .desktop file, an SVG's Dublin Core creator) they name the artist.
set -euo pipefail
cd "$(dirname "$0")"

# KIND | PACKAGE | FILE
pictures=(
    "photograph|mate-backgrounds|/usr/share/backgrounds/mate/nature/LadyBird.jpg"
    "photograph|mate-backgrounds|/usr/share/backgrounds/mate/nature/Garden.jpg"
    "photograph|palapeli-data|/usr/share/palapeli/collection/castle-maintenon.jpg"
    "photograph|palapeli-data|/usr/share/palapeli/collection/european-honey-bee.jpg"
    "painting|mate-backgrounds|/usr/share/backgrounds/mate/abstract/Elephants.jpg"
    "painting|plasma-workspace-wallpapers|/usr/share/wallpapers/SafeLanding/contents/images/5120x2880.jpg"
    "painting|plasma-workspace-wallpapers|/usr/share/wallpapers/Autumn/contents/images/2560x1600.jpg"
    "clip art|openclipart-svg|/usr/share/openclipart/svg/food/desserts/birthday_cake.svg"
    "clip art|openclipart-svg|/usr/share/openclipart/svg/animals/bugs/farfalla_butterfly_fra1.svg"
    "clip art|openclipart-svg|/usr/share/openclipart/svg/people/fire_engine_mimooh_01.svg"
)

install_packages() {
    local missing=()
    for entry in "${pictures[@]}"; do
        IFS='|' read -r _ package _ <<<"$entry"
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            [[ " ${missing[*]-} " == *" $package "* ]] || missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}" >&2
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# "HOLDER|LICENCE" of the last Files: stanza whose pattern matches the file's
# path (patterns are relative to the source tree, so they match its tail).
copyright_of() {
    local file=$1 copyright=$2
    awk -v file="$file" '
        function flush() {
            if (patterns != "" && licence != "") {
                n = split(patterns, p, " ")
                for (i = 1; i <= n; ++i) {
                    glob = p[i]; gsub(/\./, "\\.", glob); gsub(/\*/, ".*", glob); gsub(/\?/, ".", glob)
                    if (p[i] == "*" || file ~ ("/" glob "$")) { holder = copy; found = licence }
                }
            }
            patterns = ""; copy = ""; licence = ""; field = ""
        }
        /^$/ { flush(); next }
        /^Files:/ { patterns = substr($0, 7); field = "files"; next }
        /^Copyright:/ { copy = substr($0, 11); field = "copyright"; next }
        /^License:/ { licence = $2; field = ""; next }
        /^[A-Za-z-]+:/ { field = ""; next }
        /^[ \t]/ { if (field == "files") patterns = patterns " " $0; else if (field == "copyright") copy = copy ";" $0 }
        END {
            flush()
            gsub(/[ \t]+/, " ", holder); gsub(/^ +| +$/, "", holder); gsub(/ *; */, "; ", holder)
            print holder "|" found
        }' "$copyright"
}

# The artist and licence the package gives the picture itself, if any.
own_credits() {
    local file=$1 metadata
    case "$file" in
        /usr/share/wallpapers/*)
            metadata="${file%%/contents/*}/metadata"
            if [ -f "$metadata.desktop" ]; then
                sed -n 's/^X-KDE-PluginInfo-Author=//p; s/^X-KDE-PluginInfo-License=//p' "$metadata.desktop" | paste -sd'|'
            elif [ -f "$metadata.json" ]; then
                printf '%s|%s\n' "$(grep -m1 '"Name"' "$metadata.json" | cut -d'"' -f4)" \
                    "$(grep -m1 '"License"' "$metadata.json" | cut -d'"' -f4)"
            fi ;;
        /usr/share/palapeli/*)
            sed -n 's/^X-KDE-PluginInfo-Author=//p; s/^X-KDE-PluginInfo-License=//p' "${file%.*}.desktop" | paste -sd'|' ;;
        *.svg)
            printf '%s|%s\n' "$(grep -A2 '<dc:creator>' "$file" | sed -n 's/.*<dc:title>\(.*\)<\/dc:title>.*/\1/p' | head -1)" \
                "public domain" ;;
    esac
}

install_packages
{
    echo "# The maker's benchmark pictures (bench/maker/pictures.sh writes this file)."
    echo "# KIND | FILE | PACKAGE | AUTHOR | LICENCE (from the package's copyright file; the picture's own credits after 'picture:')"
    for entry in "${pictures[@]}"; do
        IFS='|' read -r kind package file <<<"$entry"
        [ -f "$file" ] || { echo "pictures.sh: $file is missing from $package" >&2; exit 1; }
        copyright="/usr/share/doc/$package/copyright"
        IFS='|' read -r holder licence <<<"$(copyright_of "$file" "$copyright")"
        holder="${holder//´/}"
        if [ -z "$licence" ] && grep -qi "public domain dedication" "$copyright"; then
            licence="public domain (Creative Commons dedication)"  # an older, free-form copyright file
        fi
        IFS='|' read -r artist artistLicence <<<"$(own_credits "$file")"
        if [ -n "$artist" ]; then
            author="$artist"
            licence="$licence; picture: ${artistLicence:-unstated}"
        else
            author="$holder"
        fi
        echo "$kind | $file | $package | $author | $licence"
    done
} >pictures.txt
cat pictures.txt
