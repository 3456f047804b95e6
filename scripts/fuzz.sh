#!/usr/bin/env bash
# Long fuzzing runs. Builds the fuzz targets for libFuzzer in build-fuzz/
# (installing clang if it is missing) and runs one target, or each in turn,
# with the libFuzzer options given (default -runs=1000000). New inputs go to
# build-fuzz/corpus/<target>, seeded from tests/fuzz/corpus/<target>; an
# input that fails is saved in build-fuzz/findings/<target>/.
#   scripts/fuzz.sh                      every target, a million runs each
#   scripts/fuzz.sh usuarios -runs=10000000
#   scripts/fuzz.sh all -max_total_time=3600
set -euo pipefail
cd "$(dirname "$0")/.."
TRIVANTO_FUZZ=1 scripts/setup.sh
build_dir=${BUILD_DIR:-build-fuzz}

which=${1:-all}
[ $# -gt 0 ] && shift
options=("$@")
[ ${#options[@]} -gt 0 ] || options=(-runs=1000000)

if [ "$which" = all ]; then
  targets=()
  for source in tests/fuzz/*.cpp; do
    targets+=("$(basename "$source" .cpp)")
  done
else
  targets=("$which")
fi

# What the libraries below us keep until exit is not reported as a leak.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/fuzz/support/lsan.supp}

for target in "${targets[@]}"; do
  corpus=$build_dir/corpus/$target
  findings=$build_dir/findings/$target
  mkdir -p "$corpus" "$findings"
  echo "== $target"
  "$build_dir/tests/fuzz/fuzz_$target" -artifact_prefix="$findings/" "${options[@]}" \
    "$corpus" "tests/fuzz/corpus/$target"
done
