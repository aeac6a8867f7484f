#include "widgets/TAMAdvLed.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/AccessibleWidgets.h"
#include "widgets/QtRaster.h"

TAMAdvLed::TAMAdvLed(QWidget* parent) : QWidget(parent) {
    // The lamp paints every pixel of its rectangle itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(0, 0, LampSize, LampSize);
    AccessibleWidgets::Install();
}

void TAMAdvLed::SetAccessibleCaption(const QString& caption) {
    accessibleCaption_ = caption;
    NameForState();
}

void TAMAdvLed::NameForState() {
    if (accessibleCaption_.isEmpty())
        return;
    // Setting the name tells a screen reader of the change.
    setAccessibleName(accessibleCaption_ + (LedOn() ? tr(" on") : tr(" off")));
}

void TAMAdvLed::SetLedType(TLedType value) {
    if (lamp_.SetLedType(value))
        repaint();
}

void TAMAdvLed::SetLedOn(bool value) {
    if (!lamp_.SetLedOn(value))
        return;
    NameForState();
    if (OnLedStateChanged)
        OnLedStateChanged(this, value, lamp_.SwitchCount());
    repaint();
}

void TAMAdvLed::SetColorOn(Color value) {
    lamp_.SetColorOn(value);
    repaint();
}

void TAMAdvLed::SetColorOff(Color value) {
    lamp_.SetColorOff(value);
    repaint();
}

void TAMAdvLed::SetBorderStyle(TBorder value) {
    if (lamp_.SetBorderStyle(value))
        repaint();
}

void TAMAdvLed::SetCtl3D(bool value) {
    if (lamp_.SetCtl3D(value))
        repaint();
}

void TAMAdvLed::Loaded() {
    resize(LampSize, LampSize);
}

QColor TAMAdvLed::BackgroundColor() const {
    const QWidget* owner = parentWidget() != nullptr ? parentWidget() : this;
    return owner->palette().color(owner->backgroundRole());
}

void TAMAdvLed::paintEvent(QPaintEvent*) {
    const QColor background = BackgroundColor();
    QPainter painter(this);
    // A lamp stretched beyond 13 x 13 (before Loaded) shows the picture in its top-left corner.
    painter.fillRect(rect(), background);
    painter.drawImage(0, 0, ToQImage(lamp_.Paint(ToColor(background))));
}

void TAMAdvLed::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The parent's colour reaches the lamp as a palette change: repaint the corners at once.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ParentChange)
        repaint();
}

void TAMAdvLed::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(event->button(), event->modifiers(), event->position().toPoint().x(),
                    event->position().toPoint().y());
}

void TAMAdvLed::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (OnMouseUp)
        OnMouseUp(event->button(), event->modifiers(), at.x(), at.y());
    if (event->button() == Qt::LeftButton && rect().contains(at) && OnClick)
        OnClick();
}
