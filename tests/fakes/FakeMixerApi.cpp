#include "fakes/FakeMixerApi.h"

#include <algorithm>
#include <stdexcept>

#include "services/UiPost.h"

struct FakeMixerApi::Target {
    std::uint32_t handle;
    NoticeHandler onNotice;
};

FakeMixerApi::FakeMixerApi(UiPost& uiPost) : uiPost_(uiPost) {}

FakeMixerApi::~FakeMixerApi() = default;

int FakeMixerApi::AddDestination(const std::string& name, int channels) {
    Destination destination;
    const int index = static_cast<int>(destinations_.size());
    destination.own.line = {index, 0,   static_cast<std::uint32_t>((index + 1) << 16), channels, 0,
                            0,     name};
    destinations_.push_back(std::move(destination));
    return index;
}

int FakeMixerApi::AddSource(int destination, const std::string& name, int channels) {
    Destination& owner = destinations_.at(static_cast<std::size_t>(destination));
    const int index = static_cast<int>(owner.sources.size());
    Line source;
    source.line = {
        destination, index, owner.own.line.LineID + static_cast<std::uint32_t>(index) + 1,
        channels,    0,     0,
        name};
    owner.sources.push_back(std::move(source));
    owner.own.line.Connections = static_cast<int>(owner.sources.size());
    Announce(MixerNotice::LineChange, owner.sources.back().line.LineID);
    return index;
}

std::uint32_t FakeMixerApi::AddControl(int destination, int source, std::uint32_t type,
                                       std::uint32_t flags, int items) {
    Line& line = LineAt(destination, source);
    Control control;
    control.control = {nextControlId_++, type, flags, items, 0, 65535, ""};
    control.channels = (flags & MixerControlFlag::Uniform) ? 1 : line.line.Channels;
    control.values.assign(static_cast<std::size_t>(control.channels * std::max(items, 1)), 0);
    line.controls.push_back(control);
    line.line.Controls = static_cast<int>(line.controls.size());
    return control.control.ControlID;
}

int FakeMixerApi::AddOutput(const std::string& name) {
    const int destination = AddDestination(name, 2);
    AddControl(destination, -1, MixerControlType::Volume, 0);
    AddControl(destination, -1, MixerControlType::Mute, MixerControlFlag::Uniform);
    return destination;
}

void FakeMixerApi::SetValues(std::uint32_t controlId, std::vector<std::uint32_t> values) {
    Control* control = FindControl(controlId);
    if (!control || values.size() != control->values.size())
        throw std::invalid_argument("FakeMixerApi::SetValues: no such control or wrong size");
    control->values = std::move(values);
    Announce(MixerNotice::ControlChange, controlId);
}

const std::vector<std::uint32_t>& FakeMixerApi::Values(std::uint32_t controlId) const {
    const Control* control = FindControl(controlId);
    if (!control)
        throw std::invalid_argument("FakeMixerApi::Values: no such control");
    return control->values;
}

std::uint32_t FakeMixerApi::LineID(int destination, int source) const {
    const Destination& owner = destinations_.at(static_cast<std::size_t>(destination));
    return source < 0 ? owner.own.line.LineID
                      : owner.sources.at(static_cast<std::size_t>(source)).line.LineID;
}

void FakeMixerApi::FailLine(int destination, int source) {
    LineAt(destination, source).fail = true;
}

void FakeMixerApi::FailLineControls(int destination, int source) {
    LineAt(destination, source).failControls = true;
}

void FakeMixerApi::FailReads(std::uint32_t controlId) {
    FindControl(controlId)->failReads = true;
}

void FakeMixerApi::FailWrites(std::uint32_t controlId) {
    FindControl(controlId)->failWrites = true;
}

FakeMixerApi::Line& FakeMixerApi::LineAt(int destination, int source) {
    Destination& owner = destinations_.at(static_cast<std::size_t>(destination));
    return source < 0 ? owner.own : owner.sources.at(static_cast<std::size_t>(source));
}

FakeMixerApi::Line* FakeMixerApi::FindLine(std::uint32_t lineId) {
    for (Destination& destination : destinations_) {
        if (destination.own.line.LineID == lineId)
            return &destination.own;
        for (Line& source : destination.sources)
            if (source.line.LineID == lineId)
                return &source;
    }
    return nullptr;
}

const FakeMixerApi::Control* FakeMixerApi::FindControl(std::uint32_t controlId) const {
    return const_cast<FakeMixerApi*>(this)->FindControl(controlId);
}

FakeMixerApi::Control* FakeMixerApi::FindControl(std::uint32_t controlId) {
    for (Destination& destination : destinations_) {
        for (Control& control : destination.own.controls)
            if (control.control.ControlID == controlId)
                return &control;
        for (Line& source : destination.sources)
            for (Control& control : source.controls)
                if (control.control.ControlID == controlId)
                    return &control;
    }
    return nullptr;
}

