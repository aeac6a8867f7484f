// The progress step: track bar, LCD percentage and tooltip every 200 ms; the preview's end;
// seeking with the track bar. The texts and the steps themselves are the Sequencer's.
#include "PlaybackWidgets.h"
#include "TQuavrel.h"
#include "playback/Sequencer.h"

void TQuavrel::TimerTimer() {
    sequencer_->TimerTimer(true);
}

void TQuavrel::TrackBarChange() {
    sequencer_->TrackBarChange();
}

void TQuavrel::LCDLabel1Click() {
    if (state_.ShowRemaining == 1) {
        state_.ShowRemaining = 0;
        playbackWidgets_->SetLcdHint("Percentage Played");
    } else {
        state_.ShowRemaining = 1;
        playbackWidgets_->SetLcdHint("Percentage Remaining");
    }
}
