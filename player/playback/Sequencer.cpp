#include "playback/Sequencer.h"

#include <array>
#include <limits>

#include "media/MediaDevice.h"
#include "media/StreamText.h"
#include "playback/PlaybackDisplay.h"
#include "playback/PlayerState.h"
#include "playback/ProgressText.h"
#include "playlist/PlayList.h"
#include "services/Clock.h"

Sequencer::Sequencer(PlayerState& state, PlayList& list, MediaDevice& device,
                     PlaybackDisplay& display, const Clock& clock)
    : state_(state), list_(list), device_(device), display_(display), clock_(clock) {
    list_.AddObserver(&watch_);
    queuedUnder_ = CurrentModes();
}

Sequencer::~Sequencer() {
    list_.RemoveObserver(&watch_);
}

Sequencer::Busy::Busy(Sequencer& sequencer) : sequencer_(sequencer) {
    ++sequencer_.busy_;
}

Sequencer::Busy::~Busy() {
    if (--sequencer_.busy_ == 0 && sequencer_.dirty_)
        sequencer_.RefreshQueue();
}

void Sequencer::ListChanged() {
    dirty_ = true;
    if (busy_ == 0)
        RefreshQueue();
}

Sequencer::Modes Sequencer::CurrentModes() const {
    return {state_.ShuffleOn, state_.LoopOn, state_.PlayMode, state_.StopAfterEntry};
}

bool Sequencer::PlayingStream() const {
    return device_.Mode() != MediaMode::NotReady && StreamText::IsStreamAddress(device_.FileName());
}

void Sequencer::RefreshQueue() {
    dirty_ = false;
    queuedUnder_ = CurrentModes();
    std::string next;
    // A preview is no join, a stream has no end to join at, and a stop after this entry wants
    // nothing to follow.
    if (state_.PlayMode != 1 && state_.StopAfterEntry != 1 &&
        device_.Mode() != MediaMode::NotReady && !PlayingStream()) {
        const int index = PlannedNext();
        if (index >= 0)
            next = list_.At(index).Path;
    }
    device_.Queue(next);
}

int Sequencer::PlannedNext() {
    if (list_.Empty())
        return -1;
    if (state_.ShuffleOn == 1)
        return PlannedShuffle();
    if (list_.SelectedCount() == 0)
        return 0;
    // As NextSClick: the focused entry gives way to the one after it (or the first, looped),
    // and the first selected entry in list order plays.
    const int focused = list_.Focused() < 0 ? 0 : list_.Focused();
    int next = list_.Next(focused);
    if (next < 0) {
        if (state_.LoopOn != 1)
            return -1;
        next = 0;
    }
    const int first = list_.FirstSelected();
    // Entries between the focused one and the next cannot exist, so only a selection before
    // the focused entry comes first.
    return first >= 0 && first != focused ? std::min(first, next) : next;
}

bool Sequencer::PlanStands() const {
    if (plannedIndex_ < 0 || plannedIndex_ >= list_.Count() ||
        list_.At(plannedIndex_).Path != plannedPath_)
        return false;
    // A new pass selects every entry; within a pass the entry must still be unplayed.
    return list_.SelectedCount() == 0 ? state_.LoopOn == 1 : list_.IsSelected(plannedIndex_);
}

int Sequencer::PlannedShuffle() {
    const bool newPass = list_.SelectedCount() == 0;
    if (newPass && state_.LoopOn != 1)
        return -1;
    if (PlanStands())
        return plannedIndex_;
    random_.Seed(clock_.TimeOfDayMs());
    int index = random_.Draw(list_.Count());
    while (!newPass && !list_.IsSelected(index))
        index = random_.Draw(list_.Count());
    plannedIndex_ = index;
    plannedPath_ = list_.At(index).Path;
    return index;
}

std::string Sequencer::ModeName(int mode) {
    static const std::array<const char*, 7> names = {"Not ready", "Stopped", "Playing", "Recording",
                                                     "Seeking",   "Paused",  "Open"};
    return mode >= 0 && mode < static_cast<int>(names.size()) ? names[mode] : "";
}

std::int64_t Sequencer::PreviewSeconds(const std::string& text) {
    if (text.empty())
        return 5;
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 5;
        value = std::min(value * 10 + (c - '0'), limit);
    }
    return value;
}

void Sequencer::SetFileName(int index) {
    device_.SetFileName(list_.At(index).Path);
    state_.PlayIndex = index;
}

