#pragma once

#include <cstdlib>
#include <cstring>
#include <string>

// Tests that need the test PulseAudio server fail without one, so that a bare ctest never
// passes while checking nothing. QVRL_ALLOW_SKIP_PULSE=1 turns that failure into a skip, for a
// machine that cannot run a sound server; scripts/test.sh and CI never set it.
inline bool PulseSkipAllowed() {
    const char* allow = std::getenv("QVRL_ALLOW_SKIP_PULSE");
    return allow != nullptr && std::strcmp(allow, "1") == 0;
}

// What to do about it, said where the test fails or skips.
inline const std::string& HowToStartPulse() {
    static const std::string text =
        "start the tests through scripts/with-test-services.sh (or "
        "tests/support/with-pulseaudio.sh COMMAND), which runs a private PulseAudio server with "
        "a null sink; set QVRL_ALLOW_SKIP_PULSE=1 to skip these tests instead";
    return text;
}
