#include "playback/PlaybackWidgets.h"

#include <QLineEdit>
#include <QSlider>
#include <algorithm>
#include <climits>

#include "TQuavrel.h"
#include "widgets/TAMAdvLed.h"
#include "widgets/TLCDLabel.h"
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

// The displays are made by CreateDisplays; a window built without them keeps working.

std::string PlaybackWidgets::LcdCaption() const {
    return window_.LCDLabel1 ? window_.LCDLabel1->Caption() : lcdCaption_;
}

void PlaybackWidgets::SetLcdCaption(const std::string& caption) {
    lcdCaption_ = caption;
    if (window_.LCDLabel1)
        window_.LCDLabel1->SetCaption(caption);
}

void PlaybackWidgets::SetLcdHint(const std::string& hint) {
    if (window_.LCDLabel1)
        window_.LCDLabel1->setToolTip(QString::fromStdString(hint));
}

void PlaybackWidgets::LightShuffle(bool on) {
    if (window_.LedS)
        window_.LedS->SetLedOn(on);
}

void PlaybackWidgets::LightLoop(bool on) {
    if (window_.LedL)
        window_.LedL->SetLedOn(on);
}

void PlaybackWidgets::LightPreview(bool on) {
    if (window_.LedP)
        window_.LedP->SetLedOn(on);
}

bool PlaybackWidgets::PreviewLengthEnabled() const {
    // The box's own state: a disabled parent (a hidden strip, the short form) does not end a
    // preview.
    return !window_.PMLen->testAttribute(Qt::WA_ForceDisabled);
}

std::string PlaybackWidgets::PreviewLength() const {
    return window_.PMLen->text().toStdString();
}

void PlaybackWidgets::SetPreviewLength(const std::string& text) {
    window_.PMLen->setText(QString::fromStdString(text));
}
