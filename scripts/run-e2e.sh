#!/usr/bin/env bash
# End-to-end tests of the real Windows program under Wine: the driver
# (tests/e2e) starts kalvoro-xp-e2e.exe, drives it by window messages and
# checks what it shows and what its power log holds, for both builds (the
# x86_64 one with wine64, the i686 one with wine32) at 96, 120 and 144 dpi.
#
#   scripts/run-e2e.sh               the suite once (Wine's null display driver)
#   scripts/run-e2e.sh --repeat N    the suite N times; prints the pass count
#   scripts/run-e2e.sh --dpi D       the suite at that density only (both builds)
#   scripts/run-e2e.sh --latency N   the trigger's real latency over N runs (figures)
#   scripts/run-e2e.sh --visual      under Xvfb: screenshots into docs/screenshots/
#
# KALVORO_E2E_BUILD=<dir> builds in <dir>-x86_64 and <dir>-i686 instead of the
# presets' own directories.
#
# One Wine prefix is booted per run; each lane (a density and one or both
# builds) works in a copy of it, with the density set before its first program
# and a wineserver of its own; the lanes run side by side, the long 96 dpi
# suite split in two. Everything started is ended by its id. A run passes only
# on the driver's own closing line "N passed, 0 failed", never on Wine's exit
# code. Where i386 programs run under emulation (scripts/i386-programs.sh),
# the driver's time limits stretch with it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

usage() {
    sed -n '7,11p' "$0" | sed 's/^# //' >&2
    exit 2
}

mode=suite
repeat=1
densities=(96 120 144)
lanes=("96:x86_64" "96:i686" "120:x86_64 i686" "144:x86_64 i686")
latency_runs=20
while (($#)); do
    case $1 in
        --repeat) repeat=${2:?}; shift 2 ;;
        --latency) mode=latency; latency_runs=${2:?}; shift 2 ;;
        --visual) mode=visual; shift ;;
        --dpi) densities=("${2:?}"); lanes=("$2:x86_64 i686"); shift 2 ;;
        *) usage ;;
    esac
done

# Loaders: the 64-bit one for the x86_64 build and for Wine's own tools, so
# that nothing of that lane goes through the 32-bit one (/usr/bin/wine picks
# it, and it exists only with Debian's wine32:i386).
readonly wine64=/usr/lib/wine/wine64
readonly wine32=/usr/lib/wine/wine
for loader in "$wine64" "$wine32"; do
    if [[ ! -x $loader ]]; then
        echo "run-e2e: $loader is missing (packages wine, wine64 and wine32:i386)" >&2
        exit 1
    fi
done
source scripts/i386-programs.sh
if i386_programs_emulated; then
    # Measured: the i686 suite runs at about a third of its native speed.
    export KALVORO_E2E_SLOWDOWN=3
    echo "== i386 programs run under qemu-i386: the driver's time limits are three times as long"
fi

echo "== Building the Windows program and the driver"
run_dir=$work
for arch in x86_64 i686; do
    build=build/mingw-$arch
    if [[ -n ${KALVORO_E2E_BUILD:-} ]]; then
        build=$KALVORO_E2E_BUILD-$arch
        cmake --preset "mingw-$arch" -B "$build" >/dev/null
        cmake --build "$build" --target kalvoro-e2e-driver kalvoro-xp-e2e kalvoro-xp \
            refusing-shutdown >/dev/null
    else
        cmake --preset "mingw-$arch" >/dev/null
        cmake --build --preset "mingw-$arch" >/dev/null
    fi
    # The run tests what was built now, whatever is rebuilt meanwhile.
    mkdir -p "$run_dir/bin-$arch"
    cp "$build"/tests/e2e/{kalvoro-e2e-driver,refusing-shutdown}.exe \
        "$build"/src/ui/win32/{kalvoro-xp-e2e,"Kalvoro XP"}.exe "$run_dir/bin-$arch/"
