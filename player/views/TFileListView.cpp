#include "views/TFileListView.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListView>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QStackedLayout>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QUrl>

#include "services/ShellIconList.h"
#include "services/ShellInfo.h"
#include "views/ListColumn.h"

namespace {

// A Qt view whose mouse and drag events go to the owning TFileListView: the view handles a
// press first (so the selection follows it), then the hook runs.
template <typename Base>
class HookedView : public Base {
public:
    HookedView(TFileListView* owner) : Base(owner), owner_(owner) {}

    // The view of the style not shown lays nothing out: a report view's layout holds a record
    // per row (some 40 bytes for each of 100,000 entries) and costs a pass over all of them.
    // It lays out when shown.
    void doItemsLayout() override {
        if (!this->isVisible()) {
            layoutPending_ = true;
            return;
        }
        layoutPending_ = false;
        Base::doItemsLayout();
    }

protected:
    void showEvent(QShowEvent* event) override {
        if (layoutPending_)
            this->scheduleDelayedItemsLayout();
        Base::showEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        QPointer<TFileListView> owner = owner_;
        Base::mousePressEvent(event);
        if (owner)
            owner->MouseEvent(event, true);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QPointer<TFileListView> owner = owner_;
        Base::mouseReleaseEvent(event);
        if (owner)
            owner->MouseEvent(event, false);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QPointer<TFileListView> owner = owner_;
        Base::mouseDoubleClickEvent(event);
        if (owner)
            owner->DoubleClick();
    }
    void dragEnterEvent(QDragEnterEvent* event) override { owner_->DragEnter(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { owner_->DragMove(event); }
    void dragLeaveEvent(QDragLeaveEvent* event) override { event->accept(); }
    void dropEvent(QDropEvent* event) override { owner_->Drop(event); }
    void startDrag(Qt::DropActions) override { owner_->StartDrag(); }

private:
    TFileListView* owner_;
    bool layoutPending_ = false;
};

// Starts an in-place edit only when the view allows it now (OnEditing).
class CaptionDelegate : public QStyledItemDelegate {
public:
    CaptionDelegate(TFileListView* owner) : QStyledItemDelegate(owner), owner_(owner) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() != 0 || !owner_->CaptionEditing(index.row()))
            return nullptr;
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

private:
    TFileListView* owner_;
};

template <typename View>
void SetUpView(View* view) {
    // Drops are always offered to the owner, which decides by AcceptFiles and its hooks.
    view->setAcceptDrops(true);
    view->viewport()->setAcceptDrops(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setFrameShape(QFrame::NoFrame);
}

QPoint PointOf(const QDropEvent* event) {
    return event->position().toPoint();
}

}  // namespace

TFileListView::TFileListView(ShellInfo& shell, FileAdder::FilterTest passesFilter, QWidget* parent)
    : QWidget(parent), shell_(shell), adder_(shell, std::move(passesFilter)) {
    auto* report = new HookedView<QTreeView>(this);
    report->setRootIsDecorated(false);
    report->setItemsExpandable(false);
    report->setUniformRowHeights(true);
    report->setAllColumnsShowFocus(true);
    report->setIconSize(QSize(ShellIconList::Small, ShellIconList::Small));
    report->header()->setStretchLastSection(false);
    report->header()->setSectionsMovable(false);
    SetUpView(report);
    report_ = report;

    auto* icons = new HookedView<QListView>(this);
    icons->setUniformItemSizes(true);
    icons->setResizeMode(QListView::Adjust);
    icons->setMovement(QListView::Static);
    icons->setLayoutMode(QListView::Batched);
    SetUpView(icons);
    icons_ = icons;
    column_ = new ListColumn(*icons);

    auto* delegate = new CaptionDelegate(this);
    report_->setItemDelegate(delegate);
    icons_->setItemDelegate(delegate);

    auto* layout = new QStackedLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(report_);
    layout->addWidget(icons_);
    SetViewStyle(TViewStyle::vsIcon);
}

TFileListView::~TFileListView() = default;

void TFileListView::SetModel(QAbstractItemModel* model) {
    QItemSelectionModel* oldReport = report_->selectionModel();
    QItemSelectionModel* oldIcons = icons_->selectionModel();
    report_->setModel(model);
    icons_->setModel(model);
    column_->SetModel(model);
    delete report_->selectionModel();
    delete icons_->selectionModel();
    delete oldReport;
    delete oldIcons;
    selection_ = new QItemSelectionModel(model, this);
    report_->setSelectionModel(selection_);
    icons_->setSelectionModel(selection_);
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, this, [this] { KeepLayoutSteady(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { KeepLayoutSteady(); });
    KeepLayoutSteady();
}

void TFileListView::KeepLayoutSteady() {
    // The icon view lays a long list out in batches, and starts again whenever it is resized
    // meanwhile (its resize mode adjusts the layout). A scroll bar that comes with the laid-out
    // rows resizes it, so on a long list the layout would run for ever. A long list keeps the
    // scroll bar of its flow shown; a short one looks as always.
    constexpr int kLongList = 1000;
    const QAbstractItemModel* model = icons_->model();
    const bool longList = model && model->rowCount() > kLongList;
    const bool acrossColumns = icons_->flow() == QListView::TopToBottom;
    const Qt::ScrollBarPolicy steady = longList ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded;
    icons_->setHorizontalScrollBarPolicy(acrossColumns ? steady : Qt::ScrollBarAsNeeded);
    icons_->setVerticalScrollBarPolicy(acrossColumns ? Qt::ScrollBarAsNeeded : steady);
}

int TFileListView::AddFile(const std::string& path) {
    return adder_.AddFile(path,
                          [this](PlayListEntry entry) { return AppendEntry(std::move(entry)); });
}

int TFileListView::AddDirectory(const std::string& path) {
    const ShellInfo::Info folder = shell_.FolderInfo();
    return AppendEntry(PlayListEntry{"????", folder.TypeName, path, folder.IconIndex});
}

void TFileListView::SetFilter(FileAdder::FilterTest passesFilter) {
    adder_.SetFilter(std::move(passesFilter));
}

void TFileListView::SetAcceptFiles(bool accept) {
    acceptFiles_ = accept;
}

void TFileListView::SetDragEnabled(bool enabled) {
    dragEnabled_ = enabled;
    report_->setDragEnabled(enabled);
    icons_->setDragEnabled(enabled);
}

void TFileListView::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    const QAbstractItemView::EditTriggers triggers =
        readOnly ? QAbstractItemView::NoEditTriggers
                 : QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed;
    report_->setEditTriggers(triggers);
    icons_->setEditTriggers(triggers);
}

void TFileListView::SetViewStyle(TViewStyle style) {
    viewStyle_ = style;
    auto* layout = static_cast<QStackedLayout*>(this->layout());
    if (style == TViewStyle::vsReport) {
        layout->setCurrentWidget(report_);
        return;
    }
    const bool large = style == TViewStyle::vsIcon;
    icons_->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    icons_->setMovement(QListView::Static);
    icons_->setFlow(style == TViewStyle::vsList ? QListView::TopToBottom : QListView::LeftToRight);
    KeepLayoutSteady();
    icons_->setWrapping(true);
    icons_->setWordWrap(large);
    const int size = large ? ShellIconList::Large : ShellIconList::Small;
    icons_->setIconSize(QSize(size, size));
    icons_->setGridSize(large ? QSize(80, 64) : QSize());
    // In list style the column fits the longest caption.
    column_->SetActive(style == TViewStyle::vsList);
    // QListView's movement switches drag and drop with it; the owner decides on drops.
    icons_->setDragEnabled(dragEnabled_);
    icons_->setAcceptDrops(true);
    icons_->viewport()->setAcceptDrops(true);
    layout->setCurrentWidget(icons_);
}

void TFileListView::SetListName(const QString& name) {
    setAccessibleName(name);
    report_->setAccessibleName(name);
    icons_->setAccessibleName(name);
}

void TFileListView::SetHint(const QString& hint) {
    setToolTip(hint);
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(report_), static_cast<QAbstractItemView*>(icons_)}) {
        view->setToolTip(hint);
        view->viewport()->setToolTip(hint);
    }
}

