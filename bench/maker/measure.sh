#!/usr/bin/env bash
# Makes a pattern of every picture in pictures.txt at 16 colours and 100
# pieces, each read at 1024 pixels on its long side, and prints what `make`
# reports (time, processor time, peak memory, mean CIE76, mean and
# 95th-percentile CIEDE2000)
# beside the figures of the well-known open-source generator we measure
# against, on one core here: 8 to 26 s and 160 to 440 MiB a picture, mean
# CIE76 9.6 for a photograph, 13.0 for a painting and 4.9 for clip art.
#
# usage: bench/maker/measure.sh [BUILD_FOLDER]   (build/ by default)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
tool="$(cd "${1:-$root/build}" && pwd)/tools/vellumar-pattern/vellumar-pattern"
list="$root/bench/maker/pictures.txt"
[ -x "$tool" ] || { echo "measure.sh: build vellumar-pattern first ($tool)" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

trim() {
    local text="${1#"${1%%[![:space:]]*}"}"
    echo "${text%"${text##*[![:space:]]}"}"
}

anchor_cie76() {
    case "$1" in photograph) echo 9.6 ;; painting) echo 13.0 ;; *) echo 4.9 ;; esac
}

printf '%-10s %-24s %6s %7s %7s %6s %8s %7s %7s %6s %12s\n' KIND PICTURE PIECES COLOURS "TIME s" "CPU s" "PEAK MiB" \
    CIE76 DE2000 P95 "ANCHOR CIE76"
n=0
while IFS='|' read -r kind file _; do
    kind="$(trim "$kind")"
    file="$(trim "$file")"
    [[ -z "$kind" || "$kind" == \#* ]] && continue
    out="$work/$n.mza"
    n=$((n + 1))
    if ! report="$("$tool" make "$file" -o "$out" --colours 16 --pieces 100 --max-size 1024 2>"$work/err")"; then
        echo "measure.sh: $file: $(cat "$work/err")" >&2
        continue
    fi
    pieces=$(sed -n 's/.*: \([0-9]*\) pieces, \([0-9]*\) colours.*/\1/p' <<<"$report")
    colours=$(sed -n 's/.*: \([0-9]*\) pieces, \([0-9]*\) colours.*/\2/p' <<<"$report")
    read -r de p95 cie76 < <(sed -n 's/.*CIEDE2000 mean \([0-9.]*\), 95th percentile \([0-9.]*\); CIE76 mean \([0-9.]*\).*/\1 \2 \3/p' <<<"$report")
    read -r seconds cpu peak < <(sed -n 's/.*made in \([0-9.]*\) s .*processor time \([0-9.]*\) s), peak memory \([0-9]*\) MiB.*/\1 \2 \3/p' <<<"$report")
    steps=$(sed -n 's/.*made in [0-9.]* s (\(.*\); processor.*/\1/p' <<<"$report")
    name="$(basename "$file")"
    [[ "$file" != */wallpapers/*/contents/* ]] || name="$(basename "${file%%/contents/*}")"
    printf '%-10s %-24s %6s %7s %7s %6s %8s %7s %7s %6s %12s\n' "$kind" "$(cut -c1-24 <<<"$name")" \
        "$pieces" "$colours" "$seconds" "$cpu" "$peak" "$cie76" "$de" "$p95" "$(anchor_cie76 "$kind")"
    broken=$(grep -c ': check: ' "$work/err" || true)
    echo "           $steps; $broken rules of check broken"
    echo "$kind|$cie76" >>"$work/cie76"
done <"$list"
echo
echo "Mean CIE76 by kind, beside the anchor's (lower is closer to the picture):"
for kind in photograph painting "clip art"; do
    mean=$(awk -F'|' -v kind="$kind" '$1 == kind { s += $2; n++ } END { if (n) printf "%.2f", s / n }' "$work/cie76")
    [ -z "$mean" ] || printf '  %-10s %6s   anchor %5s\n' "$kind" "$mean" "$(anchor_cie76 "$kind")"
done
echo "The anchor takes 8 to 26 s and 160 to 440 MiB a picture; the goal is under 0.5 s and 100 MiB."
