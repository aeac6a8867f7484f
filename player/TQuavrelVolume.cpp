// The volume button, the mixer and the volume pop-up.
#include <QEvent>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
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

// A loudspeaker, for desktops whose icon theme has none.
QIcon SpeakerIcon() {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor steelBlue(0x6A, 0xAE, 0xD7);
    painter.setBrush(steelBlue);
    QPainterPath body;
    body.moveTo(1, 6);
    body.lineTo(4, 6);
    body.lineTo(8, 2);
    body.lineTo(8, 14);
    body.lineTo(4, 10);
    body.lineTo(1, 10);
    body.closeSubpath();
    painter.drawPath(body);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(steelBlue, 1.5));
    painter.drawArc(QRectF(6, 4.5, 5, 7), -60 * 16, 120 * 16);
    painter.drawArc(QRectF(6, 2, 8.5, 12), -60 * 16, 120 * 16);
    return QIcon(picture);
}

}  // namespace

QToolButton* TQuavrel::CreateVolumeBut() {
    if (VolumeBut)
        return VolumeBut;
    VolumeBut = new QToolButton(this);
    VolumeBut->setObjectName(QStringLiteral("VolumeBut"));
    VolumeBut->setToolTip(QStringLiteral("Volume"));
    VolumeBut->setIcon(QIcon::fromTheme(QStringLiteral("audio-volume-high"), SpeakerIcon()));
    VolumeBut->setAutoRaise(true);
    VolumeBut->setFixedSize(19, 19);
    VolumeBut->installEventFilter(
        new MouseDownFilter(VolumeBut, [this] { Guarded(&TQuavrel::VolumeButMouseDown); }));
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
    if (VolForm)
        VolForm->PopUp(frameGeometry());
}

void TQuavrel::MixerControlChange() {
    if (VolForm)
        VolForm->Refresh();
}
