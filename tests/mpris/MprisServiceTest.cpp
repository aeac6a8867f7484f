// The media player interface driven over a real session bus (the test runs inside
// dbus-run-session), from a second connection, as another program would drive it.
#include <QAction>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <memory>

#include "TQuavrel.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeMediaDevice.h"
#include "fakes/FakeMessageBox.h"
#include "fakes/FakeMixerApi.h"
#include "fakes/FakeTagReader.h"
#include "mpris/ExtensionMimeTypes.h"
#include "mpris/MprisService.h"
#include "mpris/TrackedMediaDevice.h"
#include "services/QtUiPost.h"
#include "support/FindPart.h"
#include "support/TempDir.h"
#include "support/WavWriter.h"
#include "tags/CoverArt.h"

namespace {

const QString Service = QStringLiteral("org.mpris.MediaPlayer2.quavrel");
const QString Path = QStringLiteral("/org/mpris/MediaPlayer2");
const QString Root = QStringLiteral("org.mpris.MediaPlayer2");
const QString Player = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");

}  // namespace

// Records the signals the service sends.
class SignalLog : public QObject {
    Q_OBJECT

public:
    QList<QVariantMap> changed;  // PlayerInterface's PropertiesChanged, in order
    QList<qlonglong> seeked;

public slots:
    void PropertiesChanged(const QString& interface, const QVariantMap& properties,
                           const QStringList&) {
        if (interface == Player)
            changed << properties;
    }
    void Seeked(qlonglong position) { seeked << position; }

signals:
    void Arrived();
};

class MprisServiceTest : public QObject {
    Q_OBJECT

private:
    // The player with entries a.wav, b.wav and c.wav (1 s, 2 s, 3 s) in its play list.
    void Start() {
        settings_ = std::make_unique<TempDir>();
        media_ = std::make_unique<TempDir>();
        fake_ = std::make_unique<FakeMediaDevice>();
        device_ = std::make_unique<TrackedMediaDevice>(*fake_);
        window_ = std::make_unique<TQuavrel>(QuavrelServices{*device_, clock_, messages_, dialogs_,
                                                             settings_->Path().string(),
                                                             [] { return true; }});
        files_.clear();
        int lengthMs = 1000;
        for (const char* name : {"a.wav", "b.wav", "c.wav"}) {
            const std::string path = media_->File(name);
            WriteWav(path, 50);
            fake_->AddFile(path, lengthMs);
            lengthMs += 1000;
            files_.push_back(path);
        }
        window_->FileListFileDrop(files_, 0, 0);
        QCOMPARE(window_->PlayListModel().Count(), 3);
        // Nothing chosen yet, so "next" starts at the first entry.
        window_->PlayListModel().DeselectAll();
        window_->PlayListModel().Focus(-1);
        service_ = new MprisService(*window_, *device_, window_.get());
        QCOMPARE(service_->ServiceName(), Service);
        log_ = std::make_unique<SignalLog>();
        QVERIFY(client_.connect(Service, Path, Properties, QStringLiteral("PropertiesChanged"),
                                log_.get(),
                                SLOT(PropertiesChanged(QString, QVariantMap, QStringList))));
        QVERIFY(client_.connect(Service, Path, Player, QStringLiteral("Seeked"), log_.get(),
                                SLOT(Seeked(qlonglong))));
    }

