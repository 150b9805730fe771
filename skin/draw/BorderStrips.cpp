// A frame composed as four separate strip bitmaps (the skinned form keeps its frame so),
// from a skin picture or, tiled only, from a whole mask picture.
#include "skin/draw/Blit.h"
#include "skin/draw/SkinCompose.h"
#include "skin/draw/SkinComposeInternal.h"
#include "ui/Bitmap.h"

using namespace skin_compose;

namespace {

// The source rectangle of the element and whether strips come from the whole picture.
struct TStripSource {
    const TBitmap& picture;
    TRect R;
    bool tiledFromMask;  // middle tiles of top/bottom run from NLT.X / NLB.X
};

void ComposeStrips(const TSkinGeometry& g, const TSkinGeometry& ng, int32_t W, int32_t H,
                   const TStripSource& s, const TBorderStrips& strips, TEdgeStretch stretch) {
    const TBitmap& pic = s.picture;
    const TRect& R = s.R;
    // Coordinates beyond the composition's range draw nothing (and leave the strips as
    // they were, like an empty strip): none of the sums below can overflow then.
    if (!ComposableGeometry(g) || !ComposableGeometry(ng) || !ComposableRect(R) ||
        !ComposableValue(W) || !ComposableValue(H)) {
        return;
    }
    const TRect& C = g.C;
    const TRect& NC = ng.C;
    const int32_t x0 = R.Left, y0 = R.Top;

    // Band heights and widths.
    const int32_t th = s.tiledFromMask ? C.Top : NC.Top;
    const int32_t bh = s.tiledFromMask ? R.Bottom - C.Bottom : H - NC.Bottom;
    const int32_t lw = s.tiledFromMask ? C.Left : NC.Left;
    const int32_t sideH = s.tiledFromMask ? NC.Height() : H - bh - th;
    const int32_t rw = s.tiledFromMask ? R.Right - C.Right : W - NC.Right;

    // Top strip.
    if (strips.Top && W > 0 && th > 0 && g.RT.X - g.LT.X > 0) {
        TBitmap& top = *strips.Top;
        top.SetSize(W, th);
        const TRect piece = Rect(x0 + g.LT.X, y0, x0 + g.RT.X, y0 + th);
        if (s.tiledFromMask) {
            TileAlong(top, Rect(ng.LT.X, 0, ng.RT.X, th), pic, piece, TAxis::Horizontal);
        } else if (stretch.Top) {
            BlitRect(top, Rect(ng.LT.X, 0, ng.RT.X, th), pic, piece);
        } else {
            TileAlong(top, Rect(0, 0, W, th), pic, piece, TAxis::Horizontal);
        }
        BlitRect(top, Rect(0, 0, ng.LT.X, th), pic, Rect(x0, y0, x0 + g.LT.X, y0 + th));
        BlitRect(top, Rect(ng.RT.X, 0, W, th), pic, Rect(x0 + g.RT.X, y0, R.Right, y0 + th));
    }

    // Bottom strip: the picture's last bh rows.
    if (strips.Bottom && W > 0 && bh > 0 && g.RB.X - g.LB.X > 0) {
        TBitmap& bottom = *strips.Bottom;
        bottom.SetSize(W, bh);
        const int32_t sy = R.Bottom - bh;
        const TRect piece = Rect(x0 + g.LB.X, sy, x0 + g.RB.X, R.Bottom);
        if (s.tiledFromMask) {
            TileAlong(bottom, Rect(ng.LB.X, 0, ng.RB.X, bh), pic, piece, TAxis::Horizontal);
        } else if (stretch.Bottom) {
            BlitRect(bottom, Rect(ng.LB.X, 0, ng.RB.X, bh), pic, piece);
        } else {
            TileAlong(bottom, Rect(0, 0, W, bh), pic, piece, TAxis::Horizontal);
        }
        BlitRect(bottom, Rect(0, 0, ng.LB.X, bh), pic, Rect(x0, sy, x0 + g.LB.X, R.Bottom));
        BlitRect(bottom, Rect(ng.RB.X, 0, W, bh), pic, Rect(x0 + g.RB.X, sy, R.Right, R.Bottom));
    }

    // Left and right strips: their y = 0 is the frame's y = NC.Top. The middle piece
    // covers the strip; the ends above LT.Y / RT.Y and below LB.Y / RB.Y are then copied.
    auto sideStrip = [&](TBitmap& strip, int32_t width, int32_t srcLeft, int32_t srcRight,
                         int32_t yBegin, int32_t yEnd, bool stretchIt) {
        strip.SetSize(width, sideH);
        const TRect piece = Rect(srcLeft, y0 + yBegin, srcRight, y0 + yEnd);
        if (stretchIt) {
            BlitRect(strip, Rect(0, yBegin - C.Top, width, sideH + yEnd - C.Bottom), pic, piece);
        } else {
            TileAlong(strip, Rect(0, 0, width, sideH), pic, piece, TAxis::Vertical);
        }
        if (yBegin - C.Top > 0) {
            BlitRect(strip, Rect(0, 0, width, yBegin - C.Top), pic,
                     Rect(srcLeft, y0 + C.Top, srcRight, y0 + yBegin));
        }
        if (C.Bottom - yEnd > 0) {
            BlitRect(strip, Rect(0, sideH + yEnd - C.Bottom, width, sideH), pic,
                     Rect(srcLeft, y0 + yEnd, srcRight, y0 + C.Bottom));
        }
    };
    if (strips.Left && lw > 0 && sideH > 0 && g.LB.Y - g.LT.Y > 0) {
        sideStrip(*strips.Left, lw, x0, x0 + lw, g.LT.Y, g.LB.Y, !s.tiledFromMask && stretch.Left);
    }
    if (strips.Right && rw >= 1 && sideH >= 1 && g.RB.Y - g.RT.Y >= 1) {
        sideStrip(*strips.Right, rw, x0 + C.Right, R.Right, g.RT.Y, g.RB.Y,
                  !s.tiledFromMask && stretch.Right);
    }
}

}  // namespace

void ComposeBorderStrips(const TSkinGeometry& g, const TSkinGeometry& ng, int32_t W, int32_t H,
                         const TRect& R, const TBitmap& picture, const TBorderStrips& strips,
                         TEdgeStretch stretch) {
    ComposeStrips(g, ng, W, H, TStripSource{picture, R, false}, strips, stretch);
}

void ComposeBorderStripsTiled(const TSkinGeometry& g, const TSkinGeometry& ng, int32_t W, int32_t H,
                              const TBitmap& mask, const TBorderStrips& strips) {
    ComposeStrips(g, ng, W, H, TStripSource{mask, Rect(0, 0, mask.Width(), mask.Height()), true},
                  strips, TEdgeStretch{});
}
