#include "mixer/PulseNoticeListener.h"

#include <pulse/context.h>
#include <pulse/subscribe.h>

#include <optional>

#include "mixer/PulseContext.h"
#include "mixer/PulseMainloop.h"
#include "mixer/PulseMixerIds.h"
#include "mixer/PulseOperation.h"

namespace {

// libpulse's subscription callback, on the listener's thread: it works out the notice and
// hands it on, nothing else.
void OnEvent(pa_context*, pa_subscription_event_type_t event, std::uint32_t index,
             void* userdata) noexcept {
    using namespace PulseMixerIds;
    const auto& announce = *static_cast<const PulseNoticeListener::Announce*>(userdata);
    const unsigned facility = event & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    const unsigned type = event & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    Kind kind;
    if (facility == PA_SUBSCRIPTION_EVENT_SINK)
        kind = Kind::Sink;
    else if (facility == PA_SUBSCRIPTION_EVENT_SINK_INPUT)
        kind = Kind::SinkInput;
    else if (facility == PA_SUBSCRIPTION_EVENT_SERVER) {
        try {
            announce(MixerNotice::LineChange, 0);
        } catch (...) {
        }
        return;
    } else
        return;
    if (index > MaxIndex)
        return;
    try {
        if (type == PA_SUBSCRIPTION_EVENT_CHANGE)
            announce(MixerNotice::ControlChange, ControlId(kind, index, Control::Volume));
        else
            announce(MixerNotice::LineChange, LineId(kind, index));
    } catch (...) {
        // A notice that could not be posted is lost; the listener goes on.
    }
}

}  // namespace

PulseNoticeListener::PulseNoticeListener(std::string server, Announce announce)
    : server_(std::move(server)),
      announce_(std::move(announce)),
      mainloop_(std::make_unique<PulseMainloop>()) {}

PulseNoticeListener::~PulseNoticeListener() {
    if (!thread_.joinable())
        return;
    stop_ = true;
    mainloop_->Wakeup();
    thread_.join();
}

bool PulseNoticeListener::Start(std::chrono::milliseconds timeout) {
    std::promise<bool> subscribed;
    auto answer = subscribed.get_future();
    thread_ = std::thread(&PulseNoticeListener::Run, this, std::move(subscribed));
    return answer.wait_for(timeout) == std::future_status::ready && answer.get();
}

void PulseNoticeListener::Tell(MixerNotice notice, std::uint32_t id) noexcept {
    try {
        announce_(notice, id);
    } catch (...) {
        // A notice that could not be posted is lost; the listener goes on.
    }
}

void PulseNoticeListener::Run(std::promise<bool> subscribed) {
    std::optional<std::promise<bool>> first(std::move(subscribed));
    while (!stop_) {
        const bool listened = Listen(first ? &*first : nullptr);
        first.reset();
        if (stop_)
            break;
        // The server went away (or never answered again): whatever the mixer read is gone.
        if (listened)
            Tell(MixerNotice::LineChange, 0);
        mainloop_->RunUntil([this] { return stop_.load(); }, RetryDelay);
    }
}

bool PulseNoticeListener::Listen(std::promise<bool>* firstSubscription) {
    // The connection lives and dies on this thread, with the loop that serves it.
    PulseContext context(*mainloop_, "Quavrel mixer notices");
    bool ok = context.Connect(server_);
    while (ok && !stop_ && !context.IsReady()) {
        ok = context.IsGood() && mainloop_->Iterate();
    }
    if (ok && !stop_) {
        pa_context_set_subscribe_callback(context.Get(), &OnEvent, &announce_);
        const auto mask = static_cast<pa_subscription_mask_t>(PA_SUBSCRIPTION_MASK_SINK |
                                                              PA_SUBSCRIPTION_MASK_SINK_INPUT |
                                                              PA_SUBSCRIPTION_MASK_SERVER);
        PulseOperation subscribe(pa_context_subscribe(context.Get(), mask, nullptr, nullptr));
        while (!stop_ && subscribe.IsRunning() && context.IsGood() && mainloop_->Iterate()) {
        }
        ok = subscribe.IsDone() && context.IsReady();
    }
    if (firstSubscription)
        firstSubscription->set_value(ok && !stop_);
    else if (ok && !stop_)
        Tell(MixerNotice::LineChange, 0);  // back after a loss: read everything again
    while (ok && !stop_ && context.IsGood() && mainloop_->Iterate()) {
    }
    pa_context_set_subscribe_callback(context.Get(), nullptr, nullptr);
    return ok;
}
