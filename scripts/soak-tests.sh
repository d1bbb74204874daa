#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs scripts/test.sh several times in a row and counts the tests that passed only on its one
# retry: a test that needs the retry waits on a fixed time somewhere instead of on its condition.
#   scripts/soak-tests.sh [RUNS] [--load]
# --load keeps a CPU-bound job on every core beside the suite (a starved machine, as on a busy CI).
set -uo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10}"
load=0
[ "${2:-}" = "--load" ] && load=1
log="$(mktemp -d)"
busy=()
stop_load() { [ ${#busy[@]} -gt 0 ] && kill "${busy[@]}" 2>/dev/null; busy=(); }
trap stop_load EXIT
if [ "$load" = 1 ]; then
    for _ in $(seq "$(nproc)"); do (while :; do :; done) & busy+=($!); done
fi
retried=0
failed=0
for run in $(seq "$runs"); do
    start=$SECONDS
    scripts/test.sh >"$log/run$run.out" 2>&1
    rc=$?
    flaky="$(sed -n 's/^Retrying once: //p' "$log/run$run.out")"
    summary="$(grep -E '^[0-9]+% tests passed' "$log/run$run.out" | tail -1)"
    if [ "$rc" -ne 0 ]; then
        failed=$((failed + 1)); verdict="FAILED"
    elif [ -n "$flaky" ]; then
        retried=$((retried + 1)); verdict="passed on the retry: $flaky"
    else
        verdict="passed"
    fi
    echo "run $run/$runs ($((SECONDS - start)) s, load $load): $verdict; $summary"
done
echo "$runs runs (load $load): $((runs - retried - failed)) passed without a retry, $retried needed the retry, $failed failed (logs in $log)"
[ "$retried" -eq 0 ] && [ "$failed" -eq 0 ]
