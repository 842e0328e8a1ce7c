# Installs the Debian packages given as arguments when any is missing.
# Sourced by the set-up scripts.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# What the game needs to build and run.
GAME_PACKAGES=(
    cmake ninja-build g++ pkg-config
    libsdl2-dev libsdl2-ttf-dev libfluidsynth-dev libfontconfig-dev
    fonts-ipafont-mincho fonts-ipafont-gothic fonts-dejavu-core fonts-dejavu-extra timgm6mb-soundfont
)
# And what the tests need on top: GoogleTest and Google Benchmark, a virtual
# display to start the game in, clang with its runtime for the fuzzers, and
# Python for the recorder of the game's sound.
TEST_PACKAGES=(
    "${GAME_PACKAGES[@]}"
    googletest libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool x11-utils imagemagick python3
)
