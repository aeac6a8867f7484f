#include "ControlStates.h"

#include <QAction>
#include <QLineEdit>
#include <QStyle>
#include <QWidget>

#include "PlaybackWidgets.h"
#include "views/TFileView.h"

namespace {

// The box's background: the window colour while preview is on, the button face while off.
void PaintPreviewLength(QLineEdit& box, bool on) {
    QPalette palette = box.palette();
    const QPalette standard = box.style()->standardPalette();
    const QColor colour = standard.color(on ? QPalette::Base : QPalette::Button);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, colour);
    box.setPalette(palette);
}

void ShowTicks(const ControlStates::ModeItems& items, bool on) {
    items.menuItem.setChecked(on);
    items.popUpItem.setChecked(on);
}

}  // namespace

void ControlStates::StartState() {
    for (QWidget* w :
         {&parts_.play, &parts_.pause, &parts_.next, &parts_.previous, &parts_.trackBar})
        w->setEnabled(false);
    for (const auto* list : {&parts_.otherButtons, &parts_.listButtons})
        for (QWidget* w : *list)
            w->setEnabled(false);
}

void ControlStates::FollowEmptiness(bool hasEntries) {
    const bool was = parts_.play.isEnabled();
    parts_.play.setEnabled(hasEntries);
    if (parts_.play.isEnabled() == was)
        return;
    for (QWidget* w : {&parts_.pause, &parts_.next, &parts_.previous, &parts_.trackBar})
        w->setEnabled(hasEntries);
    for (const auto* list : {&parts_.otherButtons, &parts_.listButtons})
        for (QWidget* w : *list)
            w->setEnabled(hasEntries);
    for (QAction* a : parts_.items)
        a->setEnabled(hasEntries);
}

bool ControlStates::CanPlay() const {
    return parts_.play.isEnabled();
}

bool ControlStates::CanPause() const {
    return parts_.pause.isEnabled();
}

bool ControlStates::CanGoNext() const {
    return parts_.next.isEnabled();
}

bool ControlStates::CanGoPrevious() const {
    return parts_.previous.isEnabled();
}

bool ControlStates::CanSeek() const {
    return parts_.trackBar.isEnabled();
}

ControlStates::Count ControlStates::ButtonsOn() const {
    Count count;
    const auto add = [&count](const QWidget* w) {
        ++count.of;
        count.on += w->isEnabled() ? 1 : 0;
    };
    for (const QWidget* w :
         {&parts_.play, &parts_.pause, &parts_.next, &parts_.previous, &parts_.trackBar})
        add(w);
    for (const auto* list : {&parts_.otherButtons, &parts_.listButtons})
        for (const QWidget* w : *list)
            add(w);
    return count;
}

ControlStates::Count ControlStates::ItemsOn() const {
    Count count;
    for (const QAction* a : parts_.items) {
        ++count.of;
        count.on += a->isEnabled() ? 1 : 0;
    }
    return count;
}

void ControlStates::ShowShuffle(bool on) {
    ShowTicks(parts_.shuffle, on);
    parts_.lamps.LightShuffle(on);
}

void ControlStates::ShowLoop(bool on) {
    ShowTicks(parts_.loop, on);
    parts_.lamps.LightLoop(on);
}

void ControlStates::ShowPreview(bool on) {
    // The box's own enabled state is what the sequencer reads as "preview is on".
    parts_.previewLength.setEnabled(on);
    PaintPreviewLength(parts_.previewLength, on);
    ShowTicks(parts_.preview, on);
    parts_.lamps.LightPreview(on);
}

ControlStates::LongJobCommandsOff::LongJobCommandsOff(ControlStates& controls)
    : controls_(controls),
      loadWasEnabled_(controls.parts_.load.isEnabled()),
      acceptedFiles_(controls.parts_.listView.AcceptFiles()) {
    Parts& parts = controls_.parts_;
    for (QAction* a : parts.longJobItems)
        itemsWereEnabled_.push_back(a->isEnabled());
    for (QWidget* w : parts.listButtons)
        w->setEnabled(false);
    for (QAction* a : parts.longJobItems)
        a->setEnabled(false);
    parts.load.setEnabled(false);
    parts.listView.SetAcceptFiles(false);
}

ControlStates::LongJobCommandsOff::~LongJobCommandsOff() {
    Parts& parts = controls_.parts_;
    for (std::size_t k = 0; k < parts.longJobItems.size(); ++k)
        parts.longJobItems[k]->setEnabled(itemsWereEnabled_[k]);
    for (QWidget* w : parts.listButtons)
        w->setEnabled(parts.play.isEnabled());
    parts.load.setEnabled(loadWasEnabled_);
    parts.listView.SetAcceptFiles(acceptedFiles_);
}
