#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the clock. Without a display it
# runs the clock in a virtual X server for a few seconds and writes a screenshot instead.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install_deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target dorvalen

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/release/dorvalen
fi

echo "No display found (DISPLAY and WAYLAND_DISPLAY are empty): running the clock in a virtual X server."
exec tools/screenshot.sh build/release/dorvalen "${DORVALEN_SCREENSHOT:-$PWD/dorvalen-screenshot.png}"
