#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (only those that
# are missing), then configures and builds the programs into build/.
#
#   scripts/setup.sh            packages + release build (build/)
#   scripts/setup.sh --deps     packages only
#
# Environment: BUILD_DIR (default build), JOBS (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
    cmake ninja-build g++ pkg-config clang libclang-rt-14-dev clang-format
    qt6-base-dev libgl-dev libsqlite3-dev libcurl4-openssl-dev
    libgtest-dev libbenchmark-dev libcpp-httplib-dev nlohmann-json3-dev libpugixml-dev
    fonts-wqy-zenhei fonts-arphic-uming sqlite3 hyperfine
    xvfb xauth imagemagick xdotool xdg-utils ca-certificates libssl-dev openbox x11-utils
    desktop-file-utils appstream lintian dpkg-dev file
)

install_packages() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "setup: installing ${missing[*]}" >&2
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if sudo -n true 2>/dev/null; then
            sudo=(sudo -n)
        else
            echo "setup: need root or password-less sudo to install: ${missing[*]}" >&2
            exit 1
        fi
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q </dev/null
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
}

install_packages
[ "${1:-}" = "--deps" ] && exit 0

BUILD_DIR=${BUILD_DIR:-build}
JOBS=${JOBS:-$(nproc)}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$BUILD_DIR" -j "$JOBS"
