#include "toolbars/TToolbar97.h"

#include <QGuiApplication>

#include "toolbars/TDock97.h"
#include "toolbars/TDockHost.h"
#include "toolbars/ToQColor.h"

namespace {
constexpr Color kSteelBlue = 0xD7AE6A;
}

TToolbar97::TToolbar97(const QString& caption, const char* name, TDockHost* host)
    : QToolBar(caption, host), host_(host), color_(kSteelBlue) {
    setObjectName(QString::fromLatin1(name));
    setMovable(true);
    setFloatable(true);
    setIconSize(QSize(20, 20));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // The hide/show menu of Qt's tool bars would bypass the program's own toolbar commands.
    toggleViewAction()->setVisible(false);
    ApplyColor();
}

TDock97* TToolbar97::DockedTo() const {
    return host_->Dock(host_->PlaceOf(this).dock);
}

bool TToolbar97::MayDockAt(const TDock97* dock) const {
    return dock == nullptr || isAreaAllowed(dock->Area());
}

void TToolbar97::SetDockedTo(TDock97* dock) {
    if (!MayDockAt(dock) || (dock ? !dock->Area() : !isFloatable()))
        return;
    ToolbarPlace place = host_->PlaceOf(this);
    const DockSide side = dock ? dock->Side() : DockSide::None;
    if (place.dock == side)
        return;
    place.dock = side;
    host_->Place(this, place);
}

std::int32_t TToolbar97::Left() const {
    return host_->PlaceOf(this).left;
}

std::int32_t TToolbar97::Top() const {
    return host_->PlaceOf(this).top;
}

void TToolbar97::SetLeft(std::int32_t left) {
    ToolbarPlace place = host_->PlaceOf(this);
    place.left = left;
    host_->Place(this, place);
}

void TToolbar97::SetTop(std::int32_t top) {
    ToolbarPlace place = host_->PlaceOf(this);
    place.top = top;
    host_->Place(this, place);
}

void TToolbar97::setVisible(bool visible) {
    if (!visible && !isHidden())
        host_->Remember(this);
    QToolBar::setVisible(visible);
}

void TToolbar97::SetColor(::Color color) {
    if (color == color_)
        return;
    color_ = color;
    ApplyColor();
}

void TToolbar97::ApplyColor() {
    // The application's palette: the style sheet below recolours this toolbar's own.
    const QColor face = ToQColor(color_, QGuiApplication::palette());
    // Buttons draw on the toolbar's own colour; their text stays readable on it.
    const QColor text = face.lightness() < 80 ? QColor(Qt::white) : QColor(Qt::black);
    setStyleSheet(QStringLiteral("QToolBar#%1 { background: %2; border: none; spacing: 0px; "
                                 "padding: 1px; } QToolBar#%1 QToolButton { color: %3; }")
                      .arg(objectName(), face.name(), text.name()));
}
