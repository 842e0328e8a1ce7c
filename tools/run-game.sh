#!/usr/bin/env bash
# Builds the game and starts it: full screen, or with --windowed the
# windowed build. Installs what the build needs first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/packages.sh"
ensure_packages "${GAME_PACKAGES[@]}"

cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C "$root/build" game game-windowed

program=game
[ "${1:-}" = "--windowed" ] && program=game-windowed
exec "$root/build/$program"
