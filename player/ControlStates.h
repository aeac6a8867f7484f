#pragma once

#include <utility>
#include <vector>

class PlaybackWidgets;
class QAction;
class QLineEdit;
class QWidget;
class TFileView;

// The main window's controls whose state follows a state of the window, each list held once
// with the one function that writes it: the controls that follow the play list's emptiness,
// the modes' ticks and lamps, and the commands a long job switches off. It writes what it is
// told and derives nothing: the start state (the buttons off, the menu items on, though the
// list is empty) is the window's as made. Built from the window's widgets, which must outlive
// it; user-interface thread only.
class ControlStates final {
public:
    struct ModeItems {
        QAction& menuItem;   // in the Sequence menu: Shuffle2, Loop1, Preview1
        QAction& popUpItem;  // in the tray's pop-up: Shuffle1, LoopN, PreviewN
    };
    struct Parts {
        // --- Follow the list's emptiness: on while it has entries ---
        QWidget& play;  // its enabled state is the record of the emptiness the others follow
        QWidget& pause;
        QWidget& next;
        QWidget& previous;
        QWidget& trackBar;
        std::vector<QWidget*> otherButtons;  // the short form's twins, Save
        // Also switched off while a long job runs: TBDelete, Clear, MoveBack, MoveFwd.
        std::vector<QWidget*> listButtons;
        std::vector<QAction*> items;  // the menu items, the Edit menu among them

        // --- Switched off while a long job runs, given back as they were ---
        std::vector<QAction*> longJobItems;
        QWidget& load;
        TFileView& listView;  // takes no drops

        // --- The modes ---
        ModeItems shuffle;
        ModeItems loop;
        ModeItems preview;
        QLineEdit& previewLength;  // PMLen: enabled exactly while preview is on
        PlaybackWidgets& lamps;
    };

    explicit ControlStates(Parts parts) : parts_(std::move(parts)) {}

    // --- Emptiness ---
    // The start state: every button that follows emptiness off; the menu items stay as made.
    void StartState();
    // Writes Play's state; when that changed, every other control follows it.
    void FollowEmptiness(bool hasEntries);
    // The read-outs the media player interface reports.
    bool CanPlay() const;
    bool CanPause() const;
    bool CanGoNext() const;
    bool CanGoPrevious() const;
    bool CanSeek() const;
    // How many of the buttons and of the menu items that follow emptiness are on, for checks.
    struct Count {
        int on = 0;
        int of = 0;
    };
    Count ButtonsOn() const;
    Count ItemsOn() const;

    // --- The modes: both items' ticks and the lamp (preview: also PMLen's state and colour) ---
    void ShowShuffle(bool on);
    void ShowLoop(bool on);
    void ShowPreview(bool on);

    // --- A long job: while one lives, the user's ways to change the list are off ---
    class LongJobCommandsOff final {
    public:
        explicit LongJobCommandsOff(ControlStates& controls);
        // Gives the commands back; the list buttons get the state emptiness gives them now.
        ~LongJobCommandsOff();
        LongJobCommandsOff(const LongJobCommandsOff&) = delete;
        LongJobCommandsOff& operator=(const LongJobCommandsOff&) = delete;

    private:
        ControlStates& controls_;
        std::vector<bool> itemsWereEnabled_;
        bool loadWasEnabled_;
        bool acceptedFiles_;
    };

private:
    Parts parts_;
};
