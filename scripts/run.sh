#!/usr/bin/env bash
# Installs what is missing, builds, and starts the panel on the built-in virtual meter.
# Extra arguments go to the program (e.g. --com 1=/dev/ttyUSB0 without --simulate: see README).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ $# -eq 0 ]; then set -- --simulate; fi
exec build/app/veltrix-panel "$@"
