// Small value types shared by every layer: points, sizes, rectangles and colours.
// They live below both the platform backends and the framework.
#pragma once

#include <algorithm>
#include <cstdint>

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom are exclusive.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    [[nodiscard]] int32_t Width() const { return Right - Left; }
    [[nodiscard]] int32_t Height() const { return Bottom - Top; }
    [[nodiscard]] TPoint TopLeft() const { return {Left, Top}; }
    [[nodiscard]] TPoint BottomRight() const { return {Right, Bottom}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

[[nodiscard]] inline TPoint Point(int32_t x, int32_t y) { return {x, y}; }
[[nodiscard]] inline TRect Rect(int32_t l, int32_t t, int32_t r, int32_t b) { return {l, t, r, b}; }
[[nodiscard]] inline TRect Bounds(int32_t l, int32_t t, int32_t w, int32_t h) {
    return {l, t, l + w, t + h};
}

[[nodiscard]] inline int32_t RectWidth(const TRect& r) { return r.Right - r.Left; }
[[nodiscard]] inline int32_t RectHeight(const TRect& r) { return r.Bottom - r.Top; }
// Empty: width or height below 1.
[[nodiscard]] inline bool IsRectEmpty(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}
// The platform point test: Left and Top inclusive, Right and Bottom exclusive.
[[nodiscard]] inline bool PtInRect(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.Y >= r.Top && p.X < r.Right && p.Y < r.Bottom;
}
[[nodiscard]] inline TRect OffsetRect(TRect r, int32_t dx, int32_t dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}
[[nodiscard]] inline TRect InflateRect(TRect r, int32_t dx, int32_t dy) {
    return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}
// Intersection; an empty result is normalised to (0,0,0,0) like the platform call.
[[nodiscard]] inline TRect IntersectRect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return IsRectEmpty(r) ? TRect{} : r;
}
// Union of the two bounding boxes; an empty operand is ignored.
[[nodiscard]] inline TRect UnionRect(const TRect& a, const TRect& b) {
    if (IsRectEmpty(a)) return b;
    if (IsRectEmpty(b)) return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

// Colours: 0x00BBGGRR for plain colours. System colours have the high byte 0xFF and the
// system colour index in the low byte; they resolve through the fixed palette in Colors.h.
using TColor = int32_t;

[[nodiscard]] constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<TColor>(r | (g << 8) | (b << 16));
}
[[nodiscard]] constexpr uint8_t GetRValue(TColor c) { return static_cast<uint8_t>(c & 0xFF); }
[[nodiscard]] constexpr uint8_t GetGValue(TColor c) {
    return static_cast<uint8_t>((c >> 8) & 0xFF);
}
[[nodiscard]] constexpr uint8_t GetBValue(TColor c) {
    return static_cast<uint8_t>((c >> 16) & 0xFF);
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours (index as in the platform's colour table).
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000);
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;

// Resolves a system colour to its fixed palette value; plain colours pass through.
[[nodiscard]] TColor ColorToRGB(TColor color);
