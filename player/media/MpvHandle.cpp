#include "media/MpvHandle.h"

#include "media/MpvLibrary.h"

#include "media/MediaDevice.h"

MpvHandle::MpvHandle() : handle_(MpvLibrary::Get().create()) {
    if (!handle_)
        throw EMCIDeviceError("Unknown error code");
}

MpvHandle::~MpvHandle() {
    MpvLibrary::Get().terminateDestroy(handle_);
}