done
export WINEDEBUG=-all
# No Mono or Gecko installers, no menu entries on the host.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
# French for the system's own texts too (message box buttons).
export LANG=fr_FR.UTF-8
succeeded=0

# Everything this run started: each prefix's wineserver (its clients first,
# through the server itself), Xvfb and the screenshot watcher, then whatever
# process Wine started with one of these prefixes in its environment.
cleanup() {
    local prefix pid
    for prefix in "$run_dir"/prefix-*; do
        [[ -d $prefix ]] && WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    done
    stop_started
    for pid in $(grep -lsz "^WINEPREFIX=$run_dir/prefix-" /proc/[0-9]*/environ | cut -d/ -f3); do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$run_dir"/prefix-*
    if ((succeeded)); then
        rm -rf "$run_dir"
    else
        echo "run-e2e: driver output and power logs kept in $run_dir" >&2
    fi
}
trap cleanup EXIT

# A Unix path as Wine's drive Z: shows it.
windows_path() {
    local path=$1
    printf 'Z:%s' "${path//\//\\}"
}

# The run's prefix, booted once with Wine's fonts and the display of the mode;
# each lane works in a copy of it (make_prefix).
boot_prefix() {
    local started=$SECONDS
    export WINEPREFIX=$run_dir/prefix-base
    "$wine64" wineboot -i >/dev/null 2>&1
    # Wine's own fonts (package fonts-wine): Marlett for the frames' buttons
    # and MS Sans Serif, which the windows ask for; this Wine does not find
    # them where the package puts them.
    if [[ -d /usr/share/wine/fonts ]]; then
        cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    if [[ $mode == visual ]]; then
        # Unmanaged windows: no two-second stall when a window hides.
        "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    else
        # Windows without any X server.
        "$wine64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    fi
    wineserver -k 2>/dev/null || true
    wineserver -w
    echo "== Wine prefix booted in $((SECONDS - started)) s"
}

