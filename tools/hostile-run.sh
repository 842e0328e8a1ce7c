#!/usr/bin/env bash
# Runs the real game as a hostile neighbour and a constrained machine would
# meet it, and prints one table row per case: its exit status, whether it
# reached its first frame, and what it printed.
#
#   [MD4_GAME_LOCK=lock-file] tools/hostile-run.sh [game]   (as root; default build/game)
#
# It needs root: it makes a second Unix user (md4-neighbour) whose processes
# squat every name the single-instance lock could use, and runs the game as
# that user under process limits (root is exempt from them). Each run is
# unseen (SDL's dummy drivers), lasts a few seconds and is then asked to
# close (SIGTERM); 0 is a clean close, 1 a refusal with its line.
# The whole script holds the lock named by MD4_GAME_LOCK, if any.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
game=$(realpath "${1:-$root/build/game}")
seconds=${MD4_HOSTILE_SECONDS:-4}
neighbour=md4-neighbour

[ "$(id -u)" -eq 0 ] || { echo "run as root (it switches users and sets limits)" >&2; exit 2; }
[ -x "$game" ] || { echo "no game at $game" >&2; exit 2; }
id "$neighbour" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$neighbour"
uid=$(id -u "$neighbour")
work=$(mktemp -d /tmp/md4-hostile.XXXXXX)
chmod 1777 "$work"
trap 'kill ${squatter:-} ${swapper:-} 2>/dev/null; rm -rf "$work"' EXIT

# Where several people run the real game on one machine, they agree on a
# lock file that every run holds: name it in MD4_GAME_LOCK.
if [ -n "${MD4_GAME_LOCK:-}" ]; then
    exec 9>"$MD4_GAME_LOCK"
    flock 9
fi

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy MD4_STAMP_FIRST_PRESENT=1
unset XDG_RUNTIME_DIR

# The prefix that runs a command as the neighbour.
as_neighbour=(setpriv --reuid="$uid" --regid="$uid" --clear-groups env HOME="$work")
as_neighbour() { "${as_neighbour[@]}" "$@"; }

# run NAME WHO LIMITS [ENV...] -- runs the game (or $program) and prints its row.
program=$game
run() {
    local name=$1 who=$2 limits=$3
    shift 3
    local log="$work/$name.log" status
    # The timer runs outside the limits (as root), so that a limit of one
    # process leaves the game its one.
    # (The program is the shell's $0, so that no character of its path is
    # read as shell syntax.)
    local command=(env "$@" bash -c "$limits; exec \"\$0\"" "$program")
    [ "$who" = neighbour ] && command=("${as_neighbour[@]}" "${command[@]}")
    timeout -k 3 --preserve-status -s TERM "$seconds" "${command[@]}" >"$log" 2>&1 9>&-
    status=$?
    local frame=no
    grep -q '^first-present' "$log" && frame=yes
    local said
    said=$(grep -v '^first-present' "$log" | head -n 6 | sed "s|$work|<tmp>|g; s/|/\\\\|/g" | paste -sd '~' |
        sed 's/~/ <br> /g')
    printf '| %s | %s | %s | %s | %s | %s |\n' "$name" "$who $limits" "$status" "$frame" \
        "$(grep -vc '^first-present' "$log")" "${said:-(nothing)}"
}

echo "| case | user, limits | status | first frame | lines | what it printed (first lines) |"
echo "|--|--|--|--|--|--|"
run plain root ":"
run plain-neighbour neighbour ":"

# Address space, from 400 MB up.
for kb in 400000 500000 600000 700000 800000 1000000; do
    for try in 1 2 3; do run "as-$kb-$try" neighbour "ulimit -v $kb"; done
done
# Processes and threads of the user, from 1 up.
for n in 1 2 3 4 6 8 10 11 12 16 24; do
    run "nproc-$n" neighbour "ulimit -u $n"
done
# File descriptors, from 8 up (and below, for the line it says).
for n in 5 6 8 10 12 16 24 32; do
    run "files-$n" neighbour "ulimit -n $n"
done
# Hostile OpenMP settings.
run omp-threads neighbour ":" OMP_NUM_THREADS=100000
run omp-stack neighbour ":" OMP_STACKSIZE=64G
run omp-threads-nproc neighbour "ulimit -u 12" OMP_NUM_THREADS=100000
run omp-limits neighbour ":" OMP_THREAD_LIMIT=100000 OMP_DYNAMIC=false OMP_PROC_BIND=spread \
    OMP_PLACES=garbage OMP_WAIT_POLICY=active GOMP_SPINCOUNT=infinite OMP_MAX_ACTIVE_LEVELS=100000
