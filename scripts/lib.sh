# Sourced by the scripts that start helpers: waiting for a condition,
# background processes ended by their ids, private D-Bus buses with
# python-dbusmock mocks, a private X server. Sourcing it makes $work, a
# temporary directory; on exit everything started ends, then $work goes (a
# script with an exit trap of its own calls stop_started there).

work=$(mktemp -d)
started_ids=()
trap 'stop_started; rm -rf "$work"' EXIT

# Starts a command in the background and keeps its id (also in $!).
start() {
    "$@" &
    started_ids+=($!)
}

# Last started, first stopped: clients before their server, a mock before
# its bus.
stop_started() {
    local i
    for ((i = ${#started_ids[@]} - 1; i >= 0; i--)); do
        kill "${started_ids[i]}" 2>/dev/null || true
        wait "${started_ids[i]}" 2>/dev/null || true
    done
    started_ids=()
}

# Waits up to $1 seconds for a command to succeed; says so if it does not.
wait_for() {
    local tenths=$(($1 * 10))
    shift
    while ((tenths-- > 0)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "gave up waiting for: $*" >&2
    return 1
}

# A bus of our own standing in for the system or the session bus ($1); the
# session policy lets the mocks own their names there.
start_bus() {
    local socket=$work/$1-bus
    start dbus-daemon --config-file=/usr/share/dbus-1/session.conf --nofork --nopidfile \
        --address="unix:path=$socket" 2>/dev/null
    export "DBUS_${1^^}_BUS_ADDRESS=unix:path=$socket"
    wait_for 10 test -S "$socket"
}

# A python-dbusmock template ($2) on that bus ($1), once it owns its name
# ($3); what follows goes to the mock (-l FILE logs the calls).
start_mock() {
    local bus=$1 template=$2 name=$3
    shift 3
    start /usr/bin/python3 -m dbusmock "--$bus" --template "$template" "$@" >/dev/null
    wait_for 10 dbus-send "--$bus" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetNameOwner "string:$name"
}

# A bare X server on a free display, named by $xvfb_display (":N").
start_xvfb() {
    start Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/xvfb-display" 2>/dev/null
    wait_for 10 test -s "$work/xvfb-display"
    xvfb_display=:$(cat "$work/xvfb-display")
}
