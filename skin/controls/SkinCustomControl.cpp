#include "skin/controls/SkinCustomControl.h"

#include "skin/data/SkinData.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/RectUtils.h"
#include "ui/Canvas.h"

TspSkinCustomControl::TspSkinCustomControl(TComponent* owner) : TspSkinControl(owner) {
    defaultFont_.Name = "Arial";
    defaultFont_.Height = 14;
    defaultFont_.Style = 0;
}

// ---- Published ----

void TspSkinCustomControl::SetDefaultWidth(int value) {
    defaultWidth_ = value;
    if (!HasSection() && value > 0) SetWidth(value);
}

void TspSkinCustomControl::SetDefaultHeight(int value) {
    defaultHeight_ = value;
    if (!HasSection() && value > 0) SetHeight(value);
}

void TspSkinCustomControl::SetDefaultFont(const TFont& font) {
    defaultFont_ = font;
    DefaultFontChanged();
}

void TspSkinCustomControl::DefaultFontEdited() {
    DefaultFontChanged();
    MarkImageDirty();
    if (!HasSection()) Invalidate();
}

void TspSkinCustomControl::SetUseSkinFont(bool value) {
    useSkinFont_ = value;
    Invalidate();
}

TFont TspSkinCustomControl::SectionFont(const TspSkinFontDef& def) const {
    TFont font;
    font.Name = def.Name;
    font.Height = def.Height;
    font.Style = def.Style;
    font.Color = def.Color;
    font.Charset = defaultFont_.Charset;
    return font;
}

TFont TspSkinCustomControl::CaptionFont(const TspSkinFontDef& def) const {
    TFont font = useSkinFont_ ? SectionFont(def) : defaultFont_;
    font.Color = def.Color;
    return font;
}

// ---- Section ----

void TspSkinCustomControl::ReadSkinSection() {
    TspSkinControl::ReadSkinSection();
    picture_ = nullptr;
    mask_ = nullptr;
    cursorIndex_ = -1;
    mode_ = rmNone;
    skinRect_ = {};
    const auto* def = dynamic_cast<const TspDataSkinCustomControl*>(SectionDef());
    if (def == nullptr) {
        // No section, or one of another kind: fixed size and no pictures.
        if (HasSection()) mode_ = rmFixed;
        return;
    }
    geometry_ = {def->LTPoint, def->RTPoint, def->LBPoint, def->RBPoint, def->ClientRect};
    skinRect_ = def->SkinRect;
    cursorIndex_ = def->CursorIndex;
    picture_ = SkinData()->ActivePicture(def->PictureIndex);
    mask_ = SkinData()->ActivePicture(def->MaskPictureIndex);
    mode_ = ResizeModeOf(skinRect_, geometry_);
    newGeometry_ = NewGeometryFor(Width(), Height());
}

TSkinGeometry TspSkinCustomControl::NewGeometryFor(int width, int height) const {
    if (mode_ == rmFixed) return geometry_;
    return ResizedGeometry(geometry_, skinRect_, width, height);
}

void TspSkinCustomControl::FitSizeToSkin(int& width, int& height) {
    if (!HasSection()) return;
    switch (mode_) {
        case rmFixed:
            // A section of another kind has no rectangle to take the size from.
            if (!IsNullRect(skinRect_)) {
                width = skinRect_.Width();
                height = skinRect_.Height();
            }
            break;
        case rmHorizontal:
            height = skinRect_.Height();
            break;
        case rmVertical:
            width = skinRect_.Width();
            break;
        case rmBoth:
        case rmNone:
            break;
    }
    newGeometry_ = NewGeometryFor(width, height);
}

void TspSkinCustomControl::SetBounds(int left, int top, int width, int height) {
    ReadSkinSection();
    const bool fitted = HasSection() && (width != Width() || height != Height());
    if (fitted) FitSizeToSkin(width, height);
    TspSkinControl::SetBounds(left, top, width, height);
    if (fitted) {
        UpdateShapeRegion();
        Invalidate();
    }
}

void TspSkinCustomControl::ApplySkin() {
    ReadSkinSection();
    ApplySkinCursor();
    bool resized = false;
    if (!HasSection()) {
        const int w = defaultWidth_ > 0 ? defaultWidth_ : Width();
        const int h = defaultHeight_ > 0 ? defaultHeight_ : Height();
        SetBounds(Left(), Top(), w, h);
    } else {
        int w = Width(), h = Height();
        FitSizeToSkin(w, h);
        if (w != Width() || h != Height()) {
            SetBounds(Left(), Top(), w, h);
            resized = true;
        }
    }
    if (!resized) {
        UpdateShapeRegion();
        Invalidate();
    }
}

// ---- Shape ----

