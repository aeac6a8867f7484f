#!/usr/bin/env bash
# Installs what is missing, builds the debug build and runs every test: the widget tests render
# offscreen, the mixer and end-to-end tests get a PulseAudio daemon with a null sink, and the
# tests that need a display get a virtual X server (and the accessibility bus).
#
# Every test must run: a skipped test fails the run, except the two that cannot work as root
# (root writes into a folder whatever its permissions), which are named when they are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
preset="${1:-debug}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
# Sanitizer builds: stop at the first report, and leave system libraries' own leaks aside.
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
# The sound server is started below: nothing may skip for want of one.
unset QVRL_ALLOW_SKIP_PULSE
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
scripts/with-test-services.sh ctest --preset "$preset" --output-on-failure 2>&1 | tee "$log" ||
    status=$?
exec scripts/check-skips.sh "$log" "$status"
