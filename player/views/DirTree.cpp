#include "views/DirTree.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "services/ScopedValue.h"
#include "views/FolderNameOrder.h"

namespace fs = std::filesystem;

namespace {

// The desktop trash of a volume is its top folder's ".Trash-<uid>" (or ".Trash/<uid>"). True
// when the path goes below the first such folder in it.
bool BelowVolumeTrash(const std::string& path) {
    for (std::size_t pos = path.find("/.Trash"); pos != std::string::npos;
         pos = path.find("/.Trash", pos + 1)) {
        const std::size_t after = pos + 7;
        if (after >= path.size() || (path[after] != '/' && path[after] != '-'))
            continue;  // ".Trashcan" and the like are ordinary folders
        const std::size_t end = path.find('/', after);
        return end != std::string::npos && end + 1 < path.size();
    }
    return false;
}

}  // namespace

template <typename Call>
void DirTree::Tell(Call call) {
    for (DirTreeObserver* observer : observers_)
        call(*observer);
}

DirTree::DirTree()
    : DirTree(Platform{[] { return DriveRoots().Read(); },
                       DriveRoots::CurrentFolder(),
                       DriveRoots::HomeTrash(),
                       {}}) {}

DirTree::DirTree(Platform platform) : platform_(std::move(platform)) {}

DirTree::~DirTree() {
    destroying_ = true;
}

void DirTree::SetDirType(tDirType value) {
    if (value == dirType_)
        return;
    dirType_ = value;
    Reload();
}

void DirTree::SetAllowNetwork(bool value) {
    if (value == allowNetwork_)
        return;
    allowNetwork_ = value;
    Reload();
}

void DirTree::SetGoBelowRecycleBin(bool value) {
    if (value == goBelowRecycleBin_)
        return;
    goBelowRecycleBin_ = value;
    Reload();
}

std::string DirTree::Directory() const {
    return selected_ ? PathOf(selected_) : "?";
}

std::string DirTree::PathOf(const DirTreeNode* node) const {
    const std::string& entry = nodePaths_.at(node->data_);
    return entry.substr(1);
}

bool DirTree::IsRead(const DirTreeNode* node) const {
    return nodePaths_.at(node->data_).front() == 'i';
}

std::string DirTree::DriveLastFolder(const std::string& root) const {
    if (const auto it = driveLastFolder_.find(root); it != driveLastFolder_.end())
        return it->second;
    const DirTreeNode* current = RootOf(platform_.currentFolder);
    if (current && PathOf(current) == root)
        return platform_.currentFolder;
    return root;
}

DirTreeNode* DirTree::RootOf(const std::string& path) const {
    DirTreeNode* best = nullptr;
    std::size_t bestLength = 0;
    for (const auto& node : top_) {
        const std::string& entry = nodePaths_[node->data_];
        const std::size_t length = entry.size() - 1;
        if (length > bestLength && path.size() >= length &&
            path.compare(0, length, entry, 1, length) == 0) {
            best = node.get();
            bestLength = length;
        }
    }
    return best;
}

void DirTree::AddObserver(DirTreeObserver* observer) {
    observers_.push_back(observer);
}

void DirTree::RemoveObserver(DirTreeObserver* observer) {
    std::erase(observers_, observer);
}

void DirTree::CreateWindow() {
    if (windowCreated_)
        return;
    windowCreated_ = true;
    if (readOnStart_)
        ReadDrives();
}

std::unique_ptr<DirTreeNode> DirTree::MakeNode(DirTreeNode* parent, int row, std::string caption,
                                               std::string path, DriveKind kind) {
    auto node = std::make_unique<DirTreeNode>();
    node->caption_ = std::move(caption);
    node->data_ = static_cast<int>(nodePaths_.size());
    node->parent_ = parent;
    node->row_ = row;
    node->kind_ = kind;
    nodePaths_.push_back("u" + std::move(path));
    return node;
}

void DirTree::ReadDrives() {
    if (!windowCreated_ || readingDrives_)
        return;
    const ScopedValue<bool> running(readingDrives_, true);

    treeFilled_ = false;
    ++generation_;
    unprobed_.clear();
    probing_.clear();
    DirTreeNode* const previous = selected_;
    Tell([](DirTreeObserver& o) { o.BeginReset(); });
    selected_ = nullptr;
    top_.clear();
    nodePaths_.clear();
    Tell([](DirTreeObserver& o) { o.EndReset(); });
    if (previous) {
        Tell([](DirTreeObserver& o) { o.SelectionChanged(nullptr, false); });
        ChangeStep();
    }

    const std::vector<DriveRoot> roots =
        platform_.readRoots ? platform_.readRoots() : std::vector<DriveRoot>();
    for (const DriveRoot& root : roots) {
        if (root.Kind == DriveKind::Network && !allowNetwork_)
            continue;
        if (!FolderAllowed(root.Path))
            continue;
        const bool known = std::any_of(top_.begin(), top_.end(), [&](const auto& node) {
            return PathOf(node.get()) == root.Path;
        });
        if (known)
            continue;
        // A node is complete, placeholder and all, before the views learn of it.
        const int row = static_cast<int>(top_.size());
        std::unique_ptr<DirTreeNode> node =
            MakeNode(nullptr, row, root.Caption, root.Path, root.Kind);
        std::error_code error;
        if (root.Kind == DriveKind::Network && platform_.probeNetwork)
            unprobed_.push_back(root.Path);  // not even looked at: it may hang
        else if (root.Kind == DriveKind::Removable || !fs::is_directory(root.Path, error))
            node->placeholder_ = "u**";  // not touched until the user expands it
        else if (HasSubfolders(node.get()))
            node->placeholder_ = " ";
        Tell([&](DirTreeObserver& o) { o.BeginInsert(nullptr, row, row); });
        top_.push_back(std::move(node));
        Tell([](DirTreeObserver& o) { o.EndInsert(); });
    }
    treeFilled_ = true;
}

