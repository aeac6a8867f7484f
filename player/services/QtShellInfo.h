#pragma once

#include <QHash>
#include <QMimeDatabase>
#include <QString>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "services/ShellInfo.h"

// ShellInfo on Qt: type descriptions from QMimeDatabase matched by file name only, icons from
// the icon theme (the type's icon, then its generic icon, then QFileIconProvider's), added
// once per MIME type to ShellIconList. A name is matched against the database once per
// extension: later names with that extension take the answer from a table, unless some
// pattern of the database could tell them apart (see Unambiguous). Needs a QGuiApplication.
class QtShellInfo final : public ShellInfo {
public:
    // homeFolder: the folder shown as "Home" (no trailing "/").
    explicit QtShellInfo(std::string homeFolder);

    Info FileInfo(const std::string& path, bool isFolder) override;
    Info FolderInfo() override;
    std::string DateTimeText(std::int64_t seconds) override;

private:
    struct TypeEntry {
        SharedText typeName;
        int iconIndex = -1;
    };

    std::string DisplayName(const std::string& path) const;
    TypeEntry TypeOf(std::string_view fileName);
    const TypeEntry& TypeOfMime(const QMimeType& mime);
    // Whether every name ending in "." + extension (lower case) gets the same type: true unless
    // a pattern other than a plain "*.extension" ends in it ("*.tar.gz", "CMakeLists.txt") or
    // a case-sensitive pattern exists for it ("*.C"). Read from the database's globs2 lists;
    // without them nothing is taken as unambiguous.
    bool Unambiguous(const std::string& extension);

    std::string homeFolder_;
    QMimeDatabase mimes_;
    QHash<QString, TypeEntry> types_;                         // by MIME type name
    std::unordered_map<std::string, TypeEntry> byExtension_;  // lower case, no dot
    std::unordered_set<std::string> ambiguous_;               // extensions that need the whole name
    bool patternsRead_ = false;
    bool patternsFound_ = false;
    TypeEntry folder_;
    bool folderKnown_ = false;
};
