#!/usr/bin/env bash
# Start-up of the prize checker, whole process, offscreen: from exec to the
# window shown and painted (bench/prize/StartupProbe.cpp). Needs a build with
# -DVELTRIX_BUILD_BENCH=ON.
#   bench/prize/startup.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
BUILD=${1:-build}
cmake --build "$BUILD" -j2 --target veltrix-prize-startup-probe
FOLDER=$(mktemp -d)
trap 'rm -rf "$FOLDER"' EXIT
cd "$FOLDER"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$FOLDER hyperfine -N --warmup 3 --runs 30 \
    "$ROOT/$BUILD/bench/prize/veltrix-prize-startup-probe"
