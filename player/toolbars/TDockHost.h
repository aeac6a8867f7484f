#pragma once

#include <QMainWindow>
#include <array>
#include <map>
#include <vector>

#include "config/ConfigState.h"

class QToolBar;
class TDock97;
class TToolbar97;

// The part of the main window that the docking toolbars live in: a QMainWindow used as a
// child widget, whose four tool bar areas are the docks and whose central widget is the
// middle of the window (the play list or the short form's panel). Qt does the dragging,
// docking and floating; this class adds what the program asks of its toolbars on top: a dock
// and a left and top position each can be given and report, kept across runs.
//
// Positions are pixels from the dock's corner (the top-left of its area), or screen
// coordinates for a floating toolbar. Setting one rebuilds the docks' rows at once through
// Qt's own state restore, so the toolbars stand where asked, as far as their rows allow.
class TDockHost : public QMainWindow {
    Q_OBJECT

public:
    explicit TDockHost(QWidget* parent = nullptr);
    ~TDockHost() override;

    TDock97* Dock(DockSide side) const;  // null for DockSide::None

    // Takes a toolbar into the top dock, at the end of its last row.
    void AddToolbar(TToolbar97* toolbar, DockSide side);
    // A strip kept as the innermost row of the bottom dock, whatever the toolbars do.
    void PinBottom(QToolBar* strip);

    // A hidden toolbar reports the place it had when it was hidden, or was last given.
    ToolbarPlace PlaceOf(const TToolbar97* toolbar) const;
    // Keeps the toolbar's present place for the time it is hidden.
    void Remember(const TToolbar97* toolbar);
    void Place(TToolbar97* toolbar, const ToolbarPlace& place);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint DockOrigin(DockSide side) const;
    void Arrange(const TToolbar97* changed, const ToolbarPlace& place);

    std::array<TDock97*, 4> docks_{};  // top, bottom, left, right
    std::vector<TToolbar97*> toolbars_;
    std::map<const TToolbar97*, ToolbarPlace> remembered_;
    QToolBar* pinned_ = nullptr;
};
