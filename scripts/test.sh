#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless.
# SANITIZE=1 builds into build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
if [ "${SANITIZE:-0}" = 1 ]; then
    export BUILD_DIR=build-asan
    scripts/build.sh -DVELTRIX_SANITIZE=ON
else
    scripts/build.sh
fi
# A test over the pseudo-terminal that meets a starved machine gets one more run.
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2 --repeat until-pass:2
