#include "mixer/PulseMixerApi.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/proplist.h>
#include <pulse/volume.h>

#include <algorithm>
#include <initializer_list>

#include "mixer/PulseContext.h"
#include "mixer/PulseMainloop.h"
#include "mixer/PulseMixerIds.h"
#include "mixer/PulseNoticeListener.h"
#include "mixer/PulseOperation.h"
#include "services/UiPost.h"

using namespace PulseMixerIds;

struct PulseMixerApi::Target {
    std::uint32_t handle;
    NoticeHandler onNotice;
};

namespace {

// A sink or a stream as the server described it.
struct Stream {
    bool found = false;
    std::uint32_t index = 0;
    std::uint32_t sink = 0;  // the sink a stream plays into
    std::string name;
    pa_cvolume volume{};
    bool mute = false;
    bool hasVolume = true;
};

// The sinks, the default one first, then the others by index; the streams by index.
struct Outputs {
    std::string serverName;
    std::string defaultSink;
    std::vector<std::pair<std::string, Stream>> sinks;  // with their names
    std::vector<Stream> streams;
    bool failed = false;

    std::vector<const Stream*> StreamsOf(std::uint32_t sink) const {
        std::vector<const Stream*> result;
        for (const Stream& stream : streams)
            if (stream.sink == sink)
                result.push_back(&stream);
        return result;
    }
};

// The request callbacks below run on the user-interface thread, inside the RunUntil of the
// request that made them: they only fill in the answer their caller waits for.

std::string StreamName(const pa_sink_input_info& info) {
    for (const char* key : {PA_PROP_MEDIA_NAME, PA_PROP_APPLICATION_NAME})
        if (const char* value = pa_proplist_gets(info.proplist, key))
            return value;
    return info.name ? info.name : "";
}

Stream FromSink(const pa_sink_info& info) {
    return {
        true,        info.index,     info.index, info.description ? info.description : info.name,
        info.volume, info.mute != 0, true};
}

Stream FromStream(const pa_sink_input_info& info) {
    return {true,
            info.index,
            info.sink,
            StreamName(info),
            info.volume,
            info.mute != 0,
            info.has_volume != 0 && info.volume_writable != 0};
}

void OnSuccess(pa_context*, int success, void* userdata) {
    *static_cast<bool*>(userdata) = success != 0;
}

// Turns the loop until every request is answered; false when one failed, the connection
// broke or the server took longer than the timeout (the requests are then cancelled).
bool Await(PulseMainloop& mainloop, const PulseContext& context,
           std::initializer_list<const PulseOperation*> operations,
           std::chrono::milliseconds timeout) {
    const auto running = [&] {
        return std::any_of(operations.begin(), operations.end(),
                           [](const PulseOperation* op) { return op->IsRunning(); });
    };
    if (!mainloop.RunUntil([&] { return !context.IsGood() || !running(); }, timeout))
        return false;
    return std::all_of(operations.begin(), operations.end(),
                       [](const PulseOperation* op) { return op->IsDone(); });
}

std::optional<Outputs> ReadOutputs(PulseMainloop& mainloop, const PulseContext& connection,
                                   std::chrono::milliseconds timeout) {
    Outputs answer;
    pa_context* context = connection.Get();
    // The three requests go out together and are answered in one round trip.
    PulseOperation server(pa_context_get_server_info(
        context,
        [](pa_context*, const pa_server_info* info, void* userdata) {
            auto& answer = *static_cast<Outputs*>(userdata);
            if (!info) {
                answer.failed = true;
                return;
            }
            answer.serverName = info->server_name ? info->server_name : "PulseAudio";
            answer.defaultSink = info->default_sink_name ? info->default_sink_name : "";
        },
        &answer));
    PulseOperation sinks(pa_context_get_sink_info_list(
        context,
        [](pa_context*, const pa_sink_info* info, int eol, void* userdata) {
            auto& answer = *static_cast<Outputs*>(userdata);
            answer.failed = answer.failed || eol < 0;
            if (eol == 0 && info)
                answer.sinks.emplace_back(info->name ? info->name : "", FromSink(*info));
        },
        &answer));
    PulseOperation streams(pa_context_get_sink_input_info_list(
        context,
        [](pa_context*, const pa_sink_input_info* info, int eol, void* userdata) {
            auto& answer = *static_cast<Outputs*>(userdata);
            answer.failed = answer.failed || eol < 0;
            if (eol == 0 && info)
                answer.streams.push_back(FromStream(*info));
        },
        &answer));
    if (!Await(mainloop, connection, {&server, &sinks, &streams}, timeout) || answer.failed)
        return std::nullopt;
    std::stable_sort(answer.sinks.begin(), answer.sinks.end(), [&](const auto& a, const auto& b) {
        const bool aDefault = a.first == answer.defaultSink;
        const bool bDefault = b.first == answer.defaultSink;
        return aDefault != bDefault ? aDefault : a.second.index < b.second.index;
    });
    std::sort(answer.streams.begin(), answer.streams.end(),
              [](const Stream& a, const Stream& b) { return a.index < b.index; });
    return answer;
}

std::optional<Stream> ReadLine(PulseMainloop& mainloop, const PulseContext& connection,
                               std::chrono::milliseconds timeout, Kind kind, std::uint32_t index) {
    Stream answer;
    pa_context* context = connection.Get();
    PulseOperation query(
        kind == Kind::Sink
            ? pa_context_get_sink_info_by_index(
                  context, index,
                  [](pa_context*, const pa_sink_info* info, int eol, void* userdata) {
                      if (eol == 0 && info)
                          *static_cast<Stream*>(userdata) = FromSink(*info);
                  },
                  &answer)
            : pa_context_get_sink_input_info(
                  context, index,
                  [](pa_context*, const pa_sink_input_info* info, int eol, void* userdata) {
                      if (eol == 0 && info)
                          *static_cast<Stream*>(userdata) = FromStream(*info);
                  },
                  &answer));
    if (!Await(mainloop, connection, {&query}, timeout) || !answer.found)
        return std::nullopt;
    return answer;
}

}  // namespace

