// The tree's own check of its bookkeeping, for tests and fuzzing: nodes, paths and the
// selection agree.
#include <algorithm>

#include "views/DirTree.h"
#include "views/FolderNameOrder.h"

bool DirTree::NodeConsistent(const DirTreeNode* node, const DirTreeNode* parent, int row,
                             std::vector<int>& seen) const {
    if (node->parent_ != parent || node->row_ != row || node->data_ < 0 ||
        node->data_ >= static_cast<int>(nodePaths_.size()) || seen[node->data_]++ != 0)
        return false;
    const std::string& entry = nodePaths_[node->data_];
    if (entry.size() < 2 || (entry.front() != 'u' && entry.front() != 'i') || entry.back() != '/' ||
        entry[1] != '/')
        return false;
    const bool read = entry.front() == 'i';
    if (!read && !node->children_.empty())
        return false;
    if (read && !node->placeholder_.empty())
        return false;
    if (!node->placeholder_.empty() && node->placeholder_ != "u**" && node->placeholder_ != " ")
        return false;
    if (parent) {
        const std::string parentPath = PathOf(parent);
        const std::string path = entry.substr(1);
        if (!path.starts_with(parentPath) || path.size() < parentPath.size() + 2 ||
            path.find('/', parentPath.size()) != path.size() - 1)
            return false;
    }
    std::string previousName;
    for (std::size_t i = 0; i < node->children_.size(); ++i) {
        const DirTreeNode* child = node->children_[i].get();
        if (node->expanded_ && !IsRead(child))
            return false;
        const std::string path = PathOf(child);
        const std::size_t start = path.rfind('/', path.size() - 2) + 1;
        const std::string name = path.substr(start, path.size() - 1 - start);
        if (i > 0 && FolderNameLess(name, previousName))
            return false;
        previousName = name;
        if (!NodeConsistent(child, node, static_cast<int>(i), seen))
            return false;
    }
    return !node->expanded_ || read;
}

bool DirTree::IsConsistent() const {
    std::vector<int> seen(nodePaths_.size(), 0);
    for (std::size_t i = 0; i < top_.size(); ++i) {
        if (!NodeConsistent(top_[i].get(), nullptr, static_cast<int>(i), seen))
            return false;
    }
    // Nodes are only ever removed all at once, so every string has its node.
    if (std::find(seen.begin(), seen.end(), 0) != seen.end())
        return false;
    if (selected_) {
        const DirTreeNode* top = selected_;
        while (top->parent_)
            top = top->parent_;
        if (top->row_ >= static_cast<int>(top_.size()) || top_[top->row_].get() != top)
            return false;
        const DirTreeNode* child = selected_;
        for (const DirTreeNode* up = child->parent_; up; child = up, up = up->parent_) {
            if (child->row_ >= static_cast<int>(up->children_.size()) ||
                up->children_[child->row_].get() != child)
                return false;
        }
    }
    return true;
}
