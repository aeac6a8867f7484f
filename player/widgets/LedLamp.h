#pragma once

#include <string>

#include "widgets/Colors.h"
#include "widgets/LampPictures.h"
#include "widgets/LedTypes.h"
#include "widgets/RgbImage.h"

// The LED lamp without a window: shape, rim, state and colours, the picture they select and the
// recoloured picture to paint. TAMAdvLed shows it and raises the state-change event.
//
// Setters return whether the lamp must be repainted. The rim rules: a raised or lowered rim
// needs the 3D look, so setting one turns Ctl3D on; the flat look has only the plain rim, so
// turning Ctl3D off sets BorderStyle to brDefault. Single-threaded.
class LedLamp {
public:
    // A dark green round lamp with a raised rim: "AMRNDLED3DUP".
    LedLamp();

    TLedType LedType() const { return ledType_; }
    bool SetLedType(TLedType value);
    bool LedOn() const { return ledOn_; }
    // Counts a real change in SwitchCount; writing the current state changes nothing.
    bool SetLedOn(bool value);
    Color ColorOn() const { return colorOn_; }
    void SetColorOn(Color value) { colorOn_ = value; }  // repaint in every case
    Color ColorOff() const { return colorOff_; }
    void SetColorOff(Color value) { colorOff_ = value; }  // repaint in every case
    TBorder BorderStyle() const { return borderStyle_; }
    bool SetBorderStyle(TBorder value);
    bool Ctl3D() const { return ctl3D_; }
    bool SetCtl3D(bool value);

    // State changes since creation.
    int SwitchCount() const { return switchCount_; }
    // The name of the picture shown (LampImage).
    const std::string& PictureName() const { return pictureName_; }
    const RgbImage& LampImage() const { return lampImage_; }

    // The 13 x 13 picture to paint: the face in ColorOn or ColorOff, the surroundings in
    // background (plain colours).
    RgbImage Paint(Color background) const;

private:
    void LoadLampImage();

    TLedType ledType_ = TLedType::ltRound;
    bool ledOn_ = false;
    Color colorOn_ = clLime;
    Color colorOff_ = clGreen;
    TBorder borderStyle_ = TBorder::brRaised;
    bool ctl3D_ = true;
    int switchCount_ = 0;
    std::string pictureName_;
    RgbImage lampImage_{LampSize, LampSize};
};
