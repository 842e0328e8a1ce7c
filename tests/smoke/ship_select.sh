#!/usr/bin/env bash
# A new player's first steps in the full-screen game: the title, Enter to the
# ship-select screen, F1 to start a run, Escape to leave. Each step must
# change the picture; the screenshots are kept.
# Arguments: game, game-windowed, artifacts folder.
game=$1
artifacts=$3
mkdir -p "$artifacts"
. "$(dirname "$0")/lib/session.sh"

# Succeeds when two screenshots differ in at least one pixel.
pictures_differ() {
    local changed
    changed=$(compare -metric AE "$artifacts/$1.png" "$artifacts/$2.png" null: 2>&1)
    [ "$changed" != "0" ]
}

# The share (0..1) of the screen that stood still between screenshots $1
# and $2 and differs in $3: the ship-select picture lies over a moving
# preview, so a changed still part shows that another screen took its place.
still_part_changed() {
    local a="$artifacts/$1.png" b="$artifacts/$2.png" c="$artifacts/$3.png"
    convert "$a" "$b" -compose difference -composite -colorspace Gray -threshold 0 -negate \
        \( "$b" "$c" -compose difference -composite -colorspace Gray -threshold 0 \) \
        -compose multiply -composite -format "%[fx:mean]" info:
}

# Presses a key in the game's window as a player does: held for a fifth of a
# second (a key released before the next frame is never seen), then a second
# of play.
press() {
    xdotool windowfocus "$window_id"
    xdotool keydown "$1"
    sleep 0.2
    xdotool keyup "$1"
    sleep 1
}

start_display
start_program "$game" ship-select
wait_for_window
sleep 3
check_no_error_box ship-select
screenshot ship-select-1-title
[ "$(brightness ship-select-1-title)" != "0" ] || fail "the title screen is black"

press Return
check_no_error_box ship-select
screenshot ship-select-2-choice
pictures_differ ship-select-1-title ship-select-2-choice || fail "Enter left the title on the screen"

sleep 1
screenshot ship-select-3-choice-later
press F1
check_no_error_box ship-select
screenshot ship-select-4-run
changed=$(still_part_changed ship-select-2-choice ship-select-3-choice-later ship-select-4-run)
echo "share of the still picture changed by F1: $changed"
awk -v share="$changed" 'BEGIN { exit !(share >= 0.01) }' || fail "F1 left the ship-select screen up"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended during the run"

xdotool key Escape
wait_exit 10
[ "$program_status" -eq 0 ] || fail "exit status $program_status after Escape"
echo PASS
