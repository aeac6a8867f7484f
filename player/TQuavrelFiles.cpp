// Play list files and the type filter dialog.
// Handlers left empty here are not built yet.
#include "TQuavrel.h"

void TQuavrel::Open1Click() {}

void TQuavrel::Save1Click() {}

void TQuavrel::SaveSelected1Click() {}

void TQuavrel::SaveSelectedClick() {}

void TQuavrel::LoadPlayList1Click() {}

void TQuavrel::SavePlayList1Click() {}

void TQuavrel::FileTypes1Click() {}

void TQuavrel::FIleTypeFilter1Click() {}
