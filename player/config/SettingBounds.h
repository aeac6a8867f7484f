#pragma once

#include <cstdint>

// Sizes and positions read from the settings are kept to what the screens can show: a window of
// 2147483647 pixels would ask the display for a picture of gigabytes, one placed at -40000 is
// never seen again. Plain rules on numbers; the window gives the screens' area.

// The rectangle that holds every screen's available area, in pixels; empty (width or height 0)
// when no screen is known, which leaves sizes and positions as read, absurd ones aside.
struct ScreenArea {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    bool Known() const { return width > 0 && height > 0; }
};

// No screen is this many pixels across: a value beyond it in either direction is no size or
// place the program wrote, and takes its default.
inline constexpr std::int32_t kAbsurdPixels = 1 << 16;

// A width or height: its fallback when below minimum or at least kAbsurdPixels, else at most
// extent (the screens' extent that way, when known).
std::int32_t BoundedSize(std::int32_t value, std::int32_t minimum, std::int32_t fallback,
                         std::int32_t extent);

// A coordinate: its fallback when its magnitude reaches kAbsurdPixels, else within [low, high]
// (high below low gives low).
std::int32_t BoundedPosition(std::int32_t value, std::int32_t fallback, std::int32_t low,
                             std::int32_t high);

// A window's place and size, moved and shrunk so that it lies wholly inside the area (as it
// stands when the area is not known).
struct WindowRect {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    bool operator==(const WindowRect&) const = default;
};
WindowRect KeepOnScreen(WindowRect window, const ScreenArea& area);
