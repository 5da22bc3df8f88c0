#!/usr/bin/env bash
# Builds the bench and the Linux program, has callgrind count the core's
# instructions per tick, measures the CPU time of the real programs while
# they wait (bench/waiting_cpu.sh: a minute a state, 20 s in a reduced run),
# and prints the figures table (Markdown) on standard output; progress goes
# to standard error. Figures only: nothing here passes or fails on a timing.
#
# Usage: scripts/run-bench.sh [simulated days per stream, default 1000000] [build dir, default build/bench]
# Needs: cmake, ninja, g++, valgrind, Qt 6, Xvfb, openbox, xdotool, x11-utils, dbus; Wine for the Windows rows.
set -euo pipefail

days="${1:-1000000}"
cd "$(dirname "$0")/.."

dir="${2:-build/bench}"

cmake --preset bench -B "$dir" >/dev/null
cmake --build "$dir" --target kalvoro_bench kalvoro-xp >&2
bench="$dir/bench/kalvoro_bench"

# Enough ticks that the cost of the first, and of the loop around the
# handler, vanish in the quotient.
ticks=10000
figures=()
while read -r workload handler; do
    collected="$(valgrind --tool=callgrind --callgrind-out-file=/dev/null \
        --toggle-collect="$handler" "$bench" "$workload" "$ticks" 2>&1 |
        sed -n 's/^==[0-9]*== Collected : \([0-9]*\)$/\1/p')"
    if [[ -z "$collected" ]]; then
        echo "callgrind counted nothing for the $workload tick ($handler)" >&2
        exit 1
    fi
    figures+=("instructions $workload=$(awk -v c="$collected" -v t="$ticks" \
        'BEGIN { printf "%.0f", c / t }')")
done < <("$bench" workloads)

# Figures of the Windows build, where it has been built and measured: the
# stripped executables' sizes, and the trigger latency that
# `scripts/run-e2e.sh --latency N` left in build/e2e/.
for build in x86_64 i686; do
    program="build/mingw-$build/src/ui/win32/Kalvoro XP.exe"
    if [[ -f $program ]]; then
        figures+=("size $build=$(stat -c %s "$program" | sed ':a;s/\B[0-9]\{3\}\>/ &/;ta') bytes")
    fi
    latency=build/e2e/latency-$build.txt
    if [[ -f $latency ]]; then
        # "... over N runs: median M ms, 99th percentile P ms, ..."
        line=$(grep -o '[0-9]* runs: median [0-9]* ms, 99th percentile [0-9]* ms' "$latency" | tail -n 1)
        read -r runs median p99 < <(sed 's/ runs: median / /; s/ ms, 99th percentile / /; s/ ms$//' <<<"$line")
        figures+=("latency $build=$median / $p99 ms" "runs $build=$runs runs")
    fi
done

# The waiting programs: the Linux one just built, and the Windows test build
# where it has been built and Wine can run it.
seconds=$((days < 1000000 ? 20 : 60))
waiting=("$dir/src/ui/qt/kalvoro-xp")
windows_test_build=build/mingw-x86_64/src/ui/win32/kalvoro-xp-e2e.exe
if [[ -f $windows_test_build && -x /usr/lib/wine/wine64 ]]; then
    waiting+=("$PWD/$windows_test_build")
fi
while read -r program state ms wakeups; do
    system=linux
    [[ $program == *.exe ]] && system=windows
    figures+=("cpu $system $state=$ms ms" "sample $system $state=$seconds s, $wakeups wake-ups a second")
done < <(bash bench/waiting_cpu.sh "$seconds" "${waiting[@]}")

"$bench" "days=$days" "${figures[@]}"
