#!/usr/bin/env bash
# The CPU time that the program takes while it waits, read from its own
# process, every thread (/proc/PID/task/*/schedstat), on a virtual display of
# its own (Xvfb, openbox, no notification area) with a private session bus:
# first with its main window shown, then armed for a time hours ahead, the
# main window minimised (Linux) or hidden (Windows, under Wine, whose server
# and helper processes are not counted). Programs given are measured one
# after the other: side by side, their clock ticks would meet at each second
# and contend for the caches. Figures only: nothing here passes or fails.
#
# Usage: bench/waiting_cpu.sh SECONDS PROGRAM [PROGRAM...]   (a .exe runs under Wine)
# Prints a line per program and state:
#   <program> <shown|hidden> <ms of CPU per minute> <wake-ups a second>
# Needs: Xvfb, openbox, xdotool, x11-utils, dbus; wine64 for a .exe.
set -euo pipefail

seconds=$1
shift
source "$(dirname "$0")/../scripts/lib.sh"

start_xvfb
export DISPLAY=$xvfb_display
start_bus session
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
# Ready once it runs its start-up command.
start openbox --sm-disable --startup "touch $work/wm-ready" >/dev/null 2>&1
wait_for 10 test -e "$work/wm-ready"

# A Wine prefix of the run's own, booted at the first Windows program, with
# the fonts that the windows ask for; its server is ended on exit.
wine_prefix() {
    export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
    trap 'wineserver -k 2>/dev/null || true; stop_started; rm -rf "$work"' EXIT
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

# Nanoseconds on a CPU and voluntary context switches (the wake-ups), summed
# over the process's threads.
cpu_of() {
    local ns=0 run task
    for task in /proc/"$1"/task/*; do
        read -r run _ <"$task/schedstat" && ns=$((ns + run))
    done
    echo "$ns"
}
wakeups_of() {
    cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'
}

# Prints the program's figures for one state, past its first moments.
measure() {
    local program=$1 pid=$2 state=$3 cpu wakeups
    sleep 3
    cpu=$(cpu_of "$pid")
    wakeups=$(wakeups_of "$pid")
    sleep "$seconds"
    awk -v p="$program" -v s="$state" -v t="$seconds" -v ns=$(($(cpu_of "$pid") - cpu)) \
        -v w=$(($(wakeups_of "$pid") - wakeups)) \
        'BEGIN { printf "%s %s %.1f %.1f\n", p, s, ns / 1e6 * 60 / t, w / t }'
}

for program in "$@"; do
    if [[ $program == *.exe ]]; then
        [[ -n ${WINEPREFIX:-} ]] || wine_prefix
        # The test build writes its power log where it starts.
        start env -C "$work" /usr/lib/wine/wine64 "$program" >/dev/null 2>&1
    else
        start "$program" >/dev/null 2>&1
    fi
    pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" --name '^Kalvoro XP$')
    measure "$program" "$pid" shown
    # Armed as a user arms it: a click in the entry (at its place in the
    # layout at 96 dpi) empties it, a time is typed, Enter presses "Activer".
    xdotool mousemove --window "$window" 240 18 click 1
    xdotool type --delay 20 "$(date -d '+6 hours' +%H:%M:%S)"
    xdotool key Return
    wait_for 10 bash -c "! xwininfo -id $window | grep -q IsViewable"
    measure "$program" "$pid" hidden
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
