#include "views/TFileView.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

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
    QHeaderView* header = ReportView()->header();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this, [this, header](QPoint at) {
        QMenu* menu = ColumnMenu(header->logicalIndexAt(at));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(header->mapToGlobal(at));
    });
    connect(header, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (size > 0 && section >= 0 && section < kPlayListColumnCount)
            widths_[section] = size;
    });
    connect(header, &QHeaderView::sectionClicked, this, [this](int section) {
        if (OnColumnClick)
            OnColumnClick(section);
    });
    SetColumns(ColumnLayout::Default());
    // Whatever brings other rows on screen tells of them.
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(ReportView()),
                                    static_cast<QAbstractItemView*>(IconView())}) {
        for (QScrollBar* bar : {view->verticalScrollBar(), view->horizontalScrollBar()})
            connect(bar, &QScrollBar::valueChanged, this, [this] { TellRowsShownLater(); });
        view->viewport()->installEventFilter(this);
    }
    connect(model_, &QAbstractItemModel::rowsInserted, this, [this] { TellRowsShownLater(); });
    connect(model_, &QAbstractItemModel::rowsRemoved, this, [this] { TellRowsShownLater(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { TellRowsShownLater(); });
    connect(model_, &QAbstractItemModel::rowsMoved, this, [this] { TellRowsShownLater(); });
}

void TFileView::SetViewStyle(TViewStyle style) {
    TFileListView::SetViewStyle(style);
    TellRowsShownLater();
}

std::pair<int, int> TFileView::RowsShown() const {
    const QAbstractItemView* view = CurrentView();
    const int count = list_.Count();
    if (count == 0 || !view->isVisible())
        return {0, -1};
    // Rows stand in order from the top left corner on, in every style: from the first one in
    // sight, on while they are in sight (a list style's columns end at the right edge).
    const QRect area = view->viewport()->rect();
    const QModelIndex top = view->indexAt(area.topLeft() + QPoint(1, 1));
    const int first = top.isValid() ? top.row() : 0;
    constexpr int kMostShown = 10000;  // more rows than any screen holds
    int last = first;
    for (int row = first + 1; row < count && row - first < kMostShown; ++row) {
        const QRect rect = view->visualRect(model_->index(row, 0));
        if (!rect.intersects(area))
            break;
        last = row;
    }
    return {first, last};
}

bool TFileView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
        TellRowsShownLater();
    return TFileListView::eventFilter(watched, event);
}

void TFileView::TellRowsShownLater() {
    if (rowsShownPending_ || !OnRowsShown)
        return;
    rowsShownPending_ = true;
    QTimer::singleShot(0, this, [this] {
        rowsShownPending_ = false;
        const auto [first, last] = RowsShown();
        if (OnRowsShown)
            OnRowsShown(first, last);
    });
}

TFileView::~TFileView() {
    // The scroll bars and viewports die with the base widgets, after this part of the view: what
    // they do then must not reach it.
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(ReportView()),
                                    static_cast<QAbstractItemView*>(IconView())}) {
        for (QScrollBar* bar : {view->verticalScrollBar(), view->horizontalScrollBar()})
            disconnect(bar, nullptr, this, nullptr);
        view->viewport()->removeEventFilter(this);
    }
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

ColumnLayout TFileView::Columns() const {
    const QHeaderView* header = ReportView()->header();
    ColumnLayout layout;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            layout.shown.push_back(static_cast<PlayListColumn>(logical));
    }
    layout.widths = widths_;
    return layout;
}

void TFileView::SetColumns(const ColumnLayout& layout) {
    QHeaderView* header = ReportView()->header();
    for (int column = 0; column < kPlayListColumnCount; ++column) {
        header->setSectionHidden(column, !layout.Shows(static_cast<PlayListColumn>(column)));
        widths_[column] = layout.widths[column];
        header->resizeSection(column, layout.widths[column]);
    }
    // The shown columns first, in their order; the hidden ones after them, in the table's.
    int visual = 0;
    for (const PlayListColumn column : layout.shown)
        header->moveSection(header->visualIndex(static_cast<int>(column)), visual++);
    for (int column = 0; column < kPlayListColumnCount; ++column)
        if (!layout.Shows(static_cast<PlayListColumn>(column)))
            header->moveSection(header->visualIndex(column), visual++);
}

void TFileView::ShowColumn(PlayListColumn column, bool shown) {
    ColumnLayout layout = Columns();
    if (shown == layout.Shows(column) || (!shown && layout.shown.size() == 1))
        return;
    QHeaderView* header = ReportView()->header();
    header->setSectionHidden(static_cast<int>(column), !shown);
    if (shown)
        header->resizeSection(static_cast<int>(column), widths_[static_cast<int>(column)]);
}

void TFileView::MoveColumn(PlayListColumn column, int step) {
    const ColumnLayout layout = Columns();
    const auto at = std::find(layout.shown.begin(), layout.shown.end(), column);
    if (at == layout.shown.end())
        return;
    const auto place = at - layout.shown.begin() + step;
    if (place < 0 || place >= static_cast<long>(layout.shown.size()))
        return;
    QHeaderView* header = ReportView()->header();
    const int target = header->visualIndex(static_cast<int>(layout.shown[place]));
    header->moveSection(header->visualIndex(static_cast<int>(column)), target);
}

void TFileView::SetSortIndicator(int column, bool descending) {
    QHeaderView* header = ReportView()->header();
    header->setSortIndicatorShown(column >= 0);
    if (column >= 0)
        header->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TFileView::ScrollTo(int index) {
    if (!list_.Contains(index))
        return;
    CurrentView()->scrollTo(model_->index(index, 0));
}

QMenu* TFileView::ColumnMenu(int section) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("ColumnMenu"));
    const ColumnLayout layout = Columns();
    for (const PlayListColumnInfo& info : PlayListColumnTable()) {
        QAction* item = menu->addAction(QString::fromLatin1(info.caption));
        item->setCheckable(true);
        const bool shown = layout.Shows(info.column);
        item->setChecked(shown);
        item->setEnabled(!shown || layout.shown.size() > 1);
        const PlayListColumn column = info.column;
        connect(item, &QAction::toggled, this,
                [this, column](bool checked) { ShowColumn(column, checked); });
    }
    if (section >= 0 && section < kPlayListColumnCount) {
        menu->addSeparator();
        const auto column = static_cast<PlayListColumn>(section);
        const auto at = std::find(layout.shown.begin(), layout.shown.end(), column);
        QAction* left = menu->addAction(QStringLiteral("Move Left"));
        left->setEnabled(at != layout.shown.end() && at != layout.shown.begin());
        connect(left, &QAction::triggered, this, [this, column] { MoveColumn(column, -1); });
        QAction* right = menu->addAction(QStringLiteral("Move Right"));
        right->setEnabled(at != layout.shown.end() && at + 1 != layout.shown.end());
        connect(right, &QAction::triggered, this, [this, column] { MoveColumn(column, 1); });
    }
    menu->addSeparator();
    QAction* reset = menu->addAction(QStringLiteral("Default Columns"));
    connect(reset, &QAction::triggered, this, [this] { SetColumns(ColumnLayout::Default()); });
    return menu;
}
