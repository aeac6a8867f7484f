#pragma once

#include <QTreeView>
#include <functional>
#include <memory>
#include <string>

#include "views/DirTree.h"

class TdirtreeModel;

// The directory tree component: the drives and their folders, read only when about to be
// shown, with the selected folder as Directory. A thin view over DirTree (the bookkeeping)
// through TdirtreeModel. Like a native tree control, it reads its drives when its window is
// first needed (shown, or asked for Directory) while ReadOnStart is on. It does not sort its
// nodes itself, and keeps its selection visible when it loses the focus.
class Tdirtree : public QTreeView {
    Q_OBJECT

public:
    // The system's drives, current folder and trash.
    explicit Tdirtree(QWidget* parent = nullptr);
    // Tests inject roots, current folder and trash.
    Tdirtree(DirTree::Platform platform, QWidget* parent = nullptr);
    ~Tdirtree() override;

    // --- Published properties, with their initial values ---
    std::string Directory();                      // "?" when no node is selected
    void SetDirectory(const std::string& value);  // selects the folder's node, scrolled to top
    bool ReadOnStart() const;                     // true
    void SetReadOnStart(bool value);
    tDirType DirType() const;  // [dtNormal, dtAll]; the three setters reload on a change
    void SetDirType(tDirType value);
    bool AllowNetwork() const;  // true
    void SetAllowNetwork(bool value);
    bool GoBelowRecycleBin() const;  // true
    void SetGoBelowRecycleBin(bool value);
    bool Readonly() const { return readonly_; }  // true: captions cannot be edited
    void SetReadonly(bool value);
    // Asked for each folder (with a trailing "/") before it gets a node.
    void SetOnAddDir(std::function<void(const std::string& path, bool& doAdd)> handler);

    void ReadDrives();
    void Reload();

    // How long a network root may take to show whether it has folders (milliseconds).
    static constexpr int kNetworkGiveUpMs = 2000;
    void SetNetworkGiveUpMs(int ms) { networkGiveUpMs_ = ms; }

    // The bookkeeping and the model, for the main window's handlers and for tests.
    DirTree& Tree();
    TdirtreeModel* Model() const { return model_; }

signals:
    // The selection changed (after the tree's own change step), also to none.
    void Change();
    // A mouse click on the control.
    void Click();

protected:
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Tdirtree(std::unique_ptr<DirTree> tree, QWidget* parent);
    void HandleNeeded();
    void FollowTree(const QModelIndex& current, bool scrollToTop);
    void FollowView();
    // Starts the probes of network roots once the event loop runs (so after the window has
    // shown), and gives up on the ones still out after networkGiveUpMs_.
    void ScheduleNetworkProbes();

    TdirtreeModel* model_;
    bool readonly_ = true;
    bool following_ = false;  // the view is being set to the tree's selection
    int networkGiveUpMs_ = kNetworkGiveUpMs;
};
