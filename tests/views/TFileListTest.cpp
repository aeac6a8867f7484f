// The explorer list widget offscreen: header clicks, the wait cursor, and commands that arrive
// while a listing lets pending events run.
#include <QGuiApplication>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include "fakes/FakeShellInfo.h"
#include "support/TempDir.h"
#include "views/TFileList.h"

class TFileListTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        list_ = std::make_unique<TFileList>(shell_, nullptr);
        list_->resize(600, 300);
        list_->show();
    }
    void cleanup() { list_.reset(); }

    void HeaderClicksSortAndReverseWithFoldersFirst() {
        dir_.Write("b.mp3", "");
        dir_.Write("a.mp3", "");
        std::filesystem::create_directory(dir_.Path() / "folder");
        list_->SetViewStyle(TViewStyle::vsReport);
        list_->SetDisplayParentDir(false);
        list_->SetDirectory(dir_.Path().string());
        QCOMPARE(Captions(), (QStringList{"folder", "a.mp3", "b.mp3"}));
        auto* report = qobject_cast<QTreeView*>(list_->CurrentView());
        QVERIFY(report);
        QCOMPARE(report->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Size"));
        QCOMPARE(report->header()->sectionSize(0), 150);
        QHeaderView* header = report->header();
        int clicked = -1;
        list_->OnColumnClick = [&](int column) { clicked = column; };
        const QPoint name(header->sectionViewportPosition(0) + 10, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, name);
        QCOMPARE(clicked, 0);
        QCOMPARE(Captions(), (QStringList{"folder", "b.mp3", "a.mp3"}));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, name);
        QCOMPARE(Captions(), (QStringList{"folder", "a.mp3", "b.mp3"}));
        QVERIFY(list_->Listing().IsConsistent());
    }

    void HidesColumnsOfWidthZeroAndRestoresTheCursor() {
        list_->SetViewStyle(TViewStyle::vsReport);
        list_->SetViewColumns({fiName, fiPath});
        auto* report = qobject_cast<QTreeView*>(list_->CurrentView());
        QVERIFY(report->header()->isSectionHidden(1));
        QCOMPARE(report->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Path"));
        list_->SetDirectory(dir_.Path().string());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void ADirectoryWrittenDuringAListingReplacesItWhole() {
        for (int i = 0; i < 50; ++i)
            dir_.Write("one/a" + std::to_string(i) + ".mp3", "");
        dir_.Write("two/b.mp3", "");
        list_->SetDisplayDirectory(false);
        // A command queued before the listing runs when the listing first lets events run.
        bool ran = false;
        QTimer::singleShot(0, this, [&] {
            ran = true;
            list_->SetDirectory(dir_.File("two"));
        });
        list_->SetDirectory(dir_.File("one"));
        QVERIFY(ran);
        QCOMPARE(Captions(), QStringList{"b.mp3"});
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void SurvivesBeingDestroyedByAHandlerDuringAListing() {
        dir_.Write("one/a.mp3", "");
        QTimer::singleShot(0, this, [&] { list_.reset(); });
        list_->SetDirectory(dir_.File("one"));
        QVERIFY(!list_);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

private:
    QStringList Captions() const {
        QStringList captions;
        QAbstractItemModel* model = list_->CurrentView()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            captions << model->index(row, 0).data().toString();
        return captions;
    }

    TempDir dir_;
    FakeShellInfo shell_;
    std::unique_ptr<TFileList> list_;
};

QTEST_MAIN(TFileListTest)
#include "TFileListTest.moc"
