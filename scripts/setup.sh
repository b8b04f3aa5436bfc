# Shared set-up of the README commands: Debian packages, configure, build.
# Sourced by scripts/run and scripts/test; leaves ZELMAR_ROOT and ZELMAR_BUILD set. A caller
# that sets zelmar_targets (an array) before sourcing builds only those targets; one that sets
# zelmar_more_packages and zelmar_cmake_args (arrays) installs and configures with them too.

set -euo pipefail
ZELMAR_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ZELMAR_BUILD="${ZELMAR_BUILD:-$ZELMAR_ROOT/build}"

zelmar_packages=(qt6-base-dev qt6-serialport-dev qt6-charts-dev cmake ninja-build g++ xvfb xauth)
# lupdate and lrelease: the English translation is built from i18n/zelmar_en.ts.
zelmar_packages+=(qt6-l10n-tools qt6-tools-dev)
# objcopy: the Intel HEX files are checked against binutils' reading and writing of them.
zelmar_packages+=(binutils)
# zelmar-bridge talks MQTT through libmosquitto; its tests start a mosquitto broker of their own.
zelmar_packages+=(libmosquitto-dev pkg-config mosquitto)
zelmar_packages+=(${zelmar_more_packages[@]+"${zelmar_more_packages[@]}"})

zelmar_ensure_packages() {
    local missing=()
    local p
    for p in "${zelmar_packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "zelmar: installing ${missing[*]}" >&2
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "zelmar: need root (or sudo) to install ${missing[*]}" >&2; exit 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"
}

zelmar_build() {
    if [ ! -f "$ZELMAR_BUILD/build.ninja" ]; then
        # A compiler cache, where the machine has one, makes the second build of a tree cheap.
        local cache=()
        if command -v ccache >/dev/null; then
            cache=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        fi
        cmake -S "$ZELMAR_ROOT" -B "$ZELMAR_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            ${cache[@]+"${cache[@]}"} ${zelmar_cmake_args[@]+"${zelmar_cmake_args[@]}"}
    fi
    local targets=()
    local t
    for t in ${zelmar_targets[@]+"${zelmar_targets[@]}"}; do targets+=(--target "$t"); done
    cmake --build "$ZELMAR_BUILD" -j "$(nproc)" "${targets[@]}"
}

# The Debian package is built and checked by scripts/package and the package tests.
zelmar_packages+=(dpkg-dev file lintian desktop-file-utils appstream)

zelmar_ensure_packages
zelmar_build
