#include "mpris/ExtensionMimeTypes.h"

#include <QMimeDatabase>

QStringList ExtensionMimeTypes(const std::vector<std::string>& extensions) {
    const QMimeDatabase database;
    QStringList types;
    for (const std::string& extension : extensions) {
        if (extension.empty())
            continue;
        const QString name = QStringLiteral("x.") + QString::fromStdString(extension).toLower();
        for (const QMimeType& type : database.mimeTypesForFileName(name)) {
            const bool media = type.name().startsWith(QLatin1String("audio/")) ||
                               type.name().startsWith(QLatin1String("video/"));
            if (media && !types.contains(type.name()))
                types << type.name();
        }
    }
    return types;
}

QStringList PlayListMimeTypes() {
    return {QStringLiteral("audio/x-mpegurl"),
            QStringLiteral("audio/mpegurl"),
            QStringLiteral("application/vnd.apple.mpegurl"),
            QStringLiteral("audio/x-scpls"),
            QStringLiteral("application/xspf+xml"),
            QStringLiteral("application/x-cue"),
            QStringLiteral("application/vnd.ms-wpl"),
            QStringLiteral("video/x-ms-asf"),
            QStringLiteral("audio/x-ms-asx")};
}
