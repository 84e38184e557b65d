#!/usr/bin/env bash
# Builds if needed and starts Veltrix in the working folder workspace/,
# preparing it on the first run: a DLT.mdb made by `veltrix-cli initdb` and
# loaded with the real draw files of data/draws by `veltrix-cli import` (an
# existing database is never touched) and a Veltrix.ini with saved commands.
#   WORKSPACE=/some/folder scripts/run.sh    uses another working folder
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

scripts/setup.sh
CLI="$ROOT/build/src/cli/veltrix-cli"
WORKSPACE=${WORKSPACE:-$ROOT/workspace}
mkdir -p "$WORKSPACE"
cd "$WORKSPACE"

if [ ! -e DLT.mdb ]; then
    "$CLI" initdb DLT.mdb
    echo "run.sh: loading the sample draws of data/draws into DLT.mdb" >&2
    for file in "$ROOT"/data/draws/*.txt; do
        game=$(basename "$file" .txt)
        "$CLI" import "$game" "$file" || echo "run.sh: importing $file failed; starting anyway" >&2
    done
fi
if [ ! -e Veltrix.ini ]; then
    cp "$ROOT/data/Veltrix.ini" Veltrix.ini
fi
exec "$ROOT/build/src/app/veltrix"
