#!/usr/bin/env bash
# Without a usable display the game says why and ends with a failure status
# instead of running unseen: DISPLAY unset, then a display nobody serves.
# Arguments: game, game-windowed, artifacts folder.
game=$1
artifacts=$3
mkdir -p "$artifacts"
set -u

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

run_without_display() {  # NAME DISPLAY-VALUE (empty: unset)
    local log="$artifacts/no-display-$1.log"
    if [ -z "$2" ]; then
        env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy timeout 20 "$game" >"$log" 2>&1
    else
        env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY="$2" SDL_AUDIODRIVER=dummy timeout 20 "$game" >"$log" 2>&1
    fi
    local status=$?
    [ "$status" -ne 124 ] || fail "$1: the game ran on unseen"
    [ "$status" -ne 0 ] || fail "$1: the game ended with status 0"
    grep -q "no usable display" "$log" || fail "$1: the game did not say why: $(cat "$log")"
    echo "$1: status $status, $(grep -m 1 "no usable display" "$log")"
}

run_without_display unset ""
# A display number nobody serves (skipped should one be there after all).
[ -e /tmp/.X11-unix/X87 ] || run_without_display dead ":87"
echo PASS
