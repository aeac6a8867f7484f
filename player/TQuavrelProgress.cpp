// The progress step: track bar, LCD percentage and tooltip every 200 ms; the preview's end;
// seeking with the track bar. The texts and the steps themselves are the Sequencer's.
#include "TQuavrel.h"
#include "playback/PlaybackWidgets.h"
#include "playback/Sequencer.h"

void TQuavrel::TimerTimer() {
    sequencer_->TimerTimer(true);
}

void TQuavrel::TrackBarChange() {
    sequencer_->TrackBarChange();
}

void TQuavrel::LCDLabel1Click() {
    if (ShowRemaining == 1) {
        ShowRemaining = 0;
        playbackWidgets_->SetLcdHint("Percentage Played");
    } else {
        ShowRemaining = 1;
        playbackWidgets_->SetLcdHint("Percentage Remaining");
    }
}
