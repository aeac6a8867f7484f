#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QStringList>

class MprisService;

// org.mpris.MediaPlayer2 on the service's object: raising and leaving, and what the player is.
// Names, members and types are the interface's; the work is the service's.
class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)

public:
    explicit MprisRootAdaptor(MprisService& service);

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const { return QStringLiteral("Quavrel"); }
    QString DesktopEntry() const { return QStringLiteral("quavrel"); }
    QStringList SupportedUriSchemes() const {
        return {QStringLiteral("file"), QStringLiteral("http"), QStringLiteral("https")};
    }
    QStringList SupportedMimeTypes() const;

public slots:
    void Raise(const QDBusMessage& message);
    void Quit(const QDBusMessage& message);

private:
    MprisService& service_;
};
