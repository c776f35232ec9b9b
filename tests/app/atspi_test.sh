#!/usr/bin/env bash
# The program as a screen reader sees it: started under a virtual screen, in a D-Bus session of
# its own with the accessibility bus, and read over AT-SPI by atspi_check.py.
#   atspi_test.sh PROGRAM
# Needs no session bus nor display of its own: it starts both, so it runs as root in a container.
set -euo pipefail
program="$(realpath "$1")"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ "${ORX740_INSIDE_SESSION:-}" != "1" ]; then
    work="$(mktemp -d)"
    trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
    # A free display number: Xvfb names the one it took.
    Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
    export DISPLAY=":$(cat "$work/display")" HOME="$work" XDG_CONFIG_HOME="$work/.config"
    export XDG_RUNTIME_DIR="$work/run" ORX740_INSIDE_SESSION=1
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    exec 3>&-
    dbus-run-session -- "$0" "$@"
    exit $?
fi

# Inside the private session: the accessibility bus and its registry, then the program.
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
pids=("$launcher")
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done' EXIT
# The staged installation's settings, copied so the run leaves nothing behind; English.
stage="$HOME/stage"
mkdir -p "$stage"
cp -r "$(dirname "$program")" "$stage/bin"
cp -r "$(dirname "$program")/../language" "$(dirname "$program")/../Version.ini" "$stage/"
printf '[language]\r\nIsFirstRun=0\r\ncomPort=1\r\nCurrentLanguage=1\r\n' \
    >"$stage/language/mysetup.ini"
# Under AddressSanitizer: the X keyboard library strndup()s a buffer that is not NUL-terminated
# but long enough, which strict string checks count as an overflow; ours are checked elsewhere.
if [ -n "${ASAN_OPTIONS:-}" ]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 \
    LANG=C.UTF-8 "$stage/bin/$(basename "$program")" &
pids+=($!)
/usr/bin/python3 "$here/atspi_check.py" "$!"
