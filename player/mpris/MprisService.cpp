#include "mpris/MprisService.h"

#include "playlist/FileUri.h"

#include <QAbstractSlider>
#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <cmath>
#include <stdexcept>

#include "TQuavrel.h"
#include "mixer/TAudioMixer.h"
#include "mixer/TVolForm.h"
#include "mpris/ExtensionMimeTypes.h"
#include "mpris/MprisPlayerAdaptor.h"
#include "mpris/MprisRootAdaptor.h"
#include "mpris/MprisValues.h"
#include "mpris/TrackedMediaDevice.h"
#include "playlist/FileUri.h"

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

MprisService::MprisService(TQuavrel& window, TrackedMediaDevice& device, QDBusConnection connection)
    : QObject(&window), window_(window), device_(device), connection_(std::move(connection)) {
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
    // After the window's own handlers, so the state read is the state they left.
    connect(window_.Timer, &QTimer::timeout, this, &MprisService::Refresh);
    connect(window_.TrackBar, &QAbstractSlider::actionTriggered, this, [this] {
        seekPending_ = true;
        QTimer::singleShot(0, this, &MprisService::Refresh);
    });
}

MprisService::~MprisService() {
    if (serviceName_.isEmpty())
        return;
    connection_.unregisterObject(QString::fromLatin1(ObjectPath));
    connection_.unregisterService(serviceName_);
}

QString MprisService::Run(const std::function<void()>& command) {
    QString error;
    try {
        command();
    } catch (const std::exception& raised) {
        error = QString::fromUtf8(raised.what());
        // The box runs a nested event loop: show it once the caller has its answer.
        const std::string text = raised.what();
        QTimer::singleShot(0, &window_,
                           [this, text] { window_.ShowException(std::runtime_error(text)); });
    }
    Refresh();
    return error;
}

// --- Root interface ---

QString MprisService::Raise() {
    return Run([this] {
        if (window_.isMinimized())
            window_.showNormal();
        window_.show();
        window_.raise();
        window_.activateWindow();
    });
}

QString MprisService::Quit() {
    // Closing may ask nothing, but it ends the event loop: answer first.
    QTimer::singleShot(0, &window_, [this] {
        try {
            window_.Exit2Click();
        } catch (const std::exception& error) {
            window_.ShowException(error);
        }
    });
    return {};
}

QStringList MprisService::SupportedMimeTypes() const {
    static const std::vector<std::string> none;
    const std::vector<std::string>& list = window_.FilterList ? *window_.FilterList : none;
    if (!mimeKnown_ || list != mimeExtensions_) {
        mimeExtensions_ = list;
        mimeTypes_ = ExtensionMimeTypes(list);
        mimeKnown_ = true;
    }
    return mimeTypes_;
}

// --- Player interface: commands ---

QString MprisService::Play() {
    return Run([this] { window_.PlayClick(); });
}

QString MprisService::Pause() {
    return Run([this] { window_.PauseClick(); });
}

QString MprisService::PlayPause() {
    return Run([this] {
        if (device_.Mode() == MediaMode::Playing)
            window_.PauseClick();
        else
            window_.PlayClick();
    });
}

QString MprisService::Stop() {
    return Run([this] { window_.PauseClick(); });
}

QString MprisService::Next() {
    return Run([this] { window_.NextSClick(); });
}

QString MprisService::Previous() {
    return Run([this] { window_.PrevSClick(); });
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
    QSlider* bar = window_.TrackBar;
    if (positionMs > bar->maximum())
        return {};
    return Run([this, bar, positionMs] {
        bar->setValue(static_cast<int>(positionMs));
        seekPending_ = true;
        window_.TrackBarChange();
    });
}

QString MprisService::OpenUri(const QString& uri) {
    // As the command line: a play list loads, a media file or folder is added and plays.
    const std::optional<std::string> path = FileUriPath(uri.toStdString());
    if (!path)
        return QStringLiteral("Only local files can be opened: %1").arg(uri);
    QString refused;
    QString error = Run([this, &path, &refused] {
        if (!window_.OpenFiles({*path}))
            refused = QStringLiteral("The play list did not take %1").arg(Text(*path));
    });
    return error.isEmpty() ? refused : error;
}

