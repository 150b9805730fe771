// The caption: the owner's caption text in the skin's font, colours and alignment, with an
// optional shadow and frame image behind the text.
#include <algorithm>

#include "skin/controls/MorphImages.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjectDefs.h"
#include "skin/draw/Blit.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinCompose.h"
#include "skin/draw/TextUtils.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinObjects.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"

namespace {

// Tiles `piece` of the picture along one axis of `area`, each tile stretched across the
// other axis; the last tile is cut at the area's end.
void TileStretched(TBitmap& target, const TRect& area, const TBitmap& picture, const TRect& piece,
                   bool horizontal) {
    const int d = horizontal ? RectWidth(piece) : RectHeight(piece);
    if (d < 1) return;
    const int end = horizontal ? area.Right : area.Bottom;
    for (int at = horizontal ? area.Left : area.Top; at < end; at += d) {
        const int len = std::min(d, end - at);
        if (horizontal) {
            BlitRect(target, Rect(at, area.Top, at + len, area.Bottom), picture,
                     Rect(piece.Left, piece.Top, piece.Left + len, piece.Bottom));
        } else {
            BlitRect(target, Rect(area.Left, at, area.Right, at + len), picture,
                     Rect(piece.Left, piece.Top, piece.Right, piece.Top + len));
        }
    }
}

}  // namespace

TspSkinCaptionObject::TspSkinCaptionObject(TspSkinForm* parent, const TspDataSkinCaption* def)
    : TspActiveSkinObject(parent, def) {
    if (!def) return;
    FontName = def->FontName;
    FontStyle = def->FontStyle;
    FontHeight = def->FontHeight;
    FontColor = def->FontColor;
    ActiveFontColor = def->ActiveFontColor;
    ShadowColor = def->ShadowColor;
    ActiveShadowColor = def->ActiveShadowColor;
    Shadow = def->Shadow;
    Alignment = def->Alignment;
    TextRct = def->TextRect;
    DefaultCaption = def->DefaultCaption;
    FrameRect = def->FrameRect;
    ActiveFrameRect = def->ActiveFrameRect;
    FrameLeftOffset = def->FrameLeftOffset;
    FrameRightOffset = def->FrameRightOffset;
    FrameTextRect = def->FrameTextRect;
}

TRect TspSkinCaptionObject::TextBox() const {
    TRect t = TextRct;
    if (!IsNullRect(TextRct)) t.Right += RectWidth(ObjectRect) - RectWidth(SkinRect);
    if (!IsNullRect(FrameRect)) {
        t.Top += FrameTextRect.Top;
        t.Left += FrameTextRect.Left;
        t.Right += FrameTextRect.Right - RectWidth(FrameRect);
    }
    return t;
}

