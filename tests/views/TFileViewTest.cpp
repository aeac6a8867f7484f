// The play list view offscreen: drops, the mirror of the play list's marks, columns, editing.
#include <QAbstractItemView>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTreeView>
#include <QUrl>
#include <QtTest>

#include "fakes/FakeShellInfo.h"
#include "filter/FileTypeFilter.h"
#include "playlist/PlayList.h"
#include "support/TempDir.h"
#include "views/ListColumn.h"
#include "views/TFileView.h"

class TFileViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        list_ = std::make_unique<PlayList>();
        view_ = std::make_unique<TFileView>(*list_, shell_, [this](const std::string& path) {
            return PassesFilter(path, &filterList_, 1);
        });
        view_->resize(600, 300);
        view_->show();
    }
    void cleanup() {
        view_.reset();
        list_.reset();
    }

    void DropOfThreeLocalFilesRaisesOnFileDropOnceInOrder() {
        int drops = 0;
        std::vector<std::string> files;
        QPoint point;
        view_->OnFileDrop = [&](const std::vector<std::string>& f, int x, int y) {
            ++drops;
            files = f;
            point = QPoint(x, y);
        };
        view_->SetAcceptFiles(true);
        const QList<QUrl> urls{
            QUrl::fromLocalFile("/music/b.mp3"), QUrl::fromLocalFile("/music/a b.wav"),
            QUrl(QStringLiteral("https://example.org/c.mp3")), QUrl::fromLocalFile("/music/sub")};
        QVERIFY(Drop(urls, QPoint(40, 25)));
        QCOMPARE(drops, 1);
        QCOMPARE(files, (std::vector<std::string>{"/music/b.mp3", "/music/a b.wav", "/music/sub"}));
        QCOMPARE(point, QPoint(40, 25));
        view_->SetViewStyle(TViewStyle::vsReport);
        QVERIFY(Drop({QUrl::fromLocalFile("/music/d.mp3")}, QPoint(7, 9)));
        QCOMPARE(drops, 2);
        QCOMPARE(files, std::vector<std::string>{"/music/d.mp3"});
    }

    void DropIsRefusedWhileAcceptFilesIsOff() {
        int drops = 0;
        view_->OnFileDrop = [&](const std::vector<std::string>&, int, int) { ++drops; };
        QVERIFY(!view_->AcceptFiles());
        QVERIFY(!Drop({QUrl::fromLocalFile("/music/b.mp3")}, QPoint(5, 5)));
        view_->SetAcceptFiles(true);
        QVERIFY(!Drop({QUrl(QStringLiteral("https://example.org/c.mp3"))}, QPoint(5, 5)));
        QCOMPARE(drops, 0);
    }

    // Where the ink of an item's text ends: the rightmost column, from the item's left, with a
    // pixel clearly darker than the background.
    static int InkRight(const QImage& shot, const QRect& item) {
        const QColor background = shot.pixelColor(item.right() - 1, item.top() + 1);
        int right = -1;
        for (int x = item.left(); x < std::min(shot.width(), item.right() + 40); ++x)
            for (int y = item.top(); y <= item.bottom(); ++y)
                if (background.lightness() - shot.pixelColor(x, y).lightness() > 80)
                    right = x - item.left();
        return right;
    }

    void ListStyleDrawsEveryCaptionWhole() {
        view_->resize(350, 200);
        view_->SetViewStyle(TViewStyle::vsList);
        // The entries arrive first; their captions are set afterwards, as a play list file or an
        // edit sets them.
        for (const char* path : {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3"})
            list_->Append(PlayListEntry{"x", "MP3 audio", path, 0});
        QCoreApplication::processEvents();  // shown, and measured, as they arrive
        // Qt measures one item (the last) for all of them: here the shortest.
        const QStringList captions = {QStringLiteral("Morning Tone"), QStringLiteral("Video Clip"),
                                      QStringLiteral("An Evening Of Quite Long Titles"),
                                      QStringLiteral("Hi")};
        for (int i = 0; i < captions.size(); ++i)
            list_->SetCaption(i, captions[i].toStdString());
        QCoreApplication::processEvents();
        QAbstractItemView* shown = view_->CurrentView();
        const QImage shot = shown->viewport()->grab().toImage();
        const QFontMetrics metrics(shown->font());
        for (int i = 0; i < captions.size(); ++i) {
            const QRect item = shown->visualRect(shown->model()->index(i, 0));
            // The text starts at or after the item's left: its ink ends no sooner than its width.
            const int wanted = metrics.horizontalAdvance(captions[i]);

            QVERIFY2(InkRight(shot, item) >= wanted - 2,
                     qPrintable(QStringLiteral("%1: ink to %2 of %3")
                                    .arg(captions[i])
                                    .arg(InkRight(shot, item))
                                    .arg(wanted)));
        }
        // A caption longer than the view is cut to the view, not beyond it.
        list_->SetCaption(0, std::string(200, 'W'));
        QCoreApplication::processEvents();
        QVERIFY(shown->visualRect(shown->model()->index(0, 0)).width() <=
                shown->viewport()->width());
    }

    void ListStyleMeasuresEachNewEntryOnceAndNotWhilePainting() {
        view_->SetViewStyle(TViewStyle::vsList);
        for (int i = 0; i < 1000; ++i)
            list_->Append(PlayListEntry{"Entry " + std::to_string(i), "MP3 audio",
                                        "/m/" + std::to_string(i) + ".mp3", 0});
        const auto* column = view_->findChild<ListColumn*>();
        QVERIFY(column != nullptr);
        const long long measured = column->Measured();
        QVERIFY(measured <= 1000 + 3);
        view_->CurrentView()->viewport()->repaint();
        view_->CurrentView()->viewport()->repaint();
        QCOMPARE(column->Measured(), measured);
        list_->Sort([](const PlayListEntry& a, const PlayListEntry& b) { return a.Path > b.Path; });
        QCoreApplication::processEvents();
        QVERIFY(column->Measured() <= measured + 1000);  // once for the new order
    }

    void ShowsTheColumnsAndAddedEntries() {
        TempDir dir;
        const std::string song = dir.Write("Song.mp3", "");
        dir.Write("readme.txt", "");
        view_->SetViewStyle(TViewStyle::vsReport);
        auto* report = qobject_cast<QTreeView*>(view_->CurrentView());
        QVERIFY(report);
        QAbstractItemModel* model = report->model();
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Type"));
        QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Path"));
        QCOMPARE(view_->ColumnWidth(0), 200);
        QCOMPARE(view_->ColumnWidth(1), 150);
        QCOMPARE(view_->ColumnWidth(2), 500);

        QCOMPARE(view_->AddFile(dir.File("readme.txt")), -1);
        QCOMPARE(view_->AddFile(song), 0);
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Song.mp3"));
        QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("MP3 audio"));
        QCOMPARE(model->index(0, 2).data().toString(), QString::fromStdString(song));
        QCOMPARE(view_->AddDirectory(dir.Path().string()), 1);
        QCOMPARE(list_->At(1).Caption, std::string("????"));
        QCOMPARE(list_->At(1).TypeName.Str(), std::string("Folder"));
    }

    // The header's captions from the left, as the user sees them.
    QStringList ShownCaptions() const {
        auto* report = qobject_cast<QTreeView*>(view_->CurrentView());
        QStringList captions;
        for (int visual = 0; visual < report->header()->count(); ++visual) {
            const int logical = report->header()->logicalIndex(visual);
            if (!report->header()->isSectionHidden(logical))
                captions << report->model()->headerData(logical, Qt::Horizontal).toString();
        }
        return captions;
    }
    static QAction* Item(QMenu& menu, const QString& text) {
        for (QAction* action : menu.actions())
            if (action->text() == text)
                return action;
        return nullptr;
    }

    void DetailedShowsTheTagColumnsInTheirDefaultOrder() {
        view_->SetViewStyle(TViewStyle::vsReport);
        QCOMPARE(ShownCaptions(),
                 (QStringList{"Name", "Artist", "Album", "Length", "Type", "Path"}));
        PlayListEntry entry{"Help", "FLAC audio", "/m/help.flac", 0};
        auto tags = std::make_shared<TrackTags>();
        tags->Title = "Help!";
        tags->Artist = "The Beatles";
        tags->Album = "Help!";
        tags->Track = 1;
        tags->Year = 1965;
        tags->Genre = "Pop";
        tags->LengthMs = 3600000 + 61000;
        entry.Tags = tags;
        list_->Append(entry);
        list_->Append(PlayListEntry{"untagged", "MP3 audio", "/m/u.mp3", 0});
        QAbstractItemModel* model = view_->CurrentView()->model();
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(0, column).data().toString();
        QCOMPARE(cells, (QStringList{"Help", "FLAC audio", "/m/help.flac", "1:01:01", "Help!",
                                     "The Beatles", "Help!", "1", "1965", "Pop"}));
        QCOMPARE(model->index(1, 3).data().toString(), QString());
        QCOMPARE(model->index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignRight | Qt::AlignVCenter);
        // Tags read later: the rows redraw in every column, and their marks stand.
        list_->Select(1);
        QSignalSpy tagged(model, &QAbstractItemModel::dataChanged);
        auto later = std::make_shared<TrackTags>();
        later->Artist = "Björk";
        later->LengthMs = 59999;
        list_->SetTags({{1, later}});
        QCOMPARE(tagged.size(), 1);
        QCOMPARE(tagged[0][1].toModelIndex(), model->index(1, kPlayListColumnCount - 1));
        QCOMPARE(model->index(1, 5).data().toString(), QStringLiteral("Björk"));
        QCOMPARE(model->index(1, 3).data().toString(), QStringLiteral("0:59"));
        QVERIFY(view_->IsSelected(1) && !view_->IsSelected(0));
        // A changed entry is redrawn in every column, the tags' too.
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        list_->SetCaption(1, "renamed");
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toModelIndex(), model->index(1, 0));
        QCOMPARE(changed[0][1].toModelIndex(), model->index(1, kPlayListColumnCount - 1));
    }

    void TheHeaderMenuShowsHidesAndMovesColumns() {
        view_->SetViewStyle(TViewStyle::vsReport);
        std::unique_ptr<QMenu> menu(view_->ColumnMenu(static_cast<int>(PlayListColumn::Album)));
        QCOMPARE(menu->actions().size(), kPlayListColumnCount + 5);  // columns, moves, default
        QVERIFY(Item(*menu, "Artist")->isChecked());
        QVERIFY(!Item(*menu, "Year")->isChecked());
        Item(*menu, "Year")->trigger();
        Item(*menu, "Type")->trigger();
        QCOMPARE(ShownCaptions(),
                 (QStringList{"Name", "Artist", "Album", "Length", "Path", "Year"}));
        Item(*menu, "Move Left")->trigger();
        QCOMPARE(ShownCaptions(),
                 (QStringList{"Name", "Album", "Artist", "Length", "Path", "Year"}));
        menu.reset(view_->ColumnMenu(static_cast<int>(PlayListColumn::Year)));
        QVERIFY(!Item(*menu, "Move Right")->isEnabled());
        Item(*menu, "Move Left")->trigger();
        QCOMPARE(ShownCaptions(),
                 (QStringList{"Name", "Album", "Artist", "Length", "Year", "Path"}));
        // A hidden column keeps its width, and shows with it again.
        view_->SetColumnWidth(static_cast<int>(PlayListColumn::Path), 321);
        view_->ShowColumn(PlayListColumn::Path, false);
        view_->ShowColumn(PlayListColumn::Path, true);
        QCOMPARE(view_->ColumnWidth(static_cast<int>(PlayListColumn::Path)), 321);

        // The last column shown cannot be hidden.
        for (PlayListColumn column : view_->Columns().shown)
            view_->ShowColumn(column, false);
        QCOMPARE(ShownCaptions(), QStringList{"Path"});
        menu.reset(view_->ColumnMenu(-1));
        QVERIFY(!Item(*menu, "Path")->isEnabled());
        QVERIFY(Item(*menu, "Name")->isEnabled());
        Item(*menu, "Default Columns")->trigger();
        QCOMPARE(view_->Columns().OrderText(), ColumnLayout::Default().OrderText());
    }

    void AColumnLayoutReadsBackAsSet() {
        ColumnLayout layout = ColumnLayout::Default();
        layout.shown = {PlayListColumn::Genre, PlayListColumn::Name, PlayListColumn::Track};
        layout.widths[static_cast<int>(PlayListColumn::Genre)] = 77;
        layout.widths[static_cast<int>(PlayListColumn::Path)] = 88;  // hidden, width kept
        view_->SetColumns(layout);
        view_->SetViewStyle(TViewStyle::vsReport);
        QCOMPARE(ShownCaptions(), (QStringList{"Genre", "Name", "Track"}));
        QCOMPARE(view_->Columns(), layout);
        QCOMPARE(view_->ColumnWidth(static_cast<int>(PlayListColumn::Genre)), 77);
    }

    void TellsWhichRowsAreOnScreenAfterAScroll() {
        std::vector<PlayListEntry> entries;
        for (int i = 0; i < 300; ++i)
            entries.emplace_back("entry " + std::to_string(i), "Audio", "/m/" + std::to_string(i),
                                 0);
        std::vector<std::pair<int, int>> told;
        view_->OnRowsShown = [&](int first, int last) { told.emplace_back(first, last); };
        list_->Append(std::move(entries));
        for (TViewStyle style : {TViewStyle::vsList, TViewStyle::vsReport}) {
            view_->SetViewStyle(style);
            told.clear();
            QAbstractItemView* view = view_->CurrentView();
            view->scrollToTop();
            QTRY_VERIFY(!told.empty());
            const auto [first, last] = view_->RowsShown();
            QCOMPARE(first, 0);
            QVERIFY2(last > 5 && last < 299,
                     qPrintable(QString("style %1: %2..%3").arg(int(style)).arg(first).arg(last)));
            QVERIFY(view->visualRect(view->model()->index(last, 0))
                        .intersects(view->viewport()->rect()));
            QVERIFY(!view->visualRect(view->model()->index(last + 1, 0))
                         .intersects(view->viewport()->rect()) ||
                    style == TViewStyle::vsList);
            // The list style lays a long list out in batches, over many turns of the event loop
            // offscreen: the scroll is checked in the report style.
            if (style == TViewStyle::vsList)
                continue;
            told.clear();
            QScrollBar* bar = style == TViewStyle::vsList ? view->horizontalScrollBar()
                                                          : view->verticalScrollBar();
            QTRY_VERIFY(bar->maximum() > 0);
            view->scrollTo(view->model()->index(299, 0));
            QTRY_VERIFY2(!told.empty() && told.back().second == 299,
                         qPrintable(QString("style %1: told %2, shown %3..%4")
                                        .arg(int(style))
                                        .arg(told.empty() ? -1 : told.back().second)
                                        .arg(view_->RowsShown().first)
                                        .arg(view_->RowsShown().second)));
            QCOMPARE(told.back(), view_->RowsShown());
            QVERIFY(told.back().first > 0);
        }
    }

    void AHeaderClickAsksForASortByItsColumn() {
        view_->SetViewStyle(TViewStyle::vsReport);
        auto* report = qobject_cast<QTreeView*>(view_->CurrentView());
        std::vector<int> clicks;
        view_->OnColumnClick = [&](int column) { clicks.push_back(column); };
        QHeaderView* header = report->header();
        const int artist = static_cast<int>(PlayListColumn::Artist);
        const QPoint at(header->sectionViewportPosition(artist) + 10, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(clicks, std::vector<int>{artist});
        view_->SetSortIndicator(artist, true);
        QVERIFY(header->isSortIndicatorShown());
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        view_->SetSortIndicator(-1, false);
        QVERIFY(!header->isSortIndicatorShown());
    }

    void MirrorsTheMarksOfThePlayListBothWays() {
        for (const char* name : {"a", "b", "c", "d"})
            list_->Append(PlayListEntry{name, "File", std::string("/m/") + name, -1});
        view_->SetViewStyle(TViewStyle::vsReport);
        QAbstractItemView* view = view_->CurrentView();

        list_->Select(1);
        list_->Focus(2);
        QVERIFY(view_->IsSelected(1));
        QCOMPARE(view_->SelectedCount(), 1);
        QCOMPARE(view_->FocusedIndex(), 2);

        // The user's click selects that entry alone and focuses it.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, Center(3));
        QCOMPARE(list_->SelectedCount(), 1);
        QVERIFY(list_->IsSelected(3));
        QCOMPARE(list_->Focused(), 3);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, Center(0));
        QVERIFY(list_->IsSelected(0));
        QVERIFY(list_->IsSelected(3));
        QCOMPARE(list_->Focused(), 0);

        // Structural changes keep the two in step.
        list_->Delete(0);
        QVERIFY(list_->IsConsistent());
        QCOMPARE(view->model()->rowCount(), 3);
        QVERIFY(view_->IsSelected(2));
        QCOMPARE(view_->SelectedCount(), 1);
        list_->Move(2, 0);
        QVERIFY(view_->IsSelected(0));
        QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("d"));
        list_->SelectAll();
        QCOMPARE(view_->SelectedCount(), 3);
        list_->DeselectAll();
        QCOMPARE(view_->SelectedCount(), 0);
        view_->Select(1);
        QVERIFY(list_->IsSelected(1));
        QCOMPARE(view_->FirstSelected(), 1);
        list_->Clear();
        QCOMPARE(view->model()->rowCount(), 0);
        QCOMPARE(view_->FocusedIndex(), -1);
        QVERIFY(list_->IsConsistent());
    }

    void ReportsMouseAndDoubleClicksOnEntries() {
        list_->Append(PlayListEntry{"a", "File", "/m/a", -1});
        list_->Append(PlayListEntry{"b", "File", "/m/b", -1});
        view_->SetViewStyle(TViewStyle::vsReport);
        std::vector<std::string> events;
        view_->OnMouseDown = [&](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
            events.push_back("down " + std::to_string(button) + " item " +
                             std::to_string(view_->ItemAt(x, y)) + " focused " +
                             std::to_string(list_->Focused()));
        };
        view_->OnMouseUp = [&](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
            events.push_back("up item " + std::to_string(view_->ItemAt(x, y)));
        };
        view_->OnDblClick = [&] { events.push_back("double"); };
        QWidget* viewport = view_->CurrentView()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, Center(1));
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, Center(1));
        QCOMPARE(events.front(), std::string("down 1 item 1 focused 1"));
        QCOMPARE(events[1], std::string("up item 1"));
        QVERIFY(std::find(events.begin(), events.end(), "double") != events.end());
        QCOMPARE(view_->ItemAt(5, 290), -1);
    }

    void RenamesInPlaceThroughTheHooks() {
        list_->Append(PlayListEntry{"old", "File", "/m/old", -1});
        QAbstractItemModel* model = view_->CurrentView()->model();
        QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));  // read-only at first
        view_->SetReadOnly(false);
        QVERIFY(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
        view_->OnEdited = [](int, std::string& caption) { caption += "!"; };
        QVERIFY(model->setData(model->index(0, 0), QStringLiteral("new")));
        QCOMPARE(list_->At(0).Caption, std::string("new!"));
        QCOMPARE(list_->At(0).Path, std::string("/m/old"));
        bool asked = false;
        view_->OnEditing = [&](int index) {
            asked = index == 0;
            return false;
        };
        view_->EditCaption(0);
        QVERIFY(asked);
        QVERIFY(!view_->CurrentView()->findChild<QLineEdit*>());
        view_->OnEditing = [](int) { return true; };
        view_->EditCaption(0);
        QVERIFY(view_->CurrentView()->findChild<QLineEdit*>());
    }

    void SwitchesBetweenTheFourStyles() {
        for (TViewStyle style : {TViewStyle::vsReport, TViewStyle::vsList, TViewStyle::vsSmallIcon,
                                 TViewStyle::vsIcon}) {
            view_->SetViewStyle(style);
            QCOMPARE(view_->ViewStyle(), style);
            QVERIFY(view_->CurrentView()->isVisible());
        }
        QCOMPARE(view_->CurrentView()->iconSize(), QSize(32, 32));
    }

private:
    // Sends a drop of urls to the shown view, as another program's drop arrives.
    bool Drop(const QList<QUrl>& urls, QPoint point) {
        QMimeData mime;
        mime.setUrls(urls);
        QWidget* viewport = view_->CurrentView()->viewport();
        QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDropEvent drop(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &drop);
        return enter.isAccepted() && drop.isAccepted();
    }
    QPoint Center(int row) const {
        QAbstractItemView* view = view_->CurrentView();
        return view->visualRect(view->model()->index(row, 0)).center();
    }

    FakeShellInfo shell_;
    std::vector<std::string> filterList_{"mp3"};
    std::unique_ptr<PlayList> list_;
    std::unique_ptr<TFileView> view_;
};

QTEST_MAIN(TFileViewTest)
#include "TFileViewTest.moc"
