#include "TURL.h"

#include <QDesktopServices>
#include <QUrl>
#include <optional>

TURL::TURL(QObject* parent) : QObject(parent) {}

bool TURL::Execute() {
    const std::optional<std::string> address = FullAddress(urlType_, url_);
    if (!address)
        return false;
    const QUrl url(QString::fromStdString(*address), QUrl::TolerantMode);
    if (!url.isValid())
        return false;
    return QDesktopServices::openUrl(url);
}
