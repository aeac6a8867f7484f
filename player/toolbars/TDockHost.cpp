#include "toolbars/TDockHost.h"

#include <QDataStream>
#include <QIODevice>
#include <QLayout>
#include <QPainter>
#include <QToolBar>

#include "toolbars/DockArrangement.h"
#include "toolbars/TDock97.h"
#include "toolbars/TToolbar97.h"
#include "toolbars/ToQColor.h"

namespace {

// Qt's tool bar state, as QMainWindow::saveState writes it and restoreState reads it (stable
// since Qt 4.4): a version marker, then the tool bar block: per row the area index (left 0,
// right 1, top 2, bottom 3) and per toolbar its object name, shown and vertical bits, offset,
// stretched length and, for a floating one, its packed screen rectangle.
constexpr int kVersionMarker = 0xff;
constexpr int kStateVersion = 0;
constexpr quint8 kToolBarStateMarkerEx = 0xfc;

int QtAreaIndex(DockSide side) {
    switch (side) {
        case DockSide::Left:
            return 0;
        case DockSide::Right:
            return 1;
        case DockSide::Bottom:
            return 3;
        case DockSide::Top:
        case DockSide::None:
            break;
    }
    return 2;
}

struct StateItem {
    QString name;
    bool shown = true;
    bool vertical = false;
    int offset = 0;
    int stretchedLength = -1;
    bool floating = false;
    QRect rect;
};

struct StateRow {
    int area = 2;
    std::vector<StateItem> items;
};

QByteArray ToolbarState(const std::vector<StateRow>& rows) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_0);
    out << kVersionMarker << kStateVersion << kToolBarStateMarkerEx << int(rows.size());
    for (const StateRow& row : rows) {
        out << row.area << int(row.items.size());
        for (const StateItem& item : row.items) {
            quint32 geometry0 = 0, geometry1 = 0;
            if (item.floating) {
                // x and y carry 0x7FFF so that negative screen positions survive the packing.
                geometry0 = (quint32(item.rect.width() & 0xffff) << 16) |
                            (quint32(item.rect.x() + 0x7FFF) & 0xffff);
                geometry1 = (quint32(item.rect.height() & 0xffff) << 16) |
                            (quint32(item.rect.y() + 0x7FFF) & 0xffff);
                geometry0 = (geometry0 << 1) | 1;
            }
            out << item.name << quint8((item.shown ? 1 : 0) | (item.vertical ? 2 : 0))
                << item.offset << item.stretchedLength << geometry0 << geometry1;
        }
    }
    return bytes;
}

DockSide SideOf(Qt::ToolBarArea area) {
    switch (area) {
        case Qt::TopToolBarArea:
            return DockSide::Top;
        case Qt::BottomToolBarArea:
            return DockSide::Bottom;
        case Qt::LeftToolBarArea:
            return DockSide::Left;
        case Qt::RightToolBarArea:
            return DockSide::Right;
        default:
            return DockSide::None;
    }
}

}  // namespace

TDockHost::TDockHost(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("DockHost"));
    setWindowFlags(Qt::Widget);
    // Right clicks go on to the main window, whose context menu is the tray menu.
    setContextMenuPolicy(Qt::NoContextMenu);
    docks_ = {new TDock97(this, DockSide::Top, "Dock971"),
              new TDock97(this, DockSide::Bottom, "Dock974"),
              new TDock97(this, DockSide::Left, "Dock973"),
              new TDock97(this, DockSide::Right, "Dock975")};
}

TDockHost::~TDockHost() {
    // The toolbars go first, while this object is whole: Qt hides them as it takes the window
    // apart, and a toolbar being hidden asks this object for its place.
    for (TToolbar97* toolbar : toolbars_)
        delete toolbar;
}

TDock97* TDockHost::Dock(DockSide side) const {
    for (TDock97* dock : docks_) {
        if (dock->Side() == side)
            return dock;
    }
    return nullptr;
}

void TDockHost::AddToolbar(TToolbar97* toolbar, DockSide side) {
    toolbars_.push_back(toolbar);
    addToolBar(Dock(side)->Area(), toolbar);
}

void TDockHost::PinBottom(QToolBar* strip) {
    pinned_ = strip;
    strip->setMovable(false);
    strip->setFloatable(false);
    strip->setAllowedAreas(Qt::BottomToolBarArea);
    addToolBarBreak(Qt::BottomToolBarArea);
    addToolBar(Qt::BottomToolBarArea, strip);
}