std::vector<DirTree::Subfolder> DirTree::Enumerate(const std::string& folder,
                                                   bool firstOnly) const {
    std::vector<Subfolder> found;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (!it->is_directory(typeError))  // a link counts as what it points to
            continue;
        std::string name = it->path().filename().string();
        std::string path = folder + name + "/";
        FolderAttributes attributes;
        attributes.Hidden = name.front() == '.';
        if (!FolderAllowed(path) || !FolderAttributesAccepted(attributes))
            continue;
        found.push_back({std::move(name), std::move(path)});
        if (firstOnly)
            break;
    }
    return found;
}

bool DirTree::HasSubfolders(const DirTreeNode* node) {
    ++folderProbes_;
    return !Enumerate(PathOf(node), true).empty();
}

void DirTree::StartNetworkProbes() {
    std::vector<std::string> roots;
    roots.swap(unprobed_);
    for (const std::string& root : roots) {
        probing_.push_back(root);
        ++folderProbes_;
        const int generation = generation_;
        platform_.probeNetwork(root, [this, generation, root](SubfolderNames names) {
            NetworkAnswer(generation, root, names);
        });
    }
}

void DirTree::GiveUpNetworkProbes() {
    std::vector<std::string> roots;
    roots.swap(probing_);
    for (const std::string& root : roots) {
        // Read, with no children: neither expanding nor selecting it touches the server.
        if (DirTreeNode* node = FindChild(top_, "u" + root))
            nodePaths_[node->data_].front() = 'i';
    }
}

DirTree::SubfolderNames DirTree::ReadSubfolderNames(const std::string& folder) {
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return std::nullopt;
    std::vector<std::string> names;
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            names.push_back(it->path().filename().string());
    }
    return names;
}

int DirTree::PendingNetworkProbes() const {
    return static_cast<int>(unprobed_.size() + probing_.size());
}

void DirTree::NetworkAnswer(int generation, const std::string& root, const SubfolderNames& names) {
    const auto asked = std::find(probing_.begin(), probing_.end(), root);
    if (generation != generation_ || asked == probing_.end())
        return;  // the tree was read anew, or the probe was given up
    probing_.erase(asked);
    DirTreeNode* node = FindChild(top_, "u" + root);
    if (!node || !names)
        return;
    for (const std::string& name : *names) {
        FolderAttributes attributes;
        attributes.Hidden = !name.empty() && name.front() == '.';
        if (!name.empty() && FolderAllowed(root + name + "/") &&
            FolderAttributesAccepted(attributes)) {
            node->placeholder_ = " ";
            Tell([&](DirTreeObserver& o) { o.PlaceholderChanged(node); });
            return;
        }
    }
}

void DirTree::ProbeSubfolders(DirTreeNode* node) {
    if (!node || IsRead(node) || !node->placeholder_.empty())
        return;
    if (!HasSubfolders(node))
        return;
    node->placeholder_ = " ";
    Tell([&](DirTreeObserver& o) { o.PlaceholderChanged(node); });
}

void DirTree::ReadSubfolders(DirTreeNode* node) {
    if (!node || IsRead(node))
        return;
    const bool hadPlaceholder = !node->placeholder_.empty();
    node->placeholder_.clear();
    nodePaths_[node->data_].front() = 'i';
    ++folderReads_;
    std::vector<Subfolder> folders = Enumerate(PathOf(node), false);
    std::sort(folders.begin(), folders.end(), [](const Subfolder& a, const Subfolder& b) {
        return FolderNameLess(a.name, b.name);
    });
    if (folders.empty()) {
        if (hadPlaceholder)
            Tell([&](DirTreeObserver& o) { o.PlaceholderChanged(node); });
        return;
    }
    // Built aside, then handed over in one insertion.
    std::vector<std::unique_ptr<DirTreeNode>> made;
    made.reserve(folders.size());
    for (Subfolder& folder : folders) {
        made.push_back(MakeNode(node, static_cast<int>(made.size()), std::move(folder.name),
                                std::move(folder.path), DriveKind::Fixed));
    }
    const int last = static_cast<int>(made.size()) - 1;
    Tell([&](DirTreeObserver& o) { o.BeginInsert(node, 0, last); });
    node->children_ = std::move(made);
    Tell([](DirTreeObserver& o) { o.EndInsert(); });
}

