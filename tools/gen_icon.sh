#!/usr/bin/env bash
# Draws the program icon: a braille cell with dots 1, 2, 4 and 5 raised on a
# dark blue square, in the sizes Windows asks for. Needs ImageMagick.
set -euo pipefail
out=${1:-$(dirname "$0")/../src/app/Korvalin.ico}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 32 48 256; do
    r=$((size / 10)); x1=$((size * 35 / 100)); x2=$((size * 65 / 100))
    draw=()
    for row in 0 1 2; do
        y=$((size * (25 + row * 25) / 100))
        fill=white; [ "$row" -lt 2 ] || fill='#3a5a8c'
        for x in $x1 $x2; do draw+=(-fill "$fill" -draw "circle $x,$y $((x + r)),$y"); done
    done
    convert -size "${size}x${size}" 'xc:#1f3b70' "${draw[@]}" "$work/$size.png"
done
convert "$work/16.png" "$work/32.png" "$work/48.png" "$work/256.png" "$out"
