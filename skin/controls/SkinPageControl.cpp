#include "skin/controls/SkinPageControl.h"

#include <algorithm>

#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "ui/Canvas.h"

TspSkinPageControl::TspSkinPageControl(TComponent* owner) : TPageControl(owner) {
    // The skin's scroller replaces the plain scroll buttons.
    ShowScrollButtons = false;
    TFont font;
    font.Name = "Arial";
    font.Style = 0;
    font.Color = clBtnText;
    font.Height = 14;
    defaultFont_ = font;
    SetFont(font);
}

TspSkinPageControl::~TspSkinPageControl() {
    // The scroller's change event calls back into this control: it goes first.
    DestroyScroller();
    if (skinData_) skinData_->RemoveFreeNotification(this);
}

// ---- Published ----

void TspSkinPageControl::SetSkinData(TspSkinData* value) {
    if (skinData_ != value) {
        if (skinData_) skinData_->RemoveFreeNotification(this);
        skinData_ = value;
        if (skinData_) skinData_->FreeNotification(this);
    }
    if (skinData_ && !skinData_->SkinEmpty && !IsDesigning()) ApplyTabSkin();
}

void TspSkinPageControl::SetDefaultItemHeight(int value) {
    defaultItemHeight_ = value;
    if (hasSection_) return;
    SetItemSize(TabWidth(), value);
    TabsChanged();
    Realign();
}

void TspSkinPageControl::Notification(TComponent* component, TOperation operation) {
    TPageControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == skinData_) {
        skinData_ = nullptr;
        hasSection_ = false;
        picture_ = bgPicture_ = nullptr;
        if (!IsDestroying()) Invalidate();
    }
    if (component == scroller_) scroller_ = nullptr;
}

// ---- Section ----

void TspSkinPageControl::Invalidate() {
    imageDirty_ = true;
    TPageControl::Invalidate();
}

void TspSkinPageControl::ReadSkinSection() {
    hasSection_ = false;
    sectionDef_ = nullptr;
    picture_ = bgPicture_ = nullptr;
    section_ = TspDataSkinTabControl("");
    if (!skinData_ || skinData_->SkinEmpty) return;
    const int index = skinData_->GetControlDefIndex(skinDataName_);
    if (index < 0 || index >= static_cast<int>(skinData_->ControlDefs.size())) return;
    const auto* def = dynamic_cast<const TspDataSkinTabControl*>(
        skinData_->ControlDefs[static_cast<size_t>(index)].get());
    if (def == nullptr) return;
    hasSection_ = true;
    sectionDef_ = def;
    section_ = *def;
    // The focused piece falls back to the active piece as the skin stores it (which may be
    // empty itself), the active piece to the normal one.
    if (IsNullRect(section_.FocusTabRect)) section_.FocusTabRect = def->ActiveTabRect;
    if (IsNullRect(section_.ActiveTabRect)) section_.ActiveTabRect = def->TabRect;
    picture_ = skinData_->ActivePicture(def->PictureIndex);
    bgPicture_ = skinData_->ActivePicture(def->BGPictureIndex);
}

TRect TspSkinPageControl::FrameBands() const {
    if (!hasSection_) return {};
    const TRect& R = section_.SkinRect;
    const TRect& C = section_.ClientRect;
    return {C.Left, C.Top, R.Width() - C.Right, R.Height() - C.Bottom};
}

void TspSkinPageControl::ApplyTabSkin() {
    ReadSkinSection();
    int tabHeight = 0;
    if (!hasSection_) {
        SetFont(defaultFont_);
        tabHeight = TabHeight() > 0 ? TabHeight() : defaultItemHeight_;
    } else {
        TFont font = defaultFont_;
        if (useSkinFont_) {
            font.Name = section_.FontDef.Name;
            font.Height = section_.FontDef.Height;
            font.Style = section_.FontDef.Style;
        }
        font.Color = section_.FontDef.Color;
        SetFont(font);
        tabHeight = TabHeight() > 0 ? TabHeight() : section_.TabRect.Height();
    }
    SetItemSize(TabWidth(), tabHeight);
    TabsChanged();
    Realign();
    DestroyScroller();
    UpdateScroller();
    if (ActivePage()) ActivePage()->Invalidate();
}

