#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for a bounded time, starting from
# its seed corpus in fuzz/corpus/<target>. What the fuzzers add to the corpus
# goes to a temporary directory, not into the repository. Exits non-zero when
# a fuzzer finds anything: a broken invariant, a sanitizer report, a crash, a
# leak or an input that hangs; the input that did it is kept under
# build/fuzz/findings (or $KALVORO_FUZZ_FINDINGS).
#
# Usage: scripts/run-fuzzers.sh [seconds per target, default 60] [build dir, default build/fuzz]
# Needs: cmake, ninja, clang, libclang-rt-14-dev (libFuzzer and the sanitizers).
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
findings="${KALVORO_FUZZ_FINDINGS:-$root/build/fuzz/findings}"

dir="${2:-build/fuzz}"
cmake --preset fuzz -B "$dir" >/dev/null
cmake --build "$dir" --target entry_and_icon_fuzzer event_sequence_fuzzer

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$findings"

status=0
for target in entry_and_icon event_sequence; do
    mkdir "$work/$target"
    echo "== $target: $seconds s from fuzz/corpus/$target"
    if "$dir/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$findings/$target-" \
        "$work/$target" "fuzz/corpus/$target" >"$work/$target.log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' \
            "$work/$target.log" || true
    else
        status=1
        echo "== $target found something:"
        grep -E -A 30 'invariant broken|ERROR: |runtime error|ALARM|deadly signal' \
            "$work/$target.log" | head -n 60 || tail -n 60 "$work/$target.log"
    fi
done
exit "$status"
