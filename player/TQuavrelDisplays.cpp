// The progress LCD of the main window. Where it finally stands is CreateLayout's business; the
// mode lamps are the mode strip's (ModeStrip).
#include "ModeStrip.h"
#include "TQuavrel.h"
#include "WindowLook.h"
#include "widgets/TLCDLabel.h"

void TQuavrel::CreateDisplays() {
    // Until the progress toolbar takes it, the LCD waits at the mode strip's right end.
    LCDLabel1 = new TLCDLabel(Panel3->Panel7(), &services_.messages);
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
