#include "widgets/LCDDisplay.h"

#include "widgets/LCDFonts.h"

namespace {

constexpr Color Halved(Color color) {
    return (color & 0xFF000000) | ((color >> 1) & 0x7F7F7F);
}

// Stores value into field when it differs; true when it did.
template <typename T>
bool Store(T& field, T value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

int AtLeast(int value, int minimum, const char* message) {
    if (value < minimum)
        throw ELCDPropertyError(message);
    return value;
}

}  // namespace

LCDDisplay::LCDDisplay() : shadeColor_(Halved(pixelOn_)) {
    SizeToText();
}

bool LCDDisplay::SetCaption(std::string_view text) {
    return Store(caption_, std::string(text.substr(0, MaxCaption)));
}

bool LCDDisplay::SetDotMatrix(TDotMatrix value) {
    return Store(dotMatrix_, value);
}
bool LCDDisplay::SetPixelSize(TPixelSize value) {
    return Store(pixelSize_, value);
}
bool LCDDisplay::SetPixelShape(TPixelShape value) {
    return Store(pixelShape_, value);
}

bool LCDDisplay::SetPixelSpacing(int value) {
    return Store(pixelSpacing_, AtLeast(value, 0, "Pixel spacing can't be less than zero!"));
}

bool LCDDisplay::SetCharSpacing(int value) {
    return Store(charSpacing_, AtLeast(value, 0, "Character spacing can't be less than zero!"));
}

bool LCDDisplay::SetLineSpacing(int value) {
    return Store(lineSpacing_, AtLeast(value, 0, "Line spacing can't be less than zero!"));
}

bool LCDDisplay::SetBorderSpace(int value) {
    return Store(borderSpace_, AtLeast(value, 0, "Border spacing can't be less than zero!"));
}

bool LCDDisplay::SetTextLines(int value) {
    // The message keeps the original wording, typing slip included: users and translations
    // know it by this text.
    return Store(textLines_, AtLeast(value, 1, "Display needs at least on line!"));
}

bool LCDDisplay::SetNoOfChars(int value) {
    return Store(noOfChars_, AtLeast(value, 1, "Display needs at least one character!"));
}

bool LCDDisplay::SetBackGround(Color value) {
    return Store(backGround_, value);
}
bool LCDDisplay::SetBorderStyle(TMyBorder value) {
    return Store(borderStyle_, value);
}
bool LCDDisplay::SetBorderColor(Color value) {
    return Store(borderColor_, value);
}

bool LCDDisplay::SetPixelOn(Color value) {
    if (!Store(pixelOn_, value))
        return false;
    shadeColor_ = Halved(pixelOn_);
    return true;
}

bool LCDDisplay::SetPixelOff(Color value) {
    return Store(pixelOff_, value);
}

void LCDDisplay::SetSize(int width, int height) {
    width_ = width;
    height_ = height;
}

void LCDDisplay::RecomputeMetrics() {
    pixelDim_ = static_cast<int>(pixelSize_) + 2;
    matrixCols_ = MatrixColsOf(dotMatrix_);
    matrixRows_ = MatrixRowsOf(dotMatrix_);
    charWidth_ = matrixCols_ * pixelDim_ + (matrixCols_ - 1) * pixelSpacing_;
    charHeight_ = matrixRows_ * pixelDim_ + (matrixRows_ - 1) * pixelSpacing_;
}

void LCDDisplay::SnapSize() {
    width_ = 2 * borderSpace_ + (noOfChars_ - 1) * charSpacing_ + noOfChars_ * charWidth_ + 2;
    height_ = 2 * borderSpace_ + (textLines_ - 1) * lineSpacing_ + textLines_ * charHeight_ + 2;
    lastWidth_ = width_;
    lastHeight_ = height_;
}

void LCDDisplay::SizeToText() {
    RecomputeMetrics();
    SnapSize();
}

void LCDDisplay::FitToSize() {
    RecomputeMetrics();
    noOfChars_ = (width_ - 2 * borderSpace_ + charSpacing_) / (charWidth_ + charSpacing_);
    textLines_ = (height_ - 2 * borderSpace_ + lineSpacing_) / (charHeight_ + lineSpacing_);
    if (noOfChars_ < 1)
        noOfChars_ = 1;
    if (textLines_ < 1)
        textLines_ = 1;
    SnapSize();
}

void LCDDisplay::AdjustSize() {
    if (width_ != lastWidth_ || height_ != lastHeight_) {
        lastWidth_ = width_;
        lastHeight_ = height_;
        FitToSize();
    } else {
        SizeToText();
    }
}

RgbImage LCDDisplay::Paint(const SystemColors& colors) {
    AdjustSize();
    RgbImage image(width_, height_, colors.Resolve(backGround_));

    Color pen = colors.Resolve(clBtnHighlight);
    if (borderStyle_ == TMyBorder::Single)
        pen = colors.Resolve(borderColor_);
    else if (borderStyle_ == TMyBorder::None)
        pen = colors.Resolve(clBtnFace);
    // The outline of the rectangle (0, 0)-(width, height): its four edge lines.
    image.FillRect(0, 0, width_, 1, pen);
    image.FillRect(0, height_ - 1, width_, 1, pen);
    image.FillRect(0, 0, 1, height_, pen);
    image.FillRect(width_ - 1, 0, 1, height_, pen);

    const Color shadow = colors.Resolve(clBtnShadow);
    if (borderStyle_ == TMyBorder::Raised) {
        image.Line(0, height_ - 1, width_ - 1, height_ - 1, shadow);
        image.Line(width_ - 1, height_ - 1, width_ - 1, 0, shadow);
    } else if (borderStyle_ == TMyBorder::Lowered) {
        image.Line(width_ - 1, 0, 0, 0, shadow);
        image.Line(0, 0, 0, height_ - 1, shadow);
    }

    DrawCells(image, colors);
    return image;
}

void LCDDisplay::DrawCells(RgbImage& image, const SystemColors& colors) const {
    std::size_t next = 0;
    bool ended = false;
    int y = borderSpace_ + 1;
    for (int line = 0; line < textLines_; ++line) {
        int x = borderSpace_ + 1;
        for (int cell = 0; cell < noOfChars_; ++cell) {
            unsigned char byte = ' ';
            if (!ended && next < caption_.size() && caption_[next] != '\0')
                byte = static_cast<unsigned char>(caption_[next++]);
            else
                ended = true;
            DrawChar(image, x, y, byte - 32, colors);
            x += charWidth_ + charSpacing_;
        }
        y += charHeight_ + lineSpacing_;
    }
}

void LCDDisplay::DrawChar(RgbImage& image, int x, int y, int glyph,
                          const SystemColors& colors) const {
    // Bytes 194 to 223 under Hitachi2 take their 10-row forms; every other glyph comes from the
    // matrix's table, and rows beyond the table's (rows 8 to 10 of Hitachi2) stay dark.
    const GlyphTable* table = &GlyphTableFor(dotMatrix_);
    const std::uint8_t* dots = nullptr;
    if (dotMatrix_ == TDotMatrix::Hitachi2 && glyph >= 162 && glyph < 192) {
        table = &FontHitachi2Extension();
        dots = table->Glyph(glyph - 162);
    } else if (glyph >= 0 && glyph < table->count) {
        dots = table->Glyph(glyph);
    }

    const Color on = colors.Resolve(pixelOn_);
    const Color off = colors.Resolve(pixelOff_);
    // A system colour's index cannot be halved meaningfully: shade the colour it stands for.
    const Color shade = IsSystemColor(pixelOn_) ? Halved(on) : colors.Resolve(shadeColor_);
    const int step = pixelDim_ + pixelSpacing_;
    for (int r = 0; r < matrixRows_; ++r) {
        for (int c = 0; c < matrixCols_; ++c) {
            const bool lit = dots != nullptr && r < table->rows && c < table->cols &&
                             dots[r * table->cols + c] == 1;
            const int dotX = x + c * step, dotY = y + r * step;
            switch (pixelShape_) {
                case TPixelShape::Square:
                    image.FillRect(dotX, dotY, pixelDim_, pixelDim_, lit ? on : off);
                    break;
                case TPixelShape::Round:
                    image.FillEllipse(dotX, dotY, pixelDim_, pixelDim_, lit ? on : off);
                    break;
                case TPixelShape::Shaped:
                    image.FillRect(dotX, dotY, pixelDim_, pixelDim_, lit ? shade : off);
                    if (lit)
                        image.FillEllipse(dotX, dotY, pixelDim_, pixelDim_, on);
                    break;
            }
        }
    }
}
