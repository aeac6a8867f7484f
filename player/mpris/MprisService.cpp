#include "mpris/MprisService.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <cmath>

#include "media/StreamText.h"
#include "mpris/ExtensionMimeTypes.h"
#include "mpris/MprisPlayerAdaptor.h"
#include "mpris/MprisRootAdaptor.h"
#include "mpris/MprisValues.h"
#include "mpris/PlayerControl.h"
#include "mpris/TrackedMediaDevice.h"
#include "playlist/FileUri.h"
#include "playlist/PlayListEntry.h"
#include "playlist/TrackPath.h"
#include "tags/CoverArt.h"

namespace {

constexpr const char* RootInterface = "org.mpris.MediaPlayer2";
constexpr const char* PlayerInterface = "org.mpris.MediaPlayer2.Player";
constexpr const char* BusName = "org.mpris.MediaPlayer2.quavrel";
constexpr double VolumeSteps = 65535.0;  // the mixer's and the pop-up's scale
constexpr int VolumeTicks = 5;           // refreshes between two reads of the volume

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

MprisService::MprisService(PlayerControl& player, TrackedMediaDevice& device, QObject* parent,
                           QDBusConnection connection)
    : QObject(parent), player_(player), device_(device), connection_(std::move(connection)) {
    seen_ = Look();
    seen_.volume = Volume();
    if (!connection_.isConnected())
        return;
    new MprisRootAdaptor(*this);
    new MprisPlayerAdaptor(*this);
    if (!connection_.registerObject(QString::fromLatin1(ObjectPath), this))
        return;
    // The first copy holds the plain name; others take the per-process name MPRIS allows.
    for (const QString& name :
         {QString::fromLatin1(BusName), QStringLiteral("%1.instance%2")
                                            .arg(QString::fromLatin1(BusName))
                                            .arg(QCoreApplication::applicationPid())}) {
        if (connection_.registerService(name)) {
            serviceName_ = name;
            break;
        }
    }
    if (serviceName_.isEmpty()) {
        connection_.unregisterObject(QString::fromLatin1(ObjectPath));
        return;
    }
    // After the window's own handlers, so the state read is the state they left. The player
    // may outlive the service: the watchers check that it is still there.
    const QPointer<MprisService> self = this;
    player_.SetWatchers(
        [self] {
            if (self)
                self->Refresh();
        },
        [self] {
            if (!self)
                return;
            self->seekPending_ = true;
            QTimer::singleShot(0, self, &MprisService::Refresh);
        });
}

MprisService::~MprisService() {
    if (serviceName_.isEmpty())
        return;
    connection_.unregisterObject(QString::fromLatin1(ObjectPath));
    connection_.unregisterService(serviceName_);
}

QString MprisService::Attempt(const std::function<void()>& command) {
    QString error;
    try {
        command();
    } catch (const std::exception& raised) {
        error = QString::fromUtf8(raised.what());
        // The box runs a nested event loop: show it once the caller has its answer.
        const std::string text = raised.what();
        QTimer::singleShot(0, this, [this, text] { player_.ShowError(text); });
    }
    return error;
}

QString MprisService::Run(const std::function<void()>& command) {
    const QString error = Attempt(command);
    Refresh();
    return error;
}

// --- Root interface ---

QString MprisService::Raise() {
    return Run([this] { player_.Raise(); });
}

QString MprisService::Quit() {
    // Closing may ask nothing, but it ends the event loop: answer first.
    QTimer::singleShot(0, this, [this] { Attempt([this] { player_.Quit(); }); });
    return {};
}

QStringList MprisService::SupportedMimeTypes() const {
    const std::vector<std::string>& list = player_.FilterList();
    if (!mimeKnown_ || list != mimeExtensions_) {
        mimeExtensions_ = list;
        // OpenUri takes play lists too: they load whatever the filter holds.
        mimeTypes_ = ExtensionMimeTypes(list) + PlayListMimeTypes();
        mimeKnown_ = true;
    }
    return mimeTypes_;
}

// --- Player interface: commands ---

QString MprisService::RunTransport(Transport kind, const std::function<void()>& command) {
    if (!burst_) {
        burst_ = true;
        QTimer::singleShot(0, this, &MprisService::NextOfBurst);
        return Run(command);
    }
    constexpr std::size_t kMostQueued = 64;
    const bool sameAsLast = !queued_.empty() && queued_.back().first == kind;
    if ((sameAsLast && kind != Transport::PlayPause) || queued_.size() >= kMostQueued)
        return {};
    queued_.emplace_back(kind, command);
    return {};
}

void MprisService::NextOfBurst() {
    if (queued_.empty()) {
        burst_ = false;
        return;
    }
    const std::function<void()> command = std::move(queued_.front().second);
    queued_.pop_front();
    QTimer::singleShot(0, this, &MprisService::NextOfBurst);
    Run(command);
}

QString MprisService::Play() {
    return RunTransport(Transport::Play, [this] { player_.PlaySelected(); });
}

QString MprisService::Pause() {
    return RunTransport(Transport::Pause, [this] { player_.StopPlaying(); });
}

QString MprisService::PlayPause() {
    return RunTransport(Transport::PlayPause, [this] {
        if (device_.Mode() == MediaMode::Playing)
            player_.StopPlaying();
        else
            player_.PlaySelected();
    });
}

QString MprisService::Stop() {
    return RunTransport(Transport::Stop, [this] { player_.StopPlaying(); });
}

QString MprisService::Next() {
    return RunTransport(Transport::Next, [this] { player_.PlayNext(); });
}

QString MprisService::Previous() {
    return RunTransport(Transport::Previous, [this] { player_.PlayPrevious(); });
}

QString MprisService::Seek(qint64 offsetUs) {
    if (!CanSeek())
        return {};
    const auto target = SeekTargetMs(device_.Position(), device_.Length(), offsetUs);
    if (!target)
        return Next();
    return SeekTo(*target);
}

QString MprisService::SetPosition(const QString& trackId, qint64 positionUs) {
    if (!CanSeek() || trackId != TrackId())
        return {};
    const auto target = PositionTargetMs(device_.Length(), positionUs);
    if (!target)
        return {};
    return SeekTo(*target);
}

QString MprisService::SeekTo(std::int64_t positionMs) {
    // As a move of the track bar: it holds the position, its handler seeks and plays on.
    if (positionMs > player_.TrackBarMax())
        return {};
    return Run([this, positionMs] {
        seekPending_ = true;
        player_.SeekTo(positionMs);
    });
}

QString MprisService::OpenUri(const QString& uri) {
    // As the command line: a play list loads, a media file or folder is added and plays.
    // A stream's address is its own path; other URIs must name a local file.
    const std::string text = uri.toStdString();
    const std::optional<std::string> path =
        StreamText::IsStreamAddress(text) ? std::optional<std::string>(text) : FileUriPath(text);
    if (!path)
        return QStringLiteral("Only local files and http(s) streams can be opened: %1").arg(uri);
    // After the answer: a walk or a large list is long work, and the caller must not wait.
    QTimer::singleShot(0, this, [this, file = *path] { Run([&] { player_.AddAndPlay(file); }); });
    return {};
}

// --- Player interface: properties ---

QString MprisService::PlaybackStatus() const {
    const MediaMode mode = device_.Mode();
    if (mode == MediaMode::NotReady)
        return Text(PlaybackStatusName(mode, 0, 0));  // Length would throw
    return Text(PlaybackStatusName(mode, device_.Position(), device_.Length()));
}

QString MprisService::LoopStatus() const {
    return Text(LoopStatusName(player_.LoopOn() ? 1 : 0));
}

void MprisService::SetLoopStatus(const QString& status) {
    const auto wanted = LoopWanted(status.toStdString());
    if (wanted && *wanted != player_.LoopOn())
        Run([this] { player_.ToggleLoop(); });
}

bool MprisService::Shuffle() const {
    return player_.ShuffleOn();
}

void MprisService::SetShuffle(bool on) {
    if (on != Shuffle())
        Run([this] { player_.ToggleShuffle(); });
}

QString MprisService::TrackId() const {
    const bool open = device_.Mode() != MediaMode::NotReady && !device_.OpenFile().empty();
    return Text(TrackIdPath(open ? device_.OpenCount() : 0));
}

QVariantMap MprisService::Metadata() const {
    QVariantMap metadata;
    metadata.insert(QStringLiteral("mpris:trackid"),
                    QVariant::fromValue(QDBusObjectPath(TrackId())));
    if (device_.Mode() == MediaMode::NotReady || device_.OpenFile().empty())
        return metadata;
    const std::string& file = device_.OpenFile();
    // The entry being played names the track; after edits moved it, the file's own name does.
    const PlayListEntry* entry = player_.CurrentEntry();
    if (entry && entry->Path != file)
        entry = nullptr;
    std::string title = entry ? entry->Caption : file.substr(file.rfind('/') + 1);
    const TrackTags* tags = entry ? entry->Tags.get() : nullptr;
    if (tags && !tags->Title.empty())
        title = tags->Title;
    if (StreamText::IsStreamAddress(file)) {
        // A stream has no length; its title is what it says it plays, as in the caption.
        if (const std::string now = device_.StreamTitle(); !now.empty())
            title = now;
        metadata.insert(QStringLiteral("xesam:title"), Text(title));
        metadata.insert(QStringLiteral("xesam:url"), Text(file));
        return metadata;
    }
    std::int64_t length = device_.Length();
    if (length <= 0 && tags && tags->LengthMs > 0)
        length = tags->LengthMs;
    metadata.insert(QStringLiteral("mpris:length"), qlonglong(length) * 1000);
    metadata.insert(QStringLiteral("xesam:title"), Text(title));
    // A CUE sheet's track names its file: a client that opens the url gets the file itself.
    metadata.insert(QStringLiteral("xesam:url"),
                    QUrl::fromLocalFile(Text(PlayedFileOf(file))).toString(QUrl::FullyEncoded));
    if (tags) {
        // Artists are lists in MPRIS; a tag holds one text.
        if (!tags->Artist.empty())
            metadata.insert(QStringLiteral("xesam:artist"), QStringList{Text(tags->Artist)});
        if (!tags->AlbumArtist.empty())
            metadata.insert(QStringLiteral("xesam:albumArtist"),
                            QStringList{Text(tags->AlbumArtist)});
        if (!tags->Album.empty())
            metadata.insert(QStringLiteral("xesam:album"), Text(tags->Album));
        if (tags->Track > 0)
            metadata.insert(QStringLiteral("xesam:trackNumber"), tags->Track);
    }
    if (art_) {
        const std::string picture = art_->PictureFor(PlayedFileOf(file));
        if (!picture.empty())
            metadata.insert(QStringLiteral("mpris:artUrl"),
                            QUrl::fromLocalFile(Text(picture)).toString(QUrl::FullyEncoded));
    }
    return metadata;
}

qint64 MprisService::Position() const {
    return qint64(device_.Position()) * 1000;
}

double MprisService::Volume() const {
    const std::optional<int> volume = player_.Volume();
    if (!volume || *volume < 0)
        return 0;
    return std::min<double>(*volume, VolumeSteps) / VolumeSteps;
}

void MprisService::SetVolume(double volume) {
    if (!player_.HasVolume() || std::isnan(volume))
        return;
    const int steps = static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * VolumeSteps));
    volumeRead_ = true;
    Run([this, steps] { player_.SetVolume(steps); });
}

