#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs every test, on Qt's
# offscreen platform.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
cd "${BUILD_DIR:-build}"
ctest --output-on-failure -j "$(nproc)" --timeout 300
