// The player as the media player interface drives it (PlayerControl): each command runs the
// handler of its button or menu item; the read-outs report the state and the buttons.
#include <QSlider>
#include <QToolButton>
#include <stdexcept>

#include "ControlStates.h"
#include "TQuavrel.h"
#include "mixer/TAudioMixer.h"
#include "mixer/TVolForm.h"

namespace {

constexpr int kVolumeSteps = 65535;  // the mixer's and the pop-up's scale

}  // namespace

void TQuavrel::Raise() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TQuavrel::Quit() {
    Exit2Click();
}

void TQuavrel::PlaySelected() {
    PlayClick();
}

void TQuavrel::StopPlaying() {
    PauseClick();
}

void TQuavrel::PlayNext() {
    NextSClick();
}

void TQuavrel::PlayPrevious() {
    PrevSClick();
}

void TQuavrel::ToggleLoop() {
    Loop1Click();
}

void TQuavrel::ToggleShuffle() {
    Shuffle2Click();
}

void TQuavrel::SeekTo(std::int64_t positionMs) {
    // As a move of the track bar: it holds the position, its handler seeks and plays on.
    TrackBar->setValue(static_cast<int>(positionMs));
    TrackBarChange();
}

bool TQuavrel::AddAndPlay(const std::string& path) {
    return OpenFiles({path});
}

bool TQuavrel::HasVolume() const {
    return Mixer && VolForm;
}

void TQuavrel::SetVolume(int steps) {
    // As a move of the pop-up's slider (top loudest), with its mute box as the mixer has it.
    if (!HasVolume())
        return;
    TVolForm& form = *VolForm;
    form.ShowVolume(Mixer->GetVolume(0, -1));
    if (!form.TrackBar1->isEnabled())
        return;
    const int value = kVolumeSteps - steps;
    if (form.TrackBar1->value() == value)
        form.TrackBar1Change();
    else
        form.TrackBar1->setValue(value);  // its change runs TrackBar1Change
}

void TQuavrel::ShowError(const std::string& text) {
    ShowException(std::runtime_error(text));
}

const PlayListEntry* TQuavrel::CurrentEntry() const {
    return playList_.Contains(state_.PlayIndex) ? &playList_.At(state_.PlayIndex) : nullptr;
}

bool TQuavrel::LoopOn() const {
    return state_.LoopOn == 1;
}

bool TQuavrel::ShuffleOn() const {
    return state_.ShuffleOn == 1;
}

const std::vector<std::string>& TQuavrel::FilterList() const {
    static const std::vector<std::string> none;  // after the close, which drops the list
    return state_.FilterList ? *state_.FilterList : none;
}

std::int64_t TQuavrel::TrackBarMax() const {
    return TrackBar->maximum();
}

std::optional<int> TQuavrel::Volume() const {
    if (!Mixer)
        return std::nullopt;
    const auto volume = Mixer->GetVolume(0, -1);
    if (!volume || volume->VolumeUnavailable)
        return std::nullopt;
    return volume->Left;
}

bool TQuavrel::CanPlay() const {
    return controls_->CanPlay();
}

bool TQuavrel::CanPause() const {
    return controls_->CanPause();
}

bool TQuavrel::CanGoNext() const {
    return controls_->CanGoNext();
}

bool TQuavrel::CanGoPrevious() const {
    return controls_->CanGoPrevious();
}

bool TQuavrel::CanSeek() const {
    return controls_->CanSeek();
}

void TQuavrel::SetWatchers(std::function<void()> afterTick, std::function<void()> afterSeek) {
    afterTick_ = std::move(afterTick);
    afterSeek_ = std::move(afterSeek);
}
