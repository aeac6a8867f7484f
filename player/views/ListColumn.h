#pragma once

#include <QObject>
#include <QSize>

class QAbstractItemModel;
class QListView;

// Keeps a list view in list style (top to bottom, wrapping into columns) showing every caption
// whole: the column is as wide as the longest caption with its icon, up to the view's width.
// Qt would size every item like one measured item (uniform item sizes keep big lists fast),
// and cut the others short. Widths are measured when entries change, never while painting:
// new entries alone when they arrive; everything once after a removal, a reset (a sort, a
// load) or a changed caption that may have been the longest. User-interface thread only.
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
    void MeasureRows(int first, int last);
    void MeasureAllLater();
    void MeasureAll();
    void Apply();

    QListView& view_;
    QAbstractItemModel* model_ = nullptr;
    QList<QMetaObject::Connection> connections_;
    bool active_ = false;
    bool remeasurePending_ = false;
    int longest_ = 0;
    int longestRow_ = -1;
    int rowHeight_ = 0;
    long long measured_ = 0;
};
