#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "widgets/Colors.h"
#include "widgets/LCDTypes.h"
#include "widgets/RgbImage.h"

// A refused property value of the dot-matrix label; what() is the message the user reads.
class ELCDPropertyError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// The dot-matrix LCD label without a window: its properties, the metrics and size rules derived
// from them, and the picture of the whole control (border, background and every dot). TLCDLabel
// shows the picture and keeps the widget's size equal to Width() x Height().
//
// Setters store a value only when it differs and return whether they did, so the caller knows
// to repaint; the integer setters throw ELCDPropertyError for a value out of range and keep the
// old one. The metrics (PixelDim to CharHeight) follow the properties at the next sizing step
// (SizeToText, FitToSize, Paint), not at once. Single-threaded.
class LCDDisplay {
public:
    static constexpr std::size_t MaxCaption = 255;  // bytes of the caption that are shown

    // A new display with the initial values, sized from them: 138 x 32 pixels.
    LCDDisplay();

    // The text shown, at most MaxCaption bytes; drawing stops at a zero byte.
    const std::string& Caption() const { return caption_; }
    // Stores the first MaxCaption bytes of text; false when that is the current caption.
    bool SetCaption(std::string_view text);

    TDotMatrix DotMatrix() const { return dotMatrix_; }
    bool SetDotMatrix(TDotMatrix value);
    TPixelSize PixelSize() const { return pixelSize_; }
    bool SetPixelSize(TPixelSize value);
    TPixelShape PixelShape() const { return pixelShape_; }
    bool SetPixelShape(TPixelShape value);
    int PixelSpacing() const { return pixelSpacing_; }
    bool SetPixelSpacing(int value);  // 0 or more
    int CharSpacing() const { return charSpacing_; }
    bool SetCharSpacing(int value);  // 0 or more
    int LineSpacing() const { return lineSpacing_; }
    bool SetLineSpacing(int value);  // 0 or more
    int BorderSpace() const { return borderSpace_; }
    bool SetBorderSpace(int value);  // 0 or more
    int TextLines() const { return textLines_; }
    bool SetTextLines(int value);  // 1 or more
    int NoOfChars() const { return noOfChars_; }
    bool SetNoOfChars(int value);  // 1 or more
    Color BackGround() const { return backGround_; }
    bool SetBackGround(Color value);
    TMyBorder BorderStyle() const { return borderStyle_; }
    bool SetBorderStyle(TMyBorder value);
    Color BorderColor() const { return borderColor_; }
    bool SetBorderColor(Color value);
    Color PixelOn() const { return pixelOn_; }
    bool SetPixelOn(Color value);  // also recomputes ShadeColor
    Color PixelOff() const { return pixelOff_; }
    bool SetPixelOff(Color value);

    // Derived state.
    int PixelDim() const { return pixelDim_; }
    int MatrixCols() const { return matrixCols_; }
    int MatrixRows() const { return matrixRows_; }
    int CharWidth() const { return charWidth_; }
    int CharHeight() const { return charHeight_; }
    int LastWidth() const { return lastWidth_; }
    int LastHeight() const { return lastHeight_; }
    // PixelOn with red, green and blue each halved, the high byte kept.
    Color ShadeColor() const { return shadeColor_; }

    // The control's size. SetSize imposes one from outside (a parent or layout resized the
    // control); the next Paint or AdjustSize fits the cell counts to it and snaps it.
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);

    // Sizes the control from the properties.
    void SizeToText();
    // Sets NoOfChars and TextLines from the current size (at least one each) and snaps the size
    // to them.
    void FitToSize();
    // The first step of Paint: FitToSize when the size changed since this display last set or
    // saw it, otherwise SizeToText. Afterwards the size is a whole number of cells plus margins.
    void AdjustSize();

    // Adjusts the size, then draws the whole control, Width() x Height(). System colours are
    // resolved through colors.
    RgbImage Paint(const SystemColors& colors);

private:
    void RecomputeMetrics();
    void SnapSize();
    void DrawCells(RgbImage& image, const SystemColors& colors) const;
    void DrawChar(RgbImage& image, int x, int y, int glyph, const SystemColors& colors) const;

    std::string caption_;
    TDotMatrix dotMatrix_ = TDotMatrix::mat5x7;
    TPixelSize pixelSize_ = TPixelSize::pix2x2;
    TPixelShape pixelShape_ = TPixelShape::Square;
    int pixelSpacing_ = 1;
    int charSpacing_ = 2;
    int lineSpacing_ = 2;
    int borderSpace_ = 5;
    int textLines_ = 1;
    int noOfChars_ = 8;
    Color backGround_ = clSilver;
    TMyBorder borderStyle_ = TMyBorder::Lowered;
    Color borderColor_ = clBlack;
    Color pixelOn_ = clBlack;
    Color pixelOff_ = 0xAAAAAA;

    int pixelDim_ = 0;
    int matrixCols_ = 0;
    int matrixRows_ = 0;
    int charWidth_ = 0;
    int charHeight_ = 0;
    int lastWidth_ = 0;
    int lastHeight_ = 0;
    Color shadeColor_ = 0;
    int width_ = 0;
    int height_ = 0;
};
