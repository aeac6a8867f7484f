#include "widgets/LedLamp.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "widgets/LampPictures.h"

namespace {

using Rows = std::vector<std::string>;

Rows PictureRows(const char* name) {
    const LampPicture* picture = FindLampPicture(name);
    EXPECT_NE(picture, nullptr) << name;
    return picture ? Rows(std::begin(picture->rows), std::end(picture->rows)) : Rows{};
}

TEST(LampPicturesTest, SunkenSquareIsDrawnAsTheMainWindowExpects) {
    EXPECT_EQ(
        PictureRows("AMSQRLED3DDWN"),
        (Rows{"GGGGGGGGGGGGG", "GGSGSGSGSGSGW", "GSGSGSGSGSGSW", "GGSGSGSGSGSGW", "GSGSGSGSGSGSW",
              "GGSGSGSGSGSGW", "GSGSGSGSGSGSW", "GGSGSGSGSGWGW", "GSGSGSGSGWWSW", "GGSGSGSGWWWGW",
              "GSGSGSGWWWWSW", "GGSGSGSGSGSGW", "WWWWWWWWWWWWW"}));
    // The plain square: a grey frame, and the ten-pixel glint in the upper left of the face.
    const Rows plain = PictureRows("AMSQRLED");
    int glint = 0;
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 13; ++x) {
            if (x == 0 || y == 0 || x == 12 || y == 12)
                EXPECT_EQ(plain[y][x], 'G') << x << "," << y;
            else if (plain[y][x] == 'W') {
                ++glint;
                EXPECT_TRUE(x < 7 && y < 7) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(glint, 10);
}

TEST(LampPicturesTest, EveryShapeHasItsFourPicturesInTheFourColourRoles) {
    ASSERT_EQ(LampPictures().size(), 64u);
    std::set<std::string> names;
    for (int type = 0; type < 16; ++type) {
        const auto ledType = static_cast<TLedType>(type);
        const std::string base = LampBaseName(ledType);
        const Rows plain = PictureRows(base.c_str());
        for (const char* rim : {"", "FLAT", "3DUP", "3DDWN"}) {
            const std::string name = base + rim;
            names.insert(name);
            const Rows rows = PictureRows(name.c_str());
            ASSERT_EQ(rows.size(), 13u) << name;
            int face = 0, white = 0;
            for (int y = 0; y < 13; ++y) {
                ASSERT_EQ(rows[y].size(), 13u) << name;
                for (int x = 0; x < 13; ++x) {
                    const char role = rows[y][x];
                    ASSERT_NE(std::string("SOGW").find(role), std::string::npos) << name;
                    // One outline per shape: the rims differ in colour, never in extent.
                    EXPECT_EQ(role == 'O', plain[y][x] == 'O') << name << " " << x << "," << y;
                    face += role == 'S';
                    white += role == 'W';
                    if (role != 'S')
                        continue;
                    // The face is enclosed: no silver pixel touches the picture's edge or the
                    // transparent surroundings.
                    ASSERT_TRUE(x > 0 && y > 0 && x < 12 && y < 12) << name;
                    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                        EXPECT_NE(rows[y + dy][x + dx], 'O') << name << " " << x << "," << y;
                    // A checkerboard with grey: silver only where x + y is odd.
                    EXPECT_EQ((x + y) % 2, 1) << name << " " << x << "," << y;
                }
            }
            EXPECT_GE(face, 4) << name;
            if (std::string(rim) == "FLAT")
                EXPECT_EQ(white, 0) << name;
            else
                EXPECT_GT(white, 0) << name;
        }
    }
    EXPECT_EQ(names.size(), 64u);
}

TEST(LampPicturesTest, RimsLightTheEdgesFacingTheLight) {
    for (int type = 0; type < 16; ++type) {
        const std::string base = LampBaseName(static_cast<TLedType>(type));
        const Rows up = PictureRows((base + "3DUP").c_str());
        const Rows down = PictureRows((base + "3DDWN").c_str());
        // Down the middle column: the shape's top pixel is white when raised and grey when
        // sunken, its bottom pixel the other way round.
        int top = 0, bottom = 12;
        while (up[top][6] == 'O')
            ++top;
        while (up[bottom][6] == 'O')
            --bottom;
        const int topX = 6, bottomX = 6;
        EXPECT_EQ(up[top][topX], 'W') << base;
        EXPECT_EQ(down[top][topX], 'G') << base;
        EXPECT_EQ(up[bottom][bottomX], 'G') << base;
        EXPECT_EQ(down[bottom][bottomX], 'W') << base;
    }
}

TEST(LedLampTest, NewLampIsDarkGreenRoundWithRaisedRim) {
    LedLamp lamp;
    EXPECT_EQ(lamp.LedType(), TLedType::ltRound);
    EXPECT_FALSE(lamp.LedOn());
    EXPECT_EQ(lamp.ColorOn(), 0x00FF00u);
    EXPECT_EQ(lamp.ColorOff(), 0x008000u);
    EXPECT_EQ(lamp.BorderStyle(), TBorder::brRaised);
    EXPECT_TRUE(lamp.Ctl3D());
    EXPECT_EQ(lamp.SwitchCount(), 0);
    EXPECT_EQ(lamp.PictureName(), "AMRNDLED3DUP");
    EXPECT_EQ(lamp.LampImage(), LampImageOf(*FindLampPicture("AMRNDLED3DUP")));
}

TEST(LedLampTest, PaintTakesLampColourForTheFaceAndBackgroundForTheSurroundings) {
    LedLamp lamp;
    lamp.SetLedType(TLedType::ltDiamond);
    lamp.SetColorOn(0x0000FF);
    const Rows rows = PictureRows("AMDMDLED3DUP");
    for (bool on : {false, true}) {
        lamp.SetLedOn(on);
        const RgbImage image = lamp.Paint(0x123456);
        for (int y = 0; y < 13; ++y) {
            for (int x = 0; x < 13; ++x) {
                const Color expected = rows[y][x] == 'S'   ? (on ? 0x0000FFu : 0x008000u)
                                       : rows[y][x] == 'O' ? 0x123456u
                                       : rows[y][x] == 'G' ? clGray
                                                           : clWhite;
                ASSERT_EQ(image.Pixel(x, y), expected) << x << "," << y << " on " << on;
            }
        }
    }
}

TEST(LedLampTest, OliveLampKeepsItsFace) {
    // Recolouring by role, not in two passes: a lamp coloured like the transparency key keeps
    // its face instead of vanishing into the background.
    LedLamp lamp;
    lamp.SetLedType(TLedType::ltSquare);
    lamp.SetColorOff(clOlive);
    const RgbImage image = lamp.Paint(0xFFFFFF);
    EXPECT_EQ(image.Pixel(2, 1), clOlive);  // a silver pixel of "AMSQRLED3DUP"
}

TEST(LedLampTest, OnlyRealStateChangesCount) {
    LedLamp lamp;
    EXPECT_TRUE(lamp.SetLedOn(true));
    EXPECT_EQ(lamp.SwitchCount(), 1);
    EXPECT_FALSE(lamp.SetLedOn(true));
    EXPECT_EQ(lamp.SwitchCount(), 1);
    EXPECT_TRUE(lamp.SetLedOn(false));
    EXPECT_EQ(lamp.SwitchCount(), 2);
}

TEST(LedLampTest, FlatLookAndRaisedOrLoweredRimExcludeEachOther) {
    LedLamp lamp;
    lamp.SetLedType(TLedType::ltSquare);
    EXPECT_TRUE(lamp.SetBorderStyle(TBorder::brLowered));
    EXPECT_EQ(lamp.PictureName(), "AMSQRLED3DDWN");

    EXPECT_TRUE(lamp.SetCtl3D(false));
    EXPECT_EQ(lamp.BorderStyle(), TBorder::brDefault);
    EXPECT_EQ(lamp.PictureName(), "AMSQRLEDFLAT");
    EXPECT_EQ(lamp.LampImage(), LampImageOf(*FindLampPicture("AMSQRLEDFLAT")));

    EXPECT_TRUE(lamp.SetBorderStyle(TBorder::brRaised));
    EXPECT_TRUE(lamp.Ctl3D());
    EXPECT_EQ(lamp.PictureName(), "AMSQRLED3DUP");

    EXPECT_TRUE(lamp.SetBorderStyle(TBorder::brDefault));
    EXPECT_TRUE(lamp.Ctl3D());
    EXPECT_EQ(lamp.PictureName(), "AMSQRLED");
    EXPECT_FALSE(lamp.SetBorderStyle(TBorder::brDefault));

    EXPECT_TRUE(lamp.SetLedType(TLedType::ltTriangleUp));
    EXPECT_EQ(lamp.PictureName(), "AMTRILEDUP");
}

}  // namespace