PulseMixerApi::PulseMixerApi(UiPost& uiPost, std::string server, std::chrono::milliseconds timeout)
    : uiPost_(uiPost),
      server_(std::move(server)),
      timeout_(timeout),
      mainloop_(std::make_unique<PulseMainloop>()) {}

PulseMixerApi::~PulseMixerApi() {
    listener_.reset();
    target_.reset();
    context_.reset();
}

bool PulseMixerApi::Connected() {
    if (context_ && context_->IsReady())
        return true;
    // First use, or the server went away: connect (again).
    context_.reset();
    auto context = std::make_unique<PulseContext>(*mainloop_, "Quavrel");
    if (!context->Connect(server_))
        return false;
    const bool ready =
        mainloop_->RunUntil([&] { return context->IsReady() || !context->IsGood(); }, timeout_);
    if (!ready || !context->IsReady())
        return false;
    context_ = std::move(context);
    if (target_)
        StartListener();  // the old listener's connection went with the server
    return true;
}

void PulseMixerApi::StartListener() {
    listener_.reset();
    UiPost* post = &uiPost_;
    std::weak_ptr<Target> target = target_;
    listener_ = std::make_unique<PulseNoticeListener>(
        server_, [post, target](MixerNotice notice, std::uint32_t id) {
            post->Post([target, notice, id] {
                if (const auto open = target.lock())
                    open->onNotice(notice, open->handle, id);
            });
        });
    // Without the subscription the device still works; it only misses outside changes.
    listener_->Start(timeout_);
}

bool PulseMixerApi::IsOpen(std::uint32_t handle) {
    return target_ && handle != 0 && target_->handle == handle && Connected();
}

int PulseMixerApi::DeviceCount() {
    return Connected() ? 1 : 0;
}

std::optional<std::uint32_t> PulseMixerApi::Open(int deviceId, NoticeHandler onNotice) {
    if (deviceId != 0 || target_ || !Connected())
        return std::nullopt;
    target_ = std::make_shared<Target>(Target{nextHandle_++, std::move(onNotice)});
    if (nextHandle_ == 0)
        nextHandle_ = 1;
    StartListener();
    return target_->handle;
}

void PulseMixerApi::Close(std::uint32_t handle) {
    if (!target_ || target_->handle != handle)
        return;
    listener_.reset();
    target_.reset();  // notices still on their way find no one
}

std::optional<MixerDeviceCaps> PulseMixerApi::GetDevCaps(std::uint32_t handle) {
    if (!IsOpen(handle))
        return std::nullopt;
    const auto outputs = ReadOutputs(*mainloop_, *context_, timeout_);
    if (!outputs)
        return std::nullopt;
    return MixerDeviceCaps{outputs->serverName, static_cast<int>(outputs->sinks.size())};
}

std::optional<MixerLine> PulseMixerApi::GetDestinationLine(std::uint32_t handle, int destination) {
    if (!IsOpen(handle))
        return std::nullopt;
    const auto outputs = ReadOutputs(*mainloop_, *context_, timeout_);
    if (!outputs || destination < 0 || destination >= static_cast<int>(outputs->sinks.size()))
        return std::nullopt;
    const Stream& sink = outputs->sinks[static_cast<std::size_t>(destination)].second;
    if (sink.index > MaxIndex)
        return std::nullopt;
    return MixerLine{destination,
                     0,
                     LineId(Kind::Sink, sink.index),
                     sink.volume.channels,
                     static_cast<int>(outputs->StreamsOf(sink.index).size()),
                     2,
                     sink.name};
}

