// The progress step: track bar, LCD percentage and tooltip every 200 ms; the preview's end.
// Handlers left empty here are not built yet.
#include "TQuavrel.h"

void TQuavrel::TimerTimer() {}

void TQuavrel::TrackBarChange() {}

void TQuavrel::LCDLabel1Click() {}
