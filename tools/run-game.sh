#!/usr/bin/env bash
# Builds the game and starts it: full screen, or with --windowed the
# windowed build. Installs what the build needs first (not what the tests
# need).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/packages.sh"
ensure_packages "${GAME_PACKAGES[@]}"

# A build of its own without tests and benchmarks (build-play/), so that it
# needs neither GoogleTest nor Google Benchmark and leaves the test build's
# settings in build/ alone.
cmake -S "$root" -B "$root/build-play" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMD4_TESTS=OFF -DMD4_BENCH=OFF
ninja -C "$root/build-play" game game-windowed

program=game
[ "${1:-}" = "--windowed" ] && program=game-windowed
exec "$root/build-play/$program"
