// The play list's columns, status line, "Titles from Tags" and "Jump to File" on the real main
// window, offscreen: what quavrel.conf keeps of them, what the status line says, and finding
// and playing an entry by typed words.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QShortcut>
#include <QTest>
#include <QTreeView>

#include <fstream>
#include <memory>
#include <sstream>

#include "TQuavrel.h"
#include "config/LinuxSettings.h"
#include "support/FindPart.h"
#include "support/MainWindowFakes.h"
#include "views/JumpToFileBox.h"
#include "views/PlayListStatus.h"
#include "views/TFileView.h"

class TQuavrelColumnsTest : public QObject, protected MainWindowFakes {
    Q_OBJECT

    std::unique_ptr<TempDir> files_;

    // An entry with tags, as the background reading leaves it.
    PlayListEntry Tagged(const std::string& name, const std::string& artist,
                         const std::string& title, std::int64_t lengthMs) {
        const std::string path = AddMedia(*files_, name, lengthMs > 0 ? lengthMs : 1000);
        auto tags = std::make_shared<TrackTags>();
        tags->Artist = artist;
        tags->Title = title;
        tags->LengthMs = lengthMs;
        PlayListEntry entry{name, "Audio", path, 0};
        entry.Tags = std::move(tags);
        return entry;
    }
    std::string ConfFile() const { return (settings_->Path() / "quavrel.conf").string(); }

private slots:
    void init() {
        NewSettingsFolder();
        files_ = std::make_unique<TempDir>();
        media_.ClearLog();
        messages_.shown.clear();
    }

    void theStatusLineCountsTheListAndHidesInTheShortForm() {
        auto window = StartShown();
        auto* status = Part<PlayListStatus>(*window, "StatusLine");
        QCOMPARE(status->text(), QStringLiteral("0 entries, 0:00"));
        PlayList& list = window->PlayListModel();
        list.Append(std::vector<PlayListEntry>{Tagged("a.mp3", "A", "One", 3600000),
                                               Tagged("b.mp3", "B", "Two", 725000),
                                               Tagged("c.mp3", "C", "Three", -1)});
        QTRY_COMPARE(status->text(), QStringLiteral("3 entries, 1:12:05 +1 unknown"));
        list.Select(1);
        list.Select(2);
        QTRY_COMPARE(status->text(),
                     QStringLiteral("3 entries, 1:12:05 +1 unknown; 2 selected, 12:05 +1 unknown"));
        QVERIFY(status->isVisible());
        window->ShortFormToggl1Click();
        QVERIFY(!status->isVisible());
        window->ShortFormToggl1Click();
        QVERIFY(status->isVisible());
    }

    void columnsAndTitlesFromTagsLastBetweenRunsInQuavrelConf() {
        {
            auto window = StartShown();
            QVERIFY(!Part<QAction>(*window, "TitlesfromTags1")->isChecked());  // off at first
            auto* view = Part<TFileView>(*window, "FileList");
            view->ShowColumn(PlayListColumn::Year, true);
            view->ShowColumn(PlayListColumn::Type, false);
            view->MoveColumn(PlayListColumn::Year, -1);
            view->SetColumnWidth(static_cast<int>(PlayListColumn::Artist), 222);
            Part<QAction>(*window, "TitlesfromTags1")->trigger();
            window->Exit1Click();
        }
        const LinuxSettings conf = LinuxSettings::Read(ConfFile());
        QCOMPARE(conf.Get("columns.order"), std::string("Name,Artist,Album,Length,Year,Path"));
        QVERIFY(conf.Get("columns.widths").find("Artist:222") != std::string::npos);
        QCOMPARE(conf.Get("titles.fromtags"), std::string("1"));
        auto again = StartShown();
        auto* view = Part<TFileView>(*again, "FileList");
        QCOMPARE(view->Columns().OrderText(), std::string("Name,Artist,Album,Length,Year,Path"));
        QCOMPARE(view->ColumnWidth(static_cast<int>(PlayListColumn::Artist)), 222);
        QVERIFY(Part<QAction>(*again, "TitlesfromTags1")->isChecked());
    }

    static QStringList Captions(const PlayList& list) {
        QStringList captions;
        for (int i = 0; i < list.Count(); ++i)
            captions << QString::fromStdString(list.At(i).Caption);
        return captions;
    }

    void aHeaderClickSortsByItsColumnAndASecondReverses() {
        auto window = StartShown();
        PlayList& list = window->PlayListModel();
        // name, artist, album artist, album, disc, track, year
        const struct {
            const char* name;
            const char* artist;
            const char* albumArtist;
            const char* album;
            int disc, track, year;
        } rows[] = {{"d", "Guest", "Band", "Live", 2, 1, 1990},
                    {"a", "Band", "", "Live", 1, 2, 1985},
                    {"c", "Band", "", "Live", 1, 1, 2001},
                    {"b", "Alone", "", "Zed", 0, 5, 0},
                    {"e", "Band", "", "Early", 1, 9, 1970}};
        std::vector<PlayListEntry> entries;
        for (const auto& row : rows) {
            auto tags = std::make_shared<TrackTags>();
            tags->Artist = row.artist;
            tags->AlbumArtist = row.albumArtist;
            tags->Album = row.album;
            tags->Disc = row.disc;
            tags->Track = row.track;
            tags->Year = row.year;
            PlayListEntry entry{row.name, "Audio", "/m/" + std::string(row.name), 0};
            entry.Tags = tags;
            entries.push_back(std::move(entry));
        }
        list.Append(std::move(entries));
        window->State().PlayIndex = 1;               // "a"
        Part<QAction>(*window, "Name1")->trigger();  // sorting by name on
        QCOMPARE(Captions(list), (QStringList{"a", "b", "c", "d", "e"}));
        QCOMPARE(window->State().PlayIndex, 0);

        auto* view = Part<TFileView>(*window, "FileList");
        view->OnColumnClick(static_cast<int>(PlayListColumn::Artist));
        // Alone/Zed; then Band: Early, Live disc 1 track 1, 2, then disc 2 (album artist Band).
        QCOMPARE(Captions(list), (QStringList{"b", "e", "c", "a", "d"}));
        QCOMPARE(window->State().PlayIndex, 3);                  // still "a"
        QVERIFY(!Part<QAction>(*window, "Name1")->isChecked());  // name sorting gave way
        list.Append(PlayListEntry{"0", "Audio", "/m/0", 0});
        QTest::qWait(0);
        QCOMPARE(Captions(list).first(), QStringLiteral("b"));  // and stays off
        view->OnColumnClick(static_cast<int>(PlayListColumn::Artist));
        QCOMPARE(Captions(list), (QStringList{"d", "a", "c", "e", "b", "0"}));
        QCOMPARE(window->State().PlayIndex, 1);
        view->OnColumnClick(static_cast<int>(PlayListColumn::Year));
        QCOMPARE(Captions(list), (QStringList{"b", "0", "e", "a", "d", "c"}));
        QCOMPARE(window->State().PlayIndex, 3);
    }

