#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "playlist/FileAdder.h"
#include "views/FileListing.h"

class QAbstractItemModel;
class QAbstractItemView;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QItemSelectionModel;
class QListView;
class QMouseEvent;
class QTreeView;
class ListColumn;
class ShellInfo;

// The base of the play list view and the explorer list: a list of entries with icons in four
// styles (report with columns, list, small icons, large icons) that takes files dropped from
// other programs and adds files or whole folder trees by path. Subclasses supply the model and
// store the entries; this class owns the two Qt views that show it (a tree view for the report
// style, a list view for the others, sharing one selection) and turns their events into the
// hooks below. Hooks run on the user-interface thread and must not let exceptions escape.
class TFileListView : public QWidget {
    Q_OBJECT

public:
    // shell must outlive the view. A null filter lets every file pass.
    TFileListView(ShellInfo& shell, FileAdder::FilterTest passesFilter, QWidget* parent = nullptr);
    ~TFileListView() override;

    // Adds path as AddFile says (FileAdder): the new entry's index, or -1.
    virtual int AddFile(const std::string& path);
    // Appends a folder entry captioned "????" with the folder icon; the caller sets the caption.
    virtual int AddDirectory(const std::string& path);
    void SetFilter(FileAdder::FilterTest passesFilter);

    // Files dropped from other programs (and from other views of this program when OnDragDrop
    // is unset) arrive through OnFileDrop while AcceptFiles is on.
    bool AcceptFiles() const { return acceptFiles_; }
    void SetAcceptFiles(bool accept);
    // Entries dragged out of this view carry their paths as local file URLs.
    void SetDragEnabled(bool enabled);
    // Captions may be edited in place (a slow second click or F2) while not read-only.
    void SetReadOnly(bool readOnly);
    bool ReadOnly() const { return readOnly_; }

    TViewStyle ViewStyle() const { return viewStyle_; }
    virtual void SetViewStyle(TViewStyle style);
    void SetHint(const QString& hint);
    // What a screen reader calls the list, in either view; its items read as their captions.
    void SetListName(const QString& name);
    void SetHotTrack(bool on);

    virtual int Count() const = 0;
    virtual std::string PathOf(int index) const = 0;
    // The entry under a point of the view's client area (viewport coordinates), or -1.
    int ItemAt(int x, int y) const;
    int FocusedIndex() const;
    int SelectedCount() const;
    int FirstSelected() const;  // -1 when none
    bool IsSelected(int index) const;
    void Select(int index, bool selected = true);
    // Starts editing the caption of index in place (nothing while read-only).
    void EditCaption(int index);
    // The view that shows the current style; for tests and for mapping points.
    QAbstractItemView* CurrentView() const;

    // --- Hooks ---
    // Once per drop: the local files in the order given, the drop point in client coordinates.
    std::function<void(const std::vector<std::string>& files, int x, int y)> OnFileDrop;
    // A drag from a view of this program (source may be this view): whether it may drop here.
    std::function<bool(TFileListView* source, int x, int y)> OnDragOver;
    std::function<void(TFileListView* source, int x, int y)> OnDragDrop;
    // A drag started here ended; target is the widget it was dropped on, or null.
    std::function<void(QWidget* target)> OnEndDrag;
    std::function<void()> OnDblClick;
    // After the view has handled the press (the selection already follows it).
    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>
        OnMouseDown;
    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>
        OnMouseUp;
    // Whether the caption of index may be edited now.
    std::function<bool(int index)> OnEditing;
    // An edit finished: caption may be changed; the entry then shows and keeps it.
    std::function<void(int index, std::string& caption)> OnEdited;

    // Called by the views' event handlers.
    bool DragEnter(QDragEnterEvent* event);
    bool DragMove(QDragMoveEvent* event);
    bool Drop(QDropEvent* event);
    void StartDrag();
    void MouseEvent(QMouseEvent* event, bool press);
    void DoubleClick();
    // Runs the editing hooks; false refuses the edit. Called by the models.
    bool CaptionEditing(int index);
    void CaptionEdited(int index, std::string& caption);

protected:
    // Stores a new entry at the end and returns its index.
    virtual int AppendEntry(PlayListEntry entry) = 0;
    // Attaches the model that shows the entries; the views share one selection model.
    void SetModel(QAbstractItemModel* model);
    QTreeView* ReportView() const { return report_; }
    QListView* IconView() const { return icons_; }
    QItemSelectionModel* SelectionModel() const { return selection_; }
    ShellInfo& Shell() const { return shell_; }
    const FileAdder& Adder() const { return adder_; }

private:
    // Shows the icon view's scroll bar on a long list, so its batched layout ends (see .cpp).
    void KeepLayoutSteady();
    TFileListView* SourceOf(const QDropEvent* event) const;
    std::vector<std::string> LocalFiles(const QDropEvent* event) const;

    ShellInfo& shell_;
    FileAdder adder_;
    QTreeView* report_ = nullptr;
    QListView* icons_ = nullptr;
    ListColumn* column_ = nullptr;  // a child of icons_
    QItemSelectionModel* selection_ = nullptr;
    TViewStyle viewStyle_ = TViewStyle::vsIcon;
    bool acceptFiles_ = false;
    bool dragEnabled_ = false;
    bool readOnly_ = true;
};