void TFileListView::SetHotTrack(bool on) {
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(report_), static_cast<QAbstractItemView*>(icons_)}) {
        view->setMouseTracking(on);
        view->viewport()->setAttribute(Qt::WA_Hover, on);
    }
}

QAbstractItemView* TFileListView::CurrentView() const {
    if (viewStyle_ == TViewStyle::vsReport)
        return report_;
    return icons_;
}

int TFileListView::ItemAt(int x, int y) const {
    const QModelIndex index = CurrentView()->indexAt(QPoint(x, y));
    return index.isValid() ? index.row() : -1;
}

int TFileListView::FocusedIndex() const {
    const QModelIndex current = selection_ ? selection_->currentIndex() : QModelIndex();
    return current.isValid() ? current.row() : -1;
}

int TFileListView::SelectedCount() const {
    return selection_ ? static_cast<int>(selection_->selectedRows().size()) : 0;
}

int TFileListView::FirstSelected() const {
    if (!selection_)
        return -1;
    int first = -1;
    for (const QModelIndex& index : selection_->selectedRows()) {
        if (first < 0 || index.row() < first)
            first = index.row();
    }
    return first;
}

bool TFileListView::IsSelected(int index) const {
    return selection_ && selection_->isRowSelected(index, QModelIndex());
}

