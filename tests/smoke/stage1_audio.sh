#!/usr/bin/env bash
# What a player hears in stage 1: the real game records its sound through
# SDL's disk driver while a run starts (Enter, F1) and the fire key is held
# for 20 s. No sample of the mix may reach full scale: loud moments are bent
# under it, never cut flat. The table of levels, second by second, is kept.
# Arguments: game, game-windowed, artifacts folder.
windowed=$2
artifacts=$3
mkdir -p "$artifacts"
set -u
command -v python3 >/dev/null || { echo "FAIL: python3 is not installed" >&2; exit 1; }
table="$artifacts/stage1-audio.txt"
python3 "$(dirname "$0")/../../bench/record_audio.py" --seconds 30 --keys "1:press:Return 3:press:F1 9:down:shift" \
    --reference 4:9 --measure 10:30 --log "$artifacts/stage1-audio.log" "$windowed" >"$table" 2>&1 \
    || { cat "$table" >&2; echo "FAIL: the recording did not finish" >&2; exit 1; }
cat "$table"
total=$(awk '/^full_scale_total/ {print $2}' "$table")
[ "$total" = "0" ] || { echo "FAIL: ${total:-no count of} samples at full scale" >&2; exit 1; }
echo PASS
