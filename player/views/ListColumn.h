#pragma once

#include <QFont>
#include <QObject>
#include <QSize>
#include <cstdint>
#include <vector>

class QAbstractItemModel;
class QFontMetrics;
class QListView;

// Keeps a list view in list style (top to bottom, wrapping into columns) showing every caption
// whole: the column is as wide as the longest caption with its icon, up to the view's width.
// Qt would size every item like one measured item (uniform item sizes keep big lists fast),
// and cut the others short. Widths are measured when entries change, never while painting:
// new entries alone when they arrive; everything once after a removal, a reset (a sort, a
// load) or a changed caption that may have been the longest. A width is first estimated from
// cached character advances (no shaping: about 100 times cheaper); the widest few estimates
// are then measured exactly, and the column is the widest of both. User-interface thread only.
class ListColumn : public QObject {
    Q_OBJECT

public:
    explicit ListColumn(QListView& view);

    // On: sets the view's grid to the column; off: leaves the grid to the caller.
    void SetActive(bool active);
    // Watches the model's changes (call after the view has the model; null forgets it).
    void SetModel(QAbstractItemModel* model);
    // The width of the longest caption with its icon and margins, in pixels.
    int Longest() const { return longest_; }
    // How many captions have been measured so far: a measure of the work, for tests.
    long long Measured() const { return measured_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr std::size_t kExactlyMeasured = 8;

    int Estimate(const QString& caption, const QFontMetrics& metrics);
    void MeasureRows(int first, int last);
    void MeasureAllLater();
    void MeasureAll();
    void Apply();

    QListView& view_;
    QObject* viewport_;  // the view's viewport, whose size the column follows
    QAbstractItemModel* model_ = nullptr;
    QList<QMetaObject::Connection> connections_;
    bool active_ = false;
    bool remeasurePending_ = false;
    int longest_ = 0;
    int longestRow_ = -1;
    int rowHeight_ = 0;
    long long measured_ = 0;
    std::vector<std::int16_t> advances_;  // per UTF-16 unit of font_; -1 not yet asked
    QFont font_;
};
