#pragma once

#include <QWidget>
#include <functional>

#include "widgets/LedLamp.h"

// The LED lamp: a 13 x 13 picture of one of sixteen shapes, lit or dark, whose transparent
// corners show the parent's colour. Every change repaints at once. It does not react to the
// mouse by itself. A screen reader reads it as a label: the caption its owner gives it and its
// state ("Loop on").
class TAMAdvLed : public QWidget {
    Q_OBJECT

public:
    explicit TAMAdvLed(QWidget* parent = nullptr);

    const LedLamp& Lamp() const { return lamp_; }

    TLedType LedType() const { return lamp_.LedType(); }
    void SetLedType(TLedType value);
    bool LedOn() const { return lamp_.LedOn(); }
    // A real change counts, raises OnLedStateChanged with the new count, then repaints.
    void SetLedOn(bool value);
    Color ColorOn() const { return lamp_.ColorOn(); }
    void SetColorOn(Color value);
    Color ColorOff() const { return lamp_.ColorOff(); }
    void SetColorOff(Color value);
    TBorder BorderStyle() const { return lamp_.BorderStyle(); }
    void SetBorderStyle(TBorder value);
    bool Ctl3D() const { return lamp_.Ctl3D(); }
    void SetCtl3D(bool value);

    // What the lamp shows ("Loop"); its accessible name is this and "on" or "off".
    void SetAccessibleCaption(const QString& caption);

    // After the lamp has been placed: whatever size it was given, it is 13 x 13.
    void Loaded();

    // The colour behind the lamp: the parent's background, or the lamp's own without a parent.
    QColor BackgroundColor() const;

    // Called after every change of LedOn, with the new state and the number of changes so far.
    std::function<void(TAMAdvLed* sender, bool ledOn, int numSwitch)> OnLedStateChanged;
    std::function<void()> OnClick;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseDown;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseUp;

    QSize sizeHint() const override { return {LampSize, LampSize}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void NameForState();

    LedLamp lamp_;
    QString accessibleCaption_;
};
