#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mixer/MixerApi.h"

class UiPost;

// A mixer in memory, built by the test: devices, destination and source lines, controls and
// their values. It keeps MixerApi's promises as the PulseAudio mixer does: every change of a
// value, by the api or from outside, is announced as a control-change notice, and a line that
// comes or goes as a line-change notice, both posted through the UiPost. Reads and writes can
// be made to fail one by one.
class FakeMixerApi final : public MixerApi {
public:
    explicit FakeMixerApi(UiPost& uiPost);
    ~FakeMixerApi() override;

    // --- Building (device 0's lines; the other devices have none) ---
    void SetDeviceCount(int count) { deviceCount_ = count; }
    void FailOpen(bool fail) { failOpen_ = fail; }
    // Returns the destination's index.
    int AddDestination(const std::string& name, int channels);
    // Returns the source's index within its destination; announced as a line change.
    int AddSource(int destination, const std::string& name, int channels);
    // Adds a control to destination's own line (source -1) or to one of its sources;
    // returns its ID. Values start at 0.
    std::uint32_t AddControl(int destination, int source, std::uint32_t type, std::uint32_t flags,
                             int items = 0);
    // The device as PulseAudio shows an output: two channels, a volume control and a
    // uniform mute control. Returns the destination's index.
    int AddOutput(const std::string& name);

    // --- Outside the program ---
    // Sets a control's values as another mixer program would; announced as a control change.
    void SetValues(std::uint32_t controlId, std::vector<std::uint32_t> values);
    const std::vector<std::uint32_t>& Values(std::uint32_t controlId) const;
    std::uint32_t LineID(int destination, int source) const;
    void FailLine(int destination, int source);
    void FailLineControls(int destination, int source);
    void FailReads(std::uint32_t controlId);
    void FailWrites(std::uint32_t controlId);
    // Successful writes through the api so far.
    int Writes() const { return writes_; }

    // --- MixerApi ---
    int DeviceCount() override { return deviceCount_; }
    std::optional<std::uint32_t> Open(int deviceId, NoticeHandler onNotice) override;
    void Close(std::uint32_t handle) override;
    std::optional<MixerDeviceCaps> GetDevCaps(std::uint32_t handle) override;
    std::optional<MixerLine> GetDestinationLine(std::uint32_t handle, int destination) override;
    std::optional<MixerLine> GetSourceLine(std::uint32_t handle, int destination,
                                           int source) override;
    std::optional<std::vector<MixerControl>> GetLineControls(std::uint32_t handle,
                                                             std::uint32_t lineId) override;
    std::optional<std::vector<std::uint32_t>> GetControlDetails(std::uint32_t handle,
                                                                std::uint32_t controlId,
                                                                int channels, int items) override;
    bool SetControlDetails(std::uint32_t handle, std::uint32_t controlId, int channels, int items,
                           const std::vector<std::uint32_t>& values) override;

private:
    struct Control {
        MixerControl control;
        int channels = 1;  // of the stored values
        std::vector<std::uint32_t> values;
        bool failReads = false;
        bool failWrites = false;
    };
    struct Line {
        MixerLine line;
        std::vector<Control> controls;
        bool fail = false;
        bool failControls = false;
    };
    struct Destination {
        Line own;
        std::vector<Line> sources;
    };
    struct Target;  // the notice handler of the open device, shared with posted calls

    Line* FindLine(std::uint32_t lineId);
    Line& LineAt(int destination, int source);
    Control* FindControl(std::uint32_t controlId);
    const Control* FindControl(std::uint32_t controlId) const;
    bool IsOpen(std::uint32_t handle) const;
    void Announce(MixerNotice notice, std::uint32_t id);

    UiPost& uiPost_;
    int deviceCount_ = 1;
    bool failOpen_ = false;
    std::vector<Destination> destinations_;
    std::uint32_t nextControlId_ = 1;
    std::uint32_t nextHandle_ = 1;
    std::uint32_t openHandle_ = 0;
    std::shared_ptr<Target> target_;
    int writes_ = 0;
};
