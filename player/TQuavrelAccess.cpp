// What a screen reader and the keyboard get of the window, in one place: the names of the
// controls that have no caption, the order Tab walks through the panes, and the keys that
// reach what no menu holds. Runs once every component is made and placed.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenuBar>
#include <QShortcut>

#include "TQuavrel.h"
#include "views/TFileListView.h"
#include "widgets/AccessibleWidgets.h"
#include "widgets/TLCDLabel.h"

namespace {

// Names for controls whose caption (or hint) would not say what they are.
struct Naming {
    const char* object;
    const char* name;
};
constexpr Naming kNames[] = {
    {"dirtree1", "Folders"},
    {"TrackBar", "Position"},
    {"LCDLabel1", "Percentage played"},  // read while the display is blank
    {"PMLen", "Seconds to preview"},
    {"AddFiles", "Add the folder and its subfolders"},
    {"ToolbarButton973", "Add the folder"},
    {"ToolbarButton971", "Add the selected files"},
};
constexpr Naming kLists[] = {
    {"FileList", "Play list"},
    {"ExpList", "Files in the folder"},
};

// Tab goes through the panes in this order: the explorer (tree, its buttons, its list), the
// play list, the toolbars, the track bar and the volume, then the mode strip.
constexpr const char* kTabOrder[] = {
    "dirtree1",
    "ToolbarButton974",
    "CDUp",
    "AddFiles",
    "ToolbarButton973",
    "ToolbarButton971",
    "ExpList",
    "FileList",
    "Play",
    "Pause",
    "PrevS",
    "NextS",
    "MoveFwd",
    "MoveBack",
    "TBDelete",
    "Clear",
    "Load",
    "Save",
    "ToolbarButton975",
    "TrackBar",
    "LCDLabel1",
    "VolumeBut",
    "Shuffle",
    "TBLoop",
    "TBPlayMode",
    "PMLen",
    "ToolbarButton972",
    "ShortForm",
};

// The widgets that take the focus for a part: a list's two views (Tab skips the hidden one),
// else the part itself.
QList<QWidget*> FocusTargets(QWidget* part) {
    QList<QWidget*> targets;
    if (qobject_cast<TFileListView*>(part) != nullptr) {
        for (QAbstractItemView* view :
             part->findChildren<QAbstractItemView*>(Qt::FindDirectChildrenOnly))
            targets.append(view);
    } else {
        targets.append(part);
    }
    return targets;
}

}  // namespace

void TQuavrel::MakeAccessible() {
    // Named by the table first; then every control without a caption is named by its hint,
    // which Qt still gives as the description.
    for (const Naming& naming : kNames)
        if (auto* part = findChild<QWidget*>(QString::fromLatin1(naming.object)))
            part->setAccessibleName(QString::fromLatin1(naming.name));
    for (const Naming& naming : kLists)
        if (auto* list = findChild<TFileListView*>(QString::fromLatin1(naming.object)))
            list->SetListName(QString::fromLatin1(naming.name));
    AccessibleWidgets::ExposeAsPercent(TrackBar);
    for (QWidget* part : findChildren<QWidget*>()) {
        auto* button = qobject_cast<QAbstractButton*>(part);
        const bool control = button != nullptr || qobject_cast<QLineEdit*>(part) ||
                             qobject_cast<QAbstractSlider*>(part) ||
                             qobject_cast<QAbstractItemView*>(part);
        // Qt's own button for the buttons a toolbar too short cannot show.
        if (part->objectName() == QLatin1String("qt_toolbar_ext_button"))
            part->setAccessibleName(QStringLiteral("More buttons"));
        if (control && part->accessibleName().isEmpty() &&
            (button == nullptr || button->text().isEmpty()) && !part->toolTip().isEmpty())
            part->setAccessibleName(part->toolTip());
        // Buttons take the focus from Tab only, so that a click leaves it where it was.
        if (button != nullptr && part->focusPolicy() == Qt::NoFocus)
            part->setFocusPolicy(Qt::TabFocus);
    }
    TrackBar->setFocusPolicy(Qt::TabFocus);
    LCDLabel1->setFocusPolicy(Qt::TabFocus);

    QWidget* previous = nullptr;
    for (const char* name : kTabOrder) {
        auto* part = findChild<QWidget*>(QString::fromLatin1(name));
        if (part == nullptr)
            continue;
        for (QWidget* target : FocusTargets(part)) {
            if (previous != nullptr)
                setTabOrder(previous, target);
            previous = target;
        }
    }

    // F10 opens the menu bar, as on the desktops; the arrows go on from there.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        if (!menuBar()->actions().isEmpty())
            menuBar()->setActiveAction(menuBar()->actions().first());
    });
}