    // Calls a method from the client's connection and waits for the answer.
    QDBusMessage Call(const QString& interface, const QString& method,
                      const QVariantList& arguments = {}) {
        QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, interface, method);
        call.setArguments(arguments);
        QDBusPendingCall pending = client_.asyncCall(call, 5000);
        QDBusPendingCallWatcher watcher(pending);
        QSignalSpy finished(&watcher, &QDBusPendingCallWatcher::finished);
        if (!pending.isFinished())
            finished.wait(5000);
        return pending.reply();
    }

    QVariant Get(const QString& interface, const QString& name) {
        const QDBusMessage reply = Call(Properties, QStringLiteral("Get"), {interface, name});
        if (reply.type() != QDBusMessage::ReplyMessage)
            return {};
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    void Set(const QString& interface, const QString& name, const QVariant& value) {
        Call(Properties, QStringLiteral("Set"),
             {interface, name, QVariant::fromValue(QDBusVariant(value))});
    }

    QVariantMap Metadata() {
        QVariantMap metadata;
        Get(Player, QStringLiteral("Metadata")).value<QDBusArgument>() >> metadata;
        return metadata;
    }

    QString TrackId() {
        return Metadata().value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>().path();
    }

    // Waits until the signal log holds a change of the property, and returns its last value.
    QVariant Changed(const QString& name) {
        for (int round = 0; round < 50; ++round) {
            for (auto it = log_->changed.crbegin(); it != log_->changed.crend(); ++it) {
                if (it->contains(name))
                    return it->value(name);
            }
            QTest::qWait(20);
        }
        return {};
    }

    FakeClock clock_;
    FakeMessageBox messages_;
    FakeDialogs dialogs_;
    std::unique_ptr<TempDir> settings_, media_;
    std::unique_ptr<FakeMediaDevice> fake_;
    std::unique_ptr<TrackedMediaDevice> device_;
    QtUiPost uiPost_;
    std::unique_ptr<FakeMixerApi> mixerApi_;  // outlives the window, whose mixer uses it
    std::unique_ptr<TQuavrel> window_;
    MprisService* service_ = nullptr;  // a child of the window
    std::unique_ptr<SignalLog> log_;
    std::vector<std::string> files_;
    QDBusConnection client_ =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("client"));

