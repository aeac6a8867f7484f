// The displays of the main window: the progress LCD and the six mode lamps with the handlers
// that keep each pair of lamps alike. Where they finally stand is CreateLayout's business;
// CreateDisplays puts them into the mode strip at their designed places.
#include <QFrame>

#include "TQuavrel.h"
#include "widgets/TAMAdvLed.h"
#include "widgets/TLCDLabel.h"

namespace {

constexpr Color kSteelBlue = 0xD7AE6A;

// A mode lamp: a sunken square, lime when lit, black when dark.
TAMAdvLed* ModeLamp(QWidget* parent, const char* name, int left, int top) {
    auto* lamp = new TAMAdvLed(parent);
    lamp->setObjectName(QString::fromLatin1(name));
    lamp->SetLedType(TLedType::ltSquare);
    lamp->SetBorderStyle(TBorder::brLowered);
    lamp->SetColorOff(clBlack);
    lamp->move(left, top);
    lamp->Loaded();
    return lamp;
}

}  // namespace

void TQuavrel::CreateDisplays() {
    auto* strip = new QFrame(this);
    strip->setObjectName(QStringLiteral("Panel3"));
    strip->setFrameShape(QFrame::Panel);
    strip->setFrameShadow(QFrame::Sunken);
    Panel3 = strip;
    Panel7 = new QWidget(Panel3);
    Panel7->setObjectName(QStringLiteral("Panel7"));
    Panel7->setGeometry(0, 0, 360, 26);

    LedS = ModeLamp(Panel7, "LedS", 7, 7);
    AMAdvLed1 = ModeLamp(Panel7, "AMAdvLed1", 74, 7);
    LedL = ModeLamp(Panel7, "LedL", 105, 7);
    AMAdvLed2 = ModeLamp(Panel7, "AMAdvLed2", 171, 7);
    LedP = ModeLamp(Panel7, "LedP", 203, 7);
    AMAdvLed3 = ModeLamp(Panel7, "AMAdvLed3", 268, 7);
    LedS->OnLedStateChanged = [this](TAMAdvLed* sender, bool on, int count) {
        LedSLedStateChanged(sender, on, count);
    };
    LedL->OnLedStateChanged = [this](TAMAdvLed* sender, bool on, int count) {
        LedLLedStateChanged(sender, on, count);
    };
    LedP->OnLedStateChanged = [this](TAMAdvLed* sender, bool on, int count) {
        LedPLedStateChanged(sender, on, count);
    };
    // Loop is on at start.
    LedL->SetLedOn(true);

    // Until the progress toolbar takes it, the LCD waits at the strip's right end.
    LCDLabel1 = new TLCDLabel(Panel7, &services_.messages);
    LCDLabel1->setObjectName(QStringLiteral("LCDLabel1"));
    LCDLabel1->SetDotMatrix(TDotMatrix::Hitachi);
    LCDLabel1->SetPixelSize(TPixelSize::pix2x2);
    LCDLabel1->SetPixelShape(TPixelShape::Square);
    LCDLabel1->SetPixelSpacing(1);
    LCDLabel1->SetCharSpacing(3);
    LCDLabel1->SetLineSpacing(1);
    LCDLabel1->SetBorderSpace(2);
    LCDLabel1->SetTextLines(1);
    LCDLabel1->SetNoOfChars(3);
    LCDLabel1->SetBackGround(kSteelBlue);
    LCDLabel1->SetBorderStyle(TMyBorder::Raised);
    LCDLabel1->SetPixelOn(clBlack);
    LCDLabel1->SetPixelOff(0xAAAAAA);
    LCDLabel1->setToolTip(QStringLiteral("Percentage Played"));
    LCDLabel1->move(300, 0);
    LCDLabel1->OnClick = [this] { Guarded(&TQuavrel::LCDLabel1Click); };
}

void TQuavrel::LedSLedStateChanged(TAMAdvLed*, bool ledOn, int) {
    AMAdvLed1->SetLedOn(ledOn);
}

void TQuavrel::LedLLedStateChanged(TAMAdvLed*, bool ledOn, int) {
    AMAdvLed2->SetLedOn(ledOn);
}

void TQuavrel::LedPLedStateChanged(TAMAdvLed*, bool ledOn, int) {
    AMAdvLed3->SetLedOn(ledOn);
}
