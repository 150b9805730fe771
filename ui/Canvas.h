// A canvas draws on a TBitmap with the platform's GDI rules: rectangles exclude their right
// and bottom edges, LineTo excludes its end point, stretching picks the nearest pixel, and
// text is laid out with pango. The window origin and the clip region can be saved and
// restored (TCanvasState), so no paint step leaks its clip into the next.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Region.h"
#include "base/Types.h"
#include "ui/GraphicsObjects.h"

class TBitmap;

// DrawText flags (the platform's values).
enum : uint32_t {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_END_ELLIPSIS = 0x8000,
};

class TCanvas {
public:
    explicit TCanvas(TBitmap& target);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    [[nodiscard]] TBitmap& Target() { return target_; }

    // Logical (0,0) maps to device point Origin(); all drawing coordinates are logical.
    [[nodiscard]] TPoint Origin() const { return origin_; }
    void SetOrigin(TPoint origin) { origin_ = origin; }
    void MoveOrigin(int32_t dx, int32_t dy) {
        origin_.X += dx;
        origin_.Y += dy;
    }

    // Clip in logical coordinates; no clip region means the whole target.
    [[nodiscard]] TRect ClipRect() const;
    void SetClipRegion(const std::optional<TRegion>& logicalRegion);
    void IntersectClipRect(const TRect& logicalRect);
    void ExcludeClipRect(const TRect& logicalRect);
    [[nodiscard]] bool RectVisible(const TRect& logicalRect) const;

    // Saves origin, clip, pen, brush and font; Restore pops the last saved state.
    void SaveState();
    void RestoreState();

    // Lines: the end point is not drawn; pen width 1 (wider pens draw square dots).
    void MoveTo(int32_t x, int32_t y);
    void LineTo(int32_t x, int32_t y);
    [[nodiscard]] TPoint PenPos() const { return penPos_; }
    void Polyline(const std::vector<TPoint>& points);
    // Filled with the brush, outlined with the pen (even-odd filling).
    void Polygon(const std::vector<TPoint>& points);
    // Pen outline and brush interior of (l, t, r, b), right and bottom excluded.
    void Rectangle(int32_t l, int32_t t, int32_t r, int32_t b);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int32_t l, int32_t t, int32_t r, int32_t b);
    void RoundRect(int32_t l, int32_t t, int32_t r, int32_t b, int32_t cw, int32_t ch);
    // Brush fill; FrameRect draws a one-pixel border in the brush colour.
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    // Fills with a solid colour regardless of the brush (does not change Brush).
    void FillSolid(const TRect& r, TColor color);

    [[nodiscard]] TColor GetPixel(int32_t x, int32_t y) const;
    void SetPixel(int32_t x, int32_t y, TColor color);

    // Text: drawn at (x, y) top-left with the font; with a solid brush the text cell is
    // filled first (opaque background), with bsClear only the glyphs are drawn.
    void TextOut(int32_t x, int32_t y, const std::string& utf8);
    // Like TextOut but clipped to r.
    void TextRect(const TRect& r, int32_t x, int32_t y, const std::string& utf8);
    [[nodiscard]] TSize TextExtent(const std::string& utf8);
    [[nodiscard]] int32_t TextWidth(const std::string& utf8) { return TextExtent(utf8).cx; }
    [[nodiscard]] int32_t TextHeight(const std::string& utf8) { return TextExtent(utf8).cy; }
    // Formatted text in a rectangle; returns the text height. With DT_CALCRECT r is set to the
    // needed size and nothing is drawn. '&' marks an accelerator unless DT_NOPREFIX.
    int32_t DrawText(const std::string& utf8, TRect& r, uint32_t flags);

    // Pictures. Draw honours the picture's Transparent flag (key colour skipped);
    // StretchDraw and CopyRect pick the source pixel under each target pixel's centre
    // (ui/NearestStretch.h).
    void Draw(int32_t x, int32_t y, const TBitmap& picture);
    void StretchDraw(const TRect& dest, const TBitmap& picture);
    void CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect);
    // Copies with a transparent key colour (pixels equal to key are skipped).
    void CopyRectTransparent(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                             TColor key);

private:
    struct State;
    class Clipper;
    struct RowSpan {
        int32_t y;
        int32_t x0;  // inclusive; the row is empty when x0 > x1
        int32_t x1;
    };
    void BlendPixel(int32_t devX, int32_t devY, uint32_t pixel);
    [[nodiscard]] TRegion DeviceClip() const;
    [[nodiscard]] TRect ToDevice(const TRect& r) const;
    void FillDevice(const Clipper& clip, const TRect& devRect, uint32_t pixel, TPenMode mode);
    void FillSpan(const Clipper& clip, int32_t devY, int32_t x0, int32_t x1, uint32_t pixel,
                  TPenMode mode);
    void PenDot(const Clipper& clip, int32_t devX, int32_t devY);
    void DeviceLine(const Clipper& clip, TPoint a, TPoint b);
    void ClippedLine(const Clipper& clip, TPoint from, TPoint to);
    void FillShapeRows(const Clipper& clip, const std::vector<RowSpan>& rows, bool skipFirst,
                       bool skipLast);
    void RoundShape(int32_t l, int32_t t, int32_t r, int32_t b, int32_t cw, int32_t ch);
    void Blit(const TRect& dest, const TBitmap& source, const TRect& sourceRect, bool keyed,
              uint32_t key);

    TBitmap& target_;
    TPoint origin_{};
    TPoint penPos_{};
    std::optional<TRegion> clip_;  // device coordinates
    std::vector<State> saved_;
};

// Saves the canvas state on construction and restores it on destruction.
class TCanvasStateGuard {
public:
    explicit TCanvasStateGuard(TCanvas& canvas) : canvas_(canvas) { canvas_.SaveState(); }
    ~TCanvasStateGuard() { canvas_.RestoreState(); }
    TCanvasStateGuard(const TCanvasStateGuard&) = delete;
    TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

private:
    TCanvas& canvas_;
};
