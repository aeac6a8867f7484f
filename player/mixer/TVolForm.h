#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <optional>

#include "mixer/TAudioMixer.h"

class QCheckBox;
class QFrame;
class QSlider;

// The volume pop-up: a borderless window with a vertical slider (top loudest) and a mute box
// for destination 0 of the main window's mixer. It is created hidden and lives as long as the
// main window; opening and closing only show and hide it. It closes when the user clicks
// elsewhere or it loses activation, when the focus leaves the slider other than by Tab (which
// moves between the slider and the box), when a drag of the slider ends, and on Escape. A screen
// reader finds it as the window "Volume" with the slider "Volume" (0 to 100 %) and the check box
// "Mute"; the arrow keys move the slider.
class TVolForm : public QWidget {
    Q_OBJECT

public:
    // The designed window is 112 × 140; it is cut to the slider's width plus 5.
    static constexpr int DesignedWidth = 112;
    static constexpr int DesignedHeight = 140;

    // The mixer must outlive the pop-up's use of it (the main window's lifetime).
    explicit TVolForm(TAudioMixer& mixer, QWidget* parent = nullptr);

    // The slider at 65535 - left volume, the box checked when muted. What cannot be shown (no
    // mixer device, no output, no such control) disables its control, with a hint saying why.
    // Never writes to the mixer, and leaves the slider alone while the user drags it.
    void ShowVolume(const std::optional<MixerVolume>& volume);

    // Reads destination 0 and shows it (see ShowVolume); what the pop-up does on the mixer's
    // change notices, shown or hidden.
    void Refresh();
    // Refreshes, places the pop-up's bottom-right corner on that of mainFrame (the main
    // window's frame, in screen coordinates), shows it and gives the slider the focus.
    void PopUp(const QRect& mainFrame);
    // What the volume button does: opens the pop-up (PopUp), or closes it when it is open or
    // has just closed because this very press took its activation.
    void Toggle(const QRect& mainFrame);
    // Hides the pop-up and gives the activation back to the main window.
    void Close();

    void TrackBar1Change();
    void VolCheckClick();
    void Panel1DblClick();
    void FormDeactivate();
    void TrackBar1Exit();
    void TrackBar1EndDrag();

    QFrame* Panel1;
    QSlider* TrackBar1;
    QCheckBox* VolCheck;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class OutsidePress;
    void Hidden();  // hides and notes when

    TAudioMixer& mixer_;
    QElapsedTimer closed_;        // since the pop-up last closed; invalid before
    OutsidePress* outsidePress_;  // a child; filters the application's events while open
};
