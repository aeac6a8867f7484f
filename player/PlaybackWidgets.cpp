#include "PlaybackWidgets.h"

#include <QLineEdit>
#include <QSlider>
#include <QWidget>
#include <algorithm>
#include <climits>

#include "textfile/DisplayText.h"
#include "widgets/TAMAdvLed.h"
#include "widgets/TLCDLabel.h"
#include "widgets/TTrayIcon.h"

namespace {

int ToSliderValue(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX));
}

}  // namespace

void PlaybackWidgets::SetCaption(const std::string& caption) {
    // A list's caption must not turn the title around nor break it into lines.
    parts_.window.setWindowTitle(QString::fromStdString(DisplayText(caption)));
}

void PlaybackWidgets::SetToolTip(const std::string& toolTip) {
    parts_.trayIcon.SetToolTip(QString::fromStdString(DisplayText(toolTip)));
}

void PlaybackWidgets::SetTrackBarMax(std::int64_t max) {
    parts_.trackBar.setMaximum(ToSliderValue(max));
    // Nothing to seek in without a length (a stream): the bar is off until a file has one.
    parts_.trackBar.setEnabled(max > 0);
}

void PlaybackWidgets::SetTrackBarPosition(std::int64_t position) {
    parts_.trackBar.setValue(ToSliderValue(position));
}

std::int64_t PlaybackWidgets::TrackBarPosition() const {
    // While the user moves the thumb the slider position leads the value.
    return parts_.trackBar.sliderPosition();
}

// The displays are made by CreateDisplays; a window built without them keeps working.

std::string PlaybackWidgets::LcdCaption() const {
    return parts_.lcd ? parts_.lcd->Caption() : lcdCaption_;
}

void PlaybackWidgets::SetLcdCaption(const std::string& caption) {
    lcdCaption_ = caption;
    if (parts_.lcd)
        parts_.lcd->SetCaption(caption);
}

void PlaybackWidgets::SetLcdHint(const std::string& hint) {
    if (parts_.lcd)
        parts_.lcd->setToolTip(QString::fromStdString(DisplayText(hint)));
}

void PlaybackWidgets::LightShuffle(bool on) {
    if (parts_.shuffleLamp)
        parts_.shuffleLamp->SetLedOn(on);
}

void PlaybackWidgets::LightLoop(bool on) {
    if (parts_.loopLamp)
        parts_.loopLamp->SetLedOn(on);
}

void PlaybackWidgets::LightPreview(bool on) {
    if (parts_.previewLamp)
        parts_.previewLamp->SetLedOn(on);
}

bool PlaybackWidgets::PreviewLengthEnabled() const {
    // The box's own state: a disabled parent (a hidden strip, the short form) does not end a
    // preview.
    return !parts_.previewLength.testAttribute(Qt::WA_ForceDisabled);
}

std::string PlaybackWidgets::PreviewLength() const {
    return parts_.previewLength.text().toStdString();
}

void PlaybackWidgets::SetPreviewLength(const std::string& text) {
    parts_.previewLength.setText(QString::fromStdString(text));
}
