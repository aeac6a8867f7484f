#include "media/MpvLibrary.h"

#include <dlfcn.h>

#include <memory>
#include <string>

#include "media/MediaDevice.h"

namespace {

// The name the development package's link name points to (libmpv.so.2 on Debian 12); the
// unversioned name is tried last, for systems that ship only that.
constexpr const char* kNames[] = {"libmpv.so.2", "libmpv.so.1", "libmpv.so"};

template <typename Function>
void Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    if (!function)
        throw EMCIDeviceError(std::string("libmpv lacks ") + name);
}

MpvLibrary Open() {
    void* library = nullptr;
    for (const char* name : kNames) {
        // Local: its symbols never stand in for another library's.
        if ((library = ::dlopen(name, RTLD_NOW | RTLD_LOCAL)))
            break;
    }
    if (!library) {
        const char* why = ::dlerror();
        throw EMCIDeviceError(std::string("libmpv could not be loaded: ") + (why ? why : "?"));
    }
    MpvLibrary mpv{};
    Find(library, "mpv_create", mpv.create);
    Find(library, "mpv_initialize", mpv.initialize);
    Find(library, "mpv_terminate_destroy", mpv.terminateDestroy);
    Find(library, "mpv_set_option_string", mpv.setOptionString);
    Find(library, "mpv_observe_property", mpv.observeProperty);
    Find(library, "mpv_unobserve_property", mpv.unobserveProperty);
    Find(library, "mpv_set_wakeup_callback", mpv.setWakeupCallback);
    Find(library, "mpv_wait_event", mpv.waitEvent);
    Find(library, "mpv_command", mpv.command);
    Find(library, "mpv_get_property", mpv.getProperty);
    Find(library, "mpv_set_property", mpv.setProperty);
    Find(library, "mpv_error_string", mpv.errorString);
    Find(library, "mpv_free", mpv.free);
    return mpv;  // the library stays open for the life of the process
}

}  // namespace

const MpvLibrary& MpvLibrary::Get() {
    // A failed opening is tried again at the next call; a good one is kept.
    static std::unique_ptr<MpvLibrary> library;
    if (!library)
        library = std::make_unique<MpvLibrary>(Open());
    return *library;
}
