// The main window as a screen reader and the keyboard find it: names, values and states of
// the controls, the order Tab takes, and the commands the keyboard reaches.
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "TQuavrel.h"
#include "fakes/FakeMixerApi.h"
#include "mixer/TVolForm.h"
#include "services/QtUiPost.h"
#include "support/FindPart.h"
#include "support/MainWindowFakes.h"
#include "views/TFileList.h"
#include "views/TFileView.h"
#include "views/Tdirtree.h"
#include "widgets/TAMAdvLed.h"
#include "widgets/TLCDLabel.h"

class TQuavrelAccessTest : public QObject, protected MainWindowFakes {
    Q_OBJECT

private:
    std::string Media(const std::string& name, std::int64_t lengthMs = 10000) {
        return AddMedia(*files_, name, lengthMs);
    }
    static QAccessibleInterface* Read(QObject* object) {
        return QAccessible::queryAccessibleInterface(object);
    }
    static QString Name(QObject* object) { return Read(object)->text(QAccessible::Name); }

    std::unique_ptr<TempDir> files_;

private slots:
    void init() {
        NewSettingsFolder();
        files_ = std::make_unique<TempDir>();
    }

    void EveryControlHasAName() {
        auto window = StartShown();
        QStringList unnamed;
        for (QWidget* part : window->findChildren<QWidget*>()) {
            const bool control =
                qobject_cast<QAbstractButton*>(part) || qobject_cast<QAbstractSlider*>(part) ||
                qobject_cast<QLineEdit*>(part) || qobject_cast<QAbstractItemView*>(part);
            // Qt's own parts of a view (its scroll bars, its header) are Qt's to name.
            const bool ownPart = qobject_cast<QAbstractItemView*>(part->parentWidget()) ||
                                 part->objectName().startsWith(QLatin1String("qt_"));
            if (control && !ownPart && part->isVisibleTo(window.get()) && Name(part).isEmpty())
                unnamed << part->objectName() + QLatin1Char(' ') + part->metaObject()->className();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
        QCOMPARE(Name(Part<QToolButton>(*window, "VolumeBut")), QStringLiteral("Volume"));
        QCOMPARE(Name(Part<Tdirtree>(*window, "dirtree1")), QStringLiteral("Folders"));
        // A hint that says more than the name stays as the description.
        QAccessibleInterface* addTree = Read(Part<QToolButton>(*window, "AddFiles"));
        QCOMPARE(addTree->text(QAccessible::Name),
                 QStringLiteral("Add the folder and its subfolders"));
        QVERIFY(addTree->text(QAccessible::Description).contains(QLatin1String("Recursively")));
    }

    void TheListsAreNamedAndTheirItemsReadAsTheirCaptions() {
        auto window = StartShown();
        const std::string a = Media("Morning Tone.mp3");
        Part<TFileView>(*window, "FileList")->AddFile(a);
        window->PlayListModel().SetCaption(0, "Morning Tone");
        QAbstractItemView* view = Part<TFileView>(*window, "FileList")->CurrentView();
        QAccessibleInterface* list = Read(view);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Play list"));
        QVERIFY(list->childCount() >= 1);
        bool found = false;
        for (int i = 0; i < list->childCount(); ++i)
            found = found || list->child(i)->text(QAccessible::Name) == "Morning Tone";
        QVERIFY(found);
        QCOMPARE(Name(Part<TFileList>(*window, "ExpList")->CurrentView()),
                 QStringLiteral("Files in the folder"));
    }

    void TheTrackBarReadsAsAPositionInPercent() {
        auto window = StartShown();
        auto* bar = Part<QSlider>(*window, "TrackBar");
        bar->setRange(0, 1000);
        bar->setValue(420);
        QAccessibleInterface* read = Read(bar);
        QCOMPARE(read->text(QAccessible::Name), QStringLiteral("Position"));
        QCOMPARE(read->valueInterface()->currentValue().toInt(), 42);
        QCOMPARE(read->valueInterface()->maximumValue().toInt(), 100);
        QCOMPARE(read->text(QAccessible::Value), QStringLiteral("42%"));
    }

    void ModeButtonsAreCheckedWhileTheirLampsAreLit() {
        auto window = StartShown();
        auto* loop = Part<QToolButton>(*window, "TBLoop");
        auto* shuffle = Part<QToolButton>(*window, "Shuffle");
        QAccessibleInterface* loopRead = Read(loop);
        QVERIFY(loopRead->state().checkable);
        QVERIFY(loopRead->state().checked);
        QCOMPARE(loopRead->text(QAccessible::Name), QStringLiteral("Loop"));
        QVERIFY(!Read(shuffle)->state().checked);
        QCOMPARE(Name(Part<TAMAdvLed>(*window, "LedL")), QStringLiteral("Loop on"));
        QCOMPARE(Name(Part<TAMAdvLed>(*window, "AMAdvLed2")), QStringLiteral("Loop on"));

        Part<TFileView>(*window, "FileList")->AddFile(Media("a.mp3"));  // shuffle wants entries
        shuffle->click();
        QVERIFY(Read(shuffle)->state().checked);
        QCOMPARE(Name(Part<TAMAdvLed>(*window, "LedS")), QStringLiteral("Shuffle on"));
        loopRead->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(window->State().LoopOn, 0);
        QVERIFY(!loopRead->state().checked);
        QCOMPARE(Name(Part<TAMAdvLed>(*window, "LedL")), QStringLiteral("Loop off"));
    }

    void TabWalksThePanesInOrder() {
        auto window = StartShown();
        const QStringList expected = {"dirtree1", "ToolbarButton974", "CDUp",
                                      "AddFiles", "ToolbarButton973", "ToolbarButton971"};
        QWidget* at = Part<Tdirtree>(*window, "dirtree1");
        QStringList walked;
        // The focus chain, as Tab follows it from the tree: focusable widgets only.
        for (int step = 0; step < 400 && walked.size() < 40; ++step) {
            if (at->focusPolicy() & Qt::TabFocus) {
                QWidget* named = at;
                while (named && named->objectName().isEmpty())
                    named = named->parentWidget();
                const QString name = named ? named->objectName() : QString();
                if (walked.isEmpty() || walked.back() != name)
                    walked << name;
            }
            at = at->nextInFocusChain();
            if (at == Part<Tdirtree>(*window, "dirtree1"))
                break;
        }
        QCOMPARE(walked.mid(0, expected.size()), expected);
        const auto after = [&](const char* a, const char* b) {
            return walked.indexOf(QString::fromLatin1(a)) < walked.indexOf(QString::fromLatin1(b));
        };
        for (const auto& [a, b] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"ToolbarButton971", "ExpList"},
                 {"ExpList", "FileList"},
                 {"FileList", "Play"},
                 {"Play", "TrackBar"},
                 {"TrackBar", "VolumeBut"},
                 {"VolumeBut", "Shuffle"},
                 {"Shuffle", "TBLoop"},
                 {"TBPlayMode", "PMLen"}})
            QVERIFY2(walked.contains(QString::fromLatin1(b)) && after(a, b),
                     qPrintable(walked.join(QStringLiteral(" "))));
    }

    void TheVolumePopUpOpensAndClosesFromTheKeyboard() {
        QtUiPost post;
        FakeMixerApi mixer(post);
        mixer.AddOutput("Speakers");
        auto window = StartShown();
        window->CreateVolume(mixer);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* button = Part<QToolButton>(*window, "VolumeBut");
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
        auto* pop = Part<TVolForm>(*window, "VolForm");
        QVERIFY(pop->isVisible());
        // The keyboard goes to the pop-up's slider once the window system has activated it.
        QTRY_VERIFY(pop->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!pop->isVisible());
    }

    void F10OpensTheMenusAndTheLcdAnswersSpace() {
        auto window = StartShown();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_F10);
        QVERIFY(window->menuBar()->activeAction() != nullptr);
        QTest::keyClick(window->menuBar(), Qt::Key_Escape);

        auto* lcd = Part<TLCDLabel>(*window, "LCDLabel1");
        QCOMPARE(lcd->toolTip(), QStringLiteral("Percentage Played"));
        lcd->setFocus(Qt::TabFocusReason);
        QTest::keyClick(lcd, Qt::Key_Space);
        QCOMPARE(lcd->toolTip(), QStringLiteral("Percentage Remaining"));
    }
};

QTEST_MAIN(TQuavrelAccessTest)
#include "TQuavrelAccessTest.moc"
