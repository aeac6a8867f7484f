#include "views/TFileView.h"

#include <QHeaderView>
#include <QTreeView>

#include "playlist/PlayList.h"
#include "views/PlayListItemModel.h"

TFileView::TFileView(PlayList& list, ShellInfo& shell, FileAdder::FilterTest passesFilter,
                     QWidget* parent)
    : TFileListView(shell, std::move(passesFilter), parent),
      list_(list),
      model_(new PlayListItemModel(list, *this, this)) {
    setObjectName(QStringLiteral("FileList"));
    SetModel(model_);
    model_->AttachSelection(SelectionModel());
    const int widths[] = {200, 150, 500};
    for (int column = 0; column < 3; ++column)
        SetColumnWidth(column, widths[column]);
}

TFileView::~TFileView() {
    // The model goes first, so no list change reaches a half-destroyed view.
    delete model_;
}

int TFileView::Count() const {
    return list_.Count();
}

std::string TFileView::PathOf(int index) const {
    return list_.Contains(index) ? list_.At(index).Path : std::string();
}

int TFileView::ColumnWidth(int column) const {
    return ReportView()->header()->sectionSize(column);
}

void TFileView::SetColumnWidth(int column, int width) {
    ReportView()->header()->resizeSection(column, width);
}

int TFileView::AppendEntry(PlayListEntry entry) {
    return list_.Append(std::move(entry));
}
