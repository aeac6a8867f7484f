#include "widgets/LedLamp.h"

#include <stdexcept>

LedLamp::LedLamp() {
    LoadLampImage();
}

bool LedLamp::SetLedType(TLedType value) {
    if (value == ledType_)
        return false;
    ledType_ = value;
    LoadLampImage();
    return true;
}

bool LedLamp::SetLedOn(bool value) {
    if (value == ledOn_)
        return false;
    ledOn_ = value;
    ++switchCount_;
    return true;
}

bool LedLamp::SetBorderStyle(TBorder value) {
    if (value == borderStyle_)
        return false;
    borderStyle_ = value;
    if (value != TBorder::brDefault)
        ctl3D_ = true;
    LoadLampImage();
    return true;
}

bool LedLamp::SetCtl3D(bool value) {
    if (value == ctl3D_)
        return false;
    ctl3D_ = value;
    if (!value)
        borderStyle_ = TBorder::brDefault;
    LoadLampImage();
    return true;
}

void LedLamp::LoadLampImage() {
    pictureName_ = LampPictureName(ledType_, borderStyle_, ctl3D_);
    const LampPicture* picture = FindLampPicture(pictureName_);
    if (picture == nullptr)  // the rim rules above never build such a name
        throw std::logic_error("no lamp picture " + pictureName_);
    lampImage_ = LampImageOf(*picture);
}

RgbImage LedLamp::Paint(Color background) const {
    return RecolourLamp(lampImage_, ledOn_ ? colorOn_ : colorOff_, background);
}
