#include "playback/Sequencer.h"

#include <array>
#include <limits>

#include "media/MediaDevice.h"
#include "playback/PlaybackDisplay.h"
#include "playback/PlayerState.h"
#include "playback/ProgressText.h"
#include "playlist/PlayList.h"
#include "services/Clock.h"

Sequencer::Sequencer(PlayerState& state, PlayList& list, MediaDevice& device,
                     PlaybackDisplay& display, const Clock& clock)
    : state_(state), list_(list), device_(device), display_(display), clock_(clock) {}

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
        if (focused >= 0 && list_.At(focused).Path == device_.FileName()) {
            list_.Delete(focused);
            state_.DragSourceItem = -1;
        }
        return;
    }
    const std::int64_t length = device_.Length();
    KeepLength(length);
    display_.SetTrackBarMax(length);
    if (state_.PlayMode == 1) {
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
    if (state_.ShuffleOn == 1) {
        if (list_.SelectedCount() == 0) {
            if (state_.LoopOn != 1)
                return;
            list_.SelectAll();
        }
        random_.Seed(clock_.TimeOfDayMs());
        DrawUnplayed();
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
    const bool successful = device_.NotifyValue() == NotifyResult::Successful;
    if (successful)
        display_.SetToolTip(ModeName(static_cast<int>(device_.Mode())));
    if (successful && device_.Mode() != MediaMode::NotReady)
        NextSClick();
}

void Sequencer::ShuffleClick() {
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
}

void Sequencer::PMLenChange() {
    PauseClick();
}

void Sequencer::TimerTimer(bool fromTimer) {
    if (!fromTimer || device_.Mode() == MediaMode::Playing) {
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

void Sequencer::TrackBarChange() {
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