void TspSkinCaptionObject::DrawCaptionText(TCanvas& canvas, int x0, int y0, bool activeLook) const {
    std::string text = Parent->CaptionText();
    if (text.empty() || IsNullRect(TextRct)) return;
    TCanvasStateGuard guard(canvas);
    const TRect t = TextBox();
    canvas.Font.Name = FontName;
    canvas.Font.Style = FontStyle;
    canvas.Font.Height = FontHeight;
    canvas.Font.Color = activeLook ? ActiveFontColor : FontColor;
    canvas.Font.Charset = Parent->DefCaptionFont().Charset;
    EllipsisText(canvas, text, RectWidth(t));
    const TSize size = canvas.TextExtent(text);
    int y = RectHeight(t) / 2 + t.Top - size.cy / 2;
    int x = t.Left;
    if (Alignment == taRightJustify)
        x = t.Right - size.cx;
    else if (Alignment == taCenter)
        x = RectWidth(t) / 2 + t.Left - size.cx / 2;
    x += x0;
    y += y0;
    canvas.Brush.Style = bsClear;
    if (!IsNullRect(FrameRect) && ActivePicture) {
        const TRect source =
            activeLook && !IsNullRect(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
        TBitmap frame;
        const int width = RectWidth(FrameRect) + size.cx - RectWidth(FrameTextRect);
        ComposeHorzImage(FrameLeftOffset, FrameRightOffset, frame, width, source, *ActivePicture);
        if (!frame.Empty()) canvas.Draw(x - FrameTextRect.Left, y - FrameTextRect.Top, frame);
    }
    if (Shadow) {
        canvas.Font.Color = activeLook ? ActiveShadowColor : ShadowColor;
        canvas.TextOut(x + 1, y + 1, text);
        canvas.Font.Color = activeLook ? ActiveFontColor : FontColor;
    }
    canvas.TextOut(x, y, text);
}

void TspSkinCaptionObject::ComposeCaptionImage(TBitmap& target, const TBitmap* picture,
                                               const TRect& s) const {
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    target.SetSize(std::max(0, w), std::max(0, h));
    if (!picture || w < 1 || h < 1 || IsNullRect(s)) return;
    const TspSkinData* data = SkinData;
    const bool stretchable = data && data->rightbottompoint.X != data->lefttoppoint.X &&
                             data->rightbottompoint.Y != data->lefttoppoint.Y;
    const TRect& sr = SkinRect;
    if (!stretchable || (w == RectWidth(sr) && h == RectHeight(sr))) {
        BlitRect(target, Rect(0, 0, w, h), *picture, s);
        return;
    }
    const TPoint lt = data->lefttoppoint, rt = data->righttoppoint;
    const TPoint lb = data->leftbottompoint, rb = data->rightbottompoint;
    bool horizontal = true;
    int a = 0, b = 0;
    if (sr.Top <= lt.Y && sr.Bottom < rt.Y) {
        a = lt.X - sr.Left;
        b = sr.Right - rt.X;
    } else if (sr.Top >= lb.Y && sr.Bottom > rb.Y) {
        a = lb.X - sr.Left;
        b = sr.Right - rb.X;
    } else if (lt.Y >= sr.Top && lb.Y < sr.Bottom) {
        horizontal = false;
        a = lt.Y - sr.Top;
        b = sr.Bottom - lb.Y;
    } else {
        horizontal = false;
        a = rt.Y - sr.Top;
        b = sr.Bottom - rb.Y;
    }
    if (horizontal) {
        if (a == 0 && b == 0) {
            BlitRect(target, Rect(0, 0, w, h), *picture, s);
            return;
        }
        TileStretched(target, Rect(0, 0, w, h), *picture,
                      Rect(s.Left + a, s.Top, s.Right - b, s.Bottom), true);
        BlitRect(target, Rect(0, 0, a, h), *picture, Rect(s.Left, s.Top, s.Left + a, s.Bottom));
        BlitRect(target, Rect(w - b, 0, w, h), *picture,
                 Rect(s.Right - b, s.Top, s.Right, s.Bottom));
    } else {
        TileStretched(target, Rect(0, 0, w, h), *picture,
                      Rect(s.Left, s.Top + a, s.Right, s.Bottom - b), false);
        BlitRect(target, Rect(0, 0, w, a), *picture, Rect(s.Left, s.Top, s.Right, s.Top + a));
        BlitRect(target, Rect(0, h - b, w, h), *picture,
                 Rect(s.Left, s.Bottom - b, s.Right, s.Bottom));
    }
}

void TspSkinCaptionObject::MakeLookImage(TBitmap& target, const TBitmap* picture,
                                         const TRect& source, bool activeLook) const {
    ComposeCaptionImage(target, picture, source);
    if (!target.Empty()) DrawCaptionText(target.Canvas(), 0, 0, activeLook);
}

void TspSkinCaptionObject::Draw(TCanvas& canvas, bool upDate) {
    const bool look = Parent->IsFormActive();
    Active = look;
    // Non-client mode without an active image: the frame strip already holds the caption's
    // picture, only the text goes on it.
    if (Parent->SupportNCArea() && IsNullRect(ActiveSkinRect)) {
        DrawCaptionText(canvas, ObjectRect.Left, ObjectRect.Top, look);
        return;
    }
    const bool inactiveEffect = SkinData && SkinData->autorenderinginactiveimage && !look;
    auto drawImage = [&](TBitmap& image, bool effect) {
        if (image.Empty()) return;
        if (effect) {
            TspEffectBmp e(image);
            ApplyInactiveEffect(e, SkinData->inactiveeffect);
            e.CopyTo(image);
        }
        canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
    };
    if (!IsNullRect(ActiveSkinRect) && (look || MorphKf > 0)) {
        TBitmap active;
        MakeLookImage(active, ActivePicture, ActiveSkinRect, true);
        if ((look && MorphKf == 0 && !Morphing) || (look && MorphKf == 1)) {
            drawImage(active, false);
            return;
        }
        TBitmap normal;
        MakeLookImage(normal, Picture, SkinRect, false);
        if (normal.Empty()) return;
        TspEffectBmp blended(normal);
        MorphImages(blended, TspEffectBmp(active), MorphKind, MorphKf);
        blended.CopyTo(normal);
        drawImage(normal, inactiveEffect);
        return;
    }
    if (upDate) {
        TBitmap normal;
        MakeLookImage(normal, Picture, SkinRect, look);
        drawImage(normal, inactiveEffect);
    }
}

void TspSkinCaptionObject::MouseEnter() {
    MouseIn = true;
    if (Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
}

void TspSkinCaptionObject::MouseLeave() {
    MouseIn = false;
    if (Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
}

void TspSkinCaptionObject::MouseDown(int x, int y, TMouseButton button) {
    if (!Parent->SupportNCArea() && !Parent->WindowMaximized() && button == mbLeft)
        Parent->Mover().StartDragging();
    TspActiveSkinObject::MouseDown(x, y, button);
}

void TspSkinCaptionObject::MouseUp(int x, int y, TMouseButton button) {
    if (!Parent->SupportNCArea()) Parent->Mover().StopDragging();
    TspActiveSkinObject::MouseUp(x, y, button);
}
