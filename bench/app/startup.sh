#!/usr/bin/env bash
# Start-up of the window, whole process, offscreen: from exec to the window
# shown and painted (bench/app/StartupProbe.cpp), in a folder with a draw
# database and the sample settings. Needs a build with -DVELTRIX_BUILD_BENCH=ON.
#   bench/app/startup.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
BUILD=${1:-build}
cmake --build "$BUILD" -j2 --target veltrix-startup-probe veltrix-cli
FOLDER=$(mktemp -d)
trap 'rm -rf "$FOLDER"' EXIT
"$ROOT/$BUILD/src/cli/veltrix-cli" initdb "$FOLDER/DLT.mdb"
cp "$ROOT/data/Veltrix.ini" "$FOLDER/Veltrix.ini"
cd "$FOLDER"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$FOLDER hyperfine -N --warmup 3 --runs 30 \
    "$ROOT/$BUILD/bench/app/veltrix-startup-probe"
