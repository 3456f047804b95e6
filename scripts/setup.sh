#!/usr/bin/env bash
# Installs what the build needs, if it is missing, and configures the build
# folder. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins
          libgl-dev libgtest-dev qt6-translations-l10n poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi

# TRIVANTO_SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer
# in a folder of its own.
if [ "${TRIVANTO_SANITIZE:-0}" = 1 ]; then
  build_dir=${BUILD_DIR:-build-asan}
  options=(-DCMAKE_BUILD_TYPE=Debug -DTRIVANTO_SANITIZE=ON)
else
  build_dir=${BUILD_DIR:-build}
  options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja "${options[@]}"
fi
cmake --build "$build_dir"
