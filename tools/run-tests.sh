#!/usr/bin/env bash
# Builds and runs every test: the unit and smoke tests and a soak, every
# target and the unit tests again in a Release build, the unit tests, one run
# of the real game and a shorter soak again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and every fuzzer for MD4_FUZZ_SECONDS (default
# 60) each. Every build treats warnings as errors. Installs what it needs
# first. Exits non-zero when anything fails.
#
# The soak plays the game headless with random keys from MD4_SOAK_SEED (a
# fixed seed unless set), every surface declared lost every few thousand
# frames; it fails on a crash, a leak (under the sanitizers), a stuck loop,
# an error box, or resident memory growing by more than 5 % after its warm-up.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/packages.sh"
ensure_packages "${TEST_PACKAGES[@]}" || exit 1

jobs=$(nproc)
fuzz_seconds=${MD4_FUZZ_SECONDS:-60}
soak_seed=${MD4_SOAK_SEED:-19}
failed=()

step() { echo; echo "=== $*"; }

# soak BUILD FRAMES: both programs of the build; the log in BUILD/soak-*.log.
soak() {
    local build=$1 frames=$2 program log
    for program in run-headless run-headless-windowed; do
        log="$build/soak-$program.log"
        echo "--- $program, seed $soak_seed, $frames frames"
        # A stuck loop ends itself; the timeout only guards against a hang.
        if timeout 600 "$build/tools/$program" --seed "$soak_seed" --soak "$frames" >"$log" 2>&1; then
            tail -n 3 "$log"
        else
            tail -n 30 "$log"
            failed+=("soak $program ($build)")
        fi
    done
}

step "build and test (build/)"
if cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMD4_WERROR=ON &&
    ninja -C "$root/build"; then
    # Smoke tests are marked to run alone; the rest share the cores.
    ctest --test-dir "$root/build" -j"$jobs" --output-on-failure || failed+=("tests")
    step "soak (build/)"
    soak "$root/build" "${MD4_SOAK_FRAMES:-300000}"
else
    failed+=("build")
fi

step "Release build with GCC, unit tests (build-release/)"
if CC=gcc CXX=g++ cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMD4_WERROR=ON &&
    ninja -C "$root/build-release"; then
    ctest --test-dir "$root/build-release" -j"$jobs" --output-on-failure -E '^smoke\.' || failed+=("Release tests")
else
    failed+=("Release build")
fi

step "sanitizer build, unit tests and one run of the game (build-asan/)"
# Leaks that lie wholly inside system libraries are not ours to mend: the
# file names them, so that a leak of our own still fails the run.
# Slow unwinding lets the stacks reach the libraries' own function names.
export LSAN_OPTIONS="suppressions=$root/tools/lsan-suppressions.txt:print_suppressions=0:fast_unwind_on_malloc=0"
if cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DMD4_WERROR=ON -DMD4_SANITIZE=ON -DMD4_BENCH=OFF &&
    ninja -C "$root/build-asan"; then
    ctest --test-dir "$root/build-asan" -j"$jobs" --output-on-failure -E '^smoke\.' || failed+=("sanitizer tests")
    ctest --test-dir "$root/build-asan" --output-on-failure -R '^smoke\.sanitized_game$' ||
        failed+=("sanitizer run of the game")
    step "soak under the sanitizers (build-asan/)"
    soak "$root/build-asan" "${MD4_SOAK_ASAN_FRAMES:-50000}"
else
    failed+=("sanitizer build")
fi

step "fuzzers, ${fuzz_seconds} s each (build-fuzz/)"
if CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DMD4_WERROR=ON -DMD4_FUZZ=ON -DMD4_TESTS=OFF -DMD4_BENCH=OFF &&
    ninja -C "$root/build-fuzz"; then
    mkdir -p "$root/build-fuzz/crashes"
    while IFS= read -r fuzzer; do
        name=$(basename "$fuzzer")
        name=${name#fuzz_}
        # New inputs go to a scratch folder; the checked-in seeds are only read.
        work=$(mktemp -d)
        seeds=()
        [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
        echo "--- $name"
        "$fuzzer" -max_total_time="$fuzz_seconds" -print_final_stats=1 \
            -artifact_prefix="$root/build-fuzz/crashes/$name-" "$work" "${seeds[@]}" || failed+=("fuzzer $name")
        rm -rf "$work"
    done < <(find "$root/build-fuzz/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
else
    failed+=("fuzz build")
fi

echo
if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All tests passed."
