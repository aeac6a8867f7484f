#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "views/DriveRoots.h"

// Which folders the tree shows, by attribute (a set of tdirattr).
enum tdirattr : std::uint8_t { dtReadonly, dtHidden, dtSystem, dtArchive, dtNormal, dtAll };

class tDirType {
public:
    constexpr tDirType() = default;
    constexpr tDirType(std::initializer_list<tdirattr> attrs) {
        for (tdirattr a : attrs)
            bits_ |= static_cast<std::uint8_t>(1u << a);
    }
    constexpr bool Has(tdirattr a) const { return (bits_ >> a) & 1u; }
    bool operator==(const tDirType&) const = default;

private:
    std::uint8_t bits_ = 0;
};

// A folder's attributes as the tree judges them. On Linux a folder is hidden when its name
// starts with "."; it is never archive (a regular file) nor system (neither file nor folder).
struct FolderAttributes {
    bool Hidden = false;
    bool System = false;
    bool Archive = false;
};

// One node of the tree. Nodes belong to their DirTree; pointers stay valid until the node's
// parent re-reads its children or ReadDrives runs.
class DirTreeNode {
public:
    const std::string& Caption() const { return caption_; }
    int Data() const { return data_; }  // index of the node's string in NodePaths
    DirTreeNode* Parent() const { return parent_; }
    int Row() const { return row_; }  // position among its siblings
    const std::vector<std::unique_ptr<DirTreeNode>>& Children() const { return children_; }
    // "u**" (a drive not yet looked at), " " (a folder known to have subfolders) or empty.
    // A placeholder only gives the node an expand button; it is never a child.
    const std::string& Placeholder() const { return placeholder_; }
    DriveKind Kind() const { return kind_; }  // Fixed for a folder below a root

private:
    friend class DirTree;

    std::string caption_;
    int data_ = -1;
    DirTreeNode* parent_ = nullptr;
    int row_ = 0;
    std::vector<std::unique_ptr<DirTreeNode>> children_;
    std::string placeholder_;
    DriveKind kind_ = DriveKind::Fixed;
    bool expanded_ = false;  // the expand step ran: children and grandchildren are read
};

// Receives every change of a DirTree's nodes, so a view can mirror them. A null parent means
// the top level. Begin calls come before the change, End calls right after it.
class DirTreeObserver {
public:
    virtual ~DirTreeObserver() = default;

    virtual void BeginReset() = 0;
    virtual void EndReset() = 0;
    virtual void BeginInsert(const DirTreeNode* parent, int first, int last) = 0;
    virtual void EndInsert() = 0;
    virtual void BeginRemove(const DirTreeNode* parent, int first, int last) = 0;
    virtual void EndRemove() = 0;
    virtual void CaptionChanged(const DirTreeNode* node) = 0;
    // The node gained or lost its placeholder, so its expand button may have changed.
    virtual void PlaceholderChanged(const DirTreeNode* node) = 0;
    // The selection moved to current (null: none). scrollToTop asks the view to show the
    // node at the top, as writing Directory does.
    virtual void SelectionChanged(const DirTreeNode* current, bool scrollToTop) = 0;
};

// The directory tree's bookkeeping, without a window: the drive roots, the folder nodes read
// lazily one level ahead of what is shown, the selected node and the folder it stands for.
// Paths are "/"-separated, keep their case, compare exactly and end with "/".
// Single-threaded: the user-interface thread only. Never throws on unreadable folders: they
// simply get no children.
class DirTree {
public:
    // The names of a folder's subfolders (links to folders included), or none when it
    // cannot be read.
    using SubfolderNames = std::optional<std::vector<std::string>>;
    // Looks at a network root without holding the caller: answer runs later, on the
    // user-interface thread, or never (a dead server).
    using NetworkProbe =
        std::function<void(const std::string& root, std::function<void(SubfolderNames)> answer)>;

    struct Platform {
        std::function<std::vector<DriveRoot>()> readRoots;  // called by every ReadDrives
        std::string currentFolder;  // its root starts with it as DriveLastFolder
        std::string homeTrash;      // the desktop trash, with a trailing "/"
        NetworkProbe probeNetwork;  // none: network roots are probed like the others
    };

    // The system's roots, current folder and trash.
    DirTree();
    explicit DirTree(Platform platform);
    ~DirTree();

    // --- Properties ---
    tDirType DirType() const { return dirType_; }
    void SetDirType(tDirType value);  // each of these three runs Reload when the value changes
    bool AllowNetwork() const { return allowNetwork_; }
    void SetAllowNetwork(bool value);
    bool GoBelowRecycleBin() const { return goBelowRecycleBin_; }
    void SetGoBelowRecycleBin(bool value);
    bool ReadOnStart() const { return readOnStart_; }
    void SetReadOnStart(bool value) { readOnStart_ = value; }

    // The selected node's folder, or "?" when none is selected.
    std::string Directory() const;
    // Selects the node of a folder, reading the folders on the way; see the .cpp.
    void SetDirectory(const std::string& value);

