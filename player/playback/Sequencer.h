#pragma once

#include <cstdint>
#include <string>

#include "playback/ShuffleGenerator.h"
#include "playlist/PlayList.h"

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
// It also names the entry that comes next to the device (MediaDevice::Queue), so that the
// device can join the two without a gap: after each play it starts, at every change of the list
// (it observes it) and at a change of a mode. The entry named is the one NextSClick would play;
// in shuffle the draw for it is made when it is named, and NextSClick then plays that entry.
// Nothing is queued in preview, after a stream, or while "stop after this entry" is set.
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
    ~Sequencer();
    Sequencer(const Sequencer&) = delete;
    Sequencer& operator=(const Sequencer&) = delete;

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
    // Plays the entry at index from positionMs, as if the order had come to it: in order it is
    // the focused and only selected entry, in shuffle it is focused and counts as played. A
    // file that cannot be opened takes the usual failure path; a position past the end plays
    // from the start.
    void ResumeAt(int index, std::int64_t positionMs);
    // Switches "stop after this entry": the entry that plays goes on to its end and nothing
    // follows it; the switch then turns itself off.
    void StopAfterEntryClick();
    // Names the next entry to the device again; the window calls it after changing a mode the
    // sequencer does not switch itself (preview). Cheap when nothing changed.
    void RefreshQueue();
    // The entry NextSClick would open now, or -1 when it would open none. In shuffle the draw
    // is made at the first call and kept while the entry stays unplayed.
    int PlannedNext();

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
    int PlannedShuffle();
    bool PlanStands() const;
    // The progress step of a stream: its title in the caption and tooltip, no length.
    void ShowStream();
    bool PlayingStream() const;

    // Hears every change of the list; the queue is named again once the change is over.
    class ListWatch final : public PlayListObserver {
    public:
        explicit ListWatch(Sequencer& sequencer) : sequencer_(sequencer) {}
        void EntriesInserted(int, int) override { sequencer_.ListChanged(); }
        void EntriesRemoved(int, int) override { sequencer_.ListChanged(); }
        void EntryMoved(int, int) override { sequencer_.ListChanged(); }
        void EntriesChanged(int, int) override { sequencer_.ListChanged(); }
        void FocusChanged(int, int) override { sequencer_.ListChanged(); }
        void Reset() override { sequencer_.ListChanged(); }

    private:
        Sequencer& sequencer_;
    };
    // While the sequencer's own commands run, changes are only noted; the command's end names
    // the queue once.
    class Busy {
    public:
        explicit Busy(Sequencer& sequencer);
        ~Busy();

    private:
        Sequencer& sequencer_;
    };
    void ListChanged();

    // The modes the queue was named under: a change means naming it again.
    struct Modes {
        std::uint8_t shuffle, loop, preview, stopAfter;
        bool operator==(const Modes&) const = default;
    };
    Modes CurrentModes() const;

    PlayerState& state_;
    PlayList& list_;
    MediaDevice& device_;
    PlaybackDisplay& display_;
    const Clock& clock_;
    ShuffleGenerator random_;
    ListWatch watch_{*this};
    int busy_ = 0;
    bool dirty_ = false;
    Modes queuedUnder_{};
    // The shuffle's draw for the next entry, made when it was queued.
    int plannedIndex_ = -1;
    std::string plannedPath_;
};
