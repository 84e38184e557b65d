#!/usr/bin/env bash
# Starts the real program under Xvfb in a sample folder (a small database
# with the latest 120 draws of each game from data/draws, the sample saved
# commands), presses a button, and saves a screenshot of its window as a PNG.
#   scripts/screenshot.sh [OUTPUT.png] [BUTTON]
# OUTPUT defaults to build/screenshot.png; BUTTON is "query" (the default:
# runs the preselected saved command, so the chart shows), "bulletin"
# ("最后开奖") or "none".
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
OUTPUT=$(realpath -m "${1:-build/screenshot.png}")
BUTTON=${2:-query}
case "$BUTTON" in
    query) CLICK="894 15" ;;     # "查询": dialog units (581, 3, 30, 14) at 1.5 px each
    bulletin) CLICK="937 171" ;; # "最后开奖": (608, 108, 34, 12)
    none) CLICK="" ;;
    *) echo "screenshot: unknown button '$BUTTON' (query, bulletin, none)" >&2; exit 2 ;;
esac

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
for draws in "$ROOT"/data/draws/*.txt; do
    game=$(basename "$draws" .txt)
    tail -n 120 "$draws" >"$game.sample"
    "$ROOT/$BUILD_DIR/src/cli/veltrix-cli" import "$game" "$game.sample" >/dev/null 2>&1 || true
done

mkdir -p "$(dirname "$OUTPUT")"
export XDG_RUNTIME_DIR=$FOLDER
xvfb-run -a -s "-screen 0 1100x620x24" bash -c '
    "$0" &
    pid=$!
    sleep "${SCREENSHOT_DELAY:-3}"
    if [ -n "$2" ]; then
        window=$(xdotool search --name "Zox" | head -n 1)
        xdotool windowmove "$window" 0 0
        sleep 0.5
        xdotool mousemove $2 click 1 mousemove 1050 600
        sleep 1.5
    fi
    import -window root "$1.full.png"
    kill "$pid"
' "$ROOT/$BUILD_DIR/src/app/veltrix" "$OUTPUT" "$CLICK"
# Without a window manager the window stands alone on a black screen: keep
# just the window.
convert "$OUTPUT.full.png" -trim +repage "$OUTPUT"
rm -f "$OUTPUT.full.png"
echo "screenshot: $OUTPUT"
