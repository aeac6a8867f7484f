#include "toolbars/TDock97.h"

#include "toolbars/TDockHost.h"

TDock97::TDock97(TDockHost* host, DockSide side, const char* name)
    : QObject(host), host_(host), side_(side) {
    setObjectName(QString::fromLatin1(name));
}

Qt::ToolBarArea TDock97::Area() const {
    switch (side_) {
        case DockSide::Top:
            return Qt::TopToolBarArea;
        case DockSide::Bottom:
            return Qt::BottomToolBarArea;
        case DockSide::Left:
            return Qt::LeftToolBarArea;
        case DockSide::Right:
            return Qt::RightToolBarArea;
        case DockSide::None:
            break;
    }
    return Qt::NoToolBarArea;
}

void TDock97::SetColor(::Color color) {
    if (color == color_)
        return;
    color_ = color;
    host_->update();
}
