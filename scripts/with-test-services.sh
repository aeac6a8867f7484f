#!/usr/bin/env bash
# Runs a command with the services the tests need: a private PulseAudio daemon with a null sink
# kept at low latency (tests/support/with-pulseaudio.sh), a virtual X server, which must not
# reset when its last client leaves: while it resets it refuses the next test's connection, and
# a session bus with the accessibility bus on it (tests/support/with-accessibility-bus.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
exec tests/support/with-pulseaudio.sh --low-latency \
    xvfb-run -a -s "-screen 0 1280x800x24 -noreset" \
    tests/support/with-accessibility-bus.sh "$@"
