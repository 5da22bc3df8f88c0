#!/usr/bin/env bash
# Runs the tests of the Linux desktop front end from a built tree (default
# build/linux): the windows under Qt's offscreen platform and again on a bare
# X server (Xvfb), and the logind power actions against python-dbusmock's
# logind on a private system bus; a private session bus carries a mock
# notification daemon and a stand-in StatusNotifierWatcher. This script
# starts and stops all of them.
set -euo pipefail
cd "$(dirname "$0")/.."
tests_dir="${1:-build/linux}/tests/qt"

work="$(mktemp -d)"
started=()
stop_started() {
    # Last started, first stopped: the mock before its bus.
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        kill "${started[i]}" 2>/dev/null || true
        wait "${started[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap stop_started EXIT

# Waits up to 10 s for a command to succeed.
wait_for() {
    for _ in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "gave up waiting for: $*" >&2
    return 1
}

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=offscreen

# Buses of our own stand in for the system and the session bus; the session
# policy lets the mocks own their names there.
start_bus() {
    local socket="$work/$1_bus_socket"
    dbus-daemon --config-file=/usr/share/dbus-1/session.conf --nofork --nopidfile \
        --address="unix:path=$socket" 2>/dev/null &
    started+=($!)
    export "DBUS_${1^^}_BUS_ADDRESS=unix:path=$socket"
    wait_for test -S "$socket"
}

# A python-dbusmock template on that bus, once it owns its name.
start_mock() {
    local bus=$1 template=$2 name=$3
    /usr/bin/python3 -m dbusmock "--$bus" --template "$template" >/dev/null &
    started+=($!)
    wait_for dbus-send "--$bus" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetNameOwner "string:$name"
}

start_bus system
start_mock system logind org.freedesktop.login1
# The notification area that Qt's icon meets: a notification daemon and a
# stand-in StatusNotifierWatcher.
start_bus session
start_mock session notification_daemon org.freedesktop.Notifications
start_mock session "$PWD/tests/qt/status_notifier_watcher.py" org.kde.StatusNotifierWatcher

# A bare X server of our own, for the window tests once more on xcb: there a
# window that does not ask for the focus does not get it, while the offscreen
# platform gives it to every window shown.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
started+=($!)
wait_for test -s "$work/display"

failed=0
for test in kalvoro_qt_front_end_test kalvoro_logind_test; do
    echo "== $test"
    "$tests_dir/$test" -silent || failed=1
done
echo "== kalvoro_qt_front_end_test on xcb"
DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb \
    "$tests_dir/kalvoro_qt_front_end_test" -silent || failed=1
exit "$failed"
