// The play list dialogs through the real QFileDialog (Qt's own, not the desktop's: offscreen
// there is no other), driven the way a user drives them.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "services/QtDialogs.h"
#include "support/TempDir.h"

namespace {

const char* const kFilter = "Quavrel Playlist|*.qpl|WinAmp PlayList|*.m3u|All Files|*.*";

// Runs action on the next modal window of the given type as soon as it is up.
template <typename Window>
void WhenShown(std::function<void(Window*)> action) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            action(window);
        }
    });
    poll->start();
}

// As the dialog's own button does (QFileDialog hides accept(); QDialog's is the same call).
void Accept(QDialog* dialog) {
    dialog->accept();
}

Dialogs::Request SaveRequest(const std::string& folder, int filterIndex) {
    Dialogs::Request request;
    request.title = "Save PlayList";
    request.filter = kFilter;
    request.initialDir = folder;
    request.defaultExt = "qpl";
    request.filterIndex = filterIndex;
    return request;
}

}  // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void OffersTheTypesInOrderStartingWithTheOneAskedFor() {
        TempDir dir;
        QtDialogs dialogs;
        QStringList shownFilters;
        QString offered;
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            shownFilters = dialog->nameFilters();
            offered = dialog->selectedNameFilter();
            dialog->selectNameFilter(dialog->nameFilters().at(1));
            dialog->selectFile(QString::fromStdString(dir.File("list")));
            Accept(dialog);
        });
        const auto choice = dialogs.SaveFile(SaveRequest(dir.Path().string(), 3));
        QCOMPARE(shownFilters, (QStringList{QStringLiteral("Quavrel Playlist (*.qpl)"),
                                            QStringLiteral("WinAmp PlayList (*.m3u)"),
                                            QStringLiteral("All Files (*.*)")}));
        QCOMPARE(offered, QStringLiteral("All Files (*.*)"));
        QVERIFY(choice.has_value());
        QCOMPARE(choice->filterIndex, 2);
    }

    void AnIndexOutsideTheListOffersTheFirstType() {
        TempDir dir;
        QtDialogs dialogs;
        QString offered;
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            offered = dialog->selectedNameFilter();
            dialog->reject();
        });
        QVERIFY(!dialogs.SaveFile(SaveRequest(dir.Path().string(), 9)).has_value());
        QCOMPARE(offered, QStringLiteral("Quavrel Playlist (*.qpl)"));
    }

    void SavingOverAFileAsksFirst() {
        TempDir dir;
        const std::string existing = dir.Write("old.qpl", "keep me");
        QtDialogs dialogs;
        int asked = 0;
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            // The first answer is No: the dialog stays. The second is Yes.
            WhenShown<QMessageBox>([&, dialog](QMessageBox* box) {
                ++asked;
                box->button(QMessageBox::No)->click();
                QTimer::singleShot(0, dialog, [&, dialog] {
                    QVERIFY(dialog->isVisible());
                    WhenShown<QMessageBox>([&](QMessageBox* again) {
                        ++asked;
                        again->button(QMessageBox::Yes)->click();
                    });
                    Accept(dialog);
                });
            });
            dialog->selectFile(QString::fromStdString(existing));
            Accept(dialog);
        });
        const auto choice = dialogs.SaveFile(SaveRequest(dir.Path().string(), 1));
        QCOMPARE(asked, 2);
        QVERIFY(choice.has_value());
        QCOMPARE(choice->path, existing);
    }

    void OpeningTakesOnlyAFileThatExists() {
        TempDir dir;
        const std::string there = dir.Write("there.qpl", "");
        QtDialogs dialogs;
        bool told = false;
        bool stayedOpen = false;
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            // A missing file is refused with a message; the dialog stays for another choice.
            WhenShown<QMessageBox>([&, dialog](QMessageBox* box) {
                told = true;
                box->accept();
                QTimer::singleShot(0, dialog, [&, dialog] {
                    stayedOpen = dialog->isVisible();
                    dialog->selectFile(QString::fromStdString(there));
                    Accept(dialog);
                });
            });
            dialog->selectFile(QString::fromStdString(dir.File("missing.qpl")));
            Accept(dialog);
        });
        Dialogs::Request request = SaveRequest(dir.Path().string(), 2);
        request.title = "Open PlayList";
        const auto choice = dialogs.OpenFile(request);
        QVERIFY(told);
        QVERIFY(stayedOpen);
        QVERIFY(choice.has_value());
        QCOMPARE(choice->path, there);
        QCOMPARE(choice->filterIndex, 2);
    }
};

QTEST_MAIN(QtDialogsTest)
#include "QtDialogsTest.moc"
