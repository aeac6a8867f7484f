#pragma once

#include <QToolBar>
#include <cstdint>

#include "config/ConfigState.h"
#include "widgets/Colors.h"

class TDock97;
class TDockHost;

// A docking toolbar: a Qt tool bar of the dock host that docks at any dock it is allowed, or
// floats, and that reports and accepts its dock and its left and top position (see
// TDockHost). Floating, it is a small frameless window without a close button.
class TToolbar97 : public QToolBar {
    Q_OBJECT

public:
    // Made in the host's top dock, shown, horizontal, in the steel blue of the dark scheme.
    TToolbar97(const QString& caption, const char* name, TDockHost* host);

    // The dock it stands in; null while it floats.
    TDock97* DockedTo() const;
    // Docks it at dock, or floats it for null, keeping its left and top numbers. A dock the
    // toolbar may not use is refused and the toolbar stays where it is.
    void SetDockedTo(TDock97* dock);
    bool MayDockAt(const TDock97* dock) const;

    std::int32_t Left() const;
    std::int32_t Top() const;
    void SetLeft(std::int32_t left);
    void SetTop(std::int32_t top);

    ::Color Color() const { return color_; }
    void SetColor(::Color color);

    void setVisible(bool visible) override;

private:
    void ApplyColor();

    TDockHost* host_;
    ::Color color_;
};
