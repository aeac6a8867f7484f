#pragma once

#include <string>

#include "playback/PlaybackDisplay.h"

class QLineEdit;
class QSlider;
class QWidget;
class TAMAdvLed;
class TLCDLabel;
class TTrayIcon;

// The main window's widgets as the sequencer sees them: the window title, the tray tooltip,
// the track bar (positions in ms, kept within an int's range), the LCD label and PMLen. Every
// use of the LCD label and the mode lamps goes through here. Built from the widgets it
// writes, which must outlive it; the LCD and the lamps may be missing.
class PlaybackWidgets final : public PlaybackDisplay {
public:
    struct Parts {
        QWidget& window;  // its title is the caption
        TTrayIcon& trayIcon;
        QSlider& trackBar;
        QLineEdit& previewLength;  // PMLen
        TLCDLabel* lcd = nullptr;
        TAMAdvLed* shuffleLamp = nullptr;  // LedS, LedL and LedP: the left lamp of each mode
        TAMAdvLed* loopLamp = nullptr;
        TAMAdvLed* previewLamp = nullptr;
    };

    explicit PlaybackWidgets(Parts parts) : parts_(parts) {}

    void SetCaption(const std::string& caption) override;
    void SetToolTip(const std::string& toolTip) override;
    void SetTrackBarMax(std::int64_t max) override;
    void SetTrackBarPosition(std::int64_t position) override;
    std::int64_t TrackBarPosition() const override;
    std::string LcdCaption() const override;
    void SetLcdCaption(const std::string& caption) override;
    bool PreviewLengthEnabled() const override;
    std::string PreviewLength() const override;
    void SetPreviewLength(const std::string& text) override;

    void SetLcdHint(const std::string& hint);
    // The left lamp of each mode button; its state-change handler lights the right one.
    void LightShuffle(bool on);
    void LightLoop(bool on);
    void LightPreview(bool on);

private:
    Parts parts_;
    std::string lcdCaption_;  // what the LCD shows, also while the window has none
};
