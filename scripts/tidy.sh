#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy with .clang-tidy over our sources (src/, sim/, app/, cli/); Qt's headers and the
# generated moc files are left out. Fails on any finding. TIDY_JOBS sets the parallel runs
# (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
# The build compiles each target as a few unity files, whose compile commands name no source file:
# the checks take theirs from a configuration of their own, one command per file (nothing is built).
build="${TIDY_BUILD_DIR:-build-tidy}"
cmake -S . -B "$build" -G Ninja -DVELTRIX_UNITY=OFF -DVELTRIX_PCH=OFF >/dev/null
tidy="${CLANG_TIDY:-clang-tidy}"

files=$(git ls-files 'src/*.cpp' 'sim/*.cpp' 'app/*.cpp' 'cli/*.cpp')
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# g++'s compile commands: clang-tidy (clang) is told to ignore the options it does not know.
echo "$files" | xargs -P "${TIDY_JOBS:-2}" -n 4 "$tidy" -p "$build" --quiet \
    --extra-arg=-Wno-unknown-warning-option --extra-arg=-Wno-ignored-optimization-argument \
    >"$out" 2>/dev/null || true
findings=$(grep -E '^[^ ].*:[0-9]+:[0-9]+: (warning|error):' "$out" | sort -u || true)
if [ -n "$findings" ]; then
    grep -A6 -E ':[0-9]+:[0-9]+: (warning|error):' "$out" | head -400
    echo
    echo "clang-tidy: $(echo "$findings" | wc -l) finding(s)" >&2
    exit 1
fi
echo "clang-tidy: no findings in $(echo "$files" | wc -l) files"
