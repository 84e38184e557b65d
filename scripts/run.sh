#!/usr/bin/env bash
# Builds if needed and starts Veltrix in the working folder workspace/. The
# window prepares the folder on its first start there (veltrix --workspace):
# a DLT.mdb with the sample draws of data/draws imported and a Veltrix.ini
# with the sample saved commands; an existing database is never touched.
#   WORKSPACE=/some/folder scripts/run.sh    uses another working folder
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

scripts/setup.sh
WORKSPACE=${WORKSPACE:-$ROOT/workspace}
exec "$ROOT/build/src/app/veltrix" --workspace "$WORKSPACE"
