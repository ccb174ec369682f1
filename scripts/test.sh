#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the suite in Debug with
# warnings as errors, the same suite under AddressSanitizer + UndefinedBehaviorSanitizer,
# and the fuzz targets (settings file, field rules, both tools' arguments) for about a
# minute in all.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install_deps.sh

jobs=$(nproc)
status=0

echo "== Debug build and tests"
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs"
ctest --preset dev || status=1

echo "== Sanitizer build and tests"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan || status=1

echo "== Fuzzing the parsers"
scripts/fuzz.sh "${DORVALEN_FUZZ_SECONDS:-60}" || status=1

if [ $status -eq 0 ]; then echo "All tests passed."; else echo "Some tests FAILED."; fi
exit $status
