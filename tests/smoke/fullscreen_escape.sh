#!/usr/bin/env bash
# The full-screen game in a virtual display: its window covers the desktop,
# a second copy gives way to it, a player goes from the title through ship
# select into a run, and Escape ends it cleanly.
# Arguments: game, game-windowed, artifacts folder.
game=$1
artifacts=$3
mkdir -p "$artifacts"
rm -f "$artifacts"/fullscreen*  # this test's pictures and logs of an earlier run
. "$(dirname "$0")/lib/session.sh"

start_display
start_program "$game" fullscreen
wait_for_window
eval "$(xdotool getwindowgeometry --shell "$window_id")"
[ "$WIDTH" -eq 1280 ] && [ "$HEIGHT" -eq 720 ] || fail "window is ${WIDTH}x${HEIGHT}, not the desktop's 1280x720"

sleep 3
check_no_error_box fullscreen
screenshot fullscreen-opening
echo "brightness $(brightness fullscreen-opening)"

# A second copy finds the first, asks it to come forward and ends at once.
SDL_AUDIODRIVER=dummy timeout 10 "$game" >"$artifacts/fullscreen-second-copy.log" 2>&1
second=$?
[ "$second" -eq 0 ] || fail "second copy ended with status $second"
grep -q "another copy of the game is running for this user" "$artifacts/fullscreen-second-copy.log" ||
    fail "the second copy did not say why it ended: $(cat "$artifacts/fullscreen-second-copy.log")"
kill -0 "$program_pid" 2>/dev/null || fail "the first copy ended when the second started"
[ "$(xdotool search --onlyvisible --name "$window_title" | wc -l)" -eq 1 ] || fail "the second copy opened a window"

[ "$(brightness fullscreen-opening)" != "0" ] || fail "the title screen is black"
press Return
check_no_error_box fullscreen
screenshot fullscreen-after-enter
pictures_differ fullscreen-opening fullscreen-after-enter || fail "Enter left the title on the screen"

# Ship select: a still picture over the flying preview. F1 starts a run, and
# the still picture gives way.
sleep 1
screenshot fullscreen-ship-select-later
press F1
check_no_error_box fullscreen
screenshot fullscreen-run
changed=$(still_part_changed fullscreen-after-enter fullscreen-ship-select-later fullscreen-run)
echo "share of the ship-select picture changed by F1: $changed"
awk -v share="$changed" 'BEGIN { exit !(share >= 0.01) }' || fail "F1 left the ship-select screen up"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended in the run"

xdotool key Escape
wait_exit 10
[ "$program_status" -eq 0 ] || fail "exit status $program_status after Escape"
echo PASS
