#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UBSan, Qt-free
# core only) in build-fuzz/ and runs each for a bounded time.
#
#   scripts/fuzz.sh            every target for 60 seconds
#   scripts/fuzz.sh 600        every target for 10 minutes
#   scripts/fuzz.sh 30 jet_sql_fuzz    one target
#
# New corpus entries go to fuzz-out/<target>/ (the seeds in fuzz/corpus/ stay
# as they are); crash inputs go to fuzz-out/crashes/. Keep a crash input as a
# regression by copying it into fuzz/regressions/<target>/ once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_PER_TARGET=${1:-60}
shift || true
scripts/setup.sh --deps

if [ ! -f build-fuzz/build.ninja ]; then
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVELTRIX_FUZZ=ON -DVELTRIX_BUILD_TESTS=OFF
fi
cmake --build build-fuzz -j "${JOBS:-$(nproc)}"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in fuzz/*_fuzz.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

mkdir -p fuzz-out/crashes
status=0
for target in "${targets[@]}"; do
    mkdir -p "fuzz-out/$target"
    log="fuzz-out/$target.log"
    set +e
    ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "build-fuzz/fuzz/$target" -max_total_time="$SECONDS_PER_TARGET" -rss_limit_mb=2048 \
        -timeout=10 -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="fuzz-out/crashes/$target-" \
        "fuzz-out/$target" "fuzz/corpus/$target" >"$log" 2>&1
    rc=$?
    set -e
    runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
    if [ $rc -eq 0 ]; then
        echo "$target: ${runs:-?} executions in ${SECONDS_PER_TARGET}s, no failure"
    else
        echo "$target: FAILED after ${runs:-?} executions (exit $rc); see $log"
        status=1
    fi
done
exit $status
