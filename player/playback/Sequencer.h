#pragma once

#include <cstdint>
#include <string>

#include "playback/ShuffleGenerator.h"

class Clock;
class MediaDevice;
class PlaybackDisplay;
class PlayList;
struct PlayerState;

// The play order and the progress step. It decides which play list entry plays next, opens and
// starts it, moves on when a file has ended, and keeps the track bar, the LCD and the tooltip in
// step with the device. It keeps no list of its own: in order the focused entry is the current
// one and the entry being played is selected; in shuffle the selected entries are those not yet
// played in this pass and the focused entry is the one being played.
//
// Each public function is the body of the main window handler of the same name. All run on the
// user-interface thread. Errors of the device other than a failed open (which is handled here)
// escape as EMCIDeviceError; an unreadable preview length cannot occur (see PreviewSeconds).
class Sequencer {
public:
    // Caption of the window while nothing is being played after a failure or an emptied list.
    static constexpr const char* IdleCaption = "Quavrel v2.0 ";
    static constexpr const char* Title = "Quavrel v2.0";

    // Every reference must outlive the sequencer.
    Sequencer(PlayerState& state, PlayList& list, MediaDevice& device, PlaybackDisplay& display,
              const Clock& clock);

    void OpenAndPlay();
    void PlayFile();
    void NextSClick();
    void PrevSClick();
    void PlayClick();
    void PauseClick();
    void MediaPlayer1Notify();
    // Switches shuffle: on selects every entry (none played yet), off deselects every entry.
    void ShuffleClick();
    void TBLoopClick();
    // PMLenChange and PMLenClick: a playing file stops.
    void PMLenChange();

    // The progress step: fromTimer false is the design's call "with no sender", which refreshes
    // the displays whatever the mode.
    void TimerTimer(bool fromTimer);
    // The user moved the track bar: seek there, refresh, and play on if it was playing.
    void TrackBarChange();

    // The name of a device mode, as the tray shows it when a file has ended.
    static std::string ModeName(int mode);
    // The preview length as a number: a run of digits, saturated; empty or anything else
    // counts as 5 seconds, the box's start value.
    static std::int64_t PreviewSeconds(const std::string& text);

private:
    // An entry whose file told no length (video, MIDI, not read yet) keeps the one the device
    // found at the open; a length read from the tags is not replaced.
    void KeepLength(std::int64_t length);
    // The shuffle draw: draws until a selected entry comes up, focuses it once and deselects it;
    // then FileName and PlayIndex name it. Needs at least one selected entry.
    void DrawUnplayed();
    void PlayFirstSelected();
    void SetFileName(int index);

    PlayerState& state_;
    PlayList& list_;
    MediaDevice& device_;
    PlaybackDisplay& display_;
    const Clock& clock_;
    ShuffleGenerator random_;
};