bool FakeMixerApi::IsOpen(std::uint32_t handle) const {
    return handle != 0 && handle == openHandle_;
}

void FakeMixerApi::Announce(MixerNotice notice, std::uint32_t id) {
    if (!target_)
        return;
    // As the real mixer does: the notice runs later, on the user-interface thread, and not at
    // all once the device is closed.
    std::weak_ptr<Target> target = target_;
    uiPost_.Post([target, notice, id] {
        if (const auto open = target.lock())
            open->onNotice(notice, open->handle, id);
    });
}

std::optional<std::uint32_t> FakeMixerApi::Open(int deviceId, NoticeHandler onNotice) {
    if (failOpen_ || deviceId < 0 || deviceId >= deviceCount_ || openHandle_ != 0)
        return std::nullopt;
    openHandle_ = nextHandle_++;
    target_ = std::make_shared<Target>(Target{openHandle_, std::move(onNotice)});
    return openHandle_;
}

void FakeMixerApi::Close(std::uint32_t handle) {
    if (!IsOpen(handle))
        return;
    openHandle_ = 0;
    target_.reset();
}

std::optional<MixerDeviceCaps> FakeMixerApi::GetDevCaps(std::uint32_t handle) {
    if (!IsOpen(handle))
        return std::nullopt;
    return MixerDeviceCaps{"Fake Mixer", static_cast<int>(destinations_.size())};
}

std::optional<MixerLine> FakeMixerApi::GetDestinationLine(std::uint32_t handle, int destination) {
    if (!IsOpen(handle) || destination < 0 || destination >= static_cast<int>(destinations_.size()))
        return std::nullopt;
    const Line& line = destinations_[static_cast<std::size_t>(destination)].own;
    if (line.fail)
        return std::nullopt;
    return line.line;
}

std::optional<MixerLine> FakeMixerApi::GetSourceLine(std::uint32_t handle, int destination,
                                                     int source) {
    if (!IsOpen(handle) || destination < 0 || destination >= static_cast<int>(destinations_.size()))
        return std::nullopt;
    const auto& sources = destinations_[static_cast<std::size_t>(destination)].sources;
    if (source < 0 || source >= static_cast<int>(sources.size()) ||
        sources[static_cast<std::size_t>(source)].fail)
        return std::nullopt;
    return sources[static_cast<std::size_t>(source)].line;
}

std::optional<std::vector<MixerControl>> FakeMixerApi::GetLineControls(std::uint32_t handle,
                                                                       std::uint32_t lineId) {
    const Line* line = IsOpen(handle) ? FindLine(lineId) : nullptr;
    if (!line || line->failControls)
        return std::nullopt;
    std::vector<MixerControl> controls;
    for (const Control& control : line->controls)
        controls.push_back(control.control);
    return controls;
}

std::optional<std::vector<std::uint32_t>> FakeMixerApi::GetControlDetails(std::uint32_t handle,
                                                                          std::uint32_t controlId,
                                                                          int channels, int items) {
    const Control* control = IsOpen(handle) ? FindControl(controlId) : nullptr;
    if (!control || control->failReads || items != control->control.MultipleItems ||
        (channels != 1 && channels != control->channels))
        return std::nullopt;
    if (channels == control->channels)
        return control->values;
    // All channels read as one: the loudest, as the PulseAudio mixer reads them.
    const std::size_t perChannel = static_cast<std::size_t>(std::max(items, 1));
    std::vector<std::uint32_t> values(control->values.begin(),
                                      control->values.begin() + static_cast<long>(perChannel));
    for (std::size_t i = perChannel; i < control->values.size(); ++i)
        values[i % perChannel] = std::max(values[i % perChannel], control->values[i]);
    return values;
}

bool FakeMixerApi::SetControlDetails(std::uint32_t handle, std::uint32_t controlId, int channels,
                                     int items, const std::vector<std::uint32_t>& values) {
    Control* control = IsOpen(handle) ? FindControl(controlId) : nullptr;
    const std::size_t perChannel = static_cast<std::size_t>(std::max(items, 1));
    if (!control || control->failWrites || items != control->control.MultipleItems ||
        (channels != 1 && channels != control->channels) ||
        values.size() != static_cast<std::size_t>(channels) * perChannel)
        return false;
    const bool isVolume = control->control.ControlType == MixerControlType::Volume;
    for (std::size_t i = 0; i < control->values.size(); ++i) {
        const std::uint32_t value = values[channels == 1 ? i % perChannel : i];
        control->values[i] = isVolume ? std::min<std::uint32_t>(value, 65535) : value;
    }
    ++writes_;
    Announce(MixerNotice::ControlChange, controlId);
    return true;
}
