#!/usr/bin/env bash
# A paused game presents nothing, yet the window system asks it to paint
# what another window uncovered (no compositor keeps it): the windowed game
# is paused in stage 1, a window is mapped over it and taken away, and the
# screen must be as it was before.
# Arguments: game, game-windowed, artifacts folder.
windowed=$2
artifacts=$3
mkdir -p "$artifacts"
rm -f "$artifacts"/paused-repaint*  # this test's pictures and logs of an earlier run
. "$(dirname "$0")/lib/session.sh"
command -v xmessage >/dev/null || fail "xmessage is not installed (x11-utils)"

start_display
start_program "$windowed" paused-repaint
wait_for_window
sleep 3
check_no_error_box paused-repaint
press Return
press F1
press S
screenshot paused-repaint-before

eval "$(xdotool getwindowgeometry --shell "$window_id")"
xmessage -geometry "$((WIDTH - 40))x$((HEIGHT - 40))+$((X + 20))+$((Y + 20))" -bg white -fg black \
    "a window over the game" &
cover_pid=$!
xdotool search --sync --onlyvisible --classname xmessage >/dev/null
sleep 1
screenshot paused-repaint-covered
kill "$cover_pid"
wait "$cover_pid" 2>/dev/null
sleep 1
screenshot paused-repaint-after
check_no_error_box paused-repaint

pictures_differ paused-repaint-before paused-repaint-covered || fail "the other window did not cover the game"
pictures_differ paused-repaint-before paused-repaint-after && fail "the uncovered game was not painted again"

xdotool key --window "$window_id" Escape
wait_exit 10
[ "$program_status" -eq 0 ] || fail "exit status $program_status after Escape"
echo PASS
