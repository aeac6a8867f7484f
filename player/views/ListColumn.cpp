#include "views/ListColumn.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QFontMetrics>
#include <QListView>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

ListColumn::ListColumn(QListView& view) : QObject(&view), view_(view), viewport_(view.viewport()) {
    viewport_->installEventFilter(this);
}

void ListColumn::SetActive(bool active) {
    active_ = active;
    if (active_)
        MeasureAll();
}

void ListColumn::SetModel(QAbstractItemModel* model) {
    for (const QMetaObject::Connection& connection : connections_)
        disconnect(connection);
    connections_.clear();
    model_ = model;
    if (model_ != nullptr) {
        connections_ = {
            connect(model_, &QAbstractItemModel::rowsInserted, this,
                    [this](const QModelIndex& parent, int first, int last) {
                        if (parent.isValid())
                            return;
                        if (longestRow_ >= first)
                            longestRow_ += last - first + 1;
                        MeasureRows(first, last);
                    }),
            connect(model_, &QAbstractItemModel::rowsMoved, this, [this] { MeasureAllLater(); }),
            connect(model_, &QAbstractItemModel::rowsRemoved, this, [this] { MeasureAllLater(); }),
            connect(model_, &QAbstractItemModel::modelReset, this, [this] { MeasureAllLater(); }),
            connect(model_, &QAbstractItemModel::layoutChanged, this,
                    [this] { MeasureAllLater(); }),
            connect(model_, &QAbstractItemModel::dataChanged, this,
                    [this](const QModelIndex& from, const QModelIndex& to) {
                        // A longer caption widens at once; the longest one changed may have
                        // shrunk, which only a new count can tell.
                        if (longestRow_ >= from.row() && longestRow_ <= to.row())
                            MeasureAllLater();
                        else
                            MeasureRows(from.row(), to.row());
                    }),
        };
    }
    MeasureAll();
}

int ListColumn::Estimate(const QString& caption, const QFontMetrics& metrics) {
    // Shaping a whole text costs microseconds; a sum of cached advances costs nanoseconds and
    // differs from it by kerning only.
    if (advances_.empty()) {
        advances_.assign(0x10000, -1);
        font_ = view_.font();
    }
    int width = 0;
    for (const QChar c : caption) {
        if (c.isSurrogate())
            return metrics.horizontalAdvance(caption);
        std::int16_t& advance = advances_[c.unicode()];
        if (advance < 0)
            advance = static_cast<std::int16_t>(metrics.horizontalAdvance(c));
        width += advance;
    }
    return width;
}

void ListColumn::MeasureRows(int first, int last) {
    if (!active_ || model_ == nullptr)
        return;
    if (font_ != view_.font())
        advances_.clear();
    const QFontMetrics metrics(view_.font());
    // Estimated first; the widest few estimates are then measured exactly.
    std::vector<std::pair<int, int>> estimates;  // (estimate, row)
    estimates.reserve(static_cast<std::size_t>(last - first + 1));
    for (int row = first; row <= last; ++row) {
        const QString caption = model_->index(row, 0).data(Qt::DisplayRole).toString();
        ++measured_;
        estimates.emplace_back(Estimate(caption, metrics), row);
    }
    const std::size_t exact = std::min<std::size_t>(kExactlyMeasured, estimates.size());
    std::partial_sort(estimates.begin(), estimates.begin() + exact, estimates.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    int widest = longest_;
    for (std::size_t i = 0; i < exact; ++i) {
        const int row = estimates[i].second;
        const int width = std::max(
            estimates[i].first,
            metrics.horizontalAdvance(model_->index(row, 0).data(Qt::DisplayRole).toString()));
        if (width > widest || longestRow_ < 0) {
            widest = width;
            longestRow_ = row;
        }
    }
    if (widest == longest_ && rowHeight_ > 0)
        return;
    longest_ = widest;
    Apply();
}

void ListColumn::MeasureAllLater() {
    if (!active_ || remeasurePending_)
        return;
    // A burst of removals (deleting a selection) counts once, after it.
    remeasurePending_ = true;
    QTimer::singleShot(0, this, [this] {
        remeasurePending_ = false;
        MeasureAll();
    });
}

void ListColumn::MeasureAll() {
    if (!active_)
        return;
    longest_ = 0;
    longestRow_ = -1;
    if (model_ != nullptr && model_->rowCount() > 0)
        MeasureRows(0, model_->rowCount() - 1);
    Apply();
}

void ListColumn::Apply() {
    if (!active_)
        return;
    // The longest caption's own row, sized by the delegate that paints it: icon, gaps and
    // margins as the style has them. Only that row is asked; the text width is ours.
    QStyleOptionViewItem option;
    option.initFrom(&view_);
    option.decorationSize = view_.iconSize();
    option.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    int extra = view_.iconSize().width() + 12;
    rowHeight_ = std::max(view_.iconSize().height(), view_.fontMetrics().height()) + 4;
    if (model_ != nullptr && longestRow_ >= 0 && longestRow_ < model_->rowCount()) {
        const QModelIndex index = model_->index(longestRow_, 0);
        const QSize hint = view_.itemDelegate()->sizeHint(option, index);
        const int text =
            view_.fontMetrics().horizontalAdvance(index.data(Qt::DisplayRole).toString());
        extra = std::max(0, hint.width() - text);
        rowHeight_ = std::max(rowHeight_, hint.height());
    }
    // Two pixels to spare: the delegate elides a text that fills its room to the last pixel.
    const int wanted = longest_ + extra + 2;
    const int room = std::max(1, view_.viewport()->width());
    const QSize grid(std::min(wanted, room), rowHeight_);
    if (view_.gridSize() != grid)
        view_.setGridSize(grid);
}

bool ListColumn::eventFilter(QObject* watched, QEvent* event) {
    // The viewport is kept from the start: while the view is destroyed its children still send
    // events here, and the view must not be asked anything then.
    if (event->type() == QEvent::Resize && watched == viewport_ && active_)
        Apply();
    return QObject::eventFilter(watched, event);
}
