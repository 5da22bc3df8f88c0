#!/usr/bin/env bash
# Tries the Linux program on headless Wayland desktops with Xwayland, as a user
# would meet it: the program is armed for a second a few seconds ahead from its
# main window, then a focused full-screen X11 window (xterm) takes over, as a
# film or a game would. When the countdown opens, the script reads from
# outside where it stands, whether it is above the full-screen window and has
# the focus, which frame buttons the windows get, and whether logind (a mock
# on a private system bus) was asked to power off; it saves a screenshot where
# the compositor allows one. Where the program says the countdown may open out
# of sight (sway), it presses the action of the notification that announces
# it. Checks at the end what each desktop must give the user, one line each,
# then "N passed, N failed". Installs what is missing (Debian packages).
#
#   scripts/try-desktops.sh [-p PROGRAM] [mutter|kwin|sway ...]   (default: all three)
#
# PROGRAM defaults to build/linux/src/ui/qt/kalvoro-xp. The session looks like
# a real one (WAYLAND_DISPLAY, DISPLAY, XDG_SESSION_TYPE=wayland), so the
# program picks its Qt platform itself; set QT_QPA_PLATFORM (xcb, wayland) to
# compare. Screenshots go to KALVORO_SHOTS (default /tmp/try-desktops).
# Everything started is ended by its id; the temporary files go.
set -euo pipefail
cd "$(dirname "$0")/.."

program=build/linux/src/ui/qt/kalvoro-xp
if [[ ${1:-} == -p ]]; then
    program=${2:?}
    shift 2
fi
compositors=("${@:-mutter kwin sway}")
read -ra compositors <<<"${compositors[*]}"
program=$(realpath "$program")
# The program's platform, if the caller chose one; the compositors (KWin is a
# Qt program too) start without it.
chosen_platform=${QT_QPA_PLATFORM:-}
unset QT_QPA_PLATFORM
shots=${KALVORO_SHOTS:-/tmp/try-desktops}
# The entered second lies this far ahead of the arming: enough to make the
# xterm full-screen and to type into it first.
readonly lead=8

# One row per compositor: its packages, the desktop it stands for, how to make
# the xterm full-screen and focused, how to read the windows of an X11 and of
# a Wayland program, how to type into a Wayland window, how to take a
# screenshot. Each name after the packages is a function below.
declare -A packages=(
    [mutter]="mutter"
    [kwin]="kwin-wayland kwin-style-breeze plasma-wayland-protocols libwayland-dev gcc"
    [sway]="sway grim wtype mako-notifier"
)
declare -A desktop=([mutter]=GNOME [kwin]=KDE [sway]=sway)
declare -A fullscreen=([mutter]=fullscreen_x11 [kwin]=fullscreen_x11 [sway]=fullscreen_sway)
declare -A x11_reader=([mutter]=read_x11 [kwin]=read_x11 [sway]=read_sway)
declare -A wayland_reader=([mutter]=read_nothing [kwin]=read_kwin [sway]=read_sway)
declare -A wayland_keys=([mutter]=keys_mutter [kwin]=keys_kwin [sway]=keys_wtype)
declare -A screenshot=([mutter]=shot_none [kwin]=shot_kwin [sway]=shot_grim)
# Where the countdown may open out of sight, the program announces it by a
# notification too: sway's usual daemon stands by, on the layer above
# full-screen windows (its default layer lies below them).
declare -A notifier=([mutter]=: [kwin]=: [sway]=start_mako)
# What every trial needs: Xwayland and X11 tools, the xterm, the buses and the
# mock, Qt's Wayland platform (real GNOME and KDE machines have it).
readonly common_packages="xwayland xdotool wmctrl x11-utils x11-apps x11-xserver-utils xterm
    dbus python3-dbusmock qt6-wayland imagemagick"
# sway refuses to run as root: it runs as this user, the clients as root.
readonly sway_user=desktop-trial

