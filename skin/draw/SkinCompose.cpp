// Four-point and one-direction composition.
#include "skin/draw/SkinCompose.h"

#include <algorithm>
#include <limits>

#include "skin/draw/Blit.h"
#include "skin/draw/SkinComposeInternal.h"
#include "ui/Bitmap.h"

int32_t SaturateToInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

bool ComposableValue(int64_t v) {
    return v >= -kMaxComposeCoordinate && v <= kMaxComposeCoordinate;
}

bool ComposableRect(const TRect& r) {
    return ComposableValue(r.Left) && ComposableValue(r.Top) && ComposableValue(r.Right) &&
           ComposableValue(r.Bottom);
}

bool ComposableGeometry(const TSkinGeometry& g) {
    for (const TPoint p : {g.LT, g.RT, g.LB, g.RB})
        if (!ComposableValue(p.X) || !ComposableValue(p.Y)) return false;
    return ComposableRect(g.C);
}

TSkinGeometry ResizedGeometry(const TSkinGeometry& g, const TRect& R, int32_t W, int32_t H) {
    const int64_t dx = int64_t{W} - (int64_t{R.Right} - R.Left),
                  dy = int64_t{H} - (int64_t{R.Bottom} - R.Top);
    auto add = [](int32_t v, int64_t d) { return SaturateToInt32(v + d); };
    return {g.LT,
            {add(g.RT.X, dx), g.RT.Y},
            {g.LB.X, add(g.LB.Y, dy)},
            {add(g.RB.X, dx), add(g.RB.Y, dy)},
            {g.C.Left, g.C.Top, add(g.C.Right, dx), add(g.C.Bottom, dy)}};
}

TResizeMode ResizeModeOf(const TRect& R, const TSkinGeometry& g) {
    if (R.Width() < 1 || R.Height() < 1) return rmNone;
    if (g.RB.X != 0 && g.RB.Y != 0) return rmBoth;
    if (g.RT.X != 0 || g.RT.Y != 0) return rmHorizontal;
    if (g.LB.X != 0 || g.LB.Y != 0) return rmVertical;
    return rmFixed;
}

namespace skin_compose {

void TileAlong(TBitmap& target, const TRect& area, const TBitmap& picture, const TRect& piece,
               TAxis axis) {
    const bool crossMatches =
        axis == TAxis::Horizontal ? piece.Height() == area.Height() : piece.Width() == area.Width();
    if (crossMatches) {
        TileRect(target, area, picture, piece);
        return;
    }
    // The caller's new geometry disagrees with the piece across the tiling direction: each
    // tile is then stretched across, as a per-tile copy would do.
    const int32_t t = axis == TAxis::Horizontal ? piece.Width() : piece.Height();
    if (t < 1) return;
    if (axis == TAxis::Horizontal) {
        for (int32_t m = area.Left; m < area.Right; m += t) {
            const int32_t cut = m + t > area.Right ? m + t - area.Right : 0;
            BlitRect(target, Rect(m, area.Top, m + t - cut, area.Bottom), picture,
                     Rect(piece.Left, piece.Top, piece.Right - cut, piece.Bottom));
        }
    } else {
        for (int32_t m = area.Top; m < area.Bottom; m += t) {
            const int32_t cut = m + t > area.Bottom ? m + t - area.Bottom : 0;
            BlitRect(target, Rect(area.Left, m, area.Right, m + t - cut), picture,
                     Rect(piece.Left, piece.Top, piece.Right, piece.Bottom - cut));
        }
    }
}

void DrawEdge(TBitmap& target, const TRect& area, const TBitmap& picture, const TRect& piece,
              bool stretch, TAxis axis) {
    if (stretch) {
        BlitRect(target, area, picture, piece);
    } else {
        TileAlong(target, area, picture, piece, axis);
    }
}

}  // namespace skin_compose

using namespace skin_compose;

