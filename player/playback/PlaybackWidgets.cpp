#include "playback/PlaybackWidgets.h"

#include <QLineEdit>
#include <QSlider>
#include <algorithm>
#include <climits>

#include "TQuavrel.h"
#include "widgets/TTrayIcon.h"

namespace {

int ToSliderValue(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX));
}

}  // namespace

void PlaybackWidgets::SetCaption(const std::string& caption) {
    window_.setWindowTitle(QString::fromStdString(caption));
}

void PlaybackWidgets::SetToolTip(const std::string& toolTip) {
    window_.TrayIcon->SetToolTip(QString::fromStdString(toolTip));
}

void PlaybackWidgets::SetTrackBarMax(std::int64_t max) {
    window_.TrackBar->setMaximum(ToSliderValue(max));
}

void PlaybackWidgets::SetTrackBarPosition(std::int64_t position) {
    window_.TrackBar->setValue(ToSliderValue(position));
}

std::int64_t PlaybackWidgets::TrackBarPosition() const {
    // While the user moves the thumb the slider position leads the value.
    return window_.TrackBar->sliderPosition();
}

std::string PlaybackWidgets::LcdCaption() const {
    return lcdCaption_;
}

void PlaybackWidgets::SetLcdCaption(const std::string& caption) {
    lcdCaption_ = caption;
}

void PlaybackWidgets::SetLcdHint(const std::string&) {}

void PlaybackWidgets::LightShuffle(bool) {}

void PlaybackWidgets::LightLoop(bool) {}

void PlaybackWidgets::LightPreview(bool) {}

bool PlaybackWidgets::PreviewLengthEnabled() const {
    return window_.PMLen->isEnabled();
}

std::string PlaybackWidgets::PreviewLength() const {
    return window_.PMLen->text().toStdString();
}

void PlaybackWidgets::SetPreviewLength(const std::string& text) {
    window_.PMLen->setText(QString::fromStdString(text));
}
