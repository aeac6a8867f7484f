#pragma once

#include <mpv/client.h>

// libmpv, opened by name when the media device is first needed rather than linked into the
// program: it brings some two hundred libraries of its own (codecs, filters, scripting), and
// loading them with their symbols took about half of the time to the first shown window.
// Holds the library's functions the device calls. User-interface thread (first call).
struct MpvLibrary {
    decltype(&mpv_create) create;
    decltype(&mpv_initialize) initialize;
    decltype(&mpv_terminate_destroy) terminateDestroy;
    decltype(&mpv_set_option_string) setOptionString;
    decltype(&mpv_observe_property) observeProperty;
    decltype(&mpv_unobserve_property) unobserveProperty;
    decltype(&mpv_set_wakeup_callback) setWakeupCallback;
    decltype(&mpv_wait_event) waitEvent;
    decltype(&mpv_command) command;
    decltype(&mpv_get_property) getProperty;
    decltype(&mpv_set_property) setProperty;
    decltype(&mpv_error_string) errorString;
    decltype(&mpv_free) free;

    // The library, opened on the first call and kept for the life of the process. Throws
    // EMCIDeviceError when it cannot be opened or lacks a function.
    static const MpvLibrary& Get();
};
