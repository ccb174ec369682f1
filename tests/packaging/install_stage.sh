#!/usr/bin/env bash
# Installs the build into STAGE with DESTDIR under PREFIX (not /usr: any prefix must work),
# for the checks that follow. Usage: install_stage.sh BUILD_DIR STAGE PREFIX
set -euo pipefail
build=$1 stage=$2 prefix=$3
rm -rf "$stage"
DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >/dev/null
echo "installed into $stage$prefix"
