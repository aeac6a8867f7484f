// Play list editing: deleting, clearing, moving, renaming, view styles and sorting.
// Handlers left empty here are not built yet.
#include "TQuavrel.h"

void TQuavrel::DeleteSelected1Click() {}

void TQuavrel::ClearPlayList1Click() {}

void TQuavrel::MoveBack1Click() {}

void TQuavrel::MoveFwd1Click() {}

void TQuavrel::RenameFileinPlayList1Click() {}

void TQuavrel::Rename() {}

void TQuavrel::Delete1Click() {}

void TQuavrel::Clear1Click() {}

void TQuavrel::List1Click() {}

void TQuavrel::Detailed2Click() {}

void TQuavrel::ListClick() {}

void TQuavrel::Detailed1Click() {}

void TQuavrel::Name1Click() {}

void TQuavrel::Type1Click() {}

void TQuavrel::Name2Click() {}

void TQuavrel::Type2Click() {}
