// Window layouts and appearance: short form, toolbars, colour schemes, hot tracking.
// Handlers left empty here are not built yet.
#include "TQuavrel.h"

void TQuavrel::ShortFormToggl1Click() {}

void TQuavrel::ImageBut2Click() {}

void TQuavrel::ImageButClick() {}

void TQuavrel::HotTrack1Click() {}

void TQuavrel::ToggleHotTrackClick() {}

void TQuavrel::ToggleColorScheme2Click() {}

void TQuavrel::FunctionsToolbar1Click() {}

void TQuavrel::LoadSaveToolbar1Click() {}

void TQuavrel::OptionsToolbar1Click() {}

void TQuavrel::AlwaysOnTop1Click() {}
