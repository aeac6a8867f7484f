#include "mpris/MprisRootAdaptor.h"

#include "mpris/MprisService.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

QStringList MprisRootAdaptor::SupportedMimeTypes() const {
    return service_.SupportedMimeTypes();
}

void MprisRootAdaptor::Raise(const QDBusMessage& message) {
    service_.Answer(message, service_.Raise());
}

void MprisRootAdaptor::Quit(const QDBusMessage& message) {
    service_.Answer(message, service_.Quit());
}
