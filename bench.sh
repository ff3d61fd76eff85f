#!/usr/bin/env bash
# Builds and runs the benchmarks. Each figure is reported beside a baseline
# measured in the same run, since the machines are shared and noisy.
# Arguments go to every benchmark program (e.g. --benchmark_filter=Lookup).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/deps.sh"
SLIPDESK_BUILD="$root/build-bench" "$root/scripts/build.sh" -DSLIPDESK_BENCH=ON -DSLIPDESK_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
export QT_QPA_PLATFORM=offscreen
bin="$root/build-bench/bench"
if [ $# -gt 0 ]; then
  for b in "$bin/bench_core" "$bin/bench_window"; do "$b" "$@"; done
  exit 0
fi
# The many-page PDF runs in a process of its own, so that its peak memory is
# its own and not that of the large address books loaded by other benchmarks.
echo "== bench_core (1,000-page PDF, own process)"
"$bin/bench_core" --benchmark_filter=WaybillPdf
echo "== bench_core"
"$bin/bench_core" --benchmark_filter=-WaybillPdf
echo "== bench_window"
"$bin/bench_window"
