// The MDI tab bar: layout, hover, dragging tabs to a new place, and the painting of the
// tabs from the skin's "tab" section (tab background, normal, active and mouse-over tab
// pictures with their fixed ends) or in a plain default look.
#include "skin/controls/SkinMDITabsBar.h"

#include <algorithm>

#include "skin/controls/SkinFormFrame.h"
#include "skin/data/SkinControlDefs.h"
#include "skin/data/SkinData.h"
#include "skin/draw/Blit.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinCompose.h"
#include "skin/draw/TextUtils.h"
#include "ui/Canvas.h"
#include "ui/Forms.h"
#include "ui/Panel.h"  // Frame3D

namespace {

constexpr int kCreatedWidth = 150;
constexpr int kTextInset = 4;

const TspDataSkinTabControl* TabSection(const TspDataSkinControl* def) {
    return dynamic_cast<const TspDataSkinTabControl*>(def);
}

}  // namespace

TspSkinMDITabsBar::TspSkinMDITabsBar(TComponent* owner) : TspSkinControl(owner) {
    defaultFont_.Name = "Arial";
    defaultFont_.Height = 14;
    SetSkinDataName("tab");
    SetBounds(0, 0, kCreatedWidth, defaultHeight_);
}

TspSkinMDITabsBar::~TspSkinMDITabsBar() = default;

void TspSkinMDITabsBar::SetDefaultHeight(int value) {
    defaultHeight_ = value;
    FitHeight();
}

void TspSkinMDITabsBar::SetDefaultFont(const TFont& font) {
    defaultFont_ = font;
    Invalidate();
}

void TspSkinMDITabsBar::SetDefaultTabWidth(int value) {
    defaultTabWidth_ = std::max(1, value);
    ArrangeTabs();
    Invalidate();
}

void TspSkinMDITabsBar::ApplySkin() {
    TspSkinControl::ApplySkin();
    FitHeight();
}

// With a skin the bar is as high as the tab picture, without one DefaultHeight.
void TspSkinMDITabsBar::FitHeight() {
    ReadSkinSection();
    const TspDataSkinTabControl* s = TabSection(SectionDef());
    const int h = s && !IsNullRect(s->TabRect) ? RectHeight(s->TabRect) : defaultHeight_;
    if (h > 0 && h != Height()) SetHeight(h);
    ArrangeTabs();
    Invalidate();
}

// ---------------------------------------------------------------- tabs

TspMDITab* TspSkinMDITabsBar::TabOf(const TCustomForm* child) const {
    for (const auto& t : tabs_) {
        if (t->Child == child) return t.get();
    }
    return nullptr;
}

int TspSkinMDITabsBar::IndexOf(const TspMDITab* tab) const {
    for (size_t i = 0; i < tabs_.size(); ++i) {
        if (tabs_[i].get() == tab) return static_cast<int>(i);
    }
    return -1;
}

void TspSkinMDITabsBar::AddTab(TCustomForm* child) {
    if (!child || TabOf(child)) return;
    tabs_.push_back(std::make_unique<TspMDITab>(this, child));
    const TCustomForm* parent = child->MDIParent();
    tabs_.back()->Active = parent && parent->ActiveMDIChild() == child;
    ArrangeTabs();
    Invalidate();
}

void TspSkinMDITabsBar::RemoveTab(TCustomForm* child) {
    TspMDITab* tab = TabOf(child);
    if (!tab) return;
    if (hover_ == tab) hover_ = nullptr;
    const int index = IndexOf(tab);
    if (dragIndex_ == index) {
        dragIndex_ = -1;
        buttonDown_ = dragging_ = false;
        dragDistance_ = 0;
    } else if (dragIndex_ > index) {
        --dragIndex_;
    }
    tabs_.erase(tabs_.begin() + index);
    ArrangeTabs();
    Invalidate();
}

void TspSkinMDITabsBar::SetActiveChild(TCustomForm* child) {
    for (auto& t : tabs_) t->Active = t->Child == child;
    Invalidate();
}

void TspSkinMDITabsBar::ChildChanged(TCustomForm* child) {
    if (TabOf(child)) Invalidate();
}