    // Asked for each folder (path with a trailing "/") before it gets a node; set doAdd to
    // false to leave it out. Runs inside reads, so it must not change the tree.
    std::function<void(const std::string& path, bool& doAdd)> OnAddDir;
    // Raised after the change step, whenever the selection changes, also when ReadDrives
    // drops it; ReadDrives entered again from there does nothing.
    std::function<void()> OnChange;

    // --- The window ---
    // The tree's window exists: from now on ReadDrives works; runs it when ReadOnStart is on.
    // Later calls do nothing.
    void CreateWindow();
    bool WindowCreated() const { return windowCreated_; }

    // --- Operations ---
    void ReadDrives();
    // A network root's folders may hang on a dead server, so ReadDrives leaves them unprobed
    // when the platform probes them aside; the view starts those probes once the window shows
    // and gives up on the ones still out after a while: such a root shows as a folder with no
    // known children (no expand button, never read) until ReadDrives runs again.
    void SetNetworkProbe(NetworkProbe probe) { platform_.probeNetwork = std::move(probe); }
    void StartNetworkProbes();
    void GiveUpNetworkProbes();
    int PendingNetworkProbes() const;
    void ProbeSubfolders(DirTreeNode* node);
    void ReadSubfolders(DirTreeNode* node);
    // The can-expand step: reads the node's subfolders and each child's, once.
    void Expand(DirTreeNode* node);
    bool Expanded(const DirTreeNode* node) const { return node->expanded_; }
    void Reload();
    void Select(DirTreeNode* node);  // null selects nothing; raises the change step
    void SetCaption(DirTreeNode* node, std::string caption);

    // The subfolder names of a folder as a probe reads them; safe on any thread.
    static SubfolderNames ReadSubfolderNames(const std::string& folder);

    bool FolderAttributesAccepted(const FolderAttributes& attributes) const;
    bool FolderAllowed(const std::string& path) const;

    // --- State ---
    const std::vector<std::unique_ptr<DirTreeNode>>& TopLevel() const { return top_; }
    DirTreeNode* Selected() const { return selected_; }
    const std::vector<std::string>& NodePaths() const { return nodePaths_; }
    // A node's folder: its NodePaths string without the state letter.
    std::string PathOf(const DirTreeNode* node) const;
    bool IsRead(const DirTreeNode* node) const;  // its state letter is "i"
    // The folder last selected below a root (the root path with its "/"); initially the root,
    // or the current folder for the root that holds it.
    std::string DriveLastFolder(const std::string& root) const;
    bool TreeFilled() const { return treeFilled_; }
    // The root a path belongs to: the longest top-level node path that is a prefix of it.
    DirTreeNode* RootOf(const std::string& path) const;

    void AddObserver(DirTreeObserver* observer);
    void RemoveObserver(DirTreeObserver* observer);

    // --- For tests ---
    // Full enumerations of folders (ReadSubfolders) and partial ones (ProbeSubfolders) since
    // construction.
    int FolderReads() const { return folderReads_; }
    int FolderProbes() const { return folderProbes_; }
    // The bookkeeping holds: one NodePaths string per node, states, placeholders, paths, rows,
    // sibling order and the selection agree.
    bool IsConsistent() const;

private:
    struct Subfolder {
        std::string name;
        std::string path;
    };

    std::unique_ptr<DirTreeNode> MakeNode(DirTreeNode* parent, int row, std::string caption,
                                          std::string path, DriveKind kind);
    bool HasSubfolders(const DirTreeNode* node);
    void NetworkAnswer(int generation, const std::string& root, const SubfolderNames& names);
    std::vector<Subfolder> Enumerate(const std::string& folder, bool firstOnly) const;
    DirTreeNode* FindChild(const std::vector<std::unique_ptr<DirTreeNode>>& siblings,
                           const std::string& key) const;
    void ChangeStep();
    void SelectAndScroll(DirTreeNode* node, bool scrollToTop);
    bool NodeConsistent(const DirTreeNode* node, const DirTreeNode* parent, int row,
                        std::vector<int>& seen) const;
    template <typename Call>
    void Tell(Call call);

    Platform platform_;
    tDirType dirType_{dtNormal, dtAll};
    bool allowNetwork_ = true;
    bool goBelowRecycleBin_ = true;
    bool readOnStart_ = true;
    bool windowCreated_ = false;
    bool treeFilled_ = false;
    bool readingDrives_ = false;
    bool destroying_ = false;

    std::vector<std::unique_ptr<DirTreeNode>> top_;
    std::vector<std::string> nodePaths_;
    std::map<std::string, std::string> driveLastFolder_;
    DirTreeNode* selected_ = nullptr;
    std::vector<DirTreeObserver*> observers_;
    int folderReads_ = 0;
    int folderProbes_ = 0;
    int generation_ = 0;                 // counts ReadDrives; old answers are dropped
    std::vector<std::string> unprobed_;  // network roots not yet asked
    std::vector<std::string> probing_;   // network roots asked, not answered
};
