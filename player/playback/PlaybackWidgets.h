#pragma once

#include <string>

#include "playback/PlaybackDisplay.h"

class TQuavrel;

// The main window's widgets as the sequencer sees them: the window title, the tray tooltip,
// the track bar (positions in ms, kept within an int's range), the LCD label and PMLen. Every
// use of the LCD label and the mode lamps goes through here. The window must outlive it.
class PlaybackWidgets final : public PlaybackDisplay {
public:
    explicit PlaybackWidgets(TQuavrel& window) : window_(window) {}

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
    TQuavrel& window_;
    std::string lcdCaption_;  // what the LCD shows, also while the window has none
};
