#pragma once

#include <vector>

#include "widgets/Colors.h"

// An off-screen picture of plain colours (red in the low byte), drawn by the display widgets'
// logic and copied onto the screen by the Qt layer in one block. Drawing outside the picture is
// clipped. Coordinates are pixels, (0, 0) top left.
class RgbImage {
public:
    RgbImage(int width, int height, Color fill = clBlack);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixel at (x, y); both must lie inside the picture.
    Color Pixel(int x, int y) const { return pixels_.at(Index(x, y)); }
    void SetPixel(int x, int y, Color color);
    // Row-major pixels, Width() per row; valid until the picture changes size.
    const std::vector<Color>& Pixels() const { return pixels_; }

    void FillRect(int x, int y, int width, int height, Color color);
    // The circle (or ellipse) inscribed in the rectangle, filled: a pixel belongs to it when its
    // centre lies within the shape shrunk by a quarter pixel, so a 2 x 2 dot stays a square and
    // a 3 x 3 dot becomes a plus.
    void FillEllipse(int x, int y, int width, int height, Color color);
    // A one-pixel line from (x1, y1) to (x2, y2) that, like a GDI LineTo, leaves out its end
    // point. Horizontal, vertical and diagonal lines only.
    void Line(int x1, int y1, int x2, int y2, Color color);
    // Copies source with its top-left corner at (x, y).
    void Draw(int x, int y, const RgbImage& source);

    bool operator==(const RgbImage& other) const = default;

private:
    std::size_t Index(int x, int y) const;

    int width_;
    int height_;
    std::vector<Color> pixels_;
};