bool MprisService::CanGoNext() const {
    return player_.CanGoNext();
}

bool MprisService::CanGoPrevious() const {
    return player_.CanGoPrevious();
}

bool MprisService::CanPlay() const {
    return player_.CanPlay();
}

bool MprisService::CanPause() const {
    return player_.CanPause();
}

bool MprisService::CanSeek() const {
    // The track bar's handler seeks only a playing or stopped file.
    const MediaMode mode = device_.Mode();
    return player_.CanSeek() && (mode == MediaMode::Playing || mode == MediaMode::Stopped);
}

// --- Telling clients ---

void MprisService::Answer(const QDBusMessage& message, const QString& error) {
    if (error.isEmpty())
        return;
    message.setDelayedReply(true);
    connection_.send(message.createErrorReply(QString::fromLatin1(ErrorName), error));
}

MprisService::Seen MprisService::Look() const {
    Seen seen;
    seen.status = PlaybackStatus();
    seen.loop = LoopStatus();
    seen.trackId = TrackId();
    seen.metadata = Metadata();
    seen.shuffle = Shuffle();
    seen.canNext = CanGoNext();
    seen.canPrevious = CanGoPrevious();
    seen.canPlay = CanPlay();
    seen.canPause = CanPause();
    seen.canSeek = CanSeek();
    seen.volume = seen_.volume;  // read by Refresh, less often
    seen.mimeTypes = SupportedMimeTypes();
    return seen;
}