void Sequencer::OpenAndPlay() {
    try {
        device_.Open();
    } catch (const std::exception&) {
        display_.SetCaption(IdleCaption);
        const int focused = list_.Focused();
        // A station that cannot be reached now is no bad file: its entry stays.
        if (focused >= 0 && list_.At(focused).Path == device_.FileName() &&
            !StreamText::IsStreamAddress(device_.FileName())) {
            list_.Delete(focused);
            state_.DragSourceItem = -1;
        }
        return;
    }
    const std::int64_t length = device_.Length();
    KeepLength(length);
    display_.SetTrackBarMax(length);
    // A stream has no length to hold the preview against.
    if (state_.PlayMode == 1 && !StreamText::IsStreamAddress(device_.FileName())) {
        // An emptied box would fail to read: it takes its start value, as the timer gives it.
        if (display_.PreviewLength().empty())
            display_.SetPreviewLength("5");
        const std::int64_t seconds = PreviewSeconds(display_.PreviewLength());
        // Seconds against the device's length in its own unit, as designed.
        if (seconds <= 1 || seconds >= length)
            display_.SetPreviewLength("1");
    }
    display_.SetTrackBarPosition(0);
    state_.PreviewTicks = 0;
    PlayFile();
}

void Sequencer::KeepLength(std::int64_t length) {
    const int index = state_.PlayIndex;
    if (length <= 0 || !list_.Contains(index) || list_.At(index).Path != device_.FileName())
        return;
    const std::shared_ptr<const TrackTags>& had = list_.At(index).Tags;
    if (had && had->LengthMs >= 0)
        return;
    auto tags = had ? std::make_shared<TrackTags>(*had) : std::make_shared<TrackTags>();
    tags->LengthMs = length;
    list_.SetTags({{index, std::move(tags)}});
}

void Sequencer::PlayFile() {
    const std::string& path = device_.FileName();
    const std::string name = path.substr(path.find_last_of('/') + 1);
    display_.SetToolTip("Playing " + name);
    state_.NowPlayingText = "Playing " + name;
    if (state_.PlayIndex >= 0 && state_.PlayIndex < list_.Count())
        state_.NowPlayingText = list_.At(state_.PlayIndex).Caption;
    display_.SetCaption("[ " + state_.NowPlayingText + " ] " + Title);
    device_.Notify(true);
    device_.Play();
    RefreshQueue();
}

void Sequencer::DrawUnplayed() {
    // Rejected draws are never shown: only the accepted entry takes the focus, so a long search
    // on a large list costs no repaint per draw.
    int index = random_.Draw(list_.Count());
    while (!list_.IsSelected(index))
        index = random_.Draw(list_.Count());
    list_.Focus(index);
    list_.Deselect(index);
    SetFileName(index);
}

void Sequencer::PlayFirstSelected() {
    SetFileName(list_.FirstSelected());
    OpenAndPlay();
}

void Sequencer::NextSClick() {
    if (list_.Empty())
        return;
    Busy busy(*this);
    if (state_.ShuffleOn == 1) {
        if (list_.SelectedCount() == 0) {
            if (state_.LoopOn != 1)
                return;
            list_.SelectAll();
        }
        if (PlanStands()) {
            // The entry already queued: the device may be sounding it.
            const int index = plannedIndex_;
            list_.Focus(index);
            list_.Deselect(index);
            SetFileName(index);
        } else {
            random_.Seed(clock_.TimeOfDayMs());
            DrawUnplayed();
        }
        plannedIndex_ = -1;
        OpenAndPlay();
        return;
    }
    if (list_.SelectedCount() == 0) {
        list_.Focus(0);
        list_.Select(0);
    } else {
        if (list_.Focused() < 0)
            list_.Focus(0);
        const int focused = list_.Focused();
        list_.Deselect(focused);
        const int next = list_.Next(focused);
        if (next >= 0) {
            list_.Focus(next);
        } else if (state_.LoopOn != 1) {
            list_.Focus(-1);
            return;
        } else {
            list_.Focus(0);
        }
        list_.Select(list_.Focused());
    }
    PlayFirstSelected();
}

void Sequencer::PrevSClick() {
    Busy busy(*this);
    if (state_.ShuffleOn == 1) {
        if (list_.SelectedCount() == 0)
            return;
        DrawUnplayed();
        OpenAndPlay();
        return;
    }
    if (list_.Empty())
        return;
    if (list_.SelectedCount() == 0) {
        list_.Focus(0);
        list_.Select(0);
    }
    if (list_.Focused() < 0)
        list_.Focus(0);
    const int focused = list_.Focused();
    list_.Deselect(focused);
    list_.Focus(focused > 0 ? focused - 1 : list_.Count() - 1);
    list_.Select(list_.Focused());
    PlayFirstSelected();
}

void Sequencer::PlayClick() {
    Busy busy(*this);
    const int focused = list_.Focused();
    if (focused < 0)
        return;
    if (device_.Mode() != MediaMode::NotReady && device_.FileName() == list_.At(focused).Path) {
        PlayFile();
        return;
    }
    SetFileName(focused);
    OpenAndPlay();
}

void Sequencer::PauseClick() {
    if (device_.Mode() == MediaMode::Playing)
        device_.Stop();
}

