#!/usr/bin/env bash
# Installs what the build needs, if it is missing, and configures the build
# folder. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins
          libgl-dev libgtest-dev qt6-translations-l10n poppler-utils
          libfreexl-dev python3 python3-xlwt)
missing=()
# TRIVANTO_FUZZ=1 builds the fuzz targets with clang's libFuzzer.
if [ "${TRIVANTO_FUZZ:-0}" = 1 ]; then
  packages+=(clang libclang-rt-14-dev)
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Installing needs root: as root, or through sudo. Anyone else is told what
# to install and how, once; after that no root is needed.
explain_missing() {
  cat >&2 <<MESSAGE
These Debian packages are missing: ${missing[*]}
Installing them needs root. Install them once with the root password:

    su -c "apt-get update && apt-get install -y ${missing[*]}"

then run this command again.
MESSAGE
}

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    as_root=()
  elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
  else
    explain_missing
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  if ! "${as_root[@]}" apt-get update -q \
     || ! DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q "${missing[@]}"; then
    [ ${#as_root[@]} -gt 0 ] && explain_missing
    exit 1
  fi
fi

# TRIVANTO_SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer
# in a folder of its own; TRIVANTO_FUZZ=1 builds only the fuzz targets, with
# clang, in another.
targets=()
if [ "${TRIVANTO_FUZZ:-0}" = 1 ]; then
  build_dir=${BUILD_DIR:-build-fuzz}
  options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRIVANTO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++)
  targets=(--target fuzz_targets)
elif [ "${TRIVANTO_SANITIZE:-0}" = 1 ]; then
  build_dir=${BUILD_DIR:-build-asan}
  options=(-DCMAKE_BUILD_TYPE=Debug -DTRIVANTO_SANITIZE=ON)
else
  build_dir=${BUILD_DIR:-build}
  options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
# Only the packages need root. A build folder that a run as root left behind
# holds files a normal user cannot replace; say so once, before the build
# tool fails on them.
if [ "$(id -u)" -ne 0 ] && [ -d "$build_dir" ] \
   && [ -n "$(find "$build_dir" ! -user "$(id -u)" -print -quit 2>/dev/null)" ]; then
  echo "The build folder $build_dir holds files of another user (left by a run as root?); remove it as root, with su -c \"rm -rf $(realpath "$build_dir")\", and run this command again." >&2
  exit 1
fi
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja "${options[@]}"
fi
cmake --build "$build_dir" "${targets[@]}"
