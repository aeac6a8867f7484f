#include "mixer/PulseContext.h"

#include <pulse/context.h>

#include <new>

#include "mixer/PulseMainloop.h"

PulseContext::PulseContext(PulseMainloop& mainloop, const char* clientName)
    : context_(pa_context_new(mainloop.Api(), clientName)) {
    if (!context_)
        throw std::bad_alloc();
}

PulseContext::~PulseContext() {
    pa_context_disconnect(context_);
    pa_context_unref(context_);
}

bool PulseContext::Connect(const std::string& server) {
    return pa_context_connect(context_, server.empty() ? nullptr : server.c_str(),
                              PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0;
}

bool PulseContext::IsReady() const {
    return pa_context_get_state(context_) == PA_CONTEXT_READY;
}

bool PulseContext::IsGood() const {
    return PA_CONTEXT_IS_GOOD(pa_context_get_state(context_));
}
