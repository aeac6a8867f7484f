#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "playlist/FileAdder.h"

class MediaDevice;
class PlayList;
class QBoxLayout;
class QLabel;
class QSplitter;
class QToolButton;
class ShellInfo;
class TFileList;
class TFileListView;
class Tdirtree;
struct PlayerState;

// The explorer pane (the main window's Panel1): the directory tree dirtree1 on the left of
// Splitter1, then the button strip Panel2 (the picture Image2 behind five buttons) and the
// explorer list ExpList, which shows the selected folder's files that pass the type filter.
// Its handlers add explorer files to the play list through the window's FileAdder, and name
// the first one added as the device's file and the current entry.
class ExplorerPane : public QWidget {
    Q_OBJECT

public:
    // What the pane works on; everything must outlive it.
    struct Parts {
        ShellInfo& shell;
        PlayList& list;
        const FileAdder& adder;
        MediaDevice& media;
        PlayerState& state;                 // PlayIndex becomes the first entry added
        std::function<void()> openAndPlay;  // the window's OpenAndPlay
        // Adds files the user chose at the end of the play list, a play list file by its
        // entries (the window's AddDropped, with its one box for entries that failed);
        // returns the index of the first path's first entry, -1 when it made none.
        std::function<int(const std::vector<std::string>& paths)> addChosen;
        // Runs a handler as the message loop would (the window's Guarded).
        std::function<void(const std::function<void()>&)> guarded;
        // Runs long work on the list with a progress dialog (the window's LongWork): work gets
        // the hook to hand the FileAdder; what names the work in the dialog.
        std::function<void(const char* what,
                           const std::function<void(const FileAdder::Progress&)>& work)>
            longWork;
    };

    ExplorerPane(Parts parts, FileAdder::FilterTest passesFilter, QWidget* parent);

    Tdirtree& Tree() const { return *dirtree1_; }
    TFileList& List() const { return *ExpList_; }
    QSplitter& Splitter() const { return *Splitter1_; }  // Splitter1
    QLabel& Picture() const { return *Image2_; }         // Image2
    // The play list view takes drags of explorer entries and no other drag from inside the
    // window; ExpListEndDrag adds them, so the drop itself adds nothing.
    void AcceptDragsInto(TFileListView& playList);

    // --- Handlers ---
    void dirtree1Change();
    void dirtree1Click();
    void ExpListClick();
    void ExpListDblClick();
    void ExpListEndDrag(QWidget* target);  // target: the view the drag ended on, or null
    void ToolbarButton974Click();
    void CDUpClick();
    void AddFilesClick();
    void ToolbarButton973Click();
    void ToolbarButton971Click();

private:
    void CreateButtons(QWidget* strip);
    void CreateList(FileAdder::FilterTest passesFilter, QBoxLayout* place);
    void Connect();

    Parts parts_;
    QWidget* playListView_ = nullptr;
    QSplitter* Splitter1_ = nullptr;
    Tdirtree* dirtree1_ = nullptr;
    QLabel* Image2_ = nullptr;
    TFileList* ExpList_ = nullptr;
};