void TspSkinMDITabsBar::ArrangeTabs() {
    const int n = TabCount();
    if (n == 0) return;
    const int w = std::min(Width() / n, defaultTabWidth_);
    for (int i = 0; i < n; ++i)
        tabs_[static_cast<size_t>(i)]->ObjectRect = Rect(i * w, 0, (i + 1) * w, Height());
    // Narrower tabs than the default fill the whole bar.
    if (w < defaultTabWidth_) tabs_.back()->ObjectRect.Right = Width();
    if (dragging_ && dragIndex_ >= 0 && dragIndex_ < n) {
        TRect& r = tabs_[static_cast<size_t>(dragIndex_)]->ObjectRect;
        const int left = std::clamp(r.Left + dragDistance_, 0, std::max(0, Width() - r.Width()));
        r = Bounds(left, r.Top, r.Width(), r.Height());
    }
}

TspMDITab* TspSkinMDITabsBar::TabAt(TPoint p) const {
    for (const auto& t : tabs_) {
        if (RectContainsPoint(t->ObjectRect, p)) return t.get();
    }
    return nullptr;
}

// ---------------------------------------------------------------- mouse

void TspSkinMDITabsBar::SetHover(TspMDITab* tab) {
    if (tab == hover_) return;
    TspMDITab* old = hover_;
    hover_ = tab;
    if (old) {
        old->MouseIn = false;
        if (OnTabMouseLeave) OnTabMouseLeave(old);
    }
    if (tab) {
        tab->MouseIn = true;
        if (OnTabMouseEnter) OnTabMouseEnter(tab);
    }
    Invalidate();
}

void TspSkinMDITabsBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TspSkinControl::MouseDown(button, shift, x, y);
    TspMDITab* tab = TabAt({x, y});
    if (!tab) return;
    if (button == mbLeft) {
        TCustomForm* child = tab->Child;
        if (ISkinFormFrame* frame = SkinFormFrameOf(child); frame && frame->FrameMinimized())
            frame->RestoreFrame();
        child->Show();
        // Showing the child may have changed the tabs (a tab is added when shown).
        tab = TabOf(child);
        if (!tab) return;
        buttonDown_ = true;
        dragIndex_ = IndexOf(tab);
        dragStartX_ = x;
        dragDistance_ = 0;
    }
    if (OnTabMouseDown) OnTabMouseDown(button, shift, tab);
}

void TspSkinMDITabsBar::MouseMove(TShiftState shift, int x, int y) {
    TspSkinControl::MouseMove(shift, x, y);
    if (buttonDown_ && dragIndex_ >= 0 && (dragging_ || x != dragStartX_)) {
        dragging_ = true;
        dragDistance_ = x - dragStartX_;
        ArrangeTabs();
        Invalidate();
        return;
    }
    SetHover(TabAt({x, y}));
}

void TspSkinMDITabsBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TspSkinControl::MouseUp(button, shift, x, y);
    const bool dragged = dragging_;
    const int from = dragIndex_;
    buttonDown_ = false;
    dragging_ = false;
    dragIndex_ = -1;
    if (dragged && from >= 0 && from < TabCount()) {
        // The dragged tab's place as it was dropped.
        const int moved = dragDistance_;
        dragDistance_ = 0;
        const TRect at = tabs_[static_cast<size_t>(from)]->ObjectRect;
        ArrangeTabs();
        int to = -1;
        if (moved > 0) {
            // Right: the last tab to its right whose centre lies left of its right edge.
            for (int i = from + 1; i < TabCount(); ++i) {
                const TRect& r = tabs_[static_cast<size_t>(i)]->ObjectRect;
                if ((r.Left + r.Right) / 2 < at.Right) to = i;
            }
        } else if (moved < 0) {
            // Left: the leftmost tab to its left whose centre lies right of its left edge.
            for (int i = from - 1; i >= 0; --i) {
                const TRect& r = tabs_[static_cast<size_t>(i)]->ObjectRect;
                if ((r.Left + r.Right) / 2 > at.Left) to = i;
            }
        }
        if (to != -1) {
            auto tab = std::move(tabs_[static_cast<size_t>(from)]);
            tabs_.erase(tabs_.begin() + from);
            tabs_.insert(tabs_.begin() + to, std::move(tab));
        }
        ArrangeTabs();
        Invalidate();
        return;
    }
    dragDistance_ = 0;
    if (TspMDITab* tab = TabAt({x, y}); tab && OnTabMouseUp) OnTabMouseUp(button, shift, tab);
}

