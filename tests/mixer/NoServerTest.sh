#!/usr/bin/env bash
# Without the test sound server the sound server suites fail and say how to start one; only
# QVRL_ALLOW_SKIP_PULSE=1 turns that into a skip. And the test run's skip check fails on any
# skipped test but the two that cannot work as root.
#
# usage: NoServerTest.sh TVOLFORMTEST CHECK_SKIPS
set -uo pipefail
suite=$1
check_skips=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

env -u QVRL_PULSE_TEST_SINK -u QVRL_ALLOW_SKIP_PULSE QT_QPA_PLATFORM=offscreen \
    "$suite" --gtest_filter='TVolFormPulseTest.*' >"$work/out" 2>&1 &&
    fail "the suite passed without a server: $(cat "$work/out")"
grep -q "with-test-services.sh" "$work/out" || fail "no word on how to start a server"

env -u QVRL_PULSE_TEST_SINK QVRL_ALLOW_SKIP_PULSE=1 QT_QPA_PLATFORM=offscreen \
    "$suite" --gtest_filter='TVolFormPulseTest.*' >"$work/out" 2>&1 ||
    fail "allowed to skip, the suite still failed: $(cat "$work/out")"
grep -q "SKIPPED" "$work/out" || fail "allowed to skip, nothing was skipped"

printf 'The following tests did not run:\n\t 15 - SaveFileTest.RefusesAFolderThatTakesNoTemporaryFile (Skipped)\n' \
    >"$work/log"
if [ "$(id -u)" -eq 0 ]; then
    "$check_skips" "$work/log" 0 >"$work/out" 2>&1 || fail "a root-only test failed the run as root"
    grep -q "SaveFileTest.RefusesAFolderThatTakesNoTemporaryFile" "$work/out" ||
        fail "the root-only test was not named"
fi
printf '\t 40 - MixerApiTest.Something (Skipped)\n' >>"$work/log"
"$check_skips" "$work/log" 0 >/dev/null 2>&1 && fail "a skipped test did not fail the run"
"$check_skips" "$work/log" 8 >/dev/null 2>&1
[ $? -eq 8 ] || fail "the test run's own failure was not passed on"
echo "no sound server test skips unseen"
