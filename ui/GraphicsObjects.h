// Pen, brush and font: the drawing state a canvas carries.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/Types.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// pmCopy draws the pen colour; pmNot inverts the target; pmXor xors the pen colour in.
enum TPenMode { pmCopy, pmNot, pmXor, pmNotXor };
enum TBrushStyle { bsSolid, bsClear };

// Font styles as a bit set.
enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr int kScreenPixelsPerInch = 96;

class TPen {
public:
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    friend bool operator==(const TPen&, const TPen&) = default;
};

class TBrush {
public:
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

// Height follows the framework's convention: negative is the character height in pixels,
// positive the cell height (character height plus internal leading). Size is in points.
class TFont {
public:
    std::string Name = "Arial";
    int Height = -11;
    TFontStyles Style = 0;
    TColor Color = clWindowText;
    uint8_t Charset = DEFAULT_CHARSET;
    // Text angle in tenths of a degree, counter-clockwise (900 = bottom to top).
    int Orientation = 0;

    [[nodiscard]] int Size() const;
    void SetSize(int points);
    void Assign(const TFont& other) { *this = other; }
    friend bool operator==(const TFont& a, const TFont& b) {
        return a.Name == b.Name && a.Height == b.Height && a.Style == b.Style &&
               a.Color == b.Color && a.Charset == b.Charset && a.Orientation == b.Orientation;
    }
};
