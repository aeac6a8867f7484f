#include "mixer/TAudioMixer.h"

#include <algorithm>

#include "mixer/TMixerDestinations.h"

namespace {

constexpr std::int64_t MaxVolume = 65535;

bool IsSingleValued(const MixerControl& control) {
    return (control.Flags & MixerControlFlag::Multiple) == 0;
}

// The first list control of a line: its type has every bit of Mux.
const MixerControl* FirstListControl(const TMixerControls& controls) {
    for (int i = 0; i < controls.Count(); ++i) {
        const MixerControl* control = controls.Items(i);
        if ((control->ControlType & MixerControlType::Mux) == MixerControlType::Mux)
            return control;
    }
    return nullptr;
}

std::uint32_t ClampVolume(std::int64_t volume) {
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(volume, 0, MaxVolume));
}

}  // namespace

TAudioMixer::TAudioMixer(MixerApi& api) : api_(api) {
    deviceCount_ = api_.DeviceCount();
    if (deviceCount_ > 0)
        SetMixerID(0);
}

TAudioMixer::~TAudioMixer() {
    if (mixerHandle_ != 0)
        api_.Close(mixerHandle_);
    destinations_.reset();
}

void TAudioMixer::SetMixerID(int id) {
    if (id >= deviceCount_)
        return;
    if (mixerHandle_ != 0)
        api_.Close(mixerHandle_);
    mixerHandle_ = 0;
    mixerId_ = -1;
    mixerCaps_ = {};
    destinations_.reset();
    if (id < 0)
        return;
    const auto handle =
        api_.Open(id, [this](MixerNotice notice, std::uint32_t mixerH, std::uint32_t noticeId) {
            Notice(notice, mixerH, noticeId);
        });
    if (!handle)
        return;
    mixerHandle_ = *handle;
    mixerId_ = id;
    ReadTree();
}

void TAudioMixer::ReadTree() {
    destinations_.reset();
    mixerCaps_ = api_.GetDevCaps(mixerHandle_).value_or(MixerDeviceCaps{});
    destinations_ = std::make_unique<TMixerDestinations>(*this, mixerCaps_.Destinations);
}

void TAudioMixer::Notice(MixerNotice notice, std::uint32_t handle, std::uint32_t id) {
    if (handle != mixerHandle_ || mixerHandle_ == 0)
        return;
    switch (notice) {
        case MixerNotice::LineChange:
            // Lines come and go with outputs and streams; destination 0 must stay the output
            // the system plays to, so the tree is read again before anyone looks.
            ReadTree();
            if (OnLineChange)
                OnLineChange(*this, handle, id);
            break;
        case MixerNotice::ControlChange:
            if (OnControlChange)
                OnControlChange(*this, handle, id);
            break;
        default:
            break;
    }
}

TAudioMixer::Target TAudioMixer::FindLine(int destination, int connection) const {
    Target target;
    if (!destinations_)
        return target;
    const TMixerDestination* found = destinations_->Items(destination);
    if (!found)
        return target;
    if (connection == -1) {
        target = {found, &found->Line(), &found->Controls()};
        return target;
    }
    const TMixerConnection* source = found->Connections().Items(connection);
    if (source)
        target = {found, &source->Line(), &source->Controls()};
    return target;
}

int TAudioMixer::ChannelsFor(const MixerControl& control, const MixerLine& line) const {
    if (control.Flags & MixerControlFlag::Uniform)
        return 1;
    return std::max(1, line.Channels);
}

std::optional<MixerVolume> TAudioMixer::GetVolume(int destination, int connection) const {
    const Target target = FindLine(destination, connection);
    if (!target.line)
        return std::nullopt;
    MixerVolume result;
    const TMixerControls& controls = *target.controls;
    for (int i = 0; i < controls.Count() && (result.Left == -1 || result.Mute == -1); ++i) {
        const MixerControl& control = *controls.Items(i);
        if (!IsSingleValued(control))
            continue;
        const bool wanted =
            (control.ControlType == MixerControlType::Volume && result.Left == -1) ||
            (control.ControlType == MixerControlType::Mute && result.Mute == -1);
        if (!wanted)
            continue;
        const auto values = api_.GetControlDetails(mixerHandle_, control.ControlID,
                                                   ChannelsFor(control, *target.line), 0);
        if (!values || values->empty())
            continue;  // a control that cannot be read is passed over
        if (control.ControlType == MixerControlType::Volume) {
            result.Left = (*values)[0];
            if (values->size() > 1)
                result.Right = (*values)[1];
        } else {
            result.Mute = (*values)[0] != 0 ? 1 : 0;
        }
    }
    if (result.Mute == -1 && connection != -1)
        result.Mute = MuteFromListControl(*target.destination, connection);
    result.VolumeUnavailable = result.Left == -1;
    result.MuteUnavailable = result.Mute == -1;
    return result;
}