void MprisService::Refresh() {
    if (serviceName_.isEmpty())
        return;
    Seen now = Look();
    // The mixer answers over the sound server, which the user-interface thread would wait for:
    // its volume is read once a second, and at once after a client set it.
    if (volumeRead_ || ++volumeTicks_ >= VolumeTicks) {
        now.volume = Volume();
        volumeTicks_ = 0;
        volumeRead_ = false;
    }
    QVariantMap player;
    if (now.status != seen_.status)
        player.insert(QStringLiteral("PlaybackStatus"), now.status);
    if (now.loop != seen_.loop)
        player.insert(QStringLiteral("LoopStatus"), now.loop);
    if (now.shuffle != seen_.shuffle)
        player.insert(QStringLiteral("Shuffle"), now.shuffle);
    // Tags that arrive while the file plays, or its picture, change it too.
    if (now.trackId != seen_.trackId || now.metadata != seen_.metadata)
        player.insert(QStringLiteral("Metadata"), now.metadata);
    if (now.volume != seen_.volume)
        player.insert(QStringLiteral("Volume"), now.volume);
    if (now.canNext != seen_.canNext)
        player.insert(QStringLiteral("CanGoNext"), now.canNext);
    if (now.canPrevious != seen_.canPrevious)
        player.insert(QStringLiteral("CanGoPrevious"), now.canPrevious);
    if (now.canPlay != seen_.canPlay)
        player.insert(QStringLiteral("CanPlay"), now.canPlay);
    if (now.canPause != seen_.canPause)
        player.insert(QStringLiteral("CanPause"), now.canPause);
    if (now.canSeek != seen_.canSeek)
        player.insert(QStringLiteral("CanSeek"), now.canSeek);
    if (!player.isEmpty())
        Emit(PlayerInterface, player);
    if (now.mimeTypes != seen_.mimeTypes)
        Emit(RootInterface, {{QStringLiteral("SupportedMimeTypes"), now.mimeTypes}});
    // A new file is no seek; a seek inside the file still playing is.
    if (seekPending_ && now.trackId == seen_.trackId && device_.Mode() != MediaMode::NotReady) {
        QDBusMessage seeked = QDBusMessage::createSignal(QString::fromLatin1(ObjectPath),
                                                         QString::fromLatin1(PlayerInterface),
                                                         QStringLiteral("Seeked"));
        seeked << qlonglong(Position());
        connection_.send(seeked);
    }
    seekPending_ = false;
    seen_ = now;
}

void MprisService::Emit(const char* interface, const QVariantMap& changed) {
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(ObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(interface) << changed << QStringList();
    connection_.send(signal);
}
