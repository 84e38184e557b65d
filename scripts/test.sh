#!/usr/bin/env bash
# Builds what is needed and runs every test:
#   1. the release build (build/): all unit, GUI (offscreen) and CLI tests;
#   2. the sanitizer build (build-asan/): the Qt-free core and its tests under
#      AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
JOBS=${JOBS:-$(nproc)}

echo "== tests (release build)"
ctest --test-dir build --output-on-failure -j "$JOBS"

echo "== tests (AddressSanitizer + UBSan build of the core)"
if [ ! -f build-asan/build.ninja ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRIX_SANITIZE=ON
fi
cmake --build build-asan -j "$JOBS"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$JOBS"

echo "== fuzz targets, briefly (clang libFuzzer; scripts/fuzz.sh SECONDS runs them longer)"
scripts/fuzz.sh "${FUZZ_SECONDS:-5}"
