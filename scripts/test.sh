#!/usr/bin/env bash
# Builds what is needed and runs every test:
#   1. the release build (build/): all unit, GUI (offscreen) and CLI tests;
#      the benchmarks are built too (not run), so they keep compiling;
#   2. the sanitizer build (build-asan/): the Qt-free core and its tests under
#      AddressSanitizer and UndefinedBehaviorSanitizer.
# Both builds treat compiler warnings as errors, and every source must be
# formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --deps
JOBS=${JOBS:-$(nproc)}

echo "== format check"
git ls-files -z -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
    'fuzz/*.cpp' 'fuzz/*.h' | xargs -0 clang-format --dry-run --Werror

echo "== build (release with the benchmarks, warnings as errors)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELTRIX_WERROR=ON -DVELTRIX_BUILD_BENCH=ON
cmake --build build -j "$JOBS"

echo "== tests (release build)"
ctest --test-dir build --output-on-failure -j "$JOBS"

echo "== tests (AddressSanitizer + UBSan build of the core)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRIX_SANITIZE=ON \
    -DVELTRIX_WERROR=ON
cmake --build build-asan -j "$JOBS"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$JOBS"

echo "== fuzz targets, briefly (clang libFuzzer; scripts/fuzz.sh SECONDS runs them longer)"
scripts/fuzz.sh "${FUZZ_SECONDS:-5}"
