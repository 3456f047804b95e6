#!/usr/bin/env bash
# Builds the program (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
# Qt's own message for a missing display is an abort with a long hint.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "trivanto needs a graphical session: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
  exit 1
fi
exec "${BUILD_DIR:-build}/bin/trivanto"
