// The configuration file: read at start, written at close, removed by the reset command.
// Handlers left empty here are not built yet.
#include <QScreen>

#include "TQuavrel.h"

void TQuavrel::SaveConfig() {}

void TQuavrel::ResetQuavrel1Click() {}

void TQuavrel::LoadConfig() {
    PlayListModel.Clear();
    // Without a configuration the window is centred on the screen and shown.
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    show();
}
