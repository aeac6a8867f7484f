#include "mpris/MprisPlayerAdaptor.h"

#include "mpris/MprisService.h"

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

QString MprisPlayerAdaptor::PlaybackStatus() const {
    return service_.PlaybackStatus();
}

QString MprisPlayerAdaptor::LoopStatus() const {
    return service_.LoopStatus();
}

void MprisPlayerAdaptor::SetLoopStatus(const QString& status) {
    service_.SetLoopStatus(status);
}

bool MprisPlayerAdaptor::Shuffle() const {
    return service_.Shuffle();
}

void MprisPlayerAdaptor::SetShuffle(bool on) {
    service_.SetShuffle(on);
}

QVariantMap MprisPlayerAdaptor::Metadata() const {
    return service_.Metadata();
}

double MprisPlayerAdaptor::Volume() const {
    return service_.Volume();
}

void MprisPlayerAdaptor::SetVolume(double volume) {
    service_.SetVolume(volume);
}

qlonglong MprisPlayerAdaptor::Position() const {
    return service_.Position();
}

bool MprisPlayerAdaptor::CanGoNext() const {
    return service_.CanGoNext();
}

bool MprisPlayerAdaptor::CanGoPrevious() const {
    return service_.CanGoPrevious();
}

bool MprisPlayerAdaptor::CanPlay() const {
    return service_.CanPlay();
}

bool MprisPlayerAdaptor::CanPause() const {
    return service_.CanPause();
}

bool MprisPlayerAdaptor::CanSeek() const {
    return service_.CanSeek();
}

void MprisPlayerAdaptor::Play(const QDBusMessage& message) {
    service_.Answer(message, service_.Play());
}

void MprisPlayerAdaptor::Pause(const QDBusMessage& message) {
    service_.Answer(message, service_.Pause());
}

void MprisPlayerAdaptor::PlayPause(const QDBusMessage& message) {
    service_.Answer(message, service_.PlayPause());
}

void MprisPlayerAdaptor::Stop(const QDBusMessage& message) {
    service_.Answer(message, service_.Stop());
}

void MprisPlayerAdaptor::Next(const QDBusMessage& message) {
    service_.Answer(message, service_.Next());
}

void MprisPlayerAdaptor::Previous(const QDBusMessage& message) {
    service_.Answer(message, service_.Previous());
}

void MprisPlayerAdaptor::Seek(qlonglong Offset, const QDBusMessage& message) {
    service_.Answer(message, service_.Seek(Offset));
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position,
                                     const QDBusMessage& message) {
    service_.Answer(message, service_.SetPosition(TrackId.path(), Position));
}

void MprisPlayerAdaptor::OpenUri(const QString& Uri, const QDBusMessage& message) {
    service_.Answer(message, service_.OpenUri(Uri));
}