    void titlesFromTagsCaptionsEntriesThatShowTheirFilesName() {
        auto window = StartShown();
        PlayList& list = window->PlayListModel();
        auto tags = [](const char* artist, const char* title) {
            auto t = std::make_shared<TrackTags>();
            t->Artist = artist;
            t->Title = title;
            return std::shared_ptr<const TrackTags>(t);
        };
        list.Append(std::vector<PlayListEntry>{PlayListEntry{"a.mp3", "Audio", "/m/a.mp3", 0},
                                               PlayListEntry{"My Title", "Audio", "/m/b.mp3", 0},
                                               PlayListEntry{"c", "Audio", "/m/c.flac", 0}});
        // Off at first: tags change no caption.
        list.SetTags({{0, tags("Ann", "One")}});
        QTest::qWait(0);
        QCOMPARE(list.At(0).Caption, std::string("a.mp3"));

        Part<QAction>(*window, "TitlesfromTags1")->trigger();
        list.SetTags({{0, tags("Ann", "One")}, {1, tags("Bo", "Two")}});
        list.SetTags({{2, tags("", "Three")}});
        QTRY_COMPARE(list.At(2).Caption, std::string("Three"));
        QCOMPARE(list.At(0).Caption, std::string("Ann - One"));
        QCOMPARE(list.At(1).Caption, std::string("My Title"));  // the list's own title stays
        QVERIFY(list.IsConsistent());
    }

    void ctrlJIsJumpToFileAndNoOtherKey() {
        auto window = StartShown();
        const QKeySequence ctrlJ(Qt::CTRL | Qt::Key_J);
        QStringList holders;
        for (QAction* action : window->findChildren<QAction*>())
            if (action->shortcuts().contains(ctrlJ))
                holders << action->objectName();
        holders.sort();
        QCOMPARE(holders, (QStringList{"JumpToFile1", "JumpToFile2"}));  // menu and tray
        for (QShortcut* shortcut : window->findChildren<QShortcut*>())
            QVERIFY(shortcut->key() != ctrlJ);
        QCOMPARE(Part<QAction>(*window, "JumpToFile1")->text(), QStringLiteral("Jump to File"));

        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_J, Qt::ControlModifier);
        auto* box = window->findChild<JumpToFileBox*>(QStringLiteral("JumpToFileBox"));
        QVERIFY(box != nullptr);
        QTRY_VERIFY(box->isVisible());
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(!box->isVisible());
    }

    void jumpToFileFindsByWordsAndPlaysTheChosenEntry() {
        auto window = StartShown();
        PlayList& list = window->PlayListModel();
        list.Append(
            std::vector<PlayListEntry>{Tagged("01.flac", "The Beatles", "Help!", 138000),
                                       Tagged("02.flac", "Björk", "Jóga", 305000),
                                       Tagged("03.flac", "The Beatles", "Yesterday", 125000),
                                       Tagged("04.mp3", "Radiohead", "Creep", 238000)});
        window->JumpToFile1Click();
        auto* box = window->findChild<JumpToFileBox*>(QStringLiteral("JumpToFileBox"));
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->Matches().size(), std::size_t(4));
        auto* text = Part<QLineEdit>(*box, "JumpText");
        QTest::keyClicks(text, "beatles");
        QCOMPARE(box->Matches(), (std::vector<int>{0, 2}));
        QCOMPARE(box->Chosen(), 0);
        QTest::keyClick(text, Qt::Key_Down);  // the arrows move through the matches
        QCOMPARE(box->Chosen(), 2);
        QTest::keyClick(text, Qt::Key_Return);
        QVERIFY(!box->isVisible());
        QCOMPARE(window->State().PlayIndex, 2);
        QCOMPARE(list.Focused(), 2);
        QVERIFY(list.IsSelected(2) && list.SelectedCount() == 1);
        QCOMPARE(media_.Log(), (std::vector<std::string>{"open " + list.At(2).Path, "play"}));

        // Opened again it starts empty; any order, case and accents.
        window->JumpToFile2Click();
        QCOMPARE(text->text(), QString());
        QTest::keyClicks(text, "JOGA bjo");
        QCOMPARE(box->Matches(), std::vector<int>{1});
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(window->State().PlayIndex, 1);
        QVERIFY(messages_.shown.empty());
    }
};

QTEST_MAIN(TQuavrelColumnsTest)
#include "TQuavrelColumnsTest.moc"
