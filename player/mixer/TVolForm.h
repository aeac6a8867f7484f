#pragma once

#include <QWidget>
#include <optional>

#include "mixer/TAudioMixer.h"

class QCheckBox;
class QFrame;
class QSlider;

// The volume pop-up: a borderless window with a vertical slider (top loudest) and a mute box
// for destination 0 of the main window's mixer. It is created hidden and lives as long as the
// main window; opening and closing only show and hide it. It closes when the user clicks
// elsewhere or it loses activation, when the slider loses the focus, and when a drag of the
// slider ends.
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

private:
    TAudioMixer& mixer_;
};