# One lane's copy of the prefix at one density, its server kept up for the
# whole run. Wine writes none of its installed files in place, so they are
# shared as hard links; the registry, which the density changes, is the
# lane's own.
make_prefix() {
    local dpi=$1 lane=$2
    export WINEPREFIX=$run_dir/prefix-$lane
    cp -al "$run_dir/prefix-base" "$WINEPREFIX"
    cp --remove-destination "$run_dir"/prefix-base/*.reg "$WINEPREFIX/"
    "$wine64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1
    # The processes that reg started read the old density: end them, then
    # start the server that stays.
    wineserver -k 2>/dev/null || true
    wineserver -w
    start wineserver -f -p >/dev/null 2>&1
}

loader_of() {
    if [[ $1 == x86_64 ]]; then echo "$wine64"; else echo "$wine32"; fi
}

# Runs the driver of one build in the current prefix; its arguments follow
# the program, the work directory and the density. Output goes to the file,
# what the loader or Wine said to <file>.err, which the driver may read.
drive() {
    local arch=$1 dpi=$2 output=$3
    shift 3
    local bin=$run_dir/bin-$arch
    local work=$run_dir/work-$arch-$dpi
    mkdir -p "$work"
    KALVORO_E2E_STDERR=$(windows_path "$output.err") \
        "$(loader_of "$arch")" "$bin/kalvoro-e2e-driver.exe" \
        "$(windows_path "$bin/kalvoro-xp-e2e.exe")" "$(windows_path "$work")" "$dpi" \
        "$@" 2>"$output.err" >"$output" || true
}

# A run's closing line, or in one line why there is none.
outcome() {
    local output=$1 summary reason
    summary=$(tail -n 1 "$output" 2>/dev/null || true)
    if [[ $summary =~ ^[0-9]+\ passed,\ [0-9]+\ failed$ ]]; then
        echo "$summary"
        return
    fi
    reason=$(grep -v '^[[:space:]]*$' "$output.err" 2>/dev/null | tail -n 1 || true)
    if [[ -s $output ]]; then
        echo "the driver stopped before its closing line: ${reason:-nothing on standard error}"
    else
        echo "the driver printed nothing: ${reason:-nothing on standard error}"
    fi
}

# One lane: "<dpi>:<build>[ <build>]", every round, in a prefix of its own.
run_lane() {
    local lane=$1 round arch started
    local dpi=${lane%%:*}
    make_prefix "$dpi" "${lane//[: ]/-}"
    for round in $(seq "$repeat"); do
        for arch in ${lane#*:}; do
            started=$SECONDS
            drive "$arch" "$dpi" "$run_dir/suite-$arch-$dpi-$round.txt"
            echo "$((SECONDS - started))" >"$run_dir/suite-$arch-$dpi-$round.seconds"
        done
    done
}

# Screenshots on request: the driver writes <name>.request holding a screen
# rectangle and waits for <name>.png.
watch_screenshots() {
    local directory=$1 request left top width height
    while true; do
        for request in "$directory"/*.request; do
            [[ -e $request ]] || continue
            read -r left top width height <"$request"
            rm -f "$request"
            import -window root -crop "${width}x${height}+${left}+${top}" +repage \
                "${request%.request}.tmp.png"
            mv "${request%.request}.tmp.png" "${request%.request}.png"
        done
        sleep 0.1
    done
}

case $mode in
    suite)
        started=$SECONDS
        boot_prefix
        runners=()
        for lane in "${lanes[@]}"; do
            run_lane "$lane" &
            runners+=($!)
        done
        for runner in "${runners[@]}"; do
            wait "$runner" || true
        done
        passed=0
        for round in $(seq "$repeat"); do
            ok=1
            for dpi in "${densities[@]}"; do
                for arch in x86_64 i686; do
                    output=$run_dir/suite-$arch-$dpi-$round.txt
                    echo "== End-to-end suite, $arch at $dpi dpi (round $round)"
                    cat "$output" 2>/dev/null || true
                    summary=$(outcome "$output")
                    echo "== $arch at $dpi dpi: $summary in" \
                        "$(cat "$run_dir/suite-$arch-$dpi-$round.seconds" 2>/dev/null) s"
                    [[ $summary =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]] &&
                        ((BASH_REMATCH[1] > 0 && BASH_REMATCH[2] == 0)) || ok=0
                done
            done
            passed=$((passed + ok))
        done
        echo "== End-to-end: $passed of $repeat rounds passed (both builds at each density)" \
            "in $((SECONDS - started)) s"
        ((passed == repeat)) && succeeded=1
        ;;
    latency)
        boot_prefix
        make_prefix 96 latency
        for arch in x86_64 i686; do
            echo "== Trigger latency, $arch"
            drive "$arch" 96 "$run_dir/latency-$arch.txt" --latency "$latency_runs"
            cat "$run_dir/latency-$arch.txt"
            # Kept for the bench's table (scripts/run-bench.sh).
            mkdir -p build/e2e
            cp "$run_dir/latency-$arch.txt" build/e2e/
        done
        succeeded=1
        ;;
    visual)
        start_xvfb
        export DISPLAY=$xvfb_display
        boot_prefix
        make_prefix 96 visual
        shots=$run_dir/screenshots
        mkdir -p "$shots"
        start watch_screenshots "$shots"
        drive x86_64 96 "$run_dir/tour.txt" --tour "$(windows_path "$shots")"
        cat "$run_dir/tour.txt"
        if [[ $(tail -n 1 "$run_dir/tour.txt") =~ ^[0-9]+\ passed,\ 0\ failed$ ]]; then
            mkdir -p docs/screenshots
            for picture in "$shots"/*.png; do
                # Few colours, no metadata: small files to commit.
                convert "$picture" -strip -colors 256 "PNG8:docs/screenshots/$(basename "$picture")"
            done
            ls -l docs/screenshots
            succeeded=1
        fi
        ;;
esac
((succeeded))