void TspSkinPageControl::Loaded() {
    TPageControl::Loaded();
    if (hasSection_) return;
    SetItemSize(TabWidth(), TabHeight() > 0 ? TabHeight() : defaultItemHeight_);
    TabsChanged();
    Realign();
}

// ---- Geometry ----

TRect TspSkinPageControl::DisplayRect() const {
    TRect r = TPageControl::DisplayRect();
    const TRect b = FrameBands();  // left, top, right, bottom band sizes
    const int cw = ClientWidth(), ch = ClientHeight();
    if (!hasSection_) {
        switch (TabPosition()) {
            case tpTop:
                r = Rect(1, r.Top - 5, cw - 1, ch - 1);
                break;
            case tpBottom:
                r = Rect(1, 1, cw - 1, r.Bottom + 3);
                break;
            case tpLeft:
                r = Rect(r.Left - 3, r.Top - 5, cw - 1, ch - 1);
                break;
            case tpRight:
                r = Rect(r.Left - 3, r.Top - 5, r.Right + 3, ch - 1);
                break;
        }
    } else {
        switch (TabPosition()) {
            case tpTop:
                r = Rect(b.Left, r.Top + b.Top - 6, cw - b.Right, ch - b.Bottom);
                break;
            case tpBottom:
                r = Rect(b.Left, r.Top + b.Top - 6, cw - b.Right, r.Bottom + 4 - b.Bottom);
                break;
            case tpLeft:
                r = Rect(r.Left + b.Left - 4, r.Top + b.Top - 6, cw - b.Right, ch - b.Bottom);
                break;
            case tpRight:
                r = Rect(b.Left, r.Top + b.Top - 6, r.Right + 4 - b.Right, ch - b.Bottom);
                break;
        }
    }
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

TRect TspSkinPageControl::GetItemRect(int tabIndex) const {
    TRect r = TPageControl::GetItemRect(tabIndex);
    // Scrolled out or absent: nothing to move.
    if (IsRectEmpty(r) || Style() != tsTabs) return r;
    const bool singleLine = !MultiLine();
    switch (TabPosition()) {
        case tpTop:
            r = OffsetRect(r, singleLine ? -2 : 0, -2);
            break;
        case tpBottom:
            r = OffsetRect(r, singleLine ? -2 : 0, 2);
            break;
        case tpLeft:
            r = OffsetRect(r, -2, 0);
            break;
        case tpRight:
            r = OffsetRect(r, 2, 0);
            break;
    }
    return r;
}

// ---- Overflow ----

int TspSkinPageControl::HiddenTabCount() const {
    const int limit = Width() - (scroller_ ? scroller_->Width() : 0) - 3;
    int hidden = 0;
    for (int i = 0; i < TabCount(); ++i) {
        const TRect r = GetItemRect(i);
        if (r.Right > limit || r.Right <= 0) ++hidden;
    }
    return hidden;
}

int TspSkinPageControl::ScrolledOutCount() const {
    int count = 0;
    for (int i = 0; i < TabCount(); ++i)
        if (GetItemRect(i).Right <= 0) ++count;
    return count;
}

void TspSkinPageControl::DestroyScroller() {
    if (!scroller_) return;
    TspSkinUpDown* scroller = scroller_;
    scroller_ = nullptr;
    delete scroller;
}

void TspSkinPageControl::UpdateScroller() {
    const int hidden = HiddenTabCount();
    if (hidden == 0 && scroller_) {
        DestroyScroller();
    } else if (hidden > 0 && !scroller_) {
        auto* scroller = new TspSkinUpDown(this);
        scroller->SetParent(this);
        scroller->SetBounds(Width(), 0, defaultItemHeight_ * 2, defaultItemHeight_);
        scroller->SetMin(0);
        scroller->SetMax(hidden);
        scroller->SetPosition(ScrolledOutCount());
        scroller->Increment = 1;
        scroller->SetSkinDataName(section_.UpDown);
        scroller->SetSkinData(skinData_);
        scroller->OnChange = [this](TComponent*) { ScrollerChanged(); };
        scroller->SetVisible(true);
        scroller_ = scroller;
    }
    if (!scroller_) return;
    scroller_->SetMax(HiddenTabCount());
    scroller_->SetBounds(Width() - scroller_->Width(),
                         TabPosition() == tpTop ? 0 : Height() - scroller_->Height(),
                         scroller_->Width(), scroller_->Height());
    // A resize may have scrolled the row back: the scroller shows where it stands.
    SyncScrollerPosition();
}

void TspSkinPageControl::ScrollerChanged() {
    if (!scroller_) return;
    scroller_->SetMax(HiddenTabCount());
    const auto wParam = static_cast<uintptr_t>(MakeLParam(kSbThumbPosition, scroller_->Position()));
    Perform(kMsgHScroll, wParam, 0);
}

void TspSkinPageControl::SyncScrollerPosition() {
    if (scroller_) scroller_->SetPosition(ScrolledOutCount());
}

void TspSkinPageControl::TabsChanged() {
    SyncScrollerPosition();
    Invalidate();
}

void TspSkinPageControl::ActivePageChanged() {
    TPageControl::ActivePageChanged();
    SyncScrollerPosition();
}

void TspSkinPageControl::Change() {
    SyncScrollerPosition();
    TPageControl::Change();
    Invalidate();
}

// ---- Mouse ----

void TspSkinPageControl::RedrawTab(int tabIndex, bool mouseOver) {
    if (tabIndex < 0 || tabIndex == TabIndex() || tabIndex >= PageCount()) return;
    const TTabSheet* page = TabPage(tabIndex);
    if (!page || Width() <= 0 || Height() <= 0) return;
    imageDirty_ = true;
    ReadSkinSection();
    // Straight onto the control, as the rest of its image stands.
    DrawSkinnedTab(*page, GetItemRect(tabIndex), Canvas(), mouseOver, false);
}

void TspSkinPageControl::TrackHotTab(TPoint p) {
    oldHotTab_ = hotTab_;
    oldHotPage_ = hotPage_;
    hotTab_ = -1;
    int tab = 0, page = 0;
    for (; page < PageCount(); ++page) {
        if (!Pages(page)->TabVisible()) continue;
        if (PtInRect(GetItemRect(tab), p)) {
            hotTab_ = tab;
            break;
        }
        ++tab;
    }
    hotPage_ = page;
    if (hotTab_ == oldHotTab_) return;
    RedrawTab(oldHotTab_, false);
    RedrawTab(hotTab_, true);
}

void TspSkinPageControl::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_ERASEBKGND:
            if (PageCount() > 0) {
                message.Result = 1;
                return;
            }
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
            if (!IsDesigning()) TrackHotTab({GetXParam(message.LParam), GetYParam(message.LParam)});
            break;
        case CM_MOUSELEAVE:
            if (message.LParam == 0) {
                RedrawTab(oldHotTab_, false);
                RedrawTab(hotTab_, false);
                hotTab_ = hotPage_ = oldHotTab_ = oldHotPage_ = -1;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            // The active tab has a focused look.
            TPageControl::WndProc(message);
            Invalidate();
            return;
        case WM_SIZE:
            TPageControl::WndProc(message);
            if (!MultiLine() && !IsDesigning()) UpdateScroller();
            return;
        default:
            if (message.Msg == kMsgHScroll) {
                TPageControl::WndProc(message);
                Invalidate();
                return;
            }
            break;
    }
    TPageControl::WndProc(message);
}