run omp-negative neighbour ":" OMP_NUM_THREADS=-5 OMP_STACKSIZE=-1

# A neighbour squats every name of root's lock: the old abstract socket name,
# the lock folders in the temporary folder (its own, links to its own), and
# the runtime folder root's game is pointed at, which the neighbour owns.
squat="$work/squat"
export TMPDIR="$work/tmp"
mkdir -m 1777 "$TMPDIR"
as_neighbour mkdir -m 0700 "$squat"
# (Started directly, so that its number is the squatter's own; it does not
# keep the lock's descriptor.)
setpriv --reuid="$uid" --regid="$uid" --clear-groups /usr/bin/python3 -c "
import socket, time
s = socket.socket(socket.AF_UNIX)
s.bind('\0MIRVANE DELTA 4 ENCORE:EngMutex:0')
time.sleep(600)" 9>&- &
squatter=$!
for suffix in "" -1 -2 -3; do as_neighbour mkdir -m 0777 "$TMPDIR/mirvane-delta-4-0$suffix"; done
for suffix in -4 -5 -6; do as_neighbour ln -s "$squat" "$TMPDIR/mirvane-delta-4-0$suffix"; done
sleep 0.5
run squatted-root root ":" XDG_RUNTIME_DIR="$squat"
# Both users' games at once, then a second copy of root's, which raises the
# first and ends.
( as_neighbour env XDG_RUNTIME_DIR="$squat" timeout -s TERM --preserve-status $((seconds + 3)) "$game" \
    >"$work/neighbour-game.log" 2>&1; echo $? >"$work/neighbour-game.status" ) 9>&- &
neighbour_game=$!
( env XDG_RUNTIME_DIR="$squat" timeout -s TERM --preserve-status $((seconds + 3)) "$game" \
    >"$work/first-copy.log" 2>&1; echo $? >"$work/first-copy.status" ) 9>&- &
first_copy=$!
sleep 2
run second-copy root ":" XDG_RUNTIME_DIR="$squat"
wait "$neighbour_game" "$first_copy"
kill "$squatter"
for who in neighbour-game first-copy; do
    printf '| both-users: %s | at once, squatted | %s | %s | %s | %s |\n' "$who" "$(cat "$work/$who.status")" \
        "$(grep -q '^first-present' "$work/$who.log" && echo yes || echo no)" \
        "$(grep -vc '^first-present' "$work/$who.log")" "$(grep -v '^first-present' "$work/$who.log" | head -3 | paste -sd ' ')"
done
unset TMPDIR

# Things at asset paths beside a copy of the program that are no files.
program="$work/dir/game"
mkdir -p "$work/dir/IMAGE" "$work/dir/SOUND"
cp "$game" "$program"
mkfifo "$work/dir/SOUND/BOM.WAV"
mkdir "$work/dir/IMAGE/COIN1.BMP"
ln -s COIN2.BMP "$work/dir/IMAGE/COIN2.BMP"
printf 'BM broken' >"$work/dir/IMAGE/VAL402.BMP"
mknod "$work/dir/IMAGE/COINBK1.BMP" c 1 3 2>/dev/null || true
run not-files root ":"
run not-files-few-descriptors root "ulimit -n 12"
# A file swapped for a pipe and back while the game starts.
rm -rf "$work/dir/SOUND/BOM.WAV" "$work/dir/IMAGE"
cp "$root/tools/hostile-run.sh" "$work/dir/SOUND/PLAIN"
(
    while :; do
        mkfifo "$work/dir/SOUND/SHOT.FIFO" 2>/dev/null
        mv -f "$work/dir/SOUND/SHOT.FIFO" "$work/dir/SOUND/SHOT.WAV"
        cp "$work/dir/SOUND/PLAIN" "$work/dir/SOUND/SHOT.NEW" && mv -f "$work/dir/SOUND/SHOT.NEW" "$work/dir/SOUND/SHOT.WAV"
    done
) 9>&- &
swapper=$!
for i in 1 2 3 4 5 6; do run "swapped-$i" root ":"; done
kill "$swapper"
rm -rf "$work/dir/SOUND"

# A program folder too long for the asset names (the program's own path
# still fits).
deep="$work/deep"
while [ $(( ${#deep} + 251 )) -lt 4085 ]; do deep="$deep/$(printf '%0250d' 0)"; done
deep="$deep/$(printf '%0*d' $(( 4085 - ${#deep} - 2 )) 0)"
mkdir -p "$deep"
cp "$game" "$deep/game"
program="$deep/game"
run long-folder root ":"
