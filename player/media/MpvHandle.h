#pragma once

#include <memory>

struct mpv_handle;

// Owns one libmpv client handle; destroying it stops playback and frees the core.
class MpvHandle {
public:
    MpvHandle();  // throws EMCIDeviceError when libmpv cannot be created
    ~MpvHandle();
    MpvHandle(const MpvHandle&) = delete;
    MpvHandle& operator=(const MpvHandle&) = delete;

    mpv_handle* get() const { return handle_; }

private:
    mpv_handle* handle_;
};
