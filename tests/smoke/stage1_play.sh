#!/usr/bin/env bash
# Stage 1 in a real window: a player starts a run with Enter and F1 and
# plays for about 20 s with the fire key held. Three screenshots along the
# way must differ (the ground scrolls, the enemies come, the shots fly).
# Arguments: game, game-windowed, artifacts folder.
game=$1
artifacts=$3
mkdir -p "$artifacts"
rm -f "$artifacts"/stage1-play*  # this test's pictures and logs of an earlier run
. "$(dirname "$0")/lib/session.sh"

start_display
start_program "$game" stage1-play
wait_for_window
sleep 3
check_no_error_box stage1-play
press Return
press F1
check_no_error_box stage1-play

xdotool windowfocus "$window_id"
xdotool keydown shift
sleep 4
screenshot stage1-play-early
sleep 7
screenshot stage1-play-middle
sleep 8
screenshot stage1-play-late
xdotool keyup shift
check_no_error_box stage1-play
kill -0 "$program_pid" 2>/dev/null || fail "the program ended in stage 1"

for pair in "early middle" "middle late" "early late"; do
    set -- $pair
    pictures_differ "stage1-play-$1" "stage1-play-$2" || fail "the screen at $1 and $2 is the same picture"
done
echo "brightness early $(brightness stage1-play-early), middle $(brightness stage1-play-middle), late $(brightness stage1-play-late)"
[ "$(brightness stage1-play-late)" != "0" ] || fail "stage 1 is black"

xdotool key Escape
wait_exit 10
[ "$program_status" -eq 0 ] || fail "exit status $program_status after Escape"
echo PASS
