// Play list files and the type filter dialog.
// Handlers left empty here are not built yet.
#include "TQuavrel.h"
#include "filter/TFileTypeBox.h"

void TQuavrel::Open1Click() {}

void TQuavrel::Save1Click() {}

void TQuavrel::SaveSelected1Click() {}

void TQuavrel::SaveSelectedClick() {}

void TQuavrel::LoadPlayList1Click() {}

void TQuavrel::SavePlayList1Click() {}

void TQuavrel::FileTypes1Click() {
    // The dialog fills itself from FilterList when shown and hands its list back when hidden,
    // however it is closed; FilteringOn follows its check box at once.
    TFileTypeBox box(FilterList, FilteringOn, this);
    box.exec();
}

void TQuavrel::FIleTypeFilter1Click() { FileTypes1Click(); }
