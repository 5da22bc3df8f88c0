#!/usr/bin/env bash
# Builds the bench, has callgrind count the core's instructions per tick, and
# prints the figures table (Markdown) on standard output; progress goes to
# standard error. Figures only: nothing here passes or fails on a timing.
#
# Usage: scripts/run-bench.sh [simulated days per stream, default 1000000]
# Needs: cmake, ninja, g++, valgrind.
set -euo pipefail

days="${1:-1000000}"
cd "$(dirname "$0")/.."

cmake --preset bench >/dev/null
cmake --build --preset bench >&2
bin=build/bench/bench

# Enough ticks that the cost of the first, and of the loop around the
# handler, vanish in the quotient.
ticks=10000
instructions=()
while read -r workload handler; do
    collected="$(valgrind --tool=callgrind --callgrind-out-file=/dev/null \
        --toggle-collect="$handler" "$bin/kalvoro_tick_cost" "$workload" "$ticks" 2>&1 |
        sed -n 's/^==[0-9]*== Collected : \([0-9]*\)$/\1/p')"
    if [[ -z "$collected" ]]; then
        echo "callgrind counted nothing for the $workload tick ($handler)" >&2
        exit 1
    fi
    instructions+=(--instructions "$workload=$(awk -v c="$collected" -v t="$ticks" \
        'BEGIN { printf "%.1f", c / t }')")
done < <("$bin/kalvoro_tick_cost" --list)

"$bin/kalvoro_bench" --days "$days" "${instructions[@]}"
