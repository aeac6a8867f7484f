#pragma once

class QAbstractButton;
class QAbstractSlider;
class QObject;

// What a screen reader learns about the player's own widgets. Qt describes a plain widget as an
// unnamed panel: the LCD label, the lamps and the sliders that stand for a percentage get
// interfaces of their own here, through one factory that the widgets install when created.
namespace AccessibleWidgets {

// Registers the factory with Qt once per process; later calls do nothing. Call it before the
// first widget it describes is asked about (the widgets' constructors do).
void Install();

// The slider tells its value as 0 to 100 % of its range instead of its raw position. reversed:
// the slider's minimum is 100 % (the volume pop-up's slider, loudest at position 0). Call it
// before anything asks about the slider, setAccessibleName included: Qt keeps the first
// interface it made for a widget.
void ExposeAsPercent(QAbstractSlider* slider, bool reversed = false);

// The button switches a mode on and off without looking pressed (a lamp shows the mode): a
// screen reader reads it as a check box, checked while the mode is on. Call SetToggleChecked
// on every change of the mode; it tells a listening screen reader.
void ExposeAsToggle(QAbstractButton* button, bool checked);
void SetToggleChecked(QAbstractButton* button, bool checked);

}  // namespace AccessibleWidgets