void TFileListView::Select(int index, bool selected) {
    if (!selection_ || index < 0 || index >= Count())
        return;
    selection_->select(selection_->model()->index(index, 0),
                       (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                           QItemSelectionModel::Rows);
}

void TFileListView::EditCaption(int index) {
    if (readOnly_ || !selection_ || index < 0 || index >= Count())
        return;
    CurrentView()->edit(selection_->model()->index(index, 0));
}

TFileListView* TFileListView::SourceOf(const QDropEvent* event) const {
    return qobject_cast<TFileListView*>(event->source());
}

std::vector<std::string> TFileListView::LocalFiles(const QDropEvent* event) const {
    std::vector<std::string> files;
    const QMimeData* mime = event->mimeData();
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile())
            files.push_back(url.toLocalFile().toUtf8().toStdString());
    }
    return files;
}

bool TFileListView::DragEnter(QDragEnterEvent* event) {
    return DragMove(event);
}

bool TFileListView::DragMove(QDragMoveEvent* event) {
    const QPoint point = PointOf(event);
    bool accept = false;
    if (TFileListView* source = SourceOf(event); source && OnDragDrop)
        accept = !OnDragOver || OnDragOver(source, point.x(), point.y());
    else
        accept = acceptFiles_ && !LocalFiles(event).empty();
    if (accept) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
    return accept;
}

bool TFileListView::Drop(QDropEvent* event) {
    const QPoint point = PointOf(event);
    if (TFileListView* source = SourceOf(event); source && OnDragDrop) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        OnDragDrop(source, point.x(), point.y());
        return true;
    }
    std::vector<std::string> files = LocalFiles(event);
    if (!acceptFiles_ || files.empty()) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (OnFileDrop)
        OnFileDrop(files, point.x(), point.y());
    return true;
}

void TFileListView::StartDrag() {
    if (!selection_)
        return;
    QList<QModelIndex> rows = selection_->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QList<QUrl> urls;
    for (const QModelIndex& index : rows)
        urls.append(QUrl::fromLocalFile(QString::fromStdString(PathOf(index.row()))));
    if (urls.isEmpty())
        return;
    auto* mime = new QMimeData;
    mime->setUrls(urls);
    QPointer<QDrag> drag = new QDrag(this);
    drag->setMimeData(mime);
    QPointer<TFileListView> self = this;
    drag->exec(Qt::CopyAction);
    if (!self)
        return;
    QWidget* target = drag ? qobject_cast<QWidget*>(drag->target()) : nullptr;
    // Report the view the target belongs to rather than its inner viewport.
    for (QWidget* w = target; w; w = w->parentWidget()) {
        if (qobject_cast<TFileListView*>(w)) {
            target = w;
            break;
        }
    }
    if (OnEndDrag)
        OnEndDrag(target);
}

void TFileListView::MouseEvent(QMouseEvent* event, bool press) {
    const auto& hook = press ? OnMouseDown : OnMouseUp;
    if (hook) {
        const QPoint point = event->position().toPoint();
        hook(event->button(), event->modifiers(), point.x(), point.y());
    }
}

void TFileListView::DoubleClick() {
    if (OnDblClick)
        OnDblClick();
}

bool TFileListView::CaptionEditing(int index) {
    if (readOnly_)
        return false;
    return !OnEditing || OnEditing(index);
}

void TFileListView::CaptionEdited(int index, std::string& caption) {
    if (OnEdited)
        OnEdited(index, caption);
}