install_missing() {
    local missing=() package
    for package in $common_packages "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    export DEBIAN_FRONTEND=noninteractive
    apt-get -o DPkg::Lock::Timeout=600 update -qq
    apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

work=""
started=()
stop_started() {
    # Last started, first stopped: clients before the compositor, the mock
    # before its bus.
    local i
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        kill "${started[i]}" 2>/dev/null || true
        wait "${started[i]}" 2>/dev/null || true
    done
    started=()
    [[ -z $work ]] || rm -rf "$work"
    work=""
}
trap stop_started EXIT

# Waits up to $1 tenths of a second for a command to succeed.
wait_for() {
    local tenths=$1
    shift
    for ((i = 0; i < tenths; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Prints one fact of the trial and keeps it for the table at the end.
declare -A results=()
fact() {
    printf '%-7s %-16s %s\n' "$compositor" "$1:" "$2"
    results[$compositor/$1]=$2
}

# --- Starting a compositor. Each runs $work/session.sh once its Wayland and
# X11 displays are up; the script leaves their names in $work/session.env.

write_session_script() {
    cat >"$work/session.sh" <<EOF
#!/bin/sh
echo \$\$ >"$work/share/session.pid"
# The X display of a compositor run by another user lets root's clients in.
[ "\$(id -u)" = 0 ] || xhost +si:localuser:root >/dev/null
env | grep -E '^(WAYLAND_DISPLAY|DISPLAY|XAUTHORITY)=' >"$work/share/session.env.part"
mv "$work/share/session.env.part" "$work/share/session.env"
exec sleep 86400
EOF
    chmod 755 "$work/session.sh"
}

start_mutter() {
    mutter --headless --virtual-monitor 1024x768 --wayland -- "$work/session.sh" \
        >"$work/compositor.log" 2>&1 &
    started+=($!)
}

start_kwin() {
    local kwin=/usr/bin/kwin_wayland
    # Its file capability (cap_sys_resource) is outside this machine's bounding
    # set, so the kernel refuses to run it; a copy without it runs. KWin loads
    # its own Qt platform only under its own name.
    if ! "$kwin" --version >/dev/null 2>&1; then
        mkdir -p "$work/kwin"
        cp "$kwin" "$work/kwin/kwin_wayland"
        kwin=$work/kwin/kwin_wayland
    fi
    # No permission checks: its fake input (typing) answers any client. Its
    # screenshot interface answers the programs whose desktop entry names it:
    # one names Python.
    mkdir -p "$work/data/applications"
    printf '%s\n' '[Desktop Entry]' Type=Application Name=screenshot \
        "Exec=$(readlink -f /usr/bin/python3)" \
        X-KDE-DBUS-Restricted-Interfaces=org.kde.KWin.ScreenShot2 \
        >"$work/data/applications/screenshot.desktop"
    KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 QT_LOGGING_RULES='kwin_scripting=true' \
        XDG_DATA_DIRS="$work/data:/usr/share" \
        "$kwin" --virtual --width 1024 --height 768 --xwayland --no-lockscreen \
        --no-global-shortcuts --no-kactivities "$work/session.sh" >"$work/compositor.log" 2>&1 &
    started+=($!)
}

start_sway() {
    id "$sway_user" >/dev/null 2>&1 || useradd --create-home "$sway_user"
    chown "$sway_user" "$XDG_RUNTIME_DIR" "$work/share"
    printf '%s\n' 'xwayland enable' 'output HEADLESS-1 resolution 1024x768' \
        "exec $work/session.sh" >"$work/sway.conf"
    # setpriv execs sway itself, so that its id is the one to end.
    env -i PATH=/usr/bin:/bin HOME="/home/$sway_user" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
        WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        setpriv --reuid="$sway_user" --regid="$sway_user" --init-groups \
        sway -c "$work/sway.conf" >"$work/compositor.log" 2>&1 &
    started+=($!)
}

swaymsg_() { SWAYSOCK=$(echo "$XDG_RUNTIME_DIR"/sway-ipc.*.sock) swaymsg "$@"; }

start_mako() {
    mako --layer overlay >"$work/mako.log" 2>&1 &
    started+=($!)
    wait_for 50 makoctl list
}

# The program's notification, and its action pressed as a user would.
cancel_by_notice() {
    local notice
    notice=$(makoctl list | /usr/bin/python3 -c '
import json, sys
for n in json.load(sys.stdin)["data"][0]:
    if n["app-name"]["data"] == "Kalvoro XP":
        print(n["id"]["data"], n["body"]["data"], "|", " ".join(n["actions"]["data"].values()))
')
    fact notice "${notice#* }"
    [[ -n $notice ]] && makoctl invoke -n "${notice%% *}" button
    if wait_for 50 eval '! kill -0 $program_pid'; then
        fact cancelled "yes, the program ended"
    else
        fact cancelled "no"
    fi
}

# --- Making the xterm full-screen and focused.

fullscreen_x11() {
    wmctrl -i -r "$xterm" -b add,fullscreen
    xdotool windowactivate "$xterm"
}

fullscreen_sway() { swaymsg_ "[pid=$xterm_pid] fullscreen enable, focus" >/dev/null; }

# --- Typing into the program's main window: "tab", "select-all", "enter" or
# any other word as text.

keys_xdotool() {
    local key
    for key; do
        case $key in
            tab) xdotool key Tab ;;
            select-all) xdotool key ctrl+a ;;
            enter) xdotool key Return ;;
            *) xdotool type --delay 30 "$key" ;;
        esac
        sleep 0.2
    done
}

# One wtype for all, a Shift first: each wtype brings a new virtual keyboard,
# and Qt missed the first key after a new keymap.
keys_wtype() {
    local key args=(-k Shift_L)
    for key; do
        case $key in
            tab) args+=(-k Tab) ;;
            select-all) args+=(-M ctrl -k a -m ctrl) ;;
            enter) args+=(-k Return) ;;
            *) args+=("$key") ;;
        esac
    done
    wtype -d 30 "${args[@]}"
}

