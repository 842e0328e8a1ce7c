#!/usr/bin/env bash
# The windowed game in a virtual display: a centred 360x600 window that
# closes cleanly when the system asks it to (as its close button does).
# Arguments: game, game-windowed, artifacts folder.
windowed=$2
artifacts=$3
mkdir -p "$artifacts"
rm -f "$artifacts"/windowed*  # this test's pictures and logs of an earlier run
. "$(dirname "$0")/lib/session.sh"

start_display
start_program "$windowed" windowed
wait_for_window
eval "$(xdotool getwindowgeometry --shell "$window_id")"
[ "$WIDTH" -eq 360 ] && [ "$HEIGHT" -eq 600 ] || fail "window is ${WIDTH}x${HEIGHT}, not 360x600"
[ "$X" -eq 460 ] && [ "$Y" -eq 60 ] || fail "window at $X,$Y is not centred (460,60)"

sleep 3
check_no_error_box windowed
screenshot windowed-opening
echo "brightness $(brightness windowed-opening)"

# A termination request arrives as the window's close message.
kill -TERM "$program_pid"
wait_exit 10
[ "$program_status" -eq 0 ] || fail "exit status $program_status after the close request"
echo PASS
