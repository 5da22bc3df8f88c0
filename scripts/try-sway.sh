#!/usr/bin/env bash
# Tries the Linux program on sway (headless, Wayland with Xwayland) as a user
# would meet it: armed from its main window for a second a few seconds ahead,
# while a focused full-screen X11 window (xterm) takes over, as a film or a
# game would. sway places and stacks windows itself, so the program announces
# the countdown by a notification too (mako, sway's usual daemon, on the layer
# above full-screen windows). The trial reads where the countdown stands,
# saves a screenshot, presses the notification's action as a user would and
# checks that it cancels: no PowerOff reaches logind (a mock on a private
# system bus). One line per fact, then the checks and "N passed, N failed".
# Installs what is missing (Debian packages).
#
#   scripts/try-sway.sh [PROGRAM]   (default build/linux/src/ui/qt/kalvoro-xp)
#
# The session looks like a real one (WAYLAND_DISPLAY, DISPLAY,
# XDG_SESSION_TYPE=wayland): the program picks its Qt platform itself unless
# QT_QPA_PLATFORM is set. The screenshot goes to KALVORO_SHOTS (default
# /tmp/try-desktops).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

program=$(realpath "${1:-build/linux/src/ui/qt/kalvoro-xp}")
shots=${KALVORO_SHOTS:-/tmp/try-desktops}
# The entered second lies this far ahead of the arming: enough to make the
# xterm full-screen and to type into it first.
readonly lead=8
# sway refuses to run as root: it runs as this user, the clients as root.
readonly sway_user=desktop-trial

fact() { printf '%-10s %s\n' "$1:" "$2"; }

begun=$SECONDS
missing=()
for package in sway xwayland x11-xserver-utils xterm grim wtype mako-notifier jq dbus \
    python3-dbusmock qt6-wayland; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    export DEBIAN_FRONTEND=noninteractive
    apt-get -o DPkg::Lock::Timeout=600 update -qq
    apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
installed=$SECONDS

chmod 755 "$work"
mkdir -m 777 "$work/share" && mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway
start_bus system
start_mock system logind org.freedesktop.login1 -l "$work/logind.log"
start_bus session

# Once sway is up, its X display lets root's clients in, and its environment
# is left in share/env for them.
id "$sway_user" >/dev/null 2>&1 || useradd --create-home "$sway_user"
chown "$sway_user" "$XDG_RUNTIME_DIR" "$work/share"
printf '%s\n' 'xwayland enable' 'output HEADLESS-1 resolution 1024x768' \
    "exec xhost +si:localuser:root && env >$work/share/env.part && mv $work/share/env.part $work/share/env" \
    >"$work/sway.conf"
# setpriv execs sway itself, so that its id is the one to end.
start env -i PATH=/usr/bin:/bin HOME="/home/$sway_user" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    setpriv --reuid="$sway_user" --regid="$sway_user" --init-groups \
    sway -c "$work/sway.conf" >"$work/sway.log" 2>&1
wait_for 30 test -s "$work/share/env" || { tail -5 "$work/sway.log" >&2; exit 1; }
session() { sed -n "s/^$1=//p" "$work/share/env"; }
export WAYLAND_DISPLAY=$(session WAYLAND_DISPLAY) DISPLAY=$(session DISPLAY) SWAYSOCK=$(session SWAYSOCK)
fact started "$((SECONDS - installed)) s after the start (WAYLAND_DISPLAY $WAYLAND_DISPLAY, DISPLAY $DISPLAY)"

start xterm -title full-screen -geometry 80x24+100+100 2>/dev/null
xterm=$!
wait_for 10 swaymsg "[pid=$xterm] nop"
start mako --layer overlay >"$work/mako.log" 2>&1
wait_for 5 makoctl list
start "$program" >"$work/program.log" 2>&1
program_pid=$!

# The program's windows in sway's tree, oldest first: shell, the client
# area's place, whether it shows (a full-screen view covers all else of its
# workspace) and has the focus, and its kind of container.
windows() {
    swaymsg -t get_tree | jq -r --argjson pid "$program_pid" '[recurse(.nodes[]?, .floating_nodes[]?)
        | select(.pid == $pid)] | sort_by(.id)[] | "\(.shell) \(.rect.x + .window_rect.x),\(
        .rect.y + .window_rect.y) \(.visible) \(.focused) \(.type)"'
}
wait_for 10 eval '[[ -n $(windows) ]]'
platform=$(windows | head -1 | sed 's/^xwayland .*/xcb/; s/^xdg_shell .*/wayland/')
fact platform "$platform${QT_QPA_PLATFORM:+ (QT_QPA_PLATFORM=$QT_QPA_PLATFORM)}"

# Arming: Tab leads from the clock to the entry field, whose text the typing
# replaces; Enter presses the default button, Activer. A Shift first: each
# wtype brings a new virtual keyboard, and Qt missed the first key after a
# new keymap.
due_epoch=$(($(date +%s) + lead))
due=$(date -d "@$due_epoch" +%H:%M:%S)
swaymsg "[pid=$program_pid] focus" >/dev/null
sleep 1
wtype -d 30 -k Shift_L -k Tab -M ctrl -k a -m ctrl "$due" -k Return
fact armed "for $due"

# The user now works in a full-screen window.
sleep 1
swaymsg "[pid=$xterm] fullscreen enable, focus" >/dev/null
sleep 0.5
wtype -d 100 -k Shift_L ls

# The countdown: a new window of the program, looked for until a few seconds
# past the entered second.
while (($(date +%s) < due_epoch + 5)) && (($(windows | wc -l) < 2)); do
    sleep 0.1
done
sleep 0.5
if (($(windows | wc -l) > 1)); then
    read -r shell place visible focused kind <<<"$(windows | tail -1)"
    fact place "$place (client area; $kind, shell $shell)"
    fact above "$([[ $visible == true ]] && echo yes || echo "no (not visible)")"
    fact focused "$([[ $focused == true ]] && echo yes || echo no)"
else
    fact place "not seen from outside"
fi
mkdir -p "$shots"
grim "$shots/sway-$platform.png" && fact shot "$shots/sway-$platform.png"

# What the program said of this desktop, and its notification's action
# pressed as a user would.
fact said "$(head -c 300 "$work/program.log" | tr '\n' ' ')"
notice=$(makoctl list | jq -r '.data[0][] | select(."app-name".data == "Kalvoro XP")
    | "\(.id.data) \(.body.data) | \([.actions.data[]] | join(" "))"')
fact notice "${notice#* }"
[[ -z $notice ]] || makoctl invoke -n "${notice%% *}" button
cancelled=no
wait_for 5 eval '! kill -0 $program_pid' 2>/dev/null && cancelled="yes, the program ended"
fact cancelled "$cancelled"

# The countdown lasts 12 s; logind's PowerOff follows it unless cancelled.
wait_for 25 grep -q PowerOff "$work/logind.log" 2>/dev/null || true
poweroff=$(grep -m1 PowerOff "$work/logind.log" || echo no)
fact poweroff "$poweroff"
fact took "$((SECONDS - installed)) s, $((installed - begun)) s more for installing"

# Where the countdown may open out of sight, the user must be told, and able
# to cancel from there.
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
check "sway: a notification announces it, with its button" "$notice" \
    "$([[ $notice == *seconde*"| Annuler" ]] && echo yes)"
check "sway: the notification's action cancels" "$cancelled / poweroff $poweroff" \
    "$([[ $cancelled == yes* && $poweroff == no ]] && echo yes)"
echo "$passed passed, $failed failed"
((failed == 0))
