#include "config/SettingBounds.h"

#include <algorithm>

std::int32_t BoundedSize(std::int32_t value, std::int32_t minimum, std::int32_t fallback,
                         std::int32_t extent) {
    if (value < minimum || value >= kAbsurdPixels)
        return fallback;
    return extent > 0 ? std::min(value, std::max(extent, minimum)) : value;
}

std::int32_t BoundedPosition(std::int32_t value, std::int32_t fallback, std::int32_t low,
                             std::int32_t high) {
    if (value <= -kAbsurdPixels || value >= kAbsurdPixels)
        return fallback;
    return std::max(low, std::min(value, high));
}

WindowRect KeepOnScreen(WindowRect window, const ScreenArea& area) {
    if (!area.Known())
        return window;
    window.width = std::min(window.width, area.width);
    window.height = std::min(window.height, area.height);
    // 64-bit: the sums of values near the 32-bit limits must not wrap.
    const std::int64_t right = std::int64_t{area.left} + area.width - window.width;
    const std::int64_t bottom = std::int64_t{area.top} + area.height - window.height;
    window.left = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(window.left, area.left, std::max<std::int64_t>(right, area.left)));
    window.top = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(window.top, area.top, std::max<std::int64_t>(bottom, area.top)));
    return window;
}
