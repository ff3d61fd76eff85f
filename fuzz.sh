#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (address and
# undefined-behaviour checks), replays every kept regression input, then
# fuzzes each target for SECONDS seconds (default 30) on a copy of its seed
# corpus. Exits non-zero when a target crashes, hangs, leaks, runs out of
# memory or reports undefined behaviour; prints one line per target.
#
#   ./fuzz.sh [SECONDS] [TARGET…]     TARGET: texttable, ini, … (default all)
#   SLIPDESK_FUZZ_BUILD=DIR           build folder (default build-fuzz)
#
# Inputs that fail land in the build folder's artifacts/<target>/. A kept
# regression named pending-* reproduces a fault in code that is being
# rewritten: it is replayed and reported, but does not fail the run.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
seconds=${1:-30}
shift || true
build=${SLIPDESK_FUZZ_BUILD:-$root/build-fuzz}

# libFuzzer and the sanitizer runtimes come with clang's compiler-rt.
"$root/scripts/deps.sh" --fuzz

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSLIPDESK_FUZZ=ON -DSLIPDESK_TESTS=OFF -DSLIPDESK_BENCH=OFF >/dev/null
# Only the core and the targets, not the programs.
cmake --build "$build" -j"$(nproc)" --target fuzz_all

# The longest input each target is given: text files of a realistic size
# (64 kB), copied order text (4 kB), grids for the XLS writer (16 kB).
max_len() {
    case "$1" in
    orderparser) echo 4096 ;;
    xlswriter) echo 16384 ;;
    *) echo 65536 ;;
    esac
}

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
bin="$build/tests/fuzz"
src="$root/tests/fuzz"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in "$src"/fuzz_*.cpp; do
        name=$(basename "$f" .cpp)
        targets+=("${name#fuzz_}")
    done
fi

failed=0
summary=()

# What went wrong, from a target's log.
verdict() {
    local log=$1
    if grep -q 'ERROR: libFuzzer: timeout' "$log"; then echo "HANG"
    elif grep -q 'out-of-memory' "$log"; then echo "OUT OF MEMORY"
    elif grep -q 'ERROR: LeakSanitizer' "$log"; then echo "LEAK"
    elif grep -q 'runtime error:' "$log"; then echo "UNDEFINED BEHAVIOUR"
    elif grep -q 'ERROR: AddressSanitizer' "$log"; then echo "MEMORY ERROR"
    elif grep -q 'check failed' "$log"; then echo "CHECK FAILED"
    else echo "CRASH"; fi
}

mkdir -p "$build/fuzz-logs"
for t in "${targets[@]}"; do
    exe="$bin/fuzz_$t"
    [ -x "$exe" ] || { echo "no target fuzz_$t" >&2; exit 2; }
    log="$build/fuzz-logs/$t.log"
    : >"$log"

    # Every kept regression input, one run each.
    replay="ok"
    shopt -s nullglob
    kept=("$src/regressions/$t"/*)
    shopt -u nullglob
    for input in "${kept[@]}"; do
        name=$(basename "$input")
        one="$build/fuzz-logs/$t.replay"
        if "$exe" -runs=1 -timeout=10 -rss_limit_mb=2048 "$input" >"$one" 2>&1; then
            if [[ $name == pending-* ]]; then echo "fuzz_$t: $name passes now; rename it without pending-"; fi
        elif [[ $name == pending-* ]]; then
            echo "fuzz_$t: known fault still open: $name ($(verdict "$one"))"
        else
            replay="regression $name: $(verdict "$one")"
        fi
        cat "$one" >>"$log"
    done
    if [ "$replay" != ok ]; then
        summary+=("fuzz_$t: $replay (log: $log)")
        failed=1
        continue
    fi

    # The seeds copied: the committed corpus never grows.
    work="$build/fuzz-corpus/$t"
    artifacts="$build/artifacts/$t"
    rm -rf "$work"
    mkdir -p "$work" "$artifacts"
    cp -r "$src/corpus/$t/." "$work/" 2>/dev/null || true
    set +e
    "$exe" "$work" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -detect_leaks=1 \
        -max_len="$(max_len "$t")" -print_final_stats=1 -artifact_prefix="$artifacts/" >>"$log" 2>&1
    rc=$?
    set -e
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
    [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#' || true)
    if [ $rc -eq 0 ]; then
        summary+=("fuzz_$t: ${runs:-?} runs in ${seconds}s, ok")
    else
        summary+=("fuzz_$t: ${runs:-?} runs, $(verdict "$log"): input in $artifacts/, log $log")
        failed=1
    fi
done

echo "Fuzzing summary:"
printf '  %s\n' "${summary[@]}"
exit $failed
