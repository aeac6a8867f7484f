#include "widgets/RgbImage.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

RgbImage::RgbImage(int width, int height, Color fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

std::size_t RgbImage::Index(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        throw std::out_of_range("pixel outside the picture");
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
}

void RgbImage::SetPixel(int x, int y, Color color) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)] = color;
}

void RgbImage::FillRect(int x, int y, int width, int height, Color color) {
    const int left = std::max(x, 0), right = std::min(x + width, width_);
    const int top = std::max(y, 0), bottom = std::min(y + height, height_);
    if (left >= right)
        return;
    for (int row = top; row < bottom; ++row) {
        const auto start = pixels_.begin() + static_cast<std::ptrdiff_t>(Index(left, row));
        std::fill(start, start + (right - left), color);
    }
}

void RgbImage::FillEllipse(int x, int y, int width, int height, Color color) {
    if (width <= 0 || height <= 0)
        return;
    const double rx = width / 2.0 - 0.25, ry = height / 2.0 - 0.25;
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const double dx = (col + 0.5) - width / 2.0, dy = (row + 0.5) - height / 2.0;
            if ((dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) <= 1.0)
                SetPixel(x + col, y + row, color);
        }
    }
}

void RgbImage::Line(int x1, int y1, int x2, int y2, Color color) {
    const int dx = x2 - x1, dy = y2 - y1;
    if (dx != 0 && dy != 0 && std::abs(dx) != std::abs(dy))
        throw std::invalid_argument("only straight and diagonal lines are drawn");
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const int sx = (dx > 0) - (dx < 0), sy = (dy > 0) - (dy < 0);
    for (int i = 0; i < steps; ++i)
        SetPixel(x1 + i * sx, y1 + i * sy, color);
}

void RgbImage::Draw(int x, int y, const RgbImage& source) {
    for (int row = 0; row < source.height_; ++row)
        for (int col = 0; col < source.width_; ++col)
            SetPixel(x + col, y + row, source.Pixel(col, row));
}
