#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets into build-fuzz/ with clang, libFuzzer and the address and
# undefined-behaviour sanitizers, and runs each for SECONDS (default 60) from its checked-in seeds
# (fuzz/corpus/<name>/; what a run adds goes to build-fuzz/corpus/<name>/). Any crash, hang,
# leak or sanitizer report fails the script; the finding is kept in build-fuzz/artifacts/.
# FUZZERS="reading alarm" runs only those.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="${FUZZ_BUILD_DIR:-build-fuzz}"
cxx="${FUZZ_CXX:-clang++}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
    -DVELTRIX_FUZZ=ON ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build "$build" --target veltrix_fuzzers

export QT_QPA_PLATFORM=offscreen
# Two frames of allocation stack: recording deeper ones costs more than half of each run and
# grows the stack store without end. To see a leak's full stack, run its artifact again with
# ASAN_OPTIONS=malloc_context_size=30.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:malloc_context_size=2:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"
mkdir -p "$build/artifacts" "$build/logs"

failed=()
for name in ${FUZZERS:-$(cat "$build/fuzzers.txt")}; do
    mkdir -p "$build/corpus/$name"
    # Record files may be large: let the inputs grow to 64 KiB there (long lines).
    maxlen=4096
    [ "$name" = recordfile ] && maxlen=65536
    # Logger replies: a few sets and records take every path; longer ones only repeat them.
    [ "$name" = logger ] && maxlen=512
    log="$build/logs/$name.log"
    if "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len="$maxlen" -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" \
        "$build/corpus/$name" "fuzz/corpus/$name" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        rate=$(sed -n 's/^#[0-9]*[[:space:]]*DONE .*exec\/s: \([0-9]*\).*/\1/p' "$log")
        printf '%-12s %10s runs %8s exec/s\n' "$name" "${runs:-?}" "${rate:-?}"
    else
        echo "FAILED: $name (log: $log)"
        grep -E "ERROR|SUMMARY|check failed|runtime error|Test unit written" "$log" | head -20 || true
        failed+=("$name")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]}" >&2
    exit 1
fi
