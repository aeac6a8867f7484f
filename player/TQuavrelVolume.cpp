// The volume button, the mixer and the volume pop-up.
#include <QEvent>
#include <QIcon>
#include <QToolButton>
#include <functional>

#include "TQuavrel.h"
#include "mixer/TAudioMixer.h"
#include "mixer/TVolForm.h"

namespace {

// Runs an action for a press of any mouse button on the watched widget, and swallows the
// press: the pop-up that opens takes the mouse, so the button would never see the release
// and would stay drawn pressed.
class MouseDownFilter final : public QObject {
public:
    MouseDownFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

}  // namespace

QToolButton* TQuavrel::CreateVolumeBut() {
    if (VolumeBut)
        return VolumeBut;
    VolumeBut = new QToolButton(this);
    VolumeBut->setObjectName(QStringLiteral("VolumeBut"));
    VolumeBut->setToolTip(QStringLiteral("Volume"));
    VolumeBut->setIcon(QIcon(QStringLiteral(":/glyphs/volume.svg")));
    VolumeBut->setAutoRaise(true);
    VolumeBut->installEventFilter(
        new MouseDownFilter(VolumeBut, [this] { Guarded(&TQuavrel::VolumeButMouseDown); }));
    // The mouse never clicks it (the filter takes the press); the keyboard still can.
    connect(VolumeBut, &QToolButton::clicked, this,
            [this] { Guarded(&TQuavrel::VolumeButMouseDown); });
    return VolumeBut;
}

void TQuavrel::CreateVolume(MixerApi& mixerApi) {
    Mixer = {new TAudioMixer(mixerApi), [](TAudioMixer* mixer) { delete mixer; }};
    const auto follow = [this](TAudioMixer&, std::uint32_t, std::uint32_t) {
        Guarded(&TQuavrel::MixerControlChange);
    };
    Mixer->OnControlChange = follow;
    // A new default output, or one that came or went, changes what destination 0 is.
    Mixer->OnLineChange = follow;
    VolForm = new TVolForm(*Mixer, this);
    VolForm->hide();
    CreateVolumeBut();
}

void TQuavrel::VolumeButMouseDown() {
    // A press while the pop-up is open (or that just closed it) only closes it.
    if (VolForm)
        VolForm->Toggle(frameGeometry());
}

void TQuavrel::MixerControlChange() {
    if (VolForm)
        VolForm->Refresh();
}
