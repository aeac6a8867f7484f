// Play order and transport: which entry plays next, the transport commands and the modes.
// Handlers left empty here are not built yet.
#include "TQuavrel.h"

void TQuavrel::OpenAndPlay() {}

void TQuavrel::PlayFile() {}

void TQuavrel::NextSClick() {}

void TQuavrel::PrevSClick() {}

void TQuavrel::PlayClick() {}

void TQuavrel::PauseClick() {}

void TQuavrel::MediaPlayer1Notify() {}

void TQuavrel::ShuffleClick() {}

void TQuavrel::TBLoopClick() {}

void TQuavrel::TBPlayModeClick() {}

void TQuavrel::Play1Click() {}

void TQuavrel::Play2Click() {}

void TQuavrel::Pause1Click() {}

void TQuavrel::Pause2Click() {}

void TQuavrel::NextClick() {}

void TQuavrel::NextSong1Click() {}

void TQuavrel::SkipClick() {}

void TQuavrel::PrevSong1Click() {}

void TQuavrel::Shuffle1Click() {}

void TQuavrel::Shuffle2Click() {}

void TQuavrel::LoopNClick() {}

void TQuavrel::Loop1Click() {}

void TQuavrel::PreviewNClick() {}

void TQuavrel::Preview1Click() {}

void TQuavrel::PMLenChange() {}

void TQuavrel::PMLenClick() {}
