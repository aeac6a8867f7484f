// The explorer pane: directory tree, file list and their buttons.
// Handlers left empty here are not built yet.
#include "TQuavrel.h"

void TQuavrel::ExplorerToggle1Click() {}

void TQuavrel::ExplorerToggle2Click() {}

void TQuavrel::FolderTogClick() {}

void TQuavrel::FolderToggle1Click() {}
