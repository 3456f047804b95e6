#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs every test, on Qt's
# offscreen platform.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
if [ "${TRIVANTO_FUZZ:-0}" = 1 ]; then
  # The fuzz build has libFuzzer's targets only: each runs over its own
  # corpus once, as the ordinary build's replays do.
  build_dir=${BUILD_DIR:-build-fuzz}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/fuzz/support/lsan.supp}
  status=0
  for source in tests/fuzz/*.cpp; do
    target=$(basename "$source" .cpp)
    echo "== $target"
    "$build_dir/tests/fuzz/fuzz_$target" -runs=0 "tests/fuzz/corpus/$target" || status=1
  done
  exit $status
elif [ "${TRIVANTO_SANITIZE:-0}" = 1 ]; then
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
  cd "${BUILD_DIR:-build-asan}"
else
  cd "${BUILD_DIR:-build}"
fi
ctest --output-on-failure -j "$(nproc)" --timeout 300
