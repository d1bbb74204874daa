#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the panel (only it and the libraries it links, the virtual meter
# among them: no tests or tools), and starts it on the built-in virtual meter.
# Extra arguments go to the program (e.g. --com 1=/dev/ttyUSB0 without --simulate: see README).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
BUILD_TARGETS=veltrix-panel scripts/build.sh
if [ $# -eq 0 ]; then set -- --simulate; fi
exec build/app/veltrix-panel "$@"