private slots:
    void initTestCase() { QVERIFY(client_.isConnected()); }

    void init() { Start(); }

    void cleanup() {
        log_.reset();
        delete service_;  // gives the name back at once
        service_ = nullptr;
        window_.reset();
        mixerApi_.reset();
        device_.reset();
        fake_.reset();
    }

    void rootInterfaceNamesThePlayerAndWhatItOpens() {
        QCOMPARE(Get(Root, QStringLiteral("Identity")).toString(), QStringLiteral("Quavrel"));
        QCOMPARE(Get(Root, QStringLiteral("DesktopEntry")).toString(), QStringLiteral("quavrel"));
        QCOMPARE(
            Get(Root, QStringLiteral("SupportedUriSchemes")).toStringList(),
            (QStringList{QStringLiteral("file"), QStringLiteral("http"), QStringLiteral("https")}));
        const QStringList types = Get(Root, QStringLiteral("SupportedMimeTypes")).toStringList();
        QVERIFY(types.contains(QStringLiteral("audio/x-wav")));
        QVERIFY(types.contains(QStringLiteral("audio/mpeg")));
        QVERIFY(Get(Root, QStringLiteral("CanQuit")).toBool());
        QVERIFY(Get(Root, QStringLiteral("CanRaise")).toBool());
        QVERIFY(Get(Player, QStringLiteral("CanControl")).toBool());

        // The types follow the filter list as it changes; play lists open whatever it holds.
        window_->State().FilterList->assign({"wav"});
        QCOMPARE(Get(Root, QStringLiteral("SupportedMimeTypes")).toStringList(),
                 QStringList{QStringLiteral("audio/x-wav")} + PlayListMimeTypes());

        window_->hide();
        QCOMPARE(Call(Root, QStringLiteral("Raise")).type(), QDBusMessage::ReplyMessage);
        QVERIFY(window_->isVisible());
    }

    void transportRunsTheButtonsHandlersAndReportsTheTrack() {
        QCOMPARE(Get(Player, QStringLiteral("PlaybackStatus")).toString(),
                 QStringLiteral("Stopped"));
        QCOMPARE(TrackId(), QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));

        QCOMPARE(Call(Player, QStringLiteral("Next")).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(window_->windowTitle(), QStringLiteral("[ a.wav ] Quavrel v2.0"));
        QCOMPARE(Get(Player, QStringLiteral("PlaybackStatus")).toString(),
                 QStringLiteral("Playing"));
        QVariantMap metadata = Metadata();
        const QString first =
            metadata.value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>().path();
        QCOMPARE(metadata.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("a.wav"));
        QCOMPARE(metadata.value(QStringLiteral("xesam:url")).toString(),
                 QUrl::fromLocalFile(QString::fromStdString(files_[0])).toString());
        QCOMPARE(metadata.value(QStringLiteral("mpris:length")).toLongLong(), 1'000'000);
        QCOMPARE(Changed(QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Playing"));

        fake_->Advance(400);
        QCOMPARE(Get(Player, QStringLiteral("Position")).toLongLong(), 400'000);

        Call(Player, QStringLiteral("Pause"));
        QCOMPARE(Get(Player, QStringLiteral("PlaybackStatus")).toString(),
                 QStringLiteral("Paused"));
        QCOMPARE(Changed(QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Paused"));
        Call(Player, QStringLiteral("PlayPause"));
        QCOMPARE(Get(Player, QStringLiteral("PlaybackStatus")).toString(),
                 QStringLiteral("Playing"));
        QCOMPARE(Get(Player, QStringLiteral("Position")).toLongLong(), 400'000);  // went on
        Call(Player, QStringLiteral("PlayPause"));
        QCOMPARE(Get(Player, QStringLiteral("PlaybackStatus")).toString(),
                 QStringLiteral("Paused"));
        Call(Player, QStringLiteral("Play"));
        Call(Player, QStringLiteral("Stop"));
        QCOMPARE(Get(Player, QStringLiteral("PlaybackStatus")).toString(),
                 QStringLiteral("Paused"));

        Call(Player, QStringLiteral("Next"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("[ b.wav ] Quavrel v2.0"));
        const QString second = TrackId();
        QVERIFY(second != first);
        QCOMPARE(Changed(QStringLiteral("Metadata")).value<QDBusArgument>().currentType(),
                 QDBusArgument::MapType);

        Call(Player, QStringLiteral("Previous"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("[ a.wav ] Quavrel v2.0"));
        // The same file again is a new track.
        QVERIFY(TrackId() != first);
        QVERIFY(TrackId() != second);
    }

    void tagsFillTheMetadataAndTheirArrivalIsTold() {
        FakeTagReader reader;
        QtUiPost post;
        CoverArt art(reader, settings_->File("covers"), post);
        service_->SetCoverArt(&art);
        const std::string picture = media_->Write("Cover.PNG", "a picture");
        Call(Player, QStringLiteral("Next"));
        QVariantMap metadata = Metadata();
        QCOMPARE(metadata.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("a.wav"));
        QVERIFY(!metadata.contains(QStringLiteral("xesam:artist")));
        // The tags are read while the file plays; the next tick tells the clients.
        TrackTags tags;
        tags.Title = "Song \xC3\x84";
        tags.Artist = "Singer";
        tags.AlbumArtist = "Band";
        tags.Album = "Record";
        tags.Track = 4;
        tags.LengthMs = 999;  // the device's own length wins
        window_->PlayListModel().SetTags({{0, std::make_shared<TrackTags>(tags)}});
        QVariantMap told;
        for (int round = 0; round < 100; ++round) {
            const QVariant changed = Changed(QStringLiteral("Metadata"));
            changed.value<QDBusArgument>() >> told;
            if (told.value(QStringLiteral("xesam:title")).toString() != QStringLiteral("a.wav") &&
                told.contains(QStringLiteral("mpris:artUrl")))
                break;
            QTest::qWait(20);
        }
        QCOMPARE(told.value(QStringLiteral("xesam:title")).toString(),
                 QString::fromUtf8("Song \xC3\x84"));
        metadata = Metadata();
        QCOMPARE(metadata.value(QStringLiteral("xesam:title")).toString(),
                 QString::fromUtf8("Song \xC3\x84"));
        QCOMPARE(metadata.value(QStringLiteral("xesam:artist")).toStringList(),
                 QStringList{QStringLiteral("Singer")});
        QCOMPARE(metadata.value(QStringLiteral("xesam:albumArtist")).toStringList(),
                 QStringList{QStringLiteral("Band")});
        QCOMPARE(metadata.value(QStringLiteral("xesam:album")).toString(),
                 QStringLiteral("Record"));
        QCOMPARE(metadata.value(QStringLiteral("xesam:trackNumber")).toInt(), 4);
        QCOMPARE(metadata.value(QStringLiteral("mpris:length")).toLongLong(), 1'000'000);
        QCOMPARE(metadata.value(QStringLiteral("mpris:artUrl")).toString(),
                 QUrl::fromLocalFile(QString::fromStdString(picture)).toString());
        service_->SetCoverArt(nullptr);
    }

    void aFileThatEndsMovesOnAndChangesTheTrack() {
        Call(Player, QStringLiteral("Next"));
        const QString first = TrackId();
        fake_->PlayToEnd();
        fake_->DeliverNotices();
        QCOMPARE(window_->windowTitle(), QStringLiteral("[ b.wav ] Quavrel v2.0"));
        QVERIFY(TrackId() != first);
        // The next tick of the window's timer tells the clients.
        QVariant title;
        for (int round = 0; round < 50 && !title.isValid(); ++round) {
            for (const QVariantMap& change : log_->changed) {
                if (!change.contains(QStringLiteral("Metadata")))
                    continue;
                QVariantMap metadata;
                change.value(QStringLiteral("Metadata")).value<QDBusArgument>() >> metadata;
                if (metadata.value(QStringLiteral("xesam:title")) == QStringLiteral("b.wav"))
                    title = metadata.value(QStringLiteral("xesam:title"));
            }
            if (!title.isValid())
                QTest::qWait(20);
        }
        QCOMPARE(title.toString(), QStringLiteral("b.wav"));
    }

    void modesRunTheMenuTogglesAndReadBack() {
        QCOMPARE(Get(Player, QStringLiteral("LoopStatus")).toString(), QStringLiteral("Playlist"));
        Set(Player, QStringLiteral("LoopStatus"), QStringLiteral("None"));
        QCOMPARE(window_->State().LoopOn, 0);
        QVERIFY(!Part<QAction>(*window_, "Loop1")->isChecked());
        QVERIFY(!Part<QAction>(*window_, "LoopN")->isChecked());
        QCOMPARE(Get(Player, QStringLiteral("LoopStatus")).toString(), QStringLiteral("None"));
        // The player cannot repeat one file: asking for it changes nothing.
        Set(Player, QStringLiteral("LoopStatus"), QStringLiteral("Track"));
        QCOMPARE(window_->State().LoopOn, 0);
        Set(Player, QStringLiteral("LoopStatus"), QStringLiteral("Playlist"));
        QCOMPARE(window_->State().LoopOn, 1);

        QVERIFY(!Get(Player, QStringLiteral("Shuffle")).toBool());
        Set(Player, QStringLiteral("Shuffle"), true);
        QCOMPARE(window_->State().ShuffleOn, 1);
        QVERIFY(Part<QAction>(*window_, "Shuffle2")->isChecked());
        QCOMPARE(window_->PlayListModel().SelectedCount(), 3);  // a new pass: all unplayed
        QCOMPARE(Changed(QStringLiteral("Shuffle")).toBool(), true);
        Set(Player, QStringLiteral("Shuffle"), true);  // already on: no second toggle
        QCOMPARE(window_->State().ShuffleOn, 1);
        Set(Player, QStringLiteral("Shuffle"), false);
        QCOMPARE(window_->State().ShuffleOn, 0);
        QCOMPARE(window_->PlayListModel().SelectedCount(), 0);
    }

    void seeksMoveTheTrackBarsFileAndSayWhere() {
        QVERIFY(!Get(Player, QStringLiteral("CanSeek")).toBool());  // nothing open
        Call(Player, QStringLiteral("Next"));
        Call(Player, QStringLiteral("Next"));  // b.wav, 2 s
        QVERIFY(Get(Player, QStringLiteral("CanSeek")).toBool());
        fake_->ClearLog();
        Call(Player, QStringLiteral("Seek"), {qlonglong(700'000)});
        QCOMPARE(fake_->Position(), 700);
        QCOMPARE(fake_->Mode(), MediaMode::Playing);  // plays on, as after a drag
        QCOMPARE(Part<QSlider>(*window_, "TrackBar")->value(), 700);
        QTRY_COMPARE(log_->seeked.size(), 1);
        QCOMPARE(log_->seeked.front(), 700'000);

        Call(Player, QStringLiteral("SetPosition"),
             {QVariant::fromValue(QDBusObjectPath(TrackId())), qlonglong(1'500'000)});
        QCOMPARE(fake_->Position(), 1500);
        // A track id that is no longer current, or a place outside the file: nothing moves.
        Call(Player, QStringLiteral("SetPosition"),
             {QVariant::fromValue(
                  QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/quavrel/track/1"))),
              qlonglong(100'000)});
        Call(Player, QStringLiteral("SetPosition"),
             {QVariant::fromValue(QDBusObjectPath(TrackId())), qlonglong(9'000'000)});
        QCOMPARE(fake_->Position(), 1500);

        // Past the end is the next track.
        Call(Player, QStringLiteral("Seek"), {qlonglong(5'000'000)});
        QCOMPARE(window_->windowTitle(), QStringLiteral("[ c.wav ] Quavrel v2.0"));

        // The user's own drag of the track bar is a seek too.
        const int before = log_->seeked.size();
        Part<QSlider>(*window_, "TrackBar")->setSliderPosition(2000);
        Part<QSlider>(*window_, "TrackBar")->triggerAction(QAbstractSlider::SliderMove);
        QTRY_COMPARE(log_->seeked.size(), before + 1);
    }

    void openUriAddsTheFileAsADropAndPlaysIt() {
        const std::string added = media_->File("d.wav");
        WriteWav(added, 50);
        fake_->AddFile(added, 4000);
        QCOMPARE(Call(Player, QStringLiteral("OpenUri"),
                      {QUrl::fromLocalFile(QString::fromStdString(added)).toString()})
                     .type(),
                 QDBusMessage::ReplyMessage);
        // The answer comes first; the file is added once the event loop runs.
        QTRY_COMPARE(window_->PlayListModel().Count(), 4);
        QCOMPARE(window_->PlayListModel().At(3).Path, added);
        QCOMPARE(window_->windowTitle(), QStringLiteral("[ d.wav ] Quavrel v2.0"));
        QCOMPARE(Metadata().value(QStringLiteral("mpris:length")).toLongLong(), 4'000'000);

        // A type the filter refuses is answered at once and adds nothing; an address of another
        // scheme is an error.
        const std::string text = media_->Write("notes.txt", "x");
        QDBusMessage refused = Call(Player, QStringLiteral("OpenUri"),
                                    {QUrl::fromLocalFile(QString::fromStdString(text)).toString()});
        QCOMPARE(refused.type(), QDBusMessage::ReplyMessage);
        Get(Player, QStringLiteral("PlaybackStatus"));  // a round trip: the work has run
        QCOMPARE(window_->PlayListModel().Count(), 4);
        QDBusMessage remote = Call(Player, QStringLiteral("OpenUri"),
                                   {QStringLiteral("ftp://example.invalid/a.mp3")});
        QCOMPARE(remote.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(window_->PlayListModel().Count(), 4);

        // An internet stream is an entry of its own and plays; it has no length, and its
        // title is what the station says it plays.
        const std::string station = "http://127.0.0.1:1/radio";
        fake_->AddStream(station);
        QCOMPARE(Call(Player, QStringLiteral("OpenUri"), {QString::fromStdString(station)}).type(),
                 QDBusMessage::ReplyMessage);
        QTRY_COMPARE(window_->PlayListModel().Count(), 5);
        QCOMPARE(window_->PlayListModel().At(4).Path, station);
        fake_->SetStreamTitle("Test Radio - Title 1");
        const QVariantMap metadata = Metadata();
        QCOMPARE(metadata.value(QStringLiteral("xesam:title")).toString(),
                 QStringLiteral("Test Radio - Title 1"));
        QCOMPARE(metadata.value(QStringLiteral("xesam:url")).toString(),
                 QString::fromStdString(station));
        QVERIFY(!metadata.contains(QStringLiteral("mpris:length")));
    }

    // Calls that come faster than files open: a flood of Next opens a handful of files, every
    // call is answered, and the player ends on a file of its list, playing.
    void aFloodOfNextCallsIsCoalesced() {
        QCOMPARE(Call(Player, QStringLiteral("Next")).type(), QDBusMessage::ReplyMessage);
        fake_->ClearLog();
        constexpr int kCalls = 2000;
        std::vector<QDBusPendingCall> pending;
        pending.reserve(kCalls);
        for (int k = 0; k < kCalls; ++k)
            pending.push_back(client_.asyncCall(
                QDBusMessage::createMethodCall(Service, Path, Player, QStringLiteral("Next")),
                20000));
        for (QDBusPendingCall& call : pending) {
            if (!call.isFinished()) {
                QDBusPendingCallWatcher watcher(call);
                QSignalSpy finished(&watcher, &QDBusPendingCallWatcher::finished);
                if (!call.isFinished())
                    QVERIFY(finished.wait(20000));
            }
            QCOMPARE(call.reply().type(), QDBusMessage::ReplyMessage);
        }
        const auto opens =
            std::count_if(fake_->Log().begin(), fake_->Log().end(),
                          [](const std::string& line) { return line.starts_with("open "); });
        QVERIFY2(opens >= 1 && opens < kCalls / 10, qPrintable(QString::number(opens)));
        QCOMPARE(Get(Player, QStringLiteral("PlaybackStatus")).toString(),
                 QStringLiteral("Playing"));
    }

    void abilitiesFollowTheEmptinessRule() {
        QVERIFY(Get(Player, QStringLiteral("CanGoNext")).toBool());
        QVERIFY(Get(Player, QStringLiteral("CanPlay")).toBool());
        window_->ClearClick();
        QVERIFY(!Get(Player, QStringLiteral("CanGoNext")).toBool());
        QVERIFY(!Get(Player, QStringLiteral("CanGoPrevious")).toBool());
        QVERIFY(!Get(Player, QStringLiteral("CanPlay")).toBool());
        QVERIFY(!Get(Player, QStringLiteral("CanPause")).toBool());
        QCOMPARE(Changed(QStringLiteral("CanGoNext")).toBool(), false);
        // Commands on an empty list do nothing, as the buttons would.
        QCOMPARE(Call(Player, QStringLiteral("Next")).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(Get(Player, QStringLiteral("PlaybackStatus")).toString(),
                 QStringLiteral("Stopped"));
    }

    void volumeIsTheMixersOutputAsThePopUpShowsIt() {
        QCOMPARE(Get(Player, QStringLiteral("Volume")).toDouble(), 0.0);  // no mixer yet
        mixerApi_ = std::make_unique<FakeMixerApi>(uiPost_);
        FakeMixerApi& api = *mixerApi_;
        api.AddOutput("Speakers");
        constexpr std::uint32_t volume = 1, mute = 2;  // the output's controls
        api.SetValues(volume, {49152, 49152});
        api.SetValues(mute, {1});
        window_->CreateVolume(api);
        QCOMPARE(Get(Player, QStringLiteral("Volume")).toDouble(), 49152 / 65535.0);

        Set(Player, QStringLiteral("Volume"), 0.25);
        QCOMPARE(api.Values(volume), (std::vector<std::uint32_t>{16384, 16384}));
        QCOMPARE(api.Values(mute), std::vector<std::uint32_t>{1});  // the mute box kept
        QCOMPARE(Changed(QStringLiteral("Volume")).toDouble(), 16384 / 65535.0);
        Set(Player, QStringLiteral("Volume"), 7.0);  // beyond the top: the top
        QCOMPARE(api.Values(volume), (std::vector<std::uint32_t>{65535, 65535}));

        // A change made elsewhere reaches the clients within a second.
        log_->changed.clear();
        api.SetValues(volume, {0, 0});
        QCOMPARE(Changed(QStringLiteral("Volume")).toDouble(), 0.0);
    }

    void quitLeavesAsExitDoesAndWritesTheSettings() {
        QCOMPARE(Call(Root, QStringLiteral("Quit")).type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY(!window_->isVisible());
        QVERIFY(std::filesystem::exists(settings_->Path() / "Qvrl.ini"));
    }

    void withoutABusNothingIsRegisteredAndThePlayerRunsOn() {
        const QDBusConnection none = QDBusConnection::connectToBus(
            QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("none"));
        QVERIFY(!none.isConnected());
        auto* quiet = new MprisService(*window_, *device_, window_.get(), none);
        QVERIFY(quiet->ServiceName().isEmpty());
        window_->NextSClick();
        quiet->Refresh();
        QCOMPARE(window_->windowTitle(), QStringLiteral("[ a.wav ] Quavrel v2.0"));
        // A second copy, on a connection of its own, takes the per-process name.
        auto* second = new MprisService(
            *window_, *device_, window_.get(),
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("second")));
        QVERIFY(second->ServiceName().startsWith(Service + QStringLiteral(".instance")));
    }
};

QTEST_MAIN(MprisServiceTest)
#include "MprisServiceTest.moc"
