#!/usr/bin/env bash
# Starts the real program under Xvfb in a sample folder (a small database
# with the latest 120 draws of each game from data/draws, the sample saved
# commands), presses a button, and saves a screenshot of its window as a PNG.
# It runs under a window manager (openbox) and fails when the window does not
# carry the hints of an application's main window (normal type, no transient
# owner, not modal), which the taskbar and Alt+Tab go by.
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
    bulletin) CLICK="937 171" ;; # "最后开奖": (608, 108, 34, 12); both in client pixels
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
HINTS="$FOLDER/hints.txt"
xvfb-run -a -s "-screen 0 1100x660x24" bash -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    "$0" &
    pid=$!
    sleep "${SCREENSHOT_DELAY:-3}"
    window=$(xdotool search --onlyvisible --name "Zox" | head -n 1)
    xprop -id "$window" _NET_WM_WINDOW_TYPE WM_TRANSIENT_FOR _NET_WM_STATE >"$3"
    if [ -n "$2" ]; then
        xdotool mousemove --window "$window" $2 click 1
        xdotool mousemove 1090 650
        sleep 1.5
    fi
    import -window "$window" "$1"
    kill "$pid" "$wm"
' "$ROOT/$BUILD_DIR/src/app/veltrix" "$OUTPUT" "$CLICK" "$HINTS"
echo "screenshot: $OUTPUT"
if ! grep -q "_NET_WM_WINDOW_TYPE_NORMAL" "$HINTS" || grep -q "window id #\|_NET_WM_STATE_MODAL" "$HINTS"; then
    echo "screenshot: the window is not an application main window:" >&2
    cat "$HINTS" >&2
    exit 1
fi
