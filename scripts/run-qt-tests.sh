#!/usr/bin/env bash
# Runs the tests of the Linux desktop front end from a built tree (default
# build/linux): the windows under Qt's offscreen platform and again on a bare
# X server (Xvfb), and the logind power actions against python-dbusmock's
# logind on a private system bus; a private session bus carries a mock
# notification daemon and a stand-in StatusNotifierWatcher. This script
# starts and stops all of them.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
tests_dir="${1:-build/linux}/tests/qt"

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=offscreen

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
start_xvfb

failed=0
for test in kalvoro_qt_front_end_test kalvoro_logind_test; do
    echo "== $test"
    "$tests_dir/$test" -silent || failed=1
done
echo "== kalvoro_qt_front_end_test on xcb"
DISPLAY=$xvfb_display QT_QPA_PLATFORM=xcb "$tests_dir/kalvoro_qt_front_end_test" -silent || failed=1
exit "$failed"
