#include "views/TFileList.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTreeView>

#include "views/FileListItemModel.h"

namespace {
constexpr qint64 kEventInterval = 20;  // milliseconds between runs of pending events
}

TFileList::TFileList(ShellInfo& shell, FileAdder::FilterTest passesFilter, QWidget* parent)
    : TFileListView(shell, passesFilter, parent),
      listing_(std::make_unique<FileListing>(shell, std::move(passesFilter))),
      model_(new FileListItemModel(*listing_, *this, this)) {
    SetModel(model_);
    model_->OnColumnsChanged = [this] { ApplyColumns(); };
    model_->OnRescanStarted = [this] {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        ++waitCursors_;
    };
    model_->OnRescanFinished = [this] {
        if (waitCursors_ > 0) {
            --waitCursors_;
            QGuiApplication::restoreOverrideCursor();
        }
    };
    listing_->ProcessEvents = [this] { ProcessPendingEvents(); };
    listing_->SetViewStyle(ViewStyle());
    QHeaderView* header = ReportView()->header();
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        listing_->ColumnClick(column);
        if (OnColumnClick)
            OnColumnClick(column);
    });
    ApplyColumns();
}

TFileList::~TFileList() {
    // A listing still running (this list destroyed by a handler it let run) stops by itself.
    delete model_;
    while (waitCursors_-- > 0)
        QGuiApplication::restoreOverrideCursor();
}

void TFileList::SetViewStyle(TViewStyle style) {
    TFileListView::SetViewStyle(style);
    listing_->SetViewStyle(style);
}

std::string TFileList::PathOf(int index) const {
    return index >= 0 && index < listing_->Count() ? listing_->At(index).Path : std::string();
}

int TFileList::AppendEntry(PlayListEntry entry) {
    return listing_->Append(FileListEntry{std::move(entry.Caption),
                                          std::move(entry.TypeName),
                                          std::move(entry.Path),
                                          entry.IconIndex,
                                          false,
                                          {}});
}

void TFileList::ApplyColumns() {
    QHeaderView* header = ReportView()->header();
    const auto& columns = listing_->Columns();
    for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
        const int width = columns[column].Width;
        header->setSectionHidden(column, width == 0);
        if (width > 0)
            header->resizeSection(column, width);
    }
}

void TFileList::ProcessPendingEvents() {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - lastEvents_ < kEventInterval)
        return;
    lastEvents_ = now;
    QCoreApplication::processEvents();
}
