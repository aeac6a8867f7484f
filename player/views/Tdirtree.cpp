#include "views/Tdirtree.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <thread>

#include "views/TdirtreeModel.h"

namespace {

// Reads a network root's folders on a thread of its own, which may hang on a dead server for
// as long as the kernel lets it; the answer is posted back to the user-interface thread and
// dropped there when the tree is gone.
void ProbeAside(QPointer<Tdirtree> view, const std::string& root,
                std::function<void(DirTree::SubfolderNames)> answer) {
    struct Delivery {
        QPointer<Tdirtree> view;
        std::function<void(DirTree::SubfolderNames)> answer;
    };
    auto delivery = std::make_shared<Delivery>(Delivery{std::move(view), std::move(answer)});
    std::thread([root, delivery] {
        DirTree::SubfolderNames names = DirTree::ReadSubfolderNames(root);
        if (QCoreApplication* app = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                app,
                [delivery, names = std::move(names)] {
                    if (delivery->view)
                        delivery->answer(names);
                },
                Qt::QueuedConnection);
        }
    }).detach();
}

}  // namespace

Tdirtree::Tdirtree(QWidget* parent) : Tdirtree(std::make_unique<DirTree>(), parent) {
    QPointer<Tdirtree> self(this);
    model_->Tree().SetNetworkProbe(
        [self](const std::string& root, std::function<void(DirTree::SubfolderNames)> answer) {
            ProbeAside(self, root, std::move(answer));
        });
}

Tdirtree::Tdirtree(DirTree::Platform platform, QWidget* parent)
    : Tdirtree(std::make_unique<DirTree>(std::move(platform)), parent) {}

Tdirtree::Tdirtree(std::unique_ptr<DirTree> tree, QWidget* parent)
    : QTreeView(parent), model_(new TdirtreeModel(std::move(tree), this)) {
    setModel(model_);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setUniformRowHeights(true);  // 5,000 folders lay out without measuring each
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);

    DirTree& logic = model_->Tree();
    logic.OnChange = [this] { emit Change(); };
    // Drive reading runs no pending events in its midst: it may run inside a show of the
    // window, where a deferred deletion would pull widgets away from under Qt. Removable
    // volumes are never touched, so the reading is short.
    connect(model_, &TdirtreeModel::TreeSelectionChanged, this, &Tdirtree::FollowTree);
    // The expand button is drawn from the view's cache of hasChildren; relayout when a
    // placeholder came or went without rows changing. Queued: it can happen in a layout.
    connect(
        model_, &TdirtreeModel::ExpandButtonChanged, this, [this] { scheduleDelayedItemsLayout(); },
        Qt::QueuedConnection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &Tdirtree::FollowView);
}

Tdirtree::~Tdirtree() {
    DirTree& tree = model_->Tree();
    tree.OnChange = nullptr;
}

DirTree& Tdirtree::Tree() {
    HandleNeeded();
    return model_->Tree();
}

void Tdirtree::HandleNeeded() {
    DirTree& tree = model_->Tree();
    if (tree.WindowCreated())
        return;
    TdirtreeModel::Busy busy;
    tree.CreateWindow();
}

void Tdirtree::showEvent(QShowEvent* event) {
    HandleNeeded();
    QTreeView::showEvent(event);
    ScheduleNetworkProbes();
}

void Tdirtree::ScheduleNetworkProbes() {
    if (model_->Tree().PendingNetworkProbes() == 0)
        return;
    QTimer::singleShot(0, this, [this] {
        model_->Tree().StartNetworkProbes();
        QTimer::singleShot(networkGiveUpMs_, this,
                           [this] { model_->Tree().GiveUpNetworkProbes(); });
    });
}

void Tdirtree::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    emit Click();
}

std::string Tdirtree::Directory() {
    HandleNeeded();
    return model_->Tree().Directory();
}

void Tdirtree::SetDirectory(const std::string& value) {
    if (value == "?")
        return;
    HandleNeeded();
    TdirtreeModel::Busy busy;
    model_->Tree().SetDirectory(value);
}

bool Tdirtree::ReadOnStart() const {
    return model_->Tree().ReadOnStart();
}
void Tdirtree::SetReadOnStart(bool value) {
    model_->Tree().SetReadOnStart(value);
}
tDirType Tdirtree::DirType() const {
    return model_->Tree().DirType();
}
bool Tdirtree::AllowNetwork() const {
    return model_->Tree().AllowNetwork();
}
bool Tdirtree::GoBelowRecycleBin() const {
    return model_->Tree().GoBelowRecycleBin();
}

void Tdirtree::SetDirType(tDirType value) {
    TdirtreeModel::Busy busy;
    model_->Tree().SetDirType(value);
}

void Tdirtree::SetAllowNetwork(bool value) {
    TdirtreeModel::Busy busy;
    model_->Tree().SetAllowNetwork(value);
}

void Tdirtree::SetGoBelowRecycleBin(bool value) {
    TdirtreeModel::Busy busy;
    model_->Tree().SetGoBelowRecycleBin(value);
}

void Tdirtree::SetReadonly(bool value) {
    readonly_ = value;
    model_->SetReadonly(value);
    setEditTriggers(value ? QAbstractItemView::NoEditTriggers
                          : QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
}

void Tdirtree::SetOnAddDir(std::function<void(const std::string&, bool&)> handler) {
    model_->Tree().OnAddDir = std::move(handler);
}

void Tdirtree::ReadDrives() {
    HandleNeeded();
    TdirtreeModel::Busy busy;
    model_->Tree().ReadDrives();
    if (isVisible())
        ScheduleNetworkProbes();
}

void Tdirtree::Reload() {
    HandleNeeded();
    TdirtreeModel::Busy busy;
    model_->Tree().Reload();
    if (isVisible())
        ScheduleNetworkProbes();
}

void Tdirtree::FollowTree(const QModelIndex& current, bool scrollToTop) {
    following_ = true;
    if (current.isValid()) {
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
        if (scrollToTop)
            scrollTo(current, QAbstractItemView::PositionAtTop);
    } else {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    following_ = false;
}

void Tdirtree::FollowView() {
    if (following_)
        return;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    model_->Tree().Select(selected.isEmpty() ? nullptr : model_->NodeAt(selected.first()));
}
