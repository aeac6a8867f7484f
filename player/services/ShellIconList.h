#pragma once

#include <QIcon>
#include <QList>

// The one process-wide icon list that ShellInfo's icon indexes point into (the design's
// system icon lists): icons are added, never removed, so an index stays valid for the life of
// the process. Views draw them at Small (16 px, list, report and small-icon styles) or Large
// (32 px, icon style). User-interface thread only.
class ShellIconList {
public:
    static constexpr int Small = 16;
    static constexpr int Large = 32;

    static ShellIconList& Instance();

    int Add(const QIcon& icon);  // the new icon's index
    // The icon at index; a null icon for an index out of range (-1 included).
    QIcon Icon(int index) const;
    int Count() const { return static_cast<int>(icons_.size()); }

private:
    ShellIconList() = default;
    QList<QIcon> icons_;
};
