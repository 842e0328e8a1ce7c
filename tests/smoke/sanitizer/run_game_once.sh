#!/usr/bin/env bash
# The game built with AddressSanitizer and UndefinedBehaviorSanitizer, run
# once as a player would: title, ship select, a few seconds of play, Escape.
# Any report of the sanitizers (a leak of ours included) fails it.
# Arguments: game (the sanitizer build), artifacts folder.
game=$1
artifacts=$2
mkdir -p "$artifacts"
rm -f "$artifacts"/sanitized*
. "$(dirname "$0")/../lib/session.sh"

start_display
start_program "$game" sanitized
wait_for_window
sleep 5  # the sanitizer build starts slower
check_no_error_box sanitized
press Return
press F1
sleep 3
screenshot sanitized-run
kill -0 "$program_pid" 2>/dev/null || fail "the program ended in the run: $(tail -n 20 "$artifacts/sanitized.log")"
xdotool key Escape
wait_exit 30
if grep -q "Sanitizer" "$artifacts/sanitized.log"; then
    fail "the sanitizers reported: $(grep -m 5 -A 12 "ERROR: \|runtime error" "$artifacts/sanitized.log")"
fi
[ "$program_status" -eq 0 ] || fail "exit status $program_status after Escape: $(tail -n 20 "$artifacts/sanitized.log")"
echo PASS
