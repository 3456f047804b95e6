#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs every test, on Qt's
# offscreen platform.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
if [ "${TRIVANTO_SANITIZE:-0}" = 1 ]; then
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
  cd "${BUILD_DIR:-build-asan}"
else
  cd "${BUILD_DIR:-build}"
fi
ctest --output-on-failure -j "$(nproc)" --timeout 300
