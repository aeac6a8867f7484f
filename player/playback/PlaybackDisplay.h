#pragma once

#include <cstdint>
#include <string>

// PlaybackDisplay: the controls the sequencer and the progress step write to and read from:
// the window caption, the tray tooltip, the track bar, the LCD label and the preview length box
// PMLen. The main window implements it over its widgets, tests over plain fields. Positions and
// lengths are milliseconds. User-interface thread only; no call throws.
class PlaybackDisplay {
public:
    virtual ~PlaybackDisplay() = default;

    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetToolTip(const std::string& toolTip) = 0;

    // A maximum below 1 (a stream, a file whose length is unknown) also disables the track bar;
    // one of 1 or more enables it.
    virtual void SetTrackBarMax(std::int64_t max) = 0;
    // Kept within the track bar's range, as the track bar does.
    virtual void SetTrackBarPosition(std::int64_t position) = 0;
    virtual std::int64_t TrackBarPosition() const = 0;

    // The caption as the label holds it (all of it, not only the cells it shows).
    virtual std::string LcdCaption() const = 0;
    virtual void SetLcdCaption(const std::string& caption) = 0;

    // Preview is on while the box is enabled.
    virtual bool PreviewLengthEnabled() const = 0;
    virtual std::string PreviewLength() const = 0;
    // Like any change of the box, this runs PMLenChange, which stops a playing file.
    virtual void SetPreviewLength(const std::string& text) = 0;
};
