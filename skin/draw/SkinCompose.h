// Images of any size composed from a rectangle of a skin picture. The picture's corners
// stay intact; the edges between the corner points and the client area are tiled (or
// stretched) to the new size:
//
//        LT.X        RT.X
//   +-----+-----------+-----+   C.Top    top band: corner | repeatable | corner
//   |     |   top     |     |
//   +--+--+-----------+--+--+
//   |  |                 |  |   LT.Y / RT.Y: where the left / right edge's repeatable
//   |L |     client      | R|   part begins; LB.Y / RB.Y: where it ends
//   |  |                 |  |
//   +--+--+-----------+--+--+   C.Bottom
//   |     |  bottom   |     |
//   +-----+-----------+-----+
//        LB.X        RB.X
//
// Points are relative to the skin rectangle R's top-left; the "new" geometry gives the
// same points in target coordinates (ResizedGeometry derives it).
#pragma once

#include "base/Types.h"

class TBitmap;

struct TSkinGeometry {
    TPoint LT;  // X: top edge's repeatable part begins; Y: left edge's begins
    TPoint RT;  // X: top edge's repeatable part ends; Y: right edge's begins
    TPoint LB;  // X: bottom edge's repeatable part begins; Y: left edge's ends
    TPoint RB;  // X: bottom edge's repeatable part ends; Y: right edge's ends
    TRect C;    // client rectangle
    friend bool operator==(const TSkinGeometry&, const TSkinGeometry&) = default;
};

// The geometry for a W x H target: right points move by dx = W - R.Width, bottom points by
// dy = H - R.Height, the client rectangle grows by (dx, dy). Computed in 64 bits and
// saturated to 32, so no input overflows (what comes out of range then composes nothing).
[[nodiscard]] TSkinGeometry ResizedGeometry(const TSkinGeometry& g, const TRect& R, int32_t W,
                                            int32_t H);

// The composition works on coordinates of at most this magnitude (far beyond any picture
// or window: a skin's are read clamped to 32767), so that none of its sums can overflow;
// an element with a point, rectangle or size beyond it is left sized but unpainted.
constexpr int32_t kMaxComposeCoordinate = int32_t{1} << 26;
[[nodiscard]] bool ComposableGeometry(const TSkinGeometry& g);
[[nodiscard]] bool ComposableRect(const TRect& r);
[[nodiscard]] bool ComposableValue(int64_t v);
[[nodiscard]] int32_t SaturateToInt32(int64_t v);

// How an element follows its control's size.
enum TResizeMode : int {
    rmNone = -1,       // no skin rectangle: default drawing
    rmFixed = 0,       // copied 1:1, the control takes R's size
    rmBoth = 1,        // four-point composition
    rmHorizontal = 2,  // width follows, height fixed at R.Height
    rmVertical = 3,    // height follows, width fixed at R.Width
};
[[nodiscard]] TResizeMode ResizeModeOf(const TRect& R, const TSkinGeometry& g);

// Per edge: stretch its repeatable part (true) or tile it (false).
struct TEdgeStretch {
    bool Left = false;
    bool Top = false;
    bool Right = false;
    bool Bottom = false;
};

enum TClientDraw : bool { cdSkipClient = false, cdDrawClient = true };

// Sets the target to W x H and paints it from `picture`'s rectangle R: edges, then the
// eight fixed pieces, then (with cdDrawClient) the client piece tiled. A degenerate point
// set (RB.X = LT.X or RB.Y = LT.Y), geometry beyond kMaxComposeCoordinate or an empty
// picture leaves the target sized but unpainted.
void ComposeSkinImage(const TSkinGeometry& g, const TSkinGeometry& ng, TBitmap& target,
                      const TBitmap& picture, const TRect& R, int32_t W, int32_t H,
                      TClientDraw drawClient, TEdgeStretch stretch);
// The same with every edge tiled.
void ComposeSkinImageTiled(const TSkinGeometry& g, const TSkinGeometry& ng, TBitmap& target,
                           const TBitmap& picture, const TRect& R, int32_t W, int32_t H,
                           TClientDraw drawClient);

// Target W x R.Height: left part (leftWidth) and right part (rightWidth) copied, the middle
// tiled between them.
void ComposeHorzImage(int32_t leftWidth, int32_t rightWidth, TBitmap& target, int32_t W,
                      const TRect& R, const TBitmap& picture);
// Target R.Width x H: top and bottom parts copied, the middle tiled downward.
void ComposeVertImage(int32_t topHeight, int32_t bottomHeight, TBitmap& target, int32_t H,
                      const TRect& R, const TBitmap& picture);

// The four bitmaps a frame is built from.
struct TBorderStrips {
    TBitmap* Top;
    TBitmap* Bottom;
    TBitmap* Left;
    TBitmap* Right;
};

// The frame of a W x H window as four strips: top W x NC.Top, bottom W x (H - NC.Bottom),
// left and right NC.Height high. A strip whose size or repeatable part is empty is left
// untouched (previous size and content).
void ComposeBorderStrips(const TSkinGeometry& g, const TSkinGeometry& ng, int32_t W, int32_t H,
                         const TRect& R, const TBitmap& picture, const TBorderStrips& strips,
                         TEdgeStretch stretch);
// The same, tiled only, from a whole mask picture (R is the picture's bounds).
void ComposeBorderStripsTiled(const TSkinGeometry& g, const TSkinGeometry& ng, int32_t W, int32_t H,
                              const TBitmap& mask, const TBorderStrips& strips);