void ComposeSkinImage(const TSkinGeometry& g, const TSkinGeometry& ng, TBitmap& target,
                      const TBitmap& picture, const TRect& R, int32_t W, int32_t H,
                      TClientDraw drawClient, TEdgeStretch stretch) {
    target.SetSize(W, H);
    if (g.RB.X == g.LT.X || g.RB.Y == g.LT.Y || picture.Empty()) return;
    if (!ComposableGeometry(g) || !ComposableGeometry(ng) || !ComposableRect(R) ||
        !ComposableValue(W) || !ComposableValue(H)) {
        return;
    }
    const int32_t x0 = R.Left, y0 = R.Top;
    const TRect& C = g.C;
    const TRect& NC = ng.C;

    // Edges: top, bottom, left, right.
    DrawEdge(target, Rect(ng.LT.X, 0, ng.RT.X, NC.Top), picture,
             Rect(x0 + g.LT.X, y0, x0 + g.RT.X, y0 + C.Top), stretch.Top, TAxis::Horizontal);
    DrawEdge(target, Rect(ng.LB.X, NC.Bottom, ng.RB.X, H), picture,
             Rect(x0 + g.LB.X, y0 + C.Bottom, x0 + g.RB.X, R.Bottom), stretch.Bottom,
             TAxis::Horizontal);
    // The tiled left edge's source strip is NC.Left wide (equal to C.Left).
    DrawEdge(target, Rect(0, ng.LT.Y, NC.Left, ng.LB.Y), picture,
             Rect(x0, y0 + g.LT.Y, x0 + (stretch.Left ? C.Left : NC.Left), y0 + g.LB.Y),
             stretch.Left, TAxis::Vertical);
    DrawEdge(target, Rect(NC.Right, ng.RT.Y, W, ng.RB.Y), picture,
             Rect(x0 + C.Right, y0 + g.RT.Y, R.Right, y0 + g.RB.Y), stretch.Right, TAxis::Vertical);

    // The eight fixed pieces, in this order (later ones win where they overlap).
    BlitRect(target, Rect(0, 0, ng.LT.X, NC.Top), picture, Rect(x0, y0, x0 + g.LT.X, y0 + C.Top));
    BlitRect(target, Rect(0, NC.Top, NC.Left, ng.LT.Y), picture,
             Rect(x0, y0 + C.Top, x0 + C.Left, y0 + g.LT.Y));
    BlitRect(target, Rect(ng.RT.X, 0, W, NC.Top), picture,
             Rect(x0 + g.RT.X, y0, R.Right, y0 + C.Top));
    BlitRect(target, Rect(NC.Right, NC.Top, W, ng.RT.Y), picture,
             Rect(x0 + C.Right, y0 + C.Top, R.Right, y0 + g.RT.Y));
    BlitRect(target, Rect(0, ng.LB.Y, NC.Left, H), picture,
             Rect(x0, y0 + g.LB.Y, x0 + C.Left, R.Bottom));
    BlitRect(target, Rect(NC.Left, NC.Bottom, ng.LB.X, H), picture,
             Rect(x0 + C.Left, y0 + C.Bottom, x0 + g.LB.X, R.Bottom));
    BlitRect(target, Rect(ng.RB.X, NC.Bottom, W, H), picture,
             Rect(x0 + g.RB.X, y0 + C.Bottom, R.Right, R.Bottom));
    BlitRect(target, Rect(NC.Right, ng.RB.Y, W, NC.Bottom), picture,
             Rect(x0 + C.Right, y0 + g.RB.Y, R.Right, y0 + C.Bottom));

    // Client tiles (an empty client piece draws nothing).
    if (drawClient) {
        TileRect(target, NC, picture, Rect(x0 + C.Left, y0 + C.Top, x0 + C.Right, y0 + C.Bottom));
    }
}

void ComposeSkinImageTiled(const TSkinGeometry& g, const TSkinGeometry& ng, TBitmap& target,
                           const TBitmap& picture, const TRect& R, int32_t W, int32_t H,
                           TClientDraw drawClient) {
    ComposeSkinImage(g, ng, target, picture, R, W, H, drawClient, TEdgeStretch{});
}

void ComposeHorzImage(int32_t leftWidth, int32_t rightWidth, TBitmap& target, int32_t W,
                      const TRect& R, const TBitmap& picture) {
    if (!ComposableRect(R) || !ComposableValue(leftWidth) || !ComposableValue(rightWidth) ||
        !ComposableValue(W)) {
        const int64_t h = int64_t{R.Bottom} - R.Top;
        target.SetSize(ComposableValue(W) ? W : 0,
                       ComposableValue(h) ? static_cast<int32_t>(h) : 0);
        return;
    }
    const int32_t a = leftWidth, b = rightWidth, H = R.Height();
    target.SetSize(W, H);
    if (a != 0)
        BlitRect(target, Rect(0, 0, a, H), picture, Rect(R.Left, R.Top, R.Left + a, R.Bottom));
    if (b != 0)
        BlitRect(target, Rect(W - b, 0, W, H), picture,
                 Rect(R.Right - b, R.Top, R.Right, R.Bottom));
    TileAlong(target, Rect(a, 0, W - b, H), picture, Rect(R.Left + a, R.Top, R.Right - b, R.Bottom),
              TAxis::Horizontal);
}

void ComposeVertImage(int32_t topHeight, int32_t bottomHeight, TBitmap& target, int32_t H,
                      const TRect& R, const TBitmap& picture) {
    if (!ComposableRect(R) || !ComposableValue(topHeight) || !ComposableValue(bottomHeight) ||
        !ComposableValue(H)) {
        const int64_t w = int64_t{R.Right} - R.Left;
        target.SetSize(ComposableValue(w) ? static_cast<int32_t>(w) : 0,
                       ComposableValue(H) ? H : 0);
        return;
    }
    const int32_t a = topHeight, b = bottomHeight, W = R.Width();
    target.SetSize(W, H);
    if (a != 0)
        BlitRect(target, Rect(0, 0, W, a), picture, Rect(R.Left, R.Top, R.Right, R.Top + a));
    if (b != 0)
        BlitRect(target, Rect(0, H - b, W, H), picture,
                 Rect(R.Left, R.Bottom - b, R.Right, R.Bottom));
    TileAlong(target, Rect(0, a, W, H - b), picture, Rect(R.Left, R.Top + a, R.Right, R.Bottom - b),
              TAxis::Vertical);
}
