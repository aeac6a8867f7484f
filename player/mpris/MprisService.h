#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class CoverArt;
class PlayerControl;
class TrackedMediaDevice;

// The player on the session bus as an MPRIS2 media player: the name
// org.mpris.MediaPlayer2.quavrel (or ....quavrel.instance<pid> when a second copy holds the
// first), the object /org/mpris/MediaPlayer2, the root and the player interfaces. Each command
// runs the handler the matching button or menu item runs, so the program's own rules hold;
// the properties are read from the player (PlayerControl, which the main window implements)
// when asked. After every command and every tick of the player's timer the state is compared
// with what clients last saw, and what changed goes out in PropertiesChanged; a seek, by a
// client or by the track bar, sends Seeked.
//
// Without a session bus nothing is registered and the player runs as before. The service is
// made a child of the window and lives on the user-interface thread. Commands return the text of
// the error a handler raised (empty when none), which the adaptors send back as a D-Bus error; the
// same text is shown to the user in a message box afterwards, as the button would show it.
class MprisService : public QObject {
    Q_OBJECT

public:
    static constexpr const char* ObjectPath = "/org/mpris/MediaPlayer2";
    static constexpr const char* ErrorName = "org.mpris.MediaPlayer2.quavrel.Error";

    // The player must play through device; both outlive the service, which parent (the window)
    // deletes. Registers at once on connection, by default the session bus.
    MprisService(PlayerControl& player, TrackedMediaDevice& device, QObject* parent,
                 QDBusConnection connection = QDBusConnection::sessionBus());
    ~MprisService() override;

    // Finds the playing file's picture for mpris:artUrl; none without (the default). art must
    // outlive the service.
    void SetCoverArt(CoverArt* art) { art_ = art; }

    // The bus name held; empty when the bus was missing or refused every name.
    const QString& ServiceName() const { return serviceName_; }

    // --- org.mpris.MediaPlayer2 ---
    QString Raise();
    QString Quit();  // leaves as "Exit" in the main menu does, once the reply has gone out
    QStringList SupportedMimeTypes() const;

    // --- org.mpris.MediaPlayer2.Player: commands ---
    QString Play();
    QString Pause();
    QString PlayPause();
    QString Stop();  // the "Stop" button, which stops at the position
    QString Next();
    QString Previous();
    QString Seek(qint64 offsetUs);
    QString SetPosition(const QString& trackId, qint64 positionUs);
    // Adds a local file (a file: URI) as a drop on the play list would, then plays the new
    // entry as a double-click on it would. Answers at once: the work (a folder's walk, a large
    // list) runs afterwards as the window's long work, with its progress dialog, while the bus
    // is answered. An address that is no local file is an error.
    QString OpenUri(const QString& uri);

    // --- org.mpris.MediaPlayer2.Player: properties ---
    QString PlaybackStatus() const;
    QString LoopStatus() const;
    void SetLoopStatus(const QString& status);
    bool Shuffle() const;
    void SetShuffle(bool on);
    QVariantMap Metadata() const;
    QString TrackId() const;
    qint64 Position() const;  // microseconds
    double Volume() const;    // destination 0 of the mixer, 0 to 1; 0 without one
    void SetVolume(double volume);
    bool CanGoNext() const;
    bool CanGoPrevious() const;
    bool CanPlay() const;
    bool CanPause() const;
    bool CanSeek() const;

    // Answers a call with ErrorName carrying error, instead of the empty reply Qt would send;
    // does nothing when error is empty. For the adaptors' slots, given the call's message.
    void Answer(const QDBusMessage& message, const QString& error);

    // Sends PropertiesChanged for what changed since the last call, and Seeked when a seek
    // happened since. Runs on every tick of the window's timer and after every command.
    void Refresh();

private:
    // What clients have been told, to tell them only what changed.
    struct Seen {
        QString status, loop, trackId;
        QVariantMap metadata;
        bool shuffle = false, canNext = false, canPrevious = false, canPlay = false,
             canPause = false, canSeek = false;
        double volume = -1;
        QStringList mimeTypes;
    };

    // The transport commands, which a burst of calls may carry out fewer times than asked.
    enum class Transport { Play, Pause, PlayPause, Stop, Next, Previous };
    // The first transport command of a burst runs at once, as a button would; those that come
    // while the burst lasts (before the event loop has caught up with the calls) are answered at
    // once and queued, a command of the kind last queued (but PlayPause) taken as that one, and
    // run one per turn of the event loop. So 10,000 calls of Next open a handful of files
    // rather than each of them in turn.
    QString RunTransport(Transport kind, const std::function<void()>& command);
    void NextOfBurst();

    Seen Look() const;
    // Runs a command; an error it raises comes back as its text and is shown to the user.
    QString Attempt(const std::function<void()>& command);
    // Attempt, then Refresh.
    QString Run(const std::function<void()>& command);
    QString SeekTo(std::int64_t positionMs);
    void Emit(const char* interface, const QVariantMap& changed);

    PlayerControl& player_;
    TrackedMediaDevice& device_;
    QDBusConnection connection_;
    CoverArt* art_ = nullptr;
    QString serviceName_;
    Seen seen_;
    bool seekPending_ = false;
    bool burst_ = false;  // a transport command ran and the event loop has not caught up yet
    std::deque<std::pair<Transport, std::function<void()>>> queued_;
    int volumeTicks_ = 0;
    bool volumeRead_ = false;  // a client set the volume: read it at the next refresh
    // SupportedMimeTypes for the filter list it was made from.
    mutable std::vector<std::string> mimeExtensions_;
    mutable QStringList mimeTypes_;
    mutable bool mimeKnown_ = false;
};
