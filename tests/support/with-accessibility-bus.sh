#!/usr/bin/env bash
# Runs a command on a D-Bus session bus of its own on which the accessibility (AT-SPI) bus runs,
# as a desktop has them, so that a test can read the player as a screen reader does
# (tests/main/AccessibilityWalk.py). Programs do not talk to that bus unless asked
# (QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1), so other tests are not slowed down by it.
#
#   tests/support/with-accessibility-bus.sh COMMAND [ARGS...]
#
# Exit status: the command's.
set -u
if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGS...]" >&2
    exit 64
fi
if [ -z "${QVRL_ACCESSIBILITY_BUS:-}" ]; then
    export QVRL_ACCESSIBILITY_BUS=1
    exec dbus-run-session -- "$0" "$@"
fi

launcher_pid=""
for launcher in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    if [ -x "$launcher" ]; then
        "$launcher" --launch-immediately 2>/dev/null &
        launcher_pid=$!
        break
    fi
done
cleanup() {
    if [ -n "$launcher_pid" ]; then
        kill "$launcher_pid" 2>/dev/null
        wait "$launcher_pid" 2>/dev/null
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM
"$@"
