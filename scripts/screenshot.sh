#!/usr/bin/env bash
# Starts the real program under Xvfb in a sample folder (a small database
# with the latest 60 dlt draws from data/draws, the sample saved commands)
# and saves a screenshot of its window as a PNG.
#   scripts/screenshot.sh [OUTPUT.png]      default: build/screenshot.png
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
OUTPUT=$(realpath -m "${1:-build/screenshot.png}")

scripts/setup.sh --deps
BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$BUILD_DIR" -j "${JOBS:-2}" --target veltrix veltrix-cli

FOLDER=$(mktemp -d)
trap 'rm -rf "$FOLDER"' EXIT
cd "$FOLDER"
"$ROOT/$BUILD_DIR/src/cli/veltrix-cli" initdb DLT.mdb
cp "$ROOT/data/Veltrix.ini" Veltrix.ini
# Draw lines: issue, date, five front and two back numbers.
tail -n 60 "$ROOT/data/draws/dlt.txt" | tr -d '\r' | awk '
    NF >= 9 {
        printf "INSERT INTO dlt (QS, RQ, H1, H2, H3, H4, H5, L1, L2) VALUES (\x27%s\x27, \x27%s\x27, %d, %d, %d, %d, %d, %d, %d);\n",
            $1, $2, $3, $4, $5, $6, $7, $8, $9
    }' | sqlite3 DLT.mdb

mkdir -p "$(dirname "$OUTPUT")"
export XDG_RUNTIME_DIR=$FOLDER
xvfb-run -a -s "-screen 0 1100x620x24" bash -c '
    "$0" &
    pid=$!
    sleep "${SCREENSHOT_DELAY:-3}"
    import -window root "$1.full.png"
    kill "$pid"
' "$ROOT/$BUILD_DIR/src/app/veltrix" "$OUTPUT"
# Without a window manager the window stands alone on a black screen: keep
# just the window.
convert "$OUTPUT.full.png" -trim +repage "$OUTPUT"
rm -f "$OUTPUT.full.png"
echo "screenshot: $OUTPUT"
