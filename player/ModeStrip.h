#pragma once

#include <QFrame>

class QLabel;
class QLineEdit;
class QToolButton;
class TAMAdvLed;

// The mode strip (the main window's Panel3), the innermost row of the bottom dock: a picture
// under Panel7, which holds, left to right, the "Shuffle", "Loop" and "Preview" buttons with
// a lamp at each end, the preview length PMLen with "Sec", "MD" (ToolbarButton972) and the
// short form button. The window centres Panel7 and wires the buttons to its handlers; the
// strip keeps each pair of lamps alike itself. Loop's lamps start lit.
class ModeStrip : public QFrame {
public:
    explicit ModeStrip(QWidget* parent);

    QWidget* Panel7() const { return panel7_; }
    QToolButton* Shuffle() const { return shuffle_; }
    QToolButton* TBLoop() const { return loop_; }
    QToolButton* TBPlayMode() const { return preview_; }
    QLineEdit* PMLen() const { return length_; }
    QToolButton* ToolbarButton972() const { return makeDefault_; }
    QToolButton* ShortForm() const { return shortForm_; }
    // The lamps: LedS, LedL and LedP at the left of each mode button, AMAdvLed1 to 3 at the
    // right. mode: 0 shuffle, 1 loop, 2 preview.
    TAMAdvLed* LeftLamp(int mode) const { return lamps_[mode][0]; }
    TAMAdvLed* RightLamp(int mode) const { return lamps_[mode][1]; }

    // --- Handlers: each left lamp lights its twin ---
    void LedSLedStateChanged(TAMAdvLed* sender, bool ledOn, int numSwitch);
    void LedLLedStateChanged(TAMAdvLed* sender, bool ledOn, int numSwitch);
    void LedPLedStateChanged(TAMAdvLed* sender, bool ledOn, int numSwitch);

private:
    void CreateModes();
    void CreateRest(int left);

    QWidget* panel7_ = nullptr;
    QToolButton* shuffle_ = nullptr;
    QToolButton* loop_ = nullptr;
    QToolButton* preview_ = nullptr;
    QLineEdit* length_ = nullptr;
    QToolButton* makeDefault_ = nullptr;
    QToolButton* shortForm_ = nullptr;
    TAMAdvLed* lamps_[3][2] = {};
};
