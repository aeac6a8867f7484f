#include "services/QtShellInfo.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileIconProvider>
#include <QLocale>
#include <QStandardPaths>

#include "services/ShellIconList.h"
#include "textfile/AsciiCase.h"
#include "textfile/TextEncoding.h"

namespace {

QIcon ThemeIcon(const QString& name, const QString& generic,
                QAbstractFileIconProvider::IconType kind) {
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull() && !generic.isEmpty())
        icon = QIcon::fromTheme(generic);
    // QFileIconProvider needs a widget application; without one the entry has no icon.
    if (icon.isNull() && qobject_cast<QApplication*>(QCoreApplication::instance()))
        icon = QFileIconProvider().icon(kind);
    return icon;
}

std::string ToBytes(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace

QtShellInfo::QtShellInfo(std::string homeFolder) : homeFolder_(std::move(homeFolder)) {
    while (homeFolder_.size() > 1 && homeFolder_.back() == '/')
        homeFolder_.pop_back();
}

std::string QtShellInfo::DisplayName(const std::string& path) const {
    std::string_view name(path);
    while (name.size() > 1 && name.back() == '/')
        name.remove_suffix(1);
    if (name == "/")
        return "File System";
    if (!homeFolder_.empty() && name == homeFolder_)
        return "Home";
    const std::size_t slash = name.rfind('/');
    // A name that is not UTF-8 (made on another system) shows read as Windows-1252, so it
    // reads as its maker meant; the path keeps its bytes.
    return ReadableText(slash == std::string_view::npos ? name : name.substr(slash + 1));
}

bool QtShellInfo::Unambiguous(const std::string& extension) {
    if (!patternsRead_) {
        patternsRead_ = true;
        // The patterns from the shared MIME database's plain glob lists, as QMimeDatabase
        // reads them; asking QMimeType for its patterns would parse the whole XML database.
        QStringList folders =
            QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
        for (const QString& folder : folders) {
            QFile globs(folder + QStringLiteral("/mime/globs2"));
            if (!globs.open(QIODevice::ReadOnly))
                continue;
            patternsFound_ = true;
            while (!globs.atEnd()) {
                // weight:type:pattern[:flags]
                const QList<QByteArray> fields = globs.readLine().trimmed().split(':');
                if (fields.size() < 3 || fields[0].startsWith('#'))
                    continue;
                const QString pattern = QString::fromUtf8(fields[2]);
                const bool caseSensitive = fields.size() > 3 && fields[3].contains("cs");
                const qsizetype dot = pattern.lastIndexOf(QLatin1Char('.'));
                if (dot < 0)
                    continue;
                const QString last = pattern.mid(dot + 1);
                const bool plain = pattern.startsWith(QLatin1String("*.")) && dot == 1 &&
                                   !caseSensitive && !last.contains(QLatin1Char('*')) &&
                                   !last.contains(QLatin1Char('?')) &&
                                   !last.contains(QLatin1Char('[')) && last == last.toLower();
                if (!plain)
                    ambiguous_.insert(ToBytes(last.toLower()));
            }
        }
    }
    // Without the lists, every name is matched whole.
    return patternsFound_ && !extension.empty() && !ambiguous_.contains(extension);
}

QtShellInfo::TypeEntry QtShellInfo::TypeOf(std::string_view fileName) {
    // The extension after the last ".", of a name that does not start with its only dot.
    std::string extension;
    const std::size_t dot = fileName.rfind('.');
    if (dot != std::string_view::npos && dot > 0)
        extension = AsciiLowercase(fileName.substr(dot + 1));
    const auto known = byExtension_.find(extension);
    if (known != byExtension_.end())
        return known->second;
    const QString name =
        QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
    const TypeEntry type = TypeOfMime(mimes_.mimeTypeForFile(name, QMimeDatabase::MatchExtension));
    if (Unambiguous(extension))
        byExtension_.emplace(std::move(extension), type);
    return type;
}

const QtShellInfo::TypeEntry& QtShellInfo::TypeOfMime(const QMimeType& mime) {
    const QString key = mime.name();
    auto it = types_.find(key);
    if (it == types_.end()) {
        TypeEntry entry;
        entry.typeName = ToBytes(mime.comment());
        entry.iconIndex = ShellIconList::Instance().Add(
            ThemeIcon(mime.iconName(), mime.genericIconName(), QAbstractFileIconProvider::File));
        it = types_.insert(key, entry);
    }
    return *it;
}

ShellInfo::Info QtShellInfo::FileInfo(const std::string& path, bool isFolder) {
    if (isFolder) {
        Info info = FolderInfo();
        info.DisplayName = DisplayName(path);
        return info;
    }
    // Only the name decides the type; a whole path would be the same, but costs more to match.
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string::npos
                                      ? std::string_view(path)
                                      : std::string_view(path).substr(slash + 1);
    const TypeEntry type = TypeOf(name);
    return Info{DisplayName(path), type.typeName, type.iconIndex};
}

ShellInfo::Info QtShellInfo::FolderInfo() {
    if (!folderKnown_) {
        const QMimeType mime = mimes_.mimeTypeForName(QStringLiteral("inode/directory"));
        folder_.typeName = "Folder";
        folder_.iconIndex = ShellIconList::Instance().Add(ThemeIcon(
            QStringLiteral("folder"), mime.iconName(), QAbstractFileIconProvider::Folder));
        folderKnown_ = true;
    }
    return Info{{}, folder_.typeName, folder_.iconIndex};
}

std::string QtShellInfo::DateTimeText(std::int64_t seconds) {
    const QDateTime time = QDateTime::fromSecsSinceEpoch(seconds).toLocalTime();
    const QLocale locale = QLocale::system();
    QString timeFormat = locale.timeFormat(QLocale::ShortFormat);
    timeFormat.remove(QStringLiteral(":ss"));
    return ToBytes(locale.toString(time.date(), QLocale::ShortFormat) + QStringLiteral("  ") +
                   locale.toString(time.time(), timeFormat));
}
