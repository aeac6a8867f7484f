#include "mixer/TVolForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

#include "widgets/AccessibleWidgets.h"

namespace {

constexpr int MaxPosition = 65535;
// A press on the volume button that took the activation from the pop-up arrives this soon
// after the pop-up closed: it only closes, as a click outside a menu does.
constexpr qint64 ClosingPressMs = 300;

}  // namespace

// Closes the pop-up on a mouse press anywhere else in the program, as Qt closes a Qt::Popup.
class TVolForm::OutsidePress final : public QObject {
public:
    explicit OutsidePress(TVolForm* form) : QObject(form), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget != form_ && !form_->isAncestorOf(widget))
                form_->Close();
        }
        return false;
    }

private:
    TVolForm* form_;
};

// A tool window rather than a Qt::Popup: Qt leaves pop-ups out of the accessibility tree, so a
// screen reader could not find the slider. Losing the activation closes it as a pop-up closes.
TVolForm::TVolForm(TAudioMixer& mixer, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), mixer_(mixer) {
    setObjectName(QStringLiteral("VolForm"));
    setWindowTitle(tr("Volume"));
    setAccessibleName(tr("Volume"));
    outsidePress_ = new OutsidePress(this);

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
    AccessibleWidgets::ExposeAsPercent(TrackBar1, true);
    TrackBar1->setAccessibleName(tr("Volume"));

    VolCheck = new QCheckBox(Panel1);
    VolCheck->setObjectName(QStringLiteral("VolCheck"));
    VolCheck->setGeometry(15, 3, 17, 17);
    // A click on the box leaves the focus on the slider: moving it away closes the pop-up.
    VolCheck->setFocusPolicy(Qt::TabFocus);
    VolCheck->setAccessibleName(tr("Mute"));

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
    // A press anywhere else in the program closes it, whatever the window manager does.
    qApp->installEventFilter(outsidePress_);
}

void TVolForm::Toggle(const QRect& mainFrame) {
    if (isVisible() || (closed_.isValid() && closed_.elapsed() < ClosingPressMs)) {
        Close();
        return;
    }
    PopUp(mainFrame);
}

void TVolForm::Close() {
    if (!isVisible())
        return;
    Hidden();
    // Back to the window that opened it, so the keyboard goes on where it was.
    if (QWidget* owner = parentWidget()) {
        owner->activateWindow();
        owner->raise();
    }
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

void TVolForm::Hidden() {
    hide();
    closed_.start();
    qApp->removeEventFilter(outsidePress_);
}

void TVolForm::FormDeactivate() {
    Hidden();
}

void TVolForm::TrackBar1Exit() {
    Hidden();
}

void TVolForm::TrackBar1EndDrag() {
    Close();
}

void TVolForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TVolForm::eventFilter(QObject* watched, QEvent* event) {
    // Tab moves between the slider and the mute box; any other way of leaving closes.
    const auto leaves = [](QEvent* e) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
        return reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason;
    };
    if (watched == TrackBar1 && event->type() == QEvent::FocusOut && isVisible() && leaves(event))
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
