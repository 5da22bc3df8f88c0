#!/usr/bin/env bash
# Builds the Debian package of the Linux program (cmake --workflow --preset
# package, in build/package), checks what it holds, with Debian's own checker
# too, and its manual page as man-db reads it, installs it with apt,
# starts the installed program on Qt's offscreen platform, and removes the
# package again. One line per check; exits non-zero if any fails.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# An older version's package would be taken for this one.
rm -f build/package/*.deb
cmake --workflow --preset package
deb=$(echo build/package/*.deb)

work="$(mktemp -d)"
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
tree="$work/tree"
dpkg-deb -x "$deb" "$tree"

# Names as the package holds them.
desktop_entry=$(echo "$tree"/usr/share/applications/*.desktop)
entry_key() { sed -n "s/^$1=//p" "$desktop_entry"; }
program=$(entry_key Exec)
manual_page="$tree/usr/share/man/man1/$program.1.gz"
icon=$(entry_key Icon)
package=$(dpkg-deb -f "$deb" Package)
depends=$(dpkg-deb -f "$deb" Depends)
project_version=$(sed -n 's/^project(.* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

echo "-- $deb"
dpkg-deb -c "$deb"
echo "-- Depends: $depends"

passed=0
failed=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok   $what"
        passed=$((passed + 1))
    else
        echo "FAIL $what"
        failed=$((failed + 1))
    fi
}

# Succeeds when the command does and prints nothing; else shows what it printed.
silent() {
    local output
    output=$("$@" 2>&1) && [[ -z $output ]] && return 0
    printf '%s\n' "$output"
    return 1
}

# Succeeds when the command does; else shows what it printed.
logged() {
    "$@" >"$work/log" 2>&1 || { cat "$work/log"; return 1; }
}

# Succeeds when the command does; shows what it printed either way, so that
# the notes that fail nothing are listed.
shown() {
    local status=0
    "$@" >"$work/log" 2>&1 || status=$?
    sed 's/^/     /' "$work/log"
    return "$status"
}

icons_are_the_artwork() {
    local artwork size installed
    for artwork in resources/linux/icons/*.png; do
        size=$(basename "$artwork" .png)
        installed="$tree/usr/share/icons/hicolor/${size}x$size/apps/$icon.png"
        cmp "$artwork" "$installed" || return 1
        file -b "$installed" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" || return 1
    done
}

only_program_and_data() {
    ! (cd "$tree" && find . -type f) |
        grep -vE "^\./usr/(bin/$program|share/(applications|metainfo|icons/hicolor)/.*|share/doc/$package/(copyright|changelog\.gz)|share/man/man1/$program\.1\.gz)$"
}

# As lintian reads manual pages.
manual_page_warnings() {
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$manual_page" >/dev/null
}

# What apropos and whatis will say of the program.
manual_page_names_program() {
    local said
    said=$(lexgrog "$manual_page" 2>&1)
    [[ $said == *": \"$program - "* ]] || { printf '%s\n' "$said"; return 1; }
}

depends_from_shlibdeps() {
    [[ $depends == *libc6* && $depends == *libqt6widgets6* ]]
}

# Qt's offscreen platform warns at each raise(), which the program calls to
# bring a window forward; desktop platforms do not.
offscreen_noise="This plugin does not support raise()"

runs_quietly() {
    sleep 3
    ! grep -vxF "$offscreen_noise" "$work/stderr" && kill -0 "$pid"
}

ends_on_sigterm() {
    kill -TERM "$pid" || return 1
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid" || true; return 0; }
        sleep 0.1
    done
    return 1
}

apt_get() { apt-get -o DPkg::Lock::Timeout=600 "$@"; }

check "desktop entry valid (desktop-file-validate)" silent desktop-file-validate "$desktop_entry"
check "metainfo valid, launching that entry (appstreamcli; pedantic notes listed)" \
    shown appstreamcli validate-tree --no-net --strict --pedantic "$tree"
check "no error or warning from lintian (info and pedantic tags listed)" \
    shown lintian --display-info --pedantic --fail-on error,warning "$deb"
check "manual page: no warning from groff (man --warnings)" silent manual_page_warnings
check "manual page: its name line (lexgrog)" manual_page_names_program
check "icon $icon: the artwork's PNGs at their sizes" icons_are_the_artwork
check "only the program, its desktop data and its documents" only_program_and_data
check "version $project_version, the project's" [ "$(dpkg-deb -f "$deb" Version)" = "$project_version" ]
check "depends on the libraries dpkg-shlibdeps found" depends_from_shlibdeps
check "installs with apt" logged apt_get install -y --reinstall "./$deb"
check "the entry's Exec is /usr/bin/$program" [ "$(command -v "$program")" = "/usr/bin/$program" ]

mkdir -m 700 "$work/runtime"
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" \
    "/usr/bin/$program" 2>"$work/stderr" &
pid=$!
check "runs 3 s offscreen, nothing on standard error" runs_quietly
check "ends on SIGTERM" ends_on_sigterm
check "removes with apt" logged apt_get remove -y "$package"

echo "$passed passed, $failed failed"
((failed == 0))
