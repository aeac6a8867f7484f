#include "views/JumpToFileBox.h"

#include <QAbstractListModel>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "playlist/EntrySearch.h"
#include "playlist/PlayList.h"
#include "playlist/PlayListTotals.h"
#include "services/ShellIconList.h"

// The matches as a list: each row shows the entry's caption, its path as the tooltip. It reads
// the play list; the search's result is the row order.
class MatchModel : public QAbstractListModel {
public:
    explicit MatchModel(const PlayList& list, QObject* parent)
        : QAbstractListModel(parent), list_(list) {}

    void SetMatches(const std::vector<int>& matches) {
        beginResetModel();
        matches_ = matches;
        endResetModel();
    }
    const std::vector<int>& Matches() const { return matches_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(matches_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= static_cast<int>(matches_.size()))
            return {};
        const int entry = matches_[static_cast<std::size_t>(index.row())];
        if (!list_.Contains(entry))
            return {};
        switch (role) {
            case Qt::DisplayRole:
                return QString::fromStdString(list_.At(entry).Caption);
            case Qt::ToolTipRole:
                return QString::fromStdString(list_.At(entry).Path);
            case Qt::DecorationRole:
                return ShellIconList::Instance().Icon(list_.At(entry).IconIndex);
        }
        return {};
    }

private:
    const PlayList& list_;
    std::vector<int> matches_;
};

namespace {

// Tells the box when the play list changed, so that it searches again.
class ChangeWatch final : public PlayListObserver {
public:
    ChangeWatch(PlayList& list, std::function<void()> changed)
        : list_(list), changed_(std::move(changed)) {
        list_.AddObserver(this);
    }
    ~ChangeWatch() override { list_.RemoveObserver(this); }

private:
    void EntriesInserted(int, int) override { changed_(); }
    void EntriesRemoved(int, int) override { changed_(); }
    void EntryMoved(int, int) override { changed_(); }
    void EntriesChanged(int, int) override { changed_(); }
    void FocusChanged(int, int) override {}
    void Reset() override { changed_(); }

    PlayList& list_;
    std::function<void()> changed_;
};

}  // namespace

JumpToFileBox::JumpToFileBox(PlayList& list, QWidget* parent)
    : QDialog(parent),
      list_(list),
      text_(new QLineEdit(this)),
      matches_(new QListView(this)),
      count_(new QLabel(this)),
      model_(new MatchModel(list, this)) {
    setObjectName(QStringLiteral("JumpToFileBox"));
    setWindowTitle(QStringLiteral("Jump to File"));
    setModal(false);
    resize(420, 360);
    text_->setObjectName(QStringLiteral("JumpText"));
    text_->setAccessibleName(QStringLiteral("Words to find"));
    text_->setPlaceholderText(QStringLiteral("Words of the title, artist, album or path"));
    text_->installEventFilter(this);
    matches_->setObjectName(QStringLiteral("JumpMatches"));
    matches_->setAccessibleName(QStringLiteral("Matching entries"));
    matches_->setModel(model_);
    matches_->setUniformItemSizes(true);
    matches_->setSelectionMode(QAbstractItemView::SingleSelection);
    matches_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    count_->setObjectName(QStringLiteral("JumpCount"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(text_);
    layout->addWidget(matches_, 1);
    layout->addWidget(count_);
    connect(text_, &QLineEdit::textChanged, this, [this] { Search(); });
    connect(text_, &QLineEdit::returnPressed, this, [this] { Play(); });
    connect(matches_, &QAbstractItemView::activated, this, [this] { Play(); });
    connect(this, &QDialog::finished, this, [this] {
        // The folded texts cost some 100 bytes an entry: kept only while the window is open.
        watch_.reset();
        search_.reset();
        model_->SetMatches({});
    });
}

JumpToFileBox::~JumpToFileBox() = default;

void JumpToFileBox::Open() {
    if (!search_) {
        search_ = std::make_unique<EntrySearch>(list_);
        watch_ = std::make_unique<ChangeWatch>(list_, [this] { SearchLater(); });
    }
    const QSignalBlocker quiet(text_);
    text_->clear();
    Search();
    show();
    raise();
    activateWindow();
    text_->setFocus();
}

const std::vector<int>& JumpToFileBox::Matches() const {
    return model_->Matches();
}

int JumpToFileBox::Chosen() const {
    const QModelIndex current = matches_->currentIndex();
    if (!current.isValid() || current.row() >= static_cast<int>(Matches().size()))
        return -1;
    return Matches()[static_cast<std::size_t>(current.row())];
}

void JumpToFileBox::Search() {
    searchPending_ = false;
    if (!search_)
        return;
    // The entry chosen stays chosen while it matches (the list may change under the window).
    const int chosen = Chosen();
    model_->SetMatches(search_->Find(text_->text().toStdString()));
    const auto at = std::lower_bound(Matches().begin(), Matches().end(), chosen);
    const bool kept = chosen >= 0 && at != Matches().end() && *at == chosen;
    if (!Matches().empty())
        matches_->setCurrentIndex(
            model_->index(kept ? static_cast<int>(at - Matches().begin()) : 0));
    const std::size_t found = Matches().size();
    count_->setText(QString::fromStdString(GroupedCount(static_cast<long long>(found)) +
                                           (found == 1 ? " match" : " matches")));
}

void JumpToFileBox::SearchLater() {
    if (searchPending_)
        return;
    searchPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (searchPending_)
            Search();
    });
}

void JumpToFileBox::Play() {
    const int chosen = Chosen();
    if (chosen < 0 || !list_.Contains(chosen))
        return;
    accept();
    if (OnPlay)
        OnPlay(chosen);
}

bool JumpToFileBox::eventFilter(QObject* watched, QEvent* event) {
    // The arrows and page keys in the field move through the matches, so the hands stay on
    // the keys while choosing.
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(matches_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