QPoint TDockHost::DockOrigin(DockSide side) const {
    const QRect middle = centralWidget() ? centralWidget()->geometry() : rect();
    switch (side) {
        case DockSide::Bottom:
            return {0, middle.bottom() + 1};
        case DockSide::Left:
            return {0, middle.top()};
        case DockSide::Right:
            return {middle.right() + 1, middle.top()};
        case DockSide::Top:
        case DockSide::None:
            break;
    }
    return {0, 0};
}

ToolbarPlace TDockHost::PlaceOf(const TToolbar97* toolbar) const {
    // Qt does not lay out hidden toolbars, so their geometry says nothing.
    if (toolbar->isHidden()) {
        if (const auto found = remembered_.find(toolbar); found != remembered_.end())
            return found->second;
    }
    if (toolbar->isFloating())
        return {DockSide::None, toolbar->x(), toolbar->y()};
    // Geometry is settled only once the layout has run; run it now, hidden or not.
    if (QLayout* own = layout())
        own->activate();
    const DockSide side = SideOf(toolBarArea(const_cast<TToolbar97*>(toolbar)));
    const QPoint origin = DockOrigin(side);
    return {side, toolbar->x() - origin.x(), toolbar->y() - origin.y()};
}

void TDockHost::Remember(const TToolbar97* toolbar) {
    remembered_[toolbar] = PlaceOf(toolbar);
}

void TDockHost::Place(TToolbar97* toolbar, const ToolbarPlace& place) {
    Arrange(toolbar, place);
    remembered_[toolbar] = place;
}

void TDockHost::Arrange(const TToolbar97* changed, const ToolbarPlace& place) {
    struct Entry {
        TToolbar97* toolbar;
        ToolbarPlace place;
    };
    std::vector<Entry> entries;
    for (TToolbar97* toolbar : toolbars_)
        entries.push_back({toolbar, toolbar == changed ? place : PlaceOf(toolbar)});

    std::vector<StateRow> rows;
    for (DockSide side : {DockSide::Top, DockSide::Bottom, DockSide::Left, DockSide::Right}) {
        std::vector<ToolbarSpot> spots;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].place.dock != side)
                continue;
            // Lengths as the toolbar wants them lying down; standing up they are much the same.
            QSize hint = entries[i].toolbar->sizeHint();
            if (entries[i].toolbar->orientation() == Qt::Vertical)
                hint.transpose();
            spots.push_back(
                {int(i), entries[i].place.left, entries[i].place.top, hint.width(), hint.height()});
        }
        for (const DockRow& dockRow : ArrangeDock(side, spots)) {
            StateRow row{QtAreaIndex(side), {}};
            for (const RowItem& item : dockRow) {
                const TToolbar97* toolbar = entries[std::size_t(item.id)].toolbar;
                row.items.push_back({toolbar->objectName(),
                                     !toolbar->isHidden(),
                                     side == DockSide::Left || side == DockSide::Right,
                                     item.offset,
                                     item.stretchedLength,
                                     false,
                                     {}});
            }
            rows.push_back(std::move(row));
        }
        if (side == DockSide::Bottom && pinned_)
            rows.push_back(
                {QtAreaIndex(side),
                 {{pinned_->objectName(), !pinned_->isHidden(), false, 0, -1, false, {}}}});
    }
    for (const Entry& entry : entries) {
        if (entry.place.dock != DockSide::None)
            continue;
        QSize size = entry.toolbar->sizeHint();
        if (entry.toolbar->orientation() == Qt::Vertical)
            size.transpose();
        rows.push_back({QtAreaIndex(DockSide::Top),
                        {{entry.toolbar->objectName(), !entry.toolbar->isHidden(), false, 0, -1,
                          true, QRect(QPoint(entry.place.left, entry.place.top), size)}}});
    }
    restoreState(ToolbarState(rows), kStateVersion);
    for (const Entry& entry : entries) {
        if (entry.place.dock == DockSide::None) {
            entry.toolbar->adjustSize();
            entry.toolbar->move(entry.place.left, entry.place.top);
        }
    }
}

void TDockHost::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect middle = centralWidget() ? centralWidget()->geometry() : QRect();
    const auto fill = [&](DockSide side, const QRect& area) {
        painter.fillRect(area, ToQColor(Dock(side)->Color(), palette()));
    };
    fill(DockSide::Top, QRect(0, 0, width(), middle.top()));
    fill(DockSide::Bottom, QRect(0, middle.bottom() + 1, width(), height() - middle.bottom() - 1));
    fill(DockSide::Left, QRect(0, middle.top(), middle.left(), middle.height()));
    fill(DockSide::Right,
         QRect(middle.right() + 1, middle.top(), width() - middle.right() - 1, middle.height()));
}
