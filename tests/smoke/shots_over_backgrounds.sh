#!/usr/bin/env bash
# Keeps a picture for anyone to look at: every enemy and boss shot of the
# built-in set drawn over each stage's background (stages 1, 2, 3 from left
# to right), as shots-over-backgrounds.png among the smoke artifacts. The
# sheet is made by the tools' shots_over_backgrounds, built beside the game.
# Arguments: game, game-windowed, artifacts folder.
set -u
game=$1
artifacts=$3
mkdir -p "$artifacts"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

tool="$(dirname "$game")/tools/shots_over_backgrounds"
[ -x "$tool" ] || fail "$tool is not built"
command -v convert >/dev/null || fail "convert is not installed (imagemagick)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$tool" "$work/sheet.bmp" || fail "the sheet was not made"
rm -f "$artifacts/shots-over-backgrounds.png"
convert "$work/sheet.bmp" "$artifacts/shots-over-backgrounds.png" || fail "the sheet could not be converted"
size=$(identify -format '%wx%h' "$artifacts/shots-over-backgrounds.png") || fail "the picture cannot be read"
echo "shots-over-backgrounds.png: $size"
echo PASS
