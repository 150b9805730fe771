#include "skin/draw/Glyphs.h"

#include "skin/draw/Blit.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"

namespace {

void Line(TCanvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// A one-pixel pen outline of (l, t, r, b), right and bottom excluded, interior untouched.
void HollowRect(TCanvas& canvas, int32_t l, int32_t t, int32_t r, int32_t b) {
    TCanvasStateGuard guard(canvas);
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(l, t, r, b);
}

// Sets a solid one-pixel pen of `color` for the guard's lifetime.
class TGlyphPen {
public:
    TGlyphPen(TCanvas& canvas, TColor color) : guard_(canvas) {
        canvas.Pen.Color = color;
        canvas.Pen.Width = 1;
        canvas.Pen.Style = psSolid;
        canvas.Pen.Mode = pmCopy;
    }

private:
    TCanvasStateGuard guard_;
};

}  // namespace

void DrawArrow(TCanvas& canvas, const TRect& r, TColor color, int kind) {
    TGlyphPen pen(canvas, color);
    const int32_t cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    switch (kind) {
        case akLeft:
            for (int i = 0; i <= 3; ++i) Line(canvas, cx - 2 + i, cy - i, cx - 2 + i, cy + i + 1);
            break;
        case akRight:
            for (int n = 3; n >= 0; --n) Line(canvas, cx + 2 - n, cy + n, cx + 2 - n, cy - n - 1);
            break;
        case akUp:
            for (int i = 0; i <= 3; ++i) Line(canvas, cx - i, cy - 2 + i, cx + i + 1, cy - 2 + i);
            break;
        case akDown:
            for (int n = 3; n >= 0; --n) Line(canvas, cx - n, cy + 2 - n, cx + n + 1, cy + 2 - n);
            break;
        default:
            break;
    }
}

void DrawCheck(TCanvas& canvas, int32_t x, int32_t y, TColor color) {
    TGlyphPen pen(canvas, color);
    for (int i = 0; i <= 2; ++i) {
        canvas.Polyline({{x, y + 5 - i}, {x + 2, y + 7 - i}, {x + 7, y + 2 - i}});
    }
}

void DrawCloseGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color) {
    TGlyphPen pen(canvas, color);
    Line(canvas, x + 1, y + 1, x + 9, y + 9);
    Line(canvas, x + 9, y + 1, x + 1, y + 9);
    Line(canvas, x + 2, y + 1, x + 10, y + 9);
    Line(canvas, x + 8, y + 1, x, y + 9);
}

void DrawMaximizeGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color) {
    TGlyphPen pen(canvas, color);
    HollowRect(canvas, x, y, x + 11, y + 10);
    HollowRect(canvas, x, y, x + 11, y + 2);
}

void DrawMinimizeGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color) {
    TGlyphPen pen(canvas, color);
    Line(canvas, x + 1, y + 8, x + 9, y + 8);
    Line(canvas, x + 1, y + 9, x + 9, y + 9);
}

void DrawRestoreGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color) {
    TGlyphPen pen(canvas, color);
    HollowRect(canvas, x + 2, y, x + 10, y + 6);
    HollowRect(canvas, x + 2, y, x + 10, y + 2);
    HollowRect(canvas, x, y + 4, x + 7, y + 10);
    HollowRect(canvas, x, y + 4, x + 7, y + 6);
}

void DrawFlatBarGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color) {
    TGlyphPen pen(canvas, color);
    HollowRect(canvas, x + 1, y + 3, x + 9, y + 6);
}

void DrawTriangleDownGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color) {
    TGlyphPen pen(canvas, color);
    for (int i = 0; i <= 4; ++i) Line(canvas, x + 5 - i, y + 6 - i, x + 5 + i, y + 6 - i);
}

void DrawTriangleUpGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color) {
    TGlyphPen pen(canvas, color);
    for (int i = 0; i <= 4; ++i) Line(canvas, x + 5 - i, y + 2 + i, x + 5 + i, y + 2 + i);
}

void DrawSysMenuGlyph(TCanvas& canvas, int32_t x, int32_t y, TColor color) {
    TGlyphPen pen(canvas, color);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.Rectangle(x + 2, y + 2, x + 7, y + 7);
}

void DrawCloseGlyphCentered(TCanvas& canvas, const TRect& r, TColor color) {
    const int32_t cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    DrawCloseGlyph(canvas, cx - 5, cy - 5, color);
}

void DrawGlyphFrame(TCanvas& canvas, int32_t x, int32_t y, int frame, int frameCount,
                    const TBitmap& strip) {
    if (strip.Empty() || frameCount < 1 || frame < 1 || frame > frameCount) return;
    const int32_t fw = strip.Width() / frameCount;
    if (fw < 1) return;
    TBitmap glyph(fw, strip.Height());
    BlitRect(glyph, Rect(0, 0, fw, strip.Height()), strip,
             Rect(fw * (frame - 1), 0, fw * frame, strip.Height()));
    glyph.Transparent = true;
    glyph.TransparentMode = tmAuto;
    canvas.Draw(x, y, glyph);
}
