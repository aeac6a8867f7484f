#include "services/QtDialogs.h"

#include <QDir>
#include <QFileDialog>

namespace {

// "Quavrel PlayLists|*.qpl|M3U|*.m3u" becomes {"Quavrel PlayLists (*.qpl)", "M3U (*.m3u)"}.
QStringList NameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QChar('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QChar(';'), QChar(' '));
        result << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return result;
}

}  // namespace

std::optional<Dialogs::Choice> QtDialogs::OpenFile(const Request& request) {
    return Run(request, false);
}

std::optional<Dialogs::Choice> QtDialogs::SaveFile(const Request& request) {
    return Run(request, true);
}

std::optional<Dialogs::Choice> QtDialogs::Run(const Request& request, bool save) {
    QFileDialog dialog(parent_, QString::fromStdString(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = NameFilters(request.filter);
    dialog.setNameFilters(filters);
    const auto suffixOf = [&request](int filterIndex) {
        const auto own = request.typeExts.find(filterIndex);
        return QString::fromStdString(own != request.typeExts.end() ? own->second
                                                                    : request.defaultExt);
    };
    dialog.setDefaultSuffix(suffixOf(1));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog, &filters, &suffixOf](const QString& filter) {
            dialog.setDefaultSuffix(suffixOf(static_cast<int>(filters.indexOf(filter)) + 1));
        });
    if (!request.initialDir.empty())
        dialog.setDirectory(QString::fromStdString(request.initialDir));
    if (!request.fileName.empty())
        dialog.selectFile(QString::fromStdString(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    Choice choice;
    choice.path = QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString();
    choice.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (choice.filterIndex < 1)
        choice.filterIndex = 1;
    return choice;
}
