#pragma once

#include <span>
#include <string>
#include <string_view>

#include "widgets/Colors.h"
#include "widgets/LedTypes.h"
#include "widgets/RgbImage.h"

// A lamp picture: 13 rows of 13 letters, one per pixel, each a colour role. S (silver 0xC0C0C0)
// is the lamp's face and takes the lamp's colour; O (olive, red 128 green 128 blue 0) is the
// transparent surroundings and takes the background; G (grey 0x808080) and W (white) are drawn
// as they are.
struct LampPicture {
    const char* name;
    const char* rows[13];
};

constexpr int LampSize = 13;

// The base name of a shape's pictures ("AMRNDLED" for ltRound).
const char* LampBaseName(TLedType type);
// The picture a lamp shows: the base name, then "3DUP" for brRaised or "3DDWN" for brLowered,
// then "FLAT" when ctl3D is false.
std::string LampPictureName(TLedType type, TBorder border, bool ctl3D);
// All 64 pictures, four per shape in the order of TLedType.
std::span<const LampPicture> LampPictures();
// The picture of that name, or nullptr.
const LampPicture* FindLampPicture(std::string_view name);

// The picture in its stored colours (silver face, olive surroundings, grey, white).
RgbImage LampImageOf(const LampPicture& picture);
// The picture recoloured for painting: silver pixels become face, olive pixels background.
RgbImage RecolourLamp(const RgbImage& lampImage, Color face, Color background);