void Sequencer::MediaPlayer1Notify() {
    Busy busy(*this);
    const NotifyResult result = device_.NotifyValue();
    // A stream that could not be reached or was lost takes the failed open's way, except that
    // its entry stays: a station that is down now is no bad file.
    if (result == NotifyResult::Failure && StreamText::IsStreamAddress(device_.FileName()))
        display_.SetCaption(IdleCaption);
    const bool successful = result == NotifyResult::Successful;
    if (successful && state_.StopAfterEntry == 1) {
        state_.StopAfterEntry = 0;
        dirty_ = true;
        display_.SetToolTip(ModeName(static_cast<int>(MediaMode::Stopped)));
        return;
    }
    if (successful)
        display_.SetToolTip(ModeName(static_cast<int>(device_.Mode())));
    if (successful && device_.Mode() != MediaMode::NotReady)
        NextSClick();
}

void Sequencer::ResumeAt(int index, std::int64_t positionMs) {
    if (!list_.Contains(index))
        return;
    Busy busy(*this);
    list_.Focus(index);
    if (state_.ShuffleOn == 1) {
        list_.Deselect(index);
    } else {
        list_.SelectOnly(index);
    }
    SetFileName(index);
    OpenAndPlay();
    if (device_.Mode() == MediaMode::NotReady || positionMs <= 0 ||
        StreamText::IsStreamAddress(device_.FileName()))
        return;
    const std::int64_t length = device_.Length();
    if (length > 0 && positionMs >= length)
        return;
    device_.Seek(positionMs);
    device_.Notify(true);
    device_.Play();
    TimerTimer(false);
}

void Sequencer::StopAfterEntryClick() {
    state_.StopAfterEntry = state_.StopAfterEntry != 1 ? 1 : 0;
    RefreshQueue();
}

void Sequencer::ShuffleClick() {
    Busy busy(*this);
    dirty_ = true;
    plannedIndex_ = -1;
    if (state_.ShuffleOn != 1) {
        list_.SelectAll();
        state_.ShuffleOn = 1;
    } else {
        state_.ShuffleOn = 0;
        list_.DeselectAll();
    }
}

void Sequencer::TBLoopClick() {
    state_.LoopOn = state_.LoopOn != 1 ? 1 : 0;
    RefreshQueue();
}

void Sequencer::PMLenChange() {
    PauseClick();
}

void Sequencer::TimerTimer(bool fromTimer) {
    Busy busy(*this);
    if (!(CurrentModes() == queuedUnder_))
        dirty_ = true;
    if (PlayingStream()) {
        if (!fromTimer || device_.Mode() == MediaMode::Playing)
            ShowStream();
    } else if (!fromTimer || device_.Mode() == MediaMode::Playing) {
        const std::int64_t position = device_.Position();
        display_.SetTrackBarPosition(position);
        const std::int64_t length = device_.Mode() == MediaMode::NotReady ? 0 : device_.Length();
        if (length < 1) {
            display_.SetLcdCaption(ProgressText::NoLength);
            display_.SetToolTip(state_.NowPlayingText);
            return;
        }
        const std::int64_t percent = ProgressText::PercentPlayed(position, length);
        display_.SetLcdCaption(ProgressText::LcdCaption(percent, state_.ShowRemaining));
        display_.SetToolTip(ProgressText::ToolTip(state_.NowPlayingText, display_.LcdCaption(),
                                                  state_.ShowRemaining));
    }
    if (!display_.PreviewLengthEnabled() || device_.Mode() != MediaMode::Playing)
        return;
    if (display_.PreviewLength().empty())
        display_.SetPreviewLength("5");
    ++state_.PreviewTicks;
    if (PreviewSeconds(display_.PreviewLength()) * 5 >= state_.PreviewTicks)
        return;
    NextSClick();
    // The list has run out (loop off): cut the last preview. A next file that failed to open
    // left no device to stop.
    if (list_.SelectedCount() == 0 && device_.Mode() != MediaMode::NotReady)
        device_.Stop();
    state_.PreviewTicks = 0;
}

void Sequencer::ShowStream() {
    // Read at each step, so a title that changes a hundred times a second costs five captions.
    const std::string title = device_.StreamTitle();
    if (!title.empty() && title != state_.NowPlayingText) {
        state_.NowPlayingText = title;
        display_.SetCaption("[ " + title + " ] " + Title);
    }
    display_.SetTrackBarPosition(0);
    display_.SetLcdCaption(ProgressText::NoLengthStream);
    display_.SetToolTip(state_.NowPlayingText);
}

void Sequencer::TrackBarChange() {
    if (PlayingStream())
        return;  // nowhere to seek to
    const MediaMode mode = device_.Mode();
    if (mode != MediaMode::Playing && mode != MediaMode::Stopped)
        return;
    const bool wasPlaying = mode == MediaMode::Playing;
    device_.Seek(display_.TrackBarPosition());
    TimerTimer(false);
    if (wasPlaying) {
        device_.Notify(true);
        device_.Play();
    }
}
