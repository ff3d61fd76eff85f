#!/usr/bin/env bash
# Configures and builds into build/ (or $SLIPDESK_BUILD). Extra arguments go
# to cmake's configure step. A compiler cache is used when one is installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SLIPDESK_BUILD:-$root/build}
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
