# Shared by the scripts: installs what is missing and builds.
# shellcheck shell=bash

BRINDO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages the program, its tests and its tools need.
BRINDO_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    libdeflate-dev
    libgtest-dev
    fonts-dejavu-core
    xvfb openbox xdotool imagemagick # the window under a real X server
)

brindo_install() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
            missing+=("$package")
        fi
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [[ $(id -u) -ne 0 ]]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# brindo_build <build-dir> [extra cmake arguments...]
brindo_build() {
    local build_dir="$1"
    shift
    cmake -S "$BRINDO_ROOT" -B "$build_dir" -G Ninja "$@" >/dev/null
    cmake --build "$build_dir"
}