// --- Player interface: properties ---

QString MprisService::PlaybackStatus() const {
    const MediaMode mode = device_.Mode();
    if (mode == MediaMode::NotReady)
        return Text(PlaybackStatusName(mode, 0, 0));  // Length would throw
    return Text(PlaybackStatusName(mode, device_.Position(), device_.Length()));
}

QString MprisService::LoopStatus() const {
    return Text(LoopStatusName(window_.LoopOn));
}

void MprisService::SetLoopStatus(const QString& status) {
    const auto wanted = LoopWanted(status.toStdString());
    if (wanted && *wanted != (window_.LoopOn == 1))
        Run([this] { window_.Loop1Click(); });
}

bool MprisService::Shuffle() const {
    return window_.ShuffleOn == 1;
}

void MprisService::SetShuffle(bool on) {
    if (on != Shuffle())
        Run([this] { window_.Shuffle2Click(); });
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
    std::string title = file.substr(file.rfind('/') + 1);
    const PlayList& list = window_.PlayListModel;
    if (list.Contains(window_.PlayIndex) && list.At(window_.PlayIndex).Path == file)
        title = list.At(window_.PlayIndex).Caption;
    metadata.insert(QStringLiteral("mpris:length"), qlonglong(device_.Length()) * 1000);
    metadata.insert(QStringLiteral("xesam:title"), Text(title));
    metadata.insert(QStringLiteral("xesam:url"),
                    QUrl::fromLocalFile(Text(file)).toString(QUrl::FullyEncoded));
    return metadata;
}

qint64 MprisService::Position() const {
    return qint64(device_.Position()) * 1000;
}

double MprisService::Volume() const {
    if (!window_.Mixer)
        return 0;
    const auto volume = window_.Mixer->GetVolume(0, -1);
    if (!volume || volume->VolumeUnavailable || volume->Left < 0)
        return 0;
    return std::min<double>(volume->Left, VolumeSteps) / VolumeSteps;
}

void MprisService::SetVolume(double volume) {
    if (!window_.Mixer || !window_.VolForm || std::isnan(volume))
        return;
    const int steps = static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * VolumeSteps));
    volumeRead_ = true;
    Run([this, steps] {
        // As a move of the pop-up's slider (top loudest), with its mute box as the mixer has it.
        TVolForm& form = *window_.VolForm;
        form.ShowVolume(window_.Mixer->GetVolume(0, -1));
        if (!form.TrackBar1->isEnabled())
            return;
        const int value = static_cast<int>(VolumeSteps) - steps;
        if (form.TrackBar1->value() == value)
            form.TrackBar1Change();
        else
            form.TrackBar1->setValue(value);  // its change runs TrackBar1Change
    });
}

bool MprisService::CanGoNext() const {
    return window_.NextS->isEnabled();
}

bool MprisService::CanGoPrevious() const {
    return window_.PrevS->isEnabled();
}

bool MprisService::CanPlay() const {
    return window_.Play->isEnabled();
}

bool MprisService::CanPause() const {
    return window_.Pause->isEnabled();
}

bool MprisService::CanSeek() const {
    // The track bar's handler seeks only a playing or stopped file.
    const MediaMode mode = device_.Mode();
    return window_.TrackBar->isEnabled() &&
           (mode == MediaMode::Playing || mode == MediaMode::Stopped);
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
    const QVariantMap metadata = Metadata();
    seen.title = metadata.value(QStringLiteral("xesam:title")).toString();
    seen.url = metadata.value(QStringLiteral("xesam:url")).toString();
    seen.length = metadata.value(QStringLiteral("mpris:length"), -1).toLongLong();
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
    if (now.trackId != seen_.trackId || now.title != seen_.title || now.url != seen_.url ||
        now.length != seen_.length)
        player.insert(QStringLiteral("Metadata"), Metadata());
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
