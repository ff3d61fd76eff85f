#!/usr/bin/env bash
# Builds and runs the benchmarks. Each figure is reported beside a baseline
# measured in the same run, since the machines are shared and noisy.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/deps.sh"
SLIPDESK_BUILD="$root/build-bench" "$root/scripts/build.sh" -DSLIPDESK_BENCH=ON -DSLIPDESK_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
export QT_QPA_PLATFORM=offscreen
for b in "$root"/build-bench/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" "$@"
done
