#!/usr/bin/env bash
# Builds the program (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
# Qt's own message for a missing display is an abort with a long hint. Only
# the X11 and Wayland platforms (Qt's choice when none is named) need one.
case "${QT_QPA_PLATFORM:-}" in
  "" | xcb* | wayland*)
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "trivanto needs a graphical session: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
      exit 1
    fi
    ;;
esac
exec "${BUILD_DIR:-build}/bin/trivanto"