int TAudioMixer::MuteFromListControl(const TMixerDestination& destination, int connection) const {
    const MixerControl* list = FirstListControl(destination.Controls());
    if (!list || connection >= list->MultipleItems)
        return -1;
    const auto values = api_.GetControlDetails(
        mixerHandle_, list->ControlID, ChannelsFor(*list, destination.Line()), list->MultipleItems);
    if (!values || static_cast<int>(values->size()) <= connection)
        return -1;
    return (*values)[static_cast<std::size_t>(connection)] != 0 ? 1 : 0;
}

bool TAudioMixer::SetVolume(int destination, int connection, std::int64_t leftVolume,
                            std::int64_t rightVolume, int mute) {
    const Target target = FindLine(destination, connection);
    if (!target.line)
        return false;
    // Any negative value counts as "not given", as -1 does.
    bool volumeDone = leftVolume < 0;
    bool muteDone = mute < 0;
    bool lineHasMute = false;
    const TMixerControls& controls = *target.controls;
    for (int i = 0; i < controls.Count() && !(volumeDone && muteDone); ++i) {
        const MixerControl& control = *controls.Items(i);
        if (!IsSingleValued(control))
            continue;
        const int channels = ChannelsFor(control, *target.line);
        if (control.ControlType == MixerControlType::Volume && !volumeDone) {
            // The first channel takes the left volume, every further one the right volume.
            std::vector<std::uint32_t> values(
                static_cast<std::size_t>(channels),
                ClampVolume(rightVolume < 0 ? leftVolume : rightVolume));
            values[0] = ClampVolume(leftVolume);
            volumeDone =
                api_.SetControlDetails(mixerHandle_, control.ControlID, channels, 0, values);
        } else if (control.ControlType == MixerControlType::Mute) {
            lineHasMute = true;
            if (muteDone)
                continue;
            const std::vector<std::uint32_t> values(static_cast<std::size_t>(channels),
                                                    mute != 0 ? 1u : 0u);
            muteDone = api_.SetControlDetails(mixerHandle_, control.ControlID, channels, 0, values);
        }
    }
    if (!muteDone && !lineHasMute && connection != -1)
        WriteMuteToListControl(*target.destination, connection, mute != 0 ? 1 : 0);
    return true;
}

void TAudioMixer::WriteMuteToListControl(const TMixerDestination& destination, int connection,
                                         int mute) {
    const MixerControl* list = FirstListControl(destination.Controls());
    if (!list || connection >= list->MultipleItems)
        return;
    const int channels = ChannelsFor(*list, destination.Line());
    const int items = list->MultipleItems;
    auto values = api_.GetControlDetails(mixerHandle_, list->ControlID, channels, items);
    if (!values || static_cast<int>(values->size()) != channels * items)
        return;
    std::fill(values->begin(), values->end(), 0u);
    for (int channel = 0; channel < channels; ++channel)
        (*values)[static_cast<std::size_t>(channel * items + connection)] =
            static_cast<std::uint32_t>(mute);
    api_.SetControlDetails(mixerHandle_, list->ControlID, channels, items, *values);
}

bool TAudioMixer::IsConsistent() const {
    if ((mixerId_ == -1) != (mixerHandle_ == 0) || (mixerId_ == -1) != !destinations_)
        return false;
    if (mixerId_ < -1 || (mixerId_ >= 0 && mixerId_ >= deviceCount_))
        return false;
    if (!destinations_)
        return true;
    if (destinations_->Count() > mixerCaps_.Destinations)
        return false;
    int lastDestination = -1;
    for (int d = 0; d < destinations_->Count(); ++d) {
        const TMixerDestination& destination = *destinations_->Items(d);
        const MixerLine& line = destination.Line();
        if (&destination.Mixer() != this || line.Destination <= lastDestination ||
            !destination.Controls().IsConsistent())
            return false;
        lastDestination = line.Destination;
        const TMixerConnections& connections = destination.Connections();
        if (&connections.Mixer() != this || connections.Count() > line.Connections)
            return false;
        int lastSource = -1;
        for (int s = 0; s < connections.Count(); ++s) {
            const TMixerConnection& connection = *connections.Items(s);
            if (&connection.Mixer() != this || connection.Line().Source <= lastSource ||
                connection.Line().Destination != line.Destination ||
                !connection.Controls().IsConsistent())
                return false;
            lastSource = connection.Line().Source;
        }
    }
    return true;
}
