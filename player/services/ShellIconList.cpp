#include "services/ShellIconList.h"

ShellIconList& ShellIconList::Instance() {
    static ShellIconList list;
    return list;
}

int ShellIconList::Add(const QIcon& icon) {
    icons_.append(icon);
    return static_cast<int>(icons_.size()) - 1;
}

QIcon ShellIconList::Icon(int index) const {
    if (index < 0 || index >= icons_.size())
        return {};
    return icons_.at(index);
}
