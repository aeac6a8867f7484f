#include "mixer/PulseOperation.h"

#include <pulse/operation.h>

PulseOperation::~PulseOperation() {
    if (!operation_)
        return;
    if (IsRunning())
        pa_operation_cancel(operation_);
    pa_operation_unref(operation_);
}

bool PulseOperation::IsRunning() const {
    return operation_ && pa_operation_get_state(operation_) == PA_OPERATION_RUNNING;
}

bool PulseOperation::IsDone() const {
    return operation_ && pa_operation_get_state(operation_) == PA_OPERATION_DONE;
}