# Mutter and KWin offer no virtual keyboard to Wayland clients: their own
# interfaces press keys by evdev code. One press a line, codes held together
# joined by "+".
key_codes() {
    local word i char
    local -A named=([tab]=15 [select-all]=29+30 [enter]=28)
    local -A codes=([1]=2 [2]=3 [3]=4 [4]=5 [5]=6 [6]=7 [7]=8 [8]=9 [9]=10 [0]=11 [:]=42+39)
    # A Shift first: the first key of a session did not arrive under mutter.
    echo 42
    for word; do
        if [[ -v "named[$word]" ]]; then
            echo "${named[$word]}"
        else
            for ((i = 0; i < ${#word}; i++)); do
                char=${word:i:1}
                echo "${codes[$char]}"
            done
        fi
    done
}

# Mutter's remote desktop interface (its keysyms did not arrive here; codes do).
keys_mutter() {
    key_codes "$@" | /usr/bin/python3 -c '
import sys, time, dbus
bus = dbus.SessionBus()
service = "org.gnome.Mutter.RemoteDesktop"
path = bus.get_object(service, "/org/gnome/Mutter/RemoteDesktop").CreateSession(
    dbus_interface=service)
session = dbus.Interface(bus.get_object(service, path), service + ".Session")
session.Start()
for line in sys.stdin:
    keys = [dbus.UInt32(int(key)) for key in line.split("+")]
    for key in keys:
        session.NotifyKeyboardKeycode(key, True)
    for key in reversed(keys):
        session.NotifyKeyboardKeycode(key, False)
    time.sleep(0.1)
time.sleep(0.5)
session.Stop()
'
}

# KWin's fake input protocol, through a small client built here.
keys_kwin() {
    local protocol=/usr/share/plasma-wayland-protocols/fake-input.xml
    if [[ ! -x $work/fake_keys ]]; then
        wayland-scanner client-header "$protocol" "$work/fake-input.h"
        wayland-scanner private-code "$protocol" "$work/fake-input.c"
        cat >"$work/fake_keys.c" <<'EOF'
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <wayland-client.h>
#include "fake-input.h"

static struct org_kde_kwin_fake_input *input;

static void global(void *data, struct wl_registry *registry, uint32_t name,
                   const char *interface, uint32_t version) {
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
}
static void global_remove(void *data, struct wl_registry *registry, uint32_t name) {}
static const struct wl_registry_listener listener = {global, global_remove};

int main(void) {
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) return 1;
    wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
    wl_display_roundtrip(display);
    if (!input) return 1;
    org_kde_kwin_fake_input_authenticate(input, "try-desktops", "types into the program");
    char line[64];
    while (fgets(line, sizeof line, stdin)) {
        unsigned keys[8], n = 0;
        for (char *key = strtok(line, "+\n"); key && n < 8; key = strtok(NULL, "+\n"))
            keys[n++] = (unsigned)atoi(key);
        for (unsigned i = 0; i < n; i++) org_kde_kwin_fake_input_keyboard_key(input, keys[i], 1);
        for (unsigned i = n; i-- > 0;) org_kde_kwin_fake_input_keyboard_key(input, keys[i], 0);
        wl_display_roundtrip(display);
        usleep(100000);
    }
    wl_display_disconnect(display);
    return 0;
}
EOF
        cc -o "$work/fake_keys" -I"$work" "$work/fake_keys.c" "$work/fake-input.c" -lwayland-client
    fi
    key_codes "$@" | "$work/fake_keys"
}

# --- Reading the countdown's place, stacking and focus. Each reader prints
# "place X,Y", "above yes|no", "focused yes|no" for the program's newest
# window, or nothing when that window cannot be seen.

read_x11() {
    local countdown=$1 stacking active
    xwininfo -id "$countdown" |
        awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
             END {print "place " x "," y " (client area)"}'
    # Bottom to top, as the window manager keeps it.
    stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
    # Each id between spaces of its own, so that neighbours match too.
    if [[ " $(printf '%d  ' $stacking)" == *" $((xterm)) "*" $((countdown)) "* ]]; then
        echo "above yes (stacking, bottom to top: $stacking)"
    else
        echo "above no (stacking, bottom to top: $stacking)"
    fi
    active=$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //')
    [[ $((active)) == $((countdown)) ]] && echo "focused yes" || echo "focused no (active: $active)"
}

# sway draws a full-screen view over everything of its workspace: what the
# tree calls visible is what shows.
read_sway() {
    swaymsg_ -t get_tree | /usr/bin/python3 -c '
import json, sys
pid = int(sys.argv[1])
def walk(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from walk(child)
views = [n for n in walk(json.load(sys.stdin)) if n.get("pid") == pid]
if len(views) > 1:
    view = max(views, key=lambda n: n["id"])
    rect, inner = view["rect"], view["window_rect"]
    print(f"place {rect['"'"'x'"'"'] + inner['"'"'x'"'"']},{rect['"'"'y'"'"'] + inner['"'"'y'"'"']}"
          f" (client area; {view['"'"'type'"'"']}, shell {view.get('"'"'shell'"'"')})")
    print("above", "yes" if view["visible"] else "no (not visible)")
    print("focused", "yes" if view["focused"] else "no")
' "$program_pid"
}

# A KWin script lists the windows in KWin's log; the program's newest one
# counts. A Wayland window's place is its frame's, Qt's own title bar included.
read_kwin() {
    local name=windows-$RANDOM id
    echo 'print("windows: " + workspace.clientList().map(w => [w.pid, w.stackingOrder,
        w.active, w.frameGeometry.x, w.frameGeometry.y].join(" ")).join(";"));' >"$work/$name.js"
    id=$(dbus-send --session --print-reply=literal --dest=org.kde.KWin /Scripting \
        org.kde.kwin.Scripting.loadScript string:"$work/$name.js" string:"$name" | awk '{print $2}')
    dbus-send --session --print-reply --dest=org.kde.KWin "/$id" org.kde.kwin.Script.run >/dev/null
    sleep 0.3
    dbus-send --session --print-reply --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.unloadScript \
        string:"$name" >/dev/null
    grep -a 'windows: ' "$work/compositor.log" | tail -1 | sed 's/.*windows: //' | tr ';' '\n' |
        awk -v pid="$program_pid" -v xterm="$xterm_pid" '
            $1 == pid {n++; order = $2; active = $3; place = $4 "," $5}
            $1 == xterm {xterm_order = $2}
            END {
                if (n < 2) exit
                print "place " place " (frame: Qt'"'"'s title bar included)"
                print "above " (order > xterm_order ? "yes" : "no") " (stacking order " order " against " xterm_order ")"
                print "focused " (active == "true" ? "yes" : "no")
            }'
}