void TspSkinCustomControl::UpdateShapeRegion() {
    if (mask_ == nullptr || !HasSection()) {
        if (WindowRegion() != nullptr) SetWindowRegion(nullptr);
        return;
    }
    const int w = Width(), h = Height();
    const TSkinGeometry& g = geometry_;
    const int rw = skinRect_.Width(), rh = skinRect_.Height();
    std::optional<TRegion> region;
    switch (mode_) {
        case rmFixed:
            region = MaskToRegion(*mask_);
            break;
        case rmBoth:
            region = ComposeMaskRegion(g, newGeometry_, w, h, *mask_);
            break;
        case rmHorizontal: {
            // Only the top edge's corner points divide a one-direction element.
            const TPoint nrt{SaturateToInt32(int64_t{w} + g.RT.X - rw), g.RT.Y};
            const TSkinGeometry stored{g.LT, g.RT, g.LT, g.RT, g.C};
            const TSkinGeometry resized{g.LT, nrt, g.LT, nrt, newGeometry_.C};
            region = ComposeMaskRegion(stored, resized, w, h, *mask_);
            break;
        }
        case rmVertical: {
            const TPoint nlb{g.LB.X, SaturateToInt32(int64_t{h} + g.LB.Y - rh)};
            const TSkinGeometry stored{g.LT, g.LT, g.LB, g.LB, g.C};
            const TSkinGeometry resized{g.LT, g.LT, nlb, nlb, newGeometry_.C};
            region = ComposeMaskRegion(stored, resized, w, h, *mask_);
            break;
        }
        case rmNone:
            break;
    }
    SetWindowRegion(region ? &*region : nullptr);
}

// ---- Images ----

void TspSkinCustomControl::PaintDefaultImage(TBitmap& bitmap) {
    bitmap.Canvas().FillSolid(Rect(0, 0, Width(), Height()), clBtnFace);
}

void TspSkinCustomControl::PaintSkinImage(TBitmap& bitmap) {
    if (picture_ == nullptr || mode_ == rmNone) {
        // A section without a picture or a skin rectangle has nothing to compose from.
        PaintWithoutSkin(bitmap);
        return;
    }
    ComposeControlImage(bitmap, *picture_, skinRect_);
}

void TspSkinCustomControl::ComposeControlImage(TBitmap& bitmap, const TBitmap& picture,
                                               const TRect& rect) {
    const TSkinGeometry& g = geometry_;
    switch (mode_) {
        case rmFixed:
            bitmap.SetSize(rect.Width(), rect.Height());
            bitmap.Canvas().CopyRect(Rect(0, 0, rect.Width(), rect.Height()), picture, rect);
            break;
        case rmBoth:
            ComposeSkinImageTiled(g, newGeometry_, bitmap, picture, rect, Width(), Height(),
                                  cdDrawClient);
            break;
        case rmHorizontal:
            ComposeHorzImage(g.LT.X, rect.Width() - g.RT.X, bitmap, Width(), rect, picture);
            break;
        case rmVertical:
            ComposeVertImage(g.LT.Y, rect.Height() - g.LB.Y, bitmap, Height(), rect, picture);
            break;
        case rmNone:
            break;
    }
}

// ---- Skin rectangles at the current size ----

TRect TspSkinCustomControl::MapSkinRect(const TRect& r) const {
    const TSkinGeometry& g = geometry_;
    const int rw = skinRect_.Width(), rh = skinRect_.Height();
    const int dx = Width() - rw, dy = Height() - rh;
    switch (mode_) {
        case rmBoth: {
            const TRect tl = Rect(0, 0, g.LT.X, g.LT.Y);
            const TRect tr = Rect(g.RT.X, 0, rw, g.RT.Y);
            const TRect bl = Rect(0, g.LB.Y, g.LB.X, rh);
            const TRect br = Rect(g.RB.X, g.RB.Y, rw, rh);
            if (RectInRect(r, tl)) return r;
            if (RectInRect(r, tr)) return OffsetRect(r, dx, 0);
            if (RectInRect(r, bl)) return OffsetRect(r, 0, dy);
            if (RectInRect(r, br)) return OffsetRect(r, dx, dy);
            // A rectangle spanning zones stretches with what lies between them.
            const TPoint a = r.TopLeft(), b = r.BottomRight();
            auto in = [](const TRect& zone, TPoint p) { return RectContainsPoint(zone, p); };
            TRect out = r;
            if (in(tl, a) && in(br, b)) {
                out.Right += dx;
                out.Bottom += dy;
            } else if (in(tl, a) && in(tr, b)) {
                out.Right += dx;
            } else if (in(bl, a) && in(br, b)) {
                out.Right += dx;
                out = OffsetRect(out, 0, dy);
            } else if (in(tl, a) && in(bl, b)) {
                out.Bottom += dy;
            } else if (in(tr, a) && in(br, b)) {
                out = OffsetRect(out, dx, 0);
                out.Bottom += dy;
            }
            return out;
        }
        case rmHorizontal:
            if (r.Left <= g.LT.X && r.Right >= g.RT.X)
                return Rect(r.Left, r.Top, r.Right + dx, r.Bottom);
            if (r.Left >= g.RT.X && r.Right > g.RT.X) return OffsetRect(r, dx, 0);
            return r;
        case rmVertical:
            if (r.Top <= g.LT.Y && r.Bottom >= g.LB.Y)
                return Rect(r.Left, r.Top, r.Right, r.Bottom + dy);
            if (r.Top >= g.LB.Y && r.Bottom > g.LB.Y) return OffsetRect(r, 0, dy);
            return r;
        case rmFixed:
        case rmNone:
            return r;
    }
    return r;
}
