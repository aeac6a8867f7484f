#include "ModeStrip.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

#include "WindowLook.h"
#include "widgets/TAMAdvLed.h"

namespace {

constexpr int kHeight = 26;
constexpr int kModeWidth = 94;  // a mode button with its two lamps

// A mode lamp: a sunken square, lime when lit, black when dark.
TAMAdvLed* ModeLamp(QWidget* parent, const char* name) {
    auto* lamp = new TAMAdvLed(parent);
    lamp->setObjectName(QString::fromLatin1(name));
    lamp->SetLedType(TLedType::ltSquare);
    lamp->SetBorderStyle(TBorder::brLowered);
    lamp->SetColorOff(clBlack);
    lamp->Loaded();
    return lamp;
}

QToolButton* ModeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromLatin1(caption));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

ModeStrip::ModeStrip(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel3"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    Paint(this, kSteelBlue);
    setFixedHeight(kHeight);
    setMinimumWidth(0);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    panel7_ = new QWidget(this);
    panel7_->setObjectName(QStringLiteral("Panel7"));
    Paint(panel7_, kSteelBlue);
    panel7_->setGeometry(0, 0, 400, kHeight);
    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(QPixmap(QStringLiteral(":/glyphs/panel.svg")));
    image1->setScaledContents(true);
    image1->setGeometry(0, 0, 2000, kHeight);
    panel7_->raise();  // over the strip's picture
    CreateModes();
    CreateRest(3 + 3 * kModeWidth);
}

void ModeStrip::CreateModes() {
    const struct {
        const char* left;
        const char* name;
        const char* caption;
        const char* right;
    } modes[] = {{"LedS", "Shuffle", "Shuffle", "AMAdvLed1"},
                 {"LedL", "TBLoop", "Loop", "AMAdvLed2"},
                 {"LedP", "TBPlayMode", "Preview", "AMAdvLed3"}};
    QToolButton** buttons[] = {&shuffle_, &loop_, &preview_};
    int x = 3;
    for (int mode = 0; mode < 3; ++mode) {
        lamps_[mode][0] = ModeLamp(panel7_, modes[mode].left);
        lamps_[mode][0]->setGeometry(x, 6, 13, 13);
        *buttons[mode] = ModeButton(panel7_, modes[mode].name, modes[mode].caption);
        (*buttons[mode])->setGeometry(x + 15, 2, 58, 22);
        lamps_[mode][1] = ModeLamp(panel7_, modes[mode].right);
        lamps_[mode][1]->setGeometry(x + 75, 6, 13, 13);
        x += kModeWidth;
    }
    LeftLamp(0)->OnLedStateChanged = [this](TAMAdvLed* sender, bool on, int count) {
        LedSLedStateChanged(sender, on, count);
    };
    LeftLamp(1)->OnLedStateChanged = [this](TAMAdvLed* sender, bool on, int count) {
        LedLLedStateChanged(sender, on, count);
    };
    LeftLamp(2)->OnLedStateChanged = [this](TAMAdvLed* sender, bool on, int count) {
        LedPLedStateChanged(sender, on, count);
    };
    // Loop is on at start.
    LeftLamp(1)->SetLedOn(true);
}

void ModeStrip::CreateRest(int x) {
    length_ = new QLineEdit(QStringLiteral("5"), panel7_);
    length_->setObjectName(QStringLiteral("PMLen"));
    length_->setToolTip(QStringLiteral("Enter Number of Seconds to Preview"));
    // Digits only, as typed; nine of them keep any value inside a 32-bit number.
    length_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), length_));
    length_->setMaximumWidth(40);
    length_->setEnabled(false);
    length_->setGeometry(x, 3, 28, 20);
    auto* sec = new QLabel(QStringLiteral("Sec"), panel7_);
    sec->setObjectName(QStringLiteral("Sec"));
    sec->setGeometry(x + 30, 5, 22, 16);
    makeDefault_ = PictureButton(panel7_, "ToolbarButton972", "MD", "Make this PlayList Default",
                                 ":/glyphs/default.svg");
    makeDefault_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    makeDefault_->setGeometry(x + 54, 2, 26, 22);
    shortForm_ = PictureButton(panel7_, "ShortForm", "", "Short Form", ":/glyphs/shortform.svg");
    shortForm_->setGeometry(x + 82, 2, 26, 22);
    shortForm_->setIconSize(QSize(18, 18));
}

void ModeStrip::LedSLedStateChanged(TAMAdvLed*, bool ledOn, int) {
    RightLamp(0)->SetLedOn(ledOn);
}

void ModeStrip::LedLLedStateChanged(TAMAdvLed*, bool ledOn, int) {
    RightLamp(1)->SetLedOn(ledOn);
}

void ModeStrip::LedPLedStateChanged(TAMAdvLed*, bool ledOn, int) {
    RightLamp(2)->SetLedOn(ledOn);
}
