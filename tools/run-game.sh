#!/usr/bin/env bash
# Builds the game and starts it: full screen, or with --windowed the
# windowed build. With --headless it builds and starts the headless run
# tool instead, handing it every argument after --headless (--help lists
# them). Installs what the build needs first (not what the tests need).
#
#   tools/run-game.sh [--windowed]
#   tools/run-game.sh --headless [run-headless arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/packages.sh"
ensure_packages "${GAME_PACKAGES[@]}"

program=game
case "${1:-}" in
  --windowed) program=game-windowed ;;
  --headless) program=tools/run-headless; shift ;;
  "") ;;
  *) echo "usage: $0 [--windowed | --headless [run-headless arguments...]]" >&2; exit 2 ;;
esac

# A build of its own without tests and benchmarks (build-play/), so that it
# needs neither GoogleTest nor Google Benchmark and leaves the test build's
# settings in build/ alone.
cmake -S "$root" -B "$root/build-play" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMD4_TESTS=OFF -DMD4_BENCH=OFF
ninja -C "$root/build-play" "${program#tools/}"

if [ "$program" = tools/run-headless ]; then
  exec "$root/build-play/$program" "$@"
fi
exec "$root/build-play/$program"