read_nothing() { :; }

# --- Screenshots.

shot_grim() { WAYLAND_DISPLAY=$WAYLAND_DISPLAY grim "$1"; }

# KWin's screenshot interface writes raw pixels into a pipe it is handed.
shot_kwin() {
    /usr/bin/python3 - "$1" <<'EOF'
import os, subprocess, sys, dbus
read_end, write_end = os.pipe()
shot = dbus.SessionBus().get_object('org.kde.KWin', '/org/kde/KWin/ScreenShot2')
meta = shot.CaptureWorkspace({}, dbus.types.UnixFd(write_end),
                             dbus_interface='org.kde.KWin.ScreenShot2')
os.close(write_end)
with os.fdopen(read_end, 'rb') as pipe:
    pixels = pipe.read()
width, height, stride = int(meta['width']), int(meta['height']), int(meta['stride'])
rows = b''.join(pixels[y * stride:y * stride + width * 4] for y in range(height))
subprocess.run(['convert', '-size', f'{width}x{height}', '-depth', '8', 'bgra:-', sys.argv[1]],
               input=rows, check=True)
EOF
}

shot_none() { return 1; }

# --- One trial.

# The program's windows on the X display, shown ones only.
x11_windows() { xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null || true; }

frames_x11() {
    local window=$1 name=$2
    fact "$name" "$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS | sed 's/.*= //;s/_NET_WM_ACTION_//g') \
(window manager); motif hints $(xprop -id "$window" _MOTIF_WM_HINTS | sed 's/.*= //') (program);\
 frame extents $(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //')"
}

