// The explorer pane in the window: made over the window's play list and adder, shown and
// hidden with the toolbars. The pane's own commands are ExplorerPane's.
#include "TQuavrel.h"
#include "filter/FileTypeFilter.h"
#include "toolbars/TToolbar97.h"
#include "views/ExplorerPane.h"
#include "views/TFileView.h"
#include "views/Tdirtree.h"

void TQuavrel::CreateExplorer() {
    ExplorerPane::Parts parts{*shellInfo_,
                              playList_,
                              *adder_,
                              MediaPlayer1,
                              state_,
                              [this] { OpenAndPlay(); },
                              [this](const std::vector<std::string>& paths) {
                                  bool listFailed = false;
                                  int first = -1;
                                  for (std::size_t i = 0; i < paths.size(); ++i) {
                                      const int entry = AddDropped(paths[i], listFailed);
                                      if (i == 0)
                                          first = entry;
                                  }
                                  if (listFailed)
                                      ShowListFailure();
                                  return first;
                              },
                              [this](const std::function<void()>& handler) { Guarded(handler); },
                              [this](const char* what, const auto& work) { LongWork(what, work); }};
    Panel1 = new ExplorerPane(
        std::move(parts),
        [this](const std::string& path) {
            return PassesFilter(path, state_.FilterList.get(), state_.FilteringOn);
        },
        this);
    if (FileList)
        Panel1->AcceptDragsInto(*FileList);
}

void TQuavrel::ExplorerToggle1Click() {
    if (!Panel1->isHidden()) {
        state_.BrowseDir = Panel1->Tree().Directory();
        Panel1->hide();
        if (Splitter2)
            Splitter2->hide();
    } else {
        Panel1->Tree().SetDirectory(state_.BrowseDir);
        if (Splitter2)
            Splitter2->show();
        Panel1->show();
        Panel1->Tree().SetDirectory(state_.BrowseDir);
    }
}

void TQuavrel::ExplorerToggle2Click() {
    ExplorerToggle1Click();
}

void TQuavrel::FolderToggle1Click() {
    if (Panel1->isHidden() && TBFunctions->isHidden() && TBOPtions->isHidden() &&
        TBSystem->isHidden()) {
        ExplorerToggle1Click();
        FunctionsToolbar1Click();
        LoadSaveToolbar1Click();
        OptionsToolbar1Click();
        Panel1->Tree().SetDirectory(state_.BrowseDir);
        return;
    }
    HideExplorerAndToolbars(&TQuavrel::ExplorerToggle1Click);
}

void TQuavrel::FolderTogClick() {
    FolderToggle1Click();
}
