#include "config/ConfigFormat.h"

std::string DockToText(DockSide dock) {
    switch (dock) {
        case DockSide::None:
            return "dNone";
        case DockSide::Top:
            return "dTop1";
        case DockSide::Bottom:
            return "dBottom";
        case DockSide::Left:
            return "dLeft";
        case DockSide::Right:
            return "dRight";
    }
    return "dNone";
}

std::optional<DockSide> DockFromText(std::string_view text) {
    if (text == "dNone")
        return DockSide::None;
    if (text == "dTop1")
        return DockSide::Top;
    if (text == "dBottom")
        return DockSide::Bottom;
    if (text == "dLeft")
        return DockSide::Left;
    if (text == "dRight")
        return DockSide::Right;
    return std::nullopt;
}
