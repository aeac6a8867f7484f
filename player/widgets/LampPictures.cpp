#include "widgets/LampPictures.h"

#include <stdexcept>

extern const LampPicture kLampPictures[64];

namespace {

constexpr const char* kBaseNames[16] = {
    "AMDMDLED",    "AMLPSLEDHRZ",  "AMLPSLEDVRT",   "AMMONLEDLEFT", "AMMONLEDRIGHT", "AMPRLLEDBCK",
    "AMPRLLEDFWT", "AMPNTLED",     "AMRNDLED",      "AMRCTLEDHRZ",  "AMRCTLEDVRT",   "AMSQRLED",
    "AMTRILEDDWN", "AMTRILEDLEFT", "AMTRILEDRIGHT", "AMTRILEDUP"};

Color RoleColor(char role) {
    switch (role) {
        case 'S':
            return clSilver;
        case 'O':
            return clOlive;
        case 'G':
            return clGray;
        case 'W':
            return clWhite;
        default:
            throw std::logic_error("lamp pictures use only the letters S, O, G and W");
    }
}

}  // namespace

const char* LampBaseName(TLedType type) {
    return kBaseNames[static_cast<int>(type)];
}

std::string LampPictureName(TLedType type, TBorder border, bool ctl3D) {
    std::string name = LampBaseName(type);
    if (border == TBorder::brRaised)
        name += "3DUP";
    else if (border == TBorder::brLowered)
        name += "3DDWN";
    if (!ctl3D)
        name += "FLAT";
    return name;
}

std::span<const LampPicture> LampPictures() {
    return kLampPictures;
}

const LampPicture* FindLampPicture(std::string_view name) {
    for (const LampPicture& picture : kLampPictures) {
        if (name == picture.name)
            return &picture;
    }
    return nullptr;
}

RgbImage LampImageOf(const LampPicture& picture) {
    RgbImage image(LampSize, LampSize);
    for (int y = 0; y < LampSize; ++y) {
        const std::string_view row = picture.rows[y];
        if (row.size() != LampSize)
            throw std::logic_error("a lamp picture row holds 13 pixels");
        for (int x = 0; x < LampSize; ++x)
            image.SetPixel(x, y, RoleColor(row[x]));
    }
    return image;
}

RgbImage RecolourLamp(const RgbImage& lampImage, Color face, Color background) {
    RgbImage result = lampImage;
    for (int y = 0; y < result.Height(); ++y) {
        for (int x = 0; x < result.Width(); ++x) {
            const Color pixel = result.Pixel(x, y);
            if (pixel == clSilver)
                result.SetPixel(x, y, face);
            else if (pixel == clOlive)
                result.SetPixel(x, y, background);
        }
    }
    return result;
}