void TspSkinMDITabsBar::WndProc(TMessage& m) {
    if (m.Msg == WM_SIZE) ArrangeTabs();
    if (m.Msg == CM_MOUSELEAVE) SetHover(nullptr);
    TspSkinControl::WndProc(m);
}

// ---------------------------------------------------------------- painting

void TspSkinMDITabsBar::PaintTabs(TBitmap& bitmap, bool skinned) {
    const TspDataSkinTabControl* s = skinned ? TabSection(SectionDef()) : nullptr;
    const TBitmap* picture = s && SkinData() ? SkinData()->ActivePicture(s->PictureIndex) : nullptr;
    if (!picture) s = nullptr;
    TCanvas& c = bitmap.Canvas();
    // The dragged tab is drawn last, over the others.
    std::vector<const TspMDITab*> order;
    for (const auto& t : tabs_) order.push_back(t.get());
    if (dragging_ && dragIndex_ >= 0 && dragIndex_ < TabCount()) {
        const TspMDITab* dragged = order[static_cast<size_t>(dragIndex_)];
        order.erase(order.begin() + dragIndex_);
        order.push_back(dragged);
    }
    for (const TspMDITab* tab : order) {
        const TRect r = tab->ObjectRect;
        if (IsNullRect(r)) continue;
        TColor textColor = clBtnText;
        TFont font = defaultFont_;
        if (s) {
            const TRect* source = &s->TabRect;
            textColor = s->FontDef.Color;
            if (tab->Active && !IsNullRect(s->ActiveTabRect)) {
                source = &s->ActiveTabRect;
                textColor = s->ActiveFontColor;
            } else if (tab->MouseIn && !IsNullRect(s->MouseInTabRect)) {
                source = &s->MouseInTabRect;
                textColor = s->MouseInFontColor;
            }
            TBitmap image;
            ComposeHorzImage(s->TabLeftOffset, s->TabRightOffset, image, r.Width(), *source,
                             *picture);
            if (!image.Empty())
                BlitRect(bitmap, r, image, Rect(0, 0, image.Width(), image.Height()));
            font.Name = s->FontDef.Name;
            font.Height = s->FontDef.Height;
            font.Style = s->FontDef.Style;
        } else {
            TRect frame = InflateRect(r, 0, 0);
            c.FillSolid(frame, ColorToRGB(tab->Active    ? clWindow
                                          : tab->MouseIn ? clBtnHighlight
                                                         : clBtnFace));
            Frame3D(c, frame, ColorToRGB(clBtnHighlight), ColorToRGB(clBtnShadow), 1);
        }
        std::string text = tab->Child->Caption();
        TCanvasStateGuard guard(c);
        c.Font = font;
        c.Font.Color = ColorToRGB(textColor);
        const TRect textBox = InflateRect(r, -kTextInset, 0);
        EllipsisText(c, text, textBox.Width());
        c.Brush.Style = bsClear;
        c.IntersectClipRect(textBox);
        const TSize ts = c.TextExtent(text);
        c.TextOut(textBox.Left + (textBox.Width() - ts.cx) / 2, r.Top + (r.Height() - ts.cy) / 2,
                  text);
    }
}

void TspSkinMDITabsBar::PaintDefaultImage(TBitmap& bitmap) {
    bitmap.Canvas().FillSolid(Rect(0, 0, bitmap.Width(), bitmap.Height()), ColorToRGB(clBtnFace));
    PaintTabs(bitmap, false);
}

void TspSkinMDITabsBar::PaintSkinImage(TBitmap& bitmap) {
    const TspDataSkinTabControl* s = TabSection(SectionDef());
    const TBitmap* picture = s && SkinData() ? SkinData()->ActivePicture(s->PictureIndex) : nullptr;
    if (!picture) {
        PaintDefaultImage(bitmap);
        return;
    }
    const int w = bitmap.Width(), h = bitmap.Height();
    bitmap.Canvas().FillSolid(Rect(0, 0, w, h), ColorToRGB(clBtnFace));
    // The row background, tiled along the bar at its height.
    const TRect bg = s->TabsBGRect;
    if (!IsNullRect(bg)) {
        for (int x = 0; x < w; x += bg.Width()) {
            const int len = std::min(bg.Width(), w - x);
            BlitRect(bitmap, Rect(x, 0, x + len, h), *picture,
                     Rect(bg.Left, bg.Top, bg.Left + len, bg.Bottom));
        }
    }
    PaintTabs(bitmap, true);
}