try_desktop() {
    compositor=$1
    local begun=$SECONDS platform main="" countdown="" facts due poweroff shot
    install_missing ${packages[$compositor]}
    local installed=$SECONDS

    work=$(mktemp -d)
    chmod 755 "$work"
    mkdir -m 777 "$work/share" && mkdir -m 700 "$work/runtime"
    export XDG_RUNTIME_DIR=$work/runtime XDG_SESSION_TYPE=wayland
    export XDG_CURRENT_DESKTOP=${desktop[$compositor]}

    # Private session and system buses; the mock answers as logind.
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/session_bus" 2>/dev/null &
    started+=($!)
    dbus-daemon --config-file=/usr/share/dbus-1/session.conf --nofork --nopidfile \
        --address="unix:path=$work/system_bus" 2>/dev/null &
    started+=($!)
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/session_bus
    export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/system_bus
    wait_for 100 test -S "$work/system_bus"
    /usr/bin/python3 -m dbusmock --system --template logind -l "$work/logind.log" \
        >/dev/null 2>&1 &
    started+=($!)
    wait_for 100 dbus-send --system --print-reply --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.GetNameOwner string:org.freedesktop.login1

    write_session_script
    "start_$compositor"
    if ! wait_for 300 test -s "$work/share/session.env"; then
        fact started "no: $(tail -3 "$work/compositor.log" | tr '\n' ' ')"
        stop_started
        return
    fi
    started+=("$(cat "$work/share/session.pid")")
    set -a
    source "$work/share/session.env"
    set +a
    [[ $WAYLAND_DISPLAY == /* ]] || WAYLAND_DISPLAY=$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY
    fact started "$(( SECONDS - installed )) s after the start (WAYLAND_DISPLAY $(basename "$WAYLAND_DISPLAY"), DISPLAY $DISPLAY)"

    xterm -title full-screen -geometry 80x24+100+100 2>/dev/null &
    xterm_pid=$!
    started+=($xterm_pid)
    xterm=$(xdotool search --sync --onlyvisible --pid "$xterm_pid" | head -1)

    "${notifier[$compositor]}"
    env ${chosen_platform:+QT_QPA_PLATFORM=$chosen_platform} "$program" >"$work/program.log" 2>&1 &
    program_pid=$!
    started+=($program_pid)
    # The program is on X when a window of its own shows there.
    platform=wayland
    wait_for 100 xdotool search --onlyvisible --pid "$program_pid" && platform=xcb
    [[ $platform == xcb ]] && main=$(x11_windows | head -1)
    fact platform "$platform${chosen_platform:+ (QT_QPA_PLATFORM=$chosen_platform)}"

    # Arming: Tab leads from the clock to the entry field, whose text the
    # typing replaces; Enter presses the default button, Activer.
    local due_epoch=$(($(date +%s) + lead)) keys=keys_xdotool
    due=$(date -d "@$due_epoch" +%H:%M:%S)
    if [[ $platform == wayland ]]; then
        keys=${wayland_keys[$compositor]}
    else
        xdotool windowactivate "$main"
    fi
    sleep 1
    "$keys" tab select-all "$due" enter
    fact armed "for $due"

    # The user now works in a full-screen window.
    sleep 1
    "${fullscreen[$compositor]}"
    sleep 0.5
    xdotool type --delay 100 "ls"

    # The countdown: a new window of the program, looked for until a few
    # seconds past the entered second.
    local reader=${x11_reader[$compositor]}
    [[ $platform == wayland ]] && reader=${wayland_reader[$compositor]}
    while (($(date +%s) < due_epoch + 5)); do
        if [[ $platform == xcb ]]; then
            countdown=$(x11_windows | grep -vx "$main" | head -1 || true)
            [[ -z $countdown ]] || break
        elif [[ -n $($reader) ]]; then
            break
        fi
        sleep 0.1
    done
    sleep 0.5
    facts=$($reader "$countdown")
    if [[ -n $facts ]]; then
        while read -r name value; do fact "$name" "$value"; done <<<"$facts"
    else
        fact place "not seen from outside"
    fi
    if [[ $platform == xcb ]]; then
        frames_x11 "$main" main-frame
        [[ -n $countdown ]] && frames_x11 "$countdown" countdown-frame
    fi
    mkdir -p "$shots"
    shot=$shots/$compositor-$platform.png
    if "${screenshot[$compositor]}" "$shot" 2>/dev/null; then
        fact shot "$shot"
    else
        fact shot "none (no way to take one here)"
    fi

    # What the program said of this desktop, and the notification it sent.
    fact said "$(head -c 300 "$work/program.log" | tr '\n' ' ')"
    [[ ${notifier[$compositor]} == : ]] || cancel_by_notice

    # The countdown lasts 12 s; logind's PowerOff should follow it, unless
    # the notification cancelled it.
    wait_for 250 grep -q PowerOff "$work/logind.log" || true
    if poweroff=$(grep -m1 PowerOff "$work/logind.log"); then
        fact poweroff "yes, $(awk -v due="$due_epoch" '{printf "%.1f", $1 - due}' <<<"$poweroff") s after the entered second"
    else
        fact poweroff "no"
    fi
    stop_started
    fact took "$((SECONDS - installed)) s, $((installed - begun)) s more for installing"
}

for compositor in "${compositors[@]}"; do
    [[ -v "packages[$compositor]" ]] || { echo "unknown compositor: $compositor" >&2; exit 2; }
done
for compositor in "${compositors[@]}"; do
    try_desktop "$compositor"
done

# The first word of each fact; "-" where it was not read.
echo
printf '%-8s %-9s %-10s %-6s %-8s %s\n' compositor platform place above focused poweroff
for compositor in "${compositors[@]}"; do
    row=("$compositor")
    for name in platform place above focused poweroff; do
        value=${results[$compositor/$name]:--}
        row+=("${value%% *}")
    done
    printf '%-8s %-9s %-10s %-6s %-8s %s\n' "${row[@]}"
done

# What each desktop must give the user: the countdown at its corner, above
# the full-screen window and focused; or, where it cannot, the notification
# whose action cancels, and no power off.
declare -A expected=([mutter]=in-sight [kwin]=in-sight [sway]=announced)
passed=0
failed=0
check() {
    if [[ $3 ]]; then
        echo "ok   $1"
        passed=$((passed + 1))
    else
        echo "FAIL $1: $2"
        failed=$((failed + 1))
    fi
}
echo
for compositor in "${compositors[@]}"; do
    get() { echo "${results[$compositor/$1]:-}"; }
    if [[ ${expected[$compositor]} == in-sight ]]; then
        place=$(get place)
        IFS=, read -r x y <<<"${place%% *}"
        check "$compositor: the countdown's frame stands at the top-left corner" "$place" \
            "$( ((${x:-999} < 20 && ${y:-999} < 60)) && echo yes)"
        check "$compositor: it is above the focused full-screen window" "$(get above)" \
            "$([[ $(get above) == yes* ]] && echo yes)"
        check "$compositor: it has the focus" "$(get focused)" "$([[ $(get focused) == yes* ]] && echo yes)"
    else
        check "$compositor: a notification announces it, with its button" "$(get notice)" \
            "$([[ $(get notice) == *seconde*"| Annuler" ]] && echo yes)"
        check "$compositor: the notification's action cancels" "$(get cancelled) / poweroff $(get poweroff)" \
            "$([[ $(get cancelled) == yes* && $(get poweroff) == no ]] && echo yes)"
    fi
done
echo "$passed passed, $failed failed"
((failed == 0))
