#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/deps.sh" --tests
"$root/scripts/check-format.sh"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${SLIPDESK_BUILD:-$root/build}" --output-on-failure -j"$(nproc)" "$@"
