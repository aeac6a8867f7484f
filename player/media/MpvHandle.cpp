#include "media/MpvHandle.h"

#include <mpv/client.h>

#include "media/MediaDevice.h"

MpvHandle::MpvHandle() : handle_(mpv_create()) {
    if (!handle_)
        throw EMCIDeviceError("Unknown error code");
}

MpvHandle::~MpvHandle() {
    mpv_terminate_destroy(handle_);
}
