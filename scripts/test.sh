#!/usr/bin/env bash
# Installs what is missing, builds the debug build and runs every test: the widget tests render
# offscreen, the mixer and end-to-end tests get a PulseAudio daemon with a null sink, and the
# tests that need a display get a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
preset="${1:-debug}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
# Sanitizer builds: stop at the first report, and leave system libraries' own leaks aside.
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
exec scripts/with-test-services.sh ctest --preset "$preset" --output-on-failure
