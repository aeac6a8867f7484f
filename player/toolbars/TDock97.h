#pragma once

#include <QObject>

#include "config/ConfigState.h"
#include "widgets/Colors.h"

class TDockHost;

// One of the four docks along the edges of the main window's middle (Dock971 top, Dock973
// left, Dock974 bottom, Dock975 right): a tool bar area of the dock host, with the colour its
// free space is painted in. The host owns it.
class TDock97 : public QObject {
    Q_OBJECT

public:
    TDock97(TDockHost* host, DockSide side, const char* name);

    DockSide Side() const { return side_; }
    Qt::ToolBarArea Area() const;
    TDockHost* Host() const { return host_; }

    ::Color Color() const { return color_; }
    void SetColor(::Color color);

private:
    TDockHost* host_;
    DockSide side_;
    ::Color color_ = clBlack;
};
