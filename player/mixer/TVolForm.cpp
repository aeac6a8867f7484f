#include "mixer/TVolForm.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

namespace {

constexpr int MaxPosition = 65535;

}  // namespace

TVolForm::TVolForm(TAudioMixer& mixer, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint), mixer_(mixer) {
    setObjectName(QStringLiteral("VolForm"));
    // A click on the volume button while the pop-up is open only closes it.
    setAttribute(Qt::WA_NoMouseReplay);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);

    TrackBar1 = new QSlider(Qt::Vertical, Panel1);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setGeometry(2, 17, 45, 120);
    TrackBar1->setRange(0, MaxPosition);
    TrackBar1->setSingleStep(1);
    TrackBar1->setPageStep(MaxPosition / 16);
    // Position 0 at the top; the up key and the wheel turned up move towards it (louder).
    TrackBar1->setInvertedAppearance(true);
    TrackBar1->setInvertedControls(true);
    TrackBar1->setTickPosition(QSlider::TicksBothSides);
    TrackBar1->setTickInterval(MaxPosition);  // marks at the two ends only

    VolCheck = new QCheckBox(Panel1);
    VolCheck->setObjectName(QStringLiteral("VolCheck"));
    VolCheck->setGeometry(15, 3, 17, 17);
    // A click on the box leaves the focus on the slider: moving it away closes the pop-up.
    VolCheck->setFocusPolicy(Qt::TabFocus);

    const int width = TrackBar1->width() + 5;
    setFixedSize(width, DesignedHeight);
    Panel1->setGeometry(0, 0, width, DesignedHeight);

    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(TrackBar1, &QSlider::sliderReleased, this, [this] { TrackBar1EndDrag(); });
    connect(VolCheck, &QCheckBox::toggled, this, [this] { VolCheckClick(); });
    TrackBar1->installEventFilter(this);
    Panel1->installEventFilter(this);
    setFocusProxy(TrackBar1);
}

void TVolForm::ShowVolume(const std::optional<MixerVolume>& volume) {
    QString volumeHint;
    QString muteHint;
    if (!volume) {
        const QString why = mixer_.MixerID() == -1 ? tr("no PulseAudio sound server answers")
                                                   : tr("no sound output is available");
        volumeHint = tr("Volume unavailable: %1").arg(why);
        muteHint = tr("Mute unavailable: %1").arg(why);
    } else {
        if (volume->VolumeUnavailable)
            volumeHint = tr("Volume unavailable: the output has no volume control");
        if (volume->MuteUnavailable)
            muteHint = tr("Mute unavailable: the output has no mute control");
    }
    TrackBar1->setEnabled(volumeHint.isEmpty());
    TrackBar1->setToolTip(volumeHint);
    VolCheck->setEnabled(muteHint.isEmpty());
    VolCheck->setToolTip(muteHint);

    // Showing a value is not a change by the user: nothing is written back, so another
    // program's balance between the channels stays as it is.
    if (volume && !volume->VolumeUnavailable && !TrackBar1->isSliderDown()) {
        const QSignalBlocker blocker(TrackBar1);
        TrackBar1->setValue(MaxPosition -
                            static_cast<int>(std::min<std::int64_t>(volume->Left, MaxPosition)));
    }
    if (volume && !volume->MuteUnavailable) {
        const QSignalBlocker blocker(VolCheck);
        VolCheck->setChecked(volume->Mute == 1);
    }
}

void TVolForm::Refresh() {
    ShowVolume(mixer_.GetVolume(0, -1));
}

void TVolForm::PopUp(const QRect& mainFrame) {
    Refresh();
    move(mainFrame.left() + mainFrame.width() - width(),
         mainFrame.top() + mainFrame.height() - height());
    show();
    activateWindow();
    TrackBar1->setFocus(Qt::PopupFocusReason);
}

void TVolForm::TrackBar1Change() {
    mixer_.SetVolume(0, -1, MaxPosition - TrackBar1->value(), -1, VolCheck->isChecked() ? 1 : 0);
}

void TVolForm::VolCheckClick() {
    // Only the mute: writing the slider's volume too would set both channels to the left one's
    // value and lose a balance set elsewhere.
    mixer_.SetVolume(0, -1, -1, -1, VolCheck->isChecked() ? 1 : 0);
}

void TVolForm::Panel1DblClick() {
    TrackBar1Change();
}

void TVolForm::FormDeactivate() {
    hide();
}

void TVolForm::TrackBar1Exit() {
    hide();
}

void TVolForm::TrackBar1EndDrag() {
    hide();
}

bool TVolForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TrackBar1 && event->type() == QEvent::FocusOut && isVisible())
        TrackBar1Exit();
    else if (watched == Panel1 && event->type() == QEvent::MouseButtonDblClick)
        Panel1DblClick();
    return QWidget::eventFilter(watched, event);
}

void TVolForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        FormDeactivate();
}
