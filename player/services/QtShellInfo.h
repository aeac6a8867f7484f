#pragma once

#include <QHash>
#include <QMimeDatabase>
#include <QString>

#include "services/ShellInfo.h"

// ShellInfo on Qt: type descriptions from QMimeDatabase matched by file name only, icons from
// the icon theme (the type's icon, then its generic icon, then QFileIconProvider's), added
// once per MIME type to ShellIconList. Needs a QGuiApplication.
class QtShellInfo final : public ShellInfo {
public:
    // homeFolder: the folder shown as "Home" (no trailing "/").
    explicit QtShellInfo(std::string homeFolder);

    Info FileInfo(const std::string& path, bool isFolder) override;
    Info FolderInfo() override;
    std::string DateTimeText(std::int64_t seconds) override;

private:
    struct TypeEntry {
        std::string typeName;
        int iconIndex = -1;
    };

    std::string DisplayName(const std::string& path) const;
    const TypeEntry& TypeOf(const QString& fileName);

    std::string homeFolder_;
    QMimeDatabase mimes_;
    QHash<QString, TypeEntry> types_;  // by MIME type name
    TypeEntry folder_;
    bool folderKnown_ = false;
};
