#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct PlayListEntry;

// The player as the media player interface drives it: the commands run the handler the
// matching button or menu item runs, so the program's own rules hold; the read-outs report the
// state those handlers left. The main window implements it. Commands may throw what the
// handler throws (EMCIDeviceError and its kin, with the text the user reads). Track bar
// positions are milliseconds, volumes the mixer's steps (0 to 65535). User-interface thread
// only.
class PlayerControl {
public:
    virtual ~PlayerControl() = default;

    // --- Commands ---
    virtual void Raise() = 0;         // shown, unminimised, on top and active
    virtual void Quit() = 0;          // as "Exit" in the main menu
    virtual void PlaySelected() = 0;  // the "Play" button
    virtual void StopPlaying() = 0;   // the "Stop" button, which stops at the position
    virtual void PlayNext() = 0;
    virtual void PlayPrevious() = 0;
    virtual void ToggleLoop() = 0;
    virtual void ToggleShuffle() = 0;
    // As the user moving the track bar there: seeks, refreshes, plays on if it was playing.
    virtual void SeekTo(std::int64_t positionMs) = 0;
    // Opens a file as the command line does: a play list file loads and plays; a media file
    // or folder is added as a drop on the play list would add it, and its first entry plays
    // as a double-click on it would. False when the play list took nothing (nothing then
    // plays).
    virtual bool AddAndPlay(const std::string& path) = 0;
    // Sets destination 0 as a move of the volume pop-up's slider would (see HasVolume).
    virtual void SetVolume(int steps) = 0;
    // Shows the text of an error to the user, as a handler's failure is shown.
    virtual void ShowError(const std::string& text) = 0;

    // --- Read-outs ---
    // The entry the play order last chose; null when there is none. Valid until the next change
    // of the play list.
    virtual const PlayListEntry* CurrentEntry() const = 0;
    virtual bool LoopOn() const = 0;
    virtual bool ShuffleOn() const = 0;
    virtual const std::vector<std::string>& FilterList() const = 0;  // extensions, as stored
    virtual std::int64_t TrackBarMax() const = 0;
    // There is a mixer and its pop-up to set the volume with.
    virtual bool HasVolume() const = 0;
    // Destination 0's left volume; none without a mixer or when it cannot be read.
    virtual std::optional<int> Volume() const = 0;
    // Whether the buttons of these commands are enabled now.
    virtual bool CanPlay() const = 0;
    virtual bool CanPause() const = 0;
    virtual bool CanGoNext() const = 0;
    virtual bool CanGoPrevious() const = 0;
    virtual bool CanSeek() const = 0;  // the track bar is enabled

    // afterTick runs after every tick of the progress timer, afterSeek after every move of
    // the track bar by the user, each after the window's own handler. A later call replaces
    // the watchers; empty functions stop them.
    virtual void SetWatchers(std::function<void()> afterTick, std::function<void()> afterSeek) = 0;
};
