// The progress of long work on the list: nothing for a while, then a modal dialog whose
// Cancel ends the work; events run meanwhile.
#include <QProgressDialog>
#include <QTimer>
#include <QtTest>

#include "views/WorkProgress.h"

class WorkProgressTest : public QObject {
    Q_OBJECT

private slots:
    void shortWorkShowsNothingAndRunsNoEvents() {
        QWidget window;
        WorkProgress progress(&window, QStringLiteral("Adding files"));
        bool ran = false;
        QTimer::singleShot(0, &window, [&] { ran = true; });
        for (int found = 0; found < 1000; ++found)
            QVERIFY(progress.Step(found));
        QVERIFY(!progress.Shown());
        QVERIFY(!ran);  // the work is not interrupted before the dialog shows
        QVERIFY(!window.findChild<QProgressDialog*>());
    }

    void longWorkShowsTheCountAndCancelStopsIt() {
        QWidget window;
        window.show();
        std::optional<WorkProgress> progress;
        progress.emplace(&window, QStringLiteral("Adding files"), 0);
        QString label;
        bool modal = false;
        QTimer::singleShot(0, &window, [&] {
            auto* dialog = window.findChild<QProgressDialog*>();
            QVERIFY(dialog);
            label = dialog->labelText();
            modal = dialog->windowModality() == Qt::ApplicationModal && dialog->isVisible();
            dialog->cancel();
        });
        QVERIFY(!progress->Step(42));  // events ran: the timer cancelled at once
        QVERIFY(progress->Shown());
        QVERIFY(progress->Cancelled());
        QCOMPARE(label, QStringLiteral("Adding files: 42 found so far"));
        QVERIFY(modal);
        QVERIFY(!progress->Step(43));
        progress.reset();  // the dialog goes with the work
        QVERIFY(!window.findChild<QProgressDialog*>());
    }
};

QTEST_MAIN(WorkProgressTest)
#include "WorkProgressTest.moc"