void DirTree::Expand(DirTreeNode* node) {
    if (!node || node->expanded_)
        return;
    ReadSubfolders(node);
    for (const auto& child : node->children_)
        ReadSubfolders(child.get());
    node->expanded_ = true;
}

DirTreeNode* DirTree::FindChild(const std::vector<std::unique_ptr<DirTreeNode>>& siblings,
                                const std::string& key) const {
    for (const auto& node : siblings) {
        if (nodePaths_[node->data_] == key)
            return node.get();
    }
    return nullptr;
}

void DirTree::SetDirectory(const std::string& value) {
    if (value == "?" || value.empty())
        return;
    std::string folder = value;
    if (folder.front() == '/')
        folder = fs::path(folder).lexically_normal().string();
    if (folder.back() != '/')
        folder += '/';
    if (folder != "/") {
        std::error_code error;
        if (!fs::is_directory(folder.substr(0, folder.size() - 1), error))
            return;
    }
    DirTreeNode* root = RootOf(folder);
    if (!root)
        return;

    // One level per "/" below the root: the root itself, then each component in turn.
    const std::vector<std::unique_ptr<DirTreeNode>>* siblings = &top_;
    DirTreeNode* found = nullptr;
    std::size_t end = PathOf(root).size();
    while (true) {
        const std::string prefix = folder.substr(0, end);
        if (DirTreeNode* unread = FindChild(*siblings, "u" + prefix))
            ReadSubfolders(unread);
        found = FindChild(*siblings, "i" + prefix);
        if (!found)
            return;  // the selection stays as it was
        if (end == folder.size())
            break;
        siblings = &found->children_;
        end = folder.find('/', end) + 1;
    }
    SelectAndScroll(found, true);
}

void DirTree::Select(DirTreeNode* node) {
    SelectAndScroll(node, false);
}

void DirTree::SelectAndScroll(DirTreeNode* node, bool scrollToTop) {
    if (node == selected_) {
        if (node && scrollToTop)
            Tell([&](DirTreeObserver& o) { o.SelectionChanged(node, true); });
        return;
    }
    selected_ = node;
    Tell([&](DirTreeObserver& o) { o.SelectionChanged(node, scrollToTop); });
    ChangeStep();
}

void DirTree::ChangeStep() {
    if (destroying_)
        return;
    if (treeFilled_ && selected_ && selected_->data_ >= 0 &&
        selected_->data_ < static_cast<int>(nodePaths_.size())) {
        const std::string folder = PathOf(selected_);
        if (const DirTreeNode* root = RootOf(folder))
            driveLastFolder_[PathOf(root)] = folder;
    }
    if (OnChange)
        OnChange();
}

void DirTree::SetCaption(DirTreeNode* node, std::string caption) {
    if (!node || node->caption_ == caption)
        return;
    node->caption_ = std::move(caption);
    Tell([&](DirTreeObserver& o) { o.CaptionChanged(node); });
}

void DirTree::Reload() {
    const std::string remembered = Directory();
    ReadDrives();
    SetDirectory(remembered);
    if (!top_.empty() && !selected_) {
        if (const DirTreeNode* root = RootOf(remembered))
            SetDirectory(PathOf(root));
    }
    if (top_.empty() || selected_)
        return;
    try {
        // The first drive that was looked at, unless only unread ones are left.
        std::size_t k = 0;
        while (k + 1 < top_.size() && top_[k]->placeholder_ == "u**")
            ++k;
        const std::string drive = PathOf(top_[k].get());
        const std::string last = DriveLastFolder(drive);
        SetDirectory(last);
        // Found again by its path: the change handlers may have read the drives anew.
        if (Directory() != last) {
            const auto node = std::find_if(top_.begin(), top_.end(),
                                           [&](const auto& n) { return PathOf(n.get()) == drive; });
            if (node != top_.end())
                Select(node->get());
        }
    } catch (...) {
        // Falling back to a drive is a courtesy; a failure leaves nothing selected.
    }
}

bool DirTree::FolderAttributesAccepted(const FolderAttributes& attributes) const {
    if (dirType_.Has(dtAll))
        return true;
    if ((attributes.Hidden && !dirType_.Has(dtHidden)) ||
        (attributes.System && !dirType_.Has(dtSystem)) ||
        (attributes.Archive && !dirType_.Has(dtArchive)))
        return false;
    if (dirType_.Has(dtNormal))
        return true;
    return attributes.Hidden || attributes.System || attributes.Archive;
}

bool DirTree::FolderAllowed(const std::string& path) const {
    if (!goBelowRecycleBin_) {
        const std::string& trash = platform_.homeTrash;
        if (!trash.empty() && path.size() > trash.size() && path.starts_with(trash))
            return false;
        if (BelowVolumeTrash(path))
            return false;
    }
    if (OnAddDir) {
        bool doAdd = true;
        OnAddDir(path, doAdd);
        return doAdd;
    }
    return true;
}