std::optional<MixerLine> PulseMixerApi::GetSourceLine(std::uint32_t handle, int destination,
                                                      int source) {
    if (!IsOpen(handle))
        return std::nullopt;
    const auto outputs = ReadOutputs(*mainloop_, *context_, timeout_);
    if (!outputs || destination < 0 || destination >= static_cast<int>(outputs->sinks.size()))
        return std::nullopt;
    const auto streams =
        outputs->StreamsOf(outputs->sinks[static_cast<std::size_t>(destination)].second.index);
    if (source < 0 || source >= static_cast<int>(streams.size()))
        return std::nullopt;
    const Stream& stream = *streams[static_cast<std::size_t>(source)];
    if (stream.index > MaxIndex)
        return std::nullopt;
    return MixerLine{destination,
                     source,
                     LineId(Kind::SinkInput, stream.index),
                     stream.volume.channels,
                     0,
                     stream.hasVolume ? 2 : 1,
                     stream.name};
}

std::optional<std::vector<MixerControl>> PulseMixerApi::GetLineControls(std::uint32_t handle,
                                                                        std::uint32_t lineId) {
    const auto id = Decode(lineId);
    if (!id || id->control != Control::Volume || !IsOpen(handle))
        return std::nullopt;
    const auto line = ReadLine(*mainloop_, *context_, timeout_, id->kind, id->index);
    if (!line)
        return std::nullopt;
    std::vector<MixerControl> controls;
    if (line->hasVolume)
        controls.push_back({ControlId(id->kind, id->index, Control::Volume),
                            MixerControlType::Volume, 0, 0, 0, 65535, "Volume"});
    controls.push_back({ControlId(id->kind, id->index, Control::Mute), MixerControlType::Mute,
                        MixerControlFlag::Uniform, 0, 0, 1, "Mute"});
    return controls;
}

std::optional<std::vector<std::uint32_t>> PulseMixerApi::GetControlDetails(std::uint32_t handle,
                                                                           std::uint32_t controlId,
                                                                           int channels,
                                                                           int items) {
    const auto id = Decode(controlId);
    if (!id || items != 0 || !IsOpen(handle))
        return std::nullopt;
    const auto line = ReadLine(*mainloop_, *context_, timeout_, id->kind, id->index);
    if (!line)
        return std::nullopt;
    if (id->control == Control::Mute) {
        if (channels != 1)
            return std::nullopt;
        return std::vector<std::uint32_t>{line->mute ? 1u : 0u};
    }
    if (!line->hasVolume)
        return std::nullopt;
    if (channels == 1)
        return std::vector<std::uint32_t>{FromPulse(pa_cvolume_max(&line->volume))};
    if (channels != line->volume.channels)
        return std::nullopt;
    std::vector<std::uint32_t> values;
    for (int channel = 0; channel < channels; ++channel)
        values.push_back(FromPulse(line->volume.values[channel]));
    return values;
}

bool PulseMixerApi::SetControlDetails(std::uint32_t handle, std::uint32_t controlId, int channels,
                                      int items, const std::vector<std::uint32_t>& values) {
    const auto id = Decode(controlId);
    if (!id || items != 0 || channels < 1 || values.size() != static_cast<std::size_t>(channels) ||
        !IsOpen(handle))
        return false;
    pa_context* context = context_->Get();
    const bool isSink = id->kind == Kind::Sink;
    bool success = false;
    pa_operation* request = nullptr;
    if (id->control == Control::Mute) {
        if (channels != 1)
            return false;
        const int mute = values[0] != 0 ? 1 : 0;
        request =
            isSink
                ? pa_context_set_sink_mute_by_index(context, id->index, mute, &OnSuccess, &success)
                : pa_context_set_sink_input_mute(context, id->index, mute, &OnSuccess, &success);
    } else {
        // A volume must have as many channels as the line has now.
        const auto line = ReadLine(*mainloop_, *context_, timeout_, id->kind, id->index);
        if (!line || !line->hasVolume)
            return false;
        pa_cvolume volume = line->volume;
        if (channels == 1)
            pa_cvolume_set(&volume, line->volume.channels, ToPulse(values[0]));
        else if (channels == line->volume.channels)
            for (int channel = 0; channel < channels; ++channel)
                volume.values[channel] = ToPulse(values[static_cast<std::size_t>(channel)]);
        else
            return false;
        request = isSink ? pa_context_set_sink_volume_by_index(context, id->index, &volume,
                                                               &OnSuccess, &success)
                         : pa_context_set_sink_input_volume(context, id->index, &volume, &OnSuccess,
                                                            &success);
    }
    PulseOperation operation(request);
    return Await(*mainloop_, *context_, {&operation}, timeout_) && success;
}
