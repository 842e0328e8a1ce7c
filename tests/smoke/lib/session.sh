# Shared by the smoke tests: a virtual X display of its own, the game started
# on it, and helpers to wait, look and type. Source it; it cleans up on exit.
#
#   start_display            Xvfb on a free display; sets DISPLAY
#   start_program BIN NAME   runs BIN (log: $artifacts/NAME.log); sets program_pid
#   wait_for_window          sets window_id to the game's mapped window
#   check_no_error_box NAME  fails when NAME.log holds an error box
#   screenshot NAME          $artifacts/NAME.png of the whole display
#   press KEY                holds KEY in the game's window as a player does
#   pictures_differ A B      succeeds when screenshots A and B differ
#   still_part_changed A B C share of the screen still from A to B that C changes
#   wait_exit SECONDS        waits for the program; sets program_status
#   fail MESSAGE             reports and exits 1

set -u

window_title="MIRVANE DELTA 4 ENCORE"
session_dir=$(mktemp -d)
xvfb_pid=""
program_pid=""
last_started_pid=""
program_status=""
window_id=""

cleanup_session() {
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        kill -TERM "$program_pid" 2>/dev/null
        sleep 1
        kill -KILL "$program_pid" 2>/dev/null
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$session_dir"
}
trap cleanup_session EXIT
trap 'exit 1' INT TERM

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (xvfb, xdotool, imagemagick)"
done

start_display() {
    # Xvfb picks a free display itself and writes its number when ready; its
    # audit log names the processes that connect.
    Xvfb -displayfd 3 -audit 1 -screen 0 1280x720x24 -nolisten tcp 3>"$session_dir/display" 2>"$session_dir/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$session_dir/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$session_dir/xvfb.log")"
        sleep 0.1
    done
    [ -s "$session_dir/display" ] || fail "Xvfb gave no display"
    DISPLAY=":$(head -n 1 "$session_dir/display")"
    export DISPLAY
    echo "display $DISPLAY"
}

# The single-instance lock of a copy this user already runs.
other_copy_running() {
    grep -q "@$window_title:EngMutex:$(id -u)\$" /proc/net/unix 2>/dev/null
}

start_program() {
    other_copy_running && fail "another copy of the game is running; close it and run again"
    SDL_AUDIODRIVER=dummy "$1" >"$artifacts/$2.log" 2>&1 &
    program_pid=$!
    last_started_pid=$program_pid
}

# Sets window_id once the program's window is mapped. A program that ends
# without ever connecting to the display has no window to show in this
# build (its main loop is not there yet): the test is skipped, loudly.
wait_for_window() {
    window_id=""
    for _ in $(seq 200); do
        window_id=$(xdotool search --onlyvisible --name "$window_title" 2>/dev/null | head -n 1)
        [ -n "$window_id" ] && return 0
        if ! kill -0 "$program_pid" 2>/dev/null; then
            wait "$program_pid"
            local status=$?
            program_pid=""
            if [ "$status" -eq 0 ] && ! grep -q "pid=$last_started_pid )" "$session_dir/xvfb.log"; then
                echo "SKIP: the program ended at once without opening the display (no main loop in this build)"
                exit 0
            fi
            fail "the program ended with status $status before showing its window"
        fi
        sleep 0.1
    done
    fail "no window titled \"$window_title\" appeared in 20 s"
}

# Fails when the program has reported an error (its boxes go to the log too).
check_no_error_box() {
    if grep -q "エラー発生" "$artifacts/$1.log"; then
        screenshot "$1-error"
        fail "the program reported: $(grep -m 3 "エラー発生" "$artifacts/$1.log" | tr '\n' ' ')"
    fi
}

screenshot() {
    import -window root "$artifacts/$1.png" || fail "screenshot $1 failed"
    echo "screenshot $artifacts/$1.png"
}

# Prints the mean brightness (0..1) of a screenshot.
brightness() {
    convert "$artifacts/$1.png" -colorspace Gray -format "%[fx:mean]" info:
}

# Holds a key for a fifth of a second, as a player does (a key released
# before the next frame is never seen by the game), then lets a second of
# play pass.
press() {
    xdotool windowfocus "$window_id"
    xdotool keydown "$1"
    sleep 0.2
    xdotool keyup "$1"
    sleep 1
}

pictures_differ() {
    local changed
    changed=$(compare -metric AE "$artifacts/$1.png" "$artifacts/$2.png" null: 2>&1)
    [ "$changed" != "0" ]
}

# The share (0..1) of the screen that stood still between screenshots $1 and
# $2 and differs in $3. A screen with a still picture over moving parts has
# given way to another when much of its still part changes.
still_part_changed() {
    local a="$artifacts/$1.png" b="$artifacts/$2.png" c="$artifacts/$3.png"
    convert "$a" "$b" -compose difference -composite -colorspace Gray -threshold 0 -negate \
        \( "$b" "$c" -compose difference -composite -colorspace Gray -threshold 0 \) \
        -compose multiply -composite -format "%[fx:mean]" info:
}

wait_exit() {
    local tenths=$(($1 * 10))
    for _ in $(seq "$tenths"); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$program_pid" 2>/dev/null && fail "the program is still running after $1 s"
    wait "$program_pid"
    program_status=$?
    program_pid=""
}
