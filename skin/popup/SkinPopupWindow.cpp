// A popup window's life: items, size and layout, placement, showing (with fade-in or the
// delayed, screen-blended show), hover tracking, scrolling, highlight and keys.
#include "skin/popup/SkinPopupWindow.h"

#include <algorithm>
#include <cmath>

#include "platform/Platform.h"
#include "skin/data/SkinData.h"
#include "skin/draw/MaskRegion.h"
#include "skin/popup/MenuPlacement.h"
#include "skin/popup/SkinMenu.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"
#include "ui/Screen.h"
#include "ui/ScreenCapture.h"
#include "ui/WindowOpacity.h"
#include "ui/WorkArea.h"

namespace {

constexpr int kMorphTimerMs = 20;
constexpr int kMouseTimerMs = 50;
constexpr int kScrollTimerMs = 100;
constexpr int kDelayedShowMs = 100;
constexpr double kMorphStep = 0.1;
constexpr int kFadeStep = 2;

const TspDataSkinMenuItem* FindItemDef(TspSkinData* data) {
    if (!data || data->SkinEmpty) return nullptr;
    int index = data->GetObjectDefIndex("MENUITEM");
    if (index < 0) index = data->GetObjectDefIndex("menuitem");
    if (index < 0) return nullptr;
    return dynamic_cast<const TspDataSkinMenuItem*>(
        data->ObjectDefs[static_cast<size_t>(index)].get());
}

}  // namespace

TspSkinPopupWindow::TspSkinPopupWindow(TspSkinMenu& engine, TspSkinData* skinData,
                                       const TspDataSkinPopupWindow* def)
    : TCustomControl(nullptr), engine_(engine), skinData_(skinData), def_(def) {
    if (skinData_) {
        usesSkinData_ = true;
        skinContent_ = skinData_->ContentWatch();
    }
    if (def_ && skinData_) {
        windowPicture_ = skinData_->ActivePicture(def_->WindowPictureIndex);
        maskPicture_ = skinData_->ActivePicture(def_->MaskPictureIndex);
        if (!windowPicture_) def_ = nullptr;
    }
    if (const TspDataSkinMenuItem* item = FindItemDef(skinData_)) {
        itemPicture_ = skinData_->ActivePicture(item->ActivePictureIndex);
        // An item definition that draws from no picture would give items of no height: the
        // items keep the default look then.
        if (itemPicture_) itemDef_ = *item;
    }
    // A skinned window needs the item geometry to size itself; without it the whole
    // window takes the default look.
    if (!itemDef_) def_ = nullptr;
    if (!def_) {
        windowPicture_ = nullptr;
        maskPicture_ = nullptr;
    }
    alphaBlend_ = engine_.AlphaBlend;
    alphaValue_ = engine_.AlphaBlendValue;
    alphaAnimation_ = engine_.AlphaBlendAnimation;
}

TspSkinPopupWindow::~TspSkinPopupWindow() { Retire(); }

void TspSkinPopupWindow::Retire() {
    if (retired_) return;
    retired_ = true;
    KillTimer(kPopupScrollTimer);
    KillTimer(kPopupMouseTimer);
    KillTimer(kPopupMorphTimer);
    KillTimer(kPopupDelayedShowTimer);
    HidePopupWindow();
}

bool TspSkinPopupWindow::ForgetComponent(const TComponent* component) {
    if (component == images_) images_ = nullptr;
    const auto gone = [component](const std::unique_ptr<TspSkinMenuItem>& item) {
        return static_cast<const TComponent*>(item->MenuItem) == component;
    };
    const auto first = std::remove_if(items_.begin(), items_.end(), gone);
    if (first == items_.end()) return false;
    items_.erase(first, items_.end());
    // The indices moved: no item stays highlighted; the engine closes this level.
    activeItem_ = -1;
    oldActiveItem_ = -1;
    return true;
}

bool TspSkinPopupWindow::CloseIfSkinGone() {
    if (!SkinGone()) return false;
    if (!retired_) engine_.CloseAll();
    return true;
}

// ---------------------------------------------------------------- sizes and layout

int TspSkinPopupWindow::ItemHeight(const TspSkinMenuItem& item) const {
    if (itemDef_)
        return item.IsDivider() ? itemDef_->DividerRect.Height() : itemDef_->SkinRect.Height();
    return item.IsDivider() ? 4 : engine_.DefaultItemHeight();
}

int TspSkinPopupWindow::TextWidthOf(const TspSkinMenuItem& item) {
    TBitmap scratch(1, 1);
    TCanvas& canvas = scratch.Canvas();
    canvas.Font = Font();
    std::string text = StripHotkey(item.MenuItem->Caption());
    if (item.MenuItem->ShortCut != scNone) text += "  " + item.MenuItem->ShortCutText();
    return canvas.TextWidth(text) + 2;
}

void TspSkinPopupWindow::CalcSize() {
    int maxText = 0;
    for (const auto& item : items_) {
        if (!item->IsDivider()) maxText = std::max(maxText, TextWidthOf(*item));
    }
    glyphWidth_ = images_ ? images_->Width() + 5 : 16;
    const int inner = maxText + glyphWidth_ + 16;
    int sum = 0;
    for (const auto& item : items_) sum += ItemHeight(*item);
    int w = 0;
    int h = 0;
    if (def_) {
        const TRect& tr = itemDef_->TextRect;
        const TRect& ir = def_->ItemsRect;
        w = windowPicture_->Width() + inner + tr.Left + itemDef_->SkinRect.Width() - tr.Right +
            ir.Left - ir.Right;
        h = windowPicture_->Height() + sum + ir.Top - ir.Bottom;
    } else {
        w = inner + 10;
        h = sum + 6;
    }
    scroll_ = false;
    if (h > workArea_.Height()) {
        h = workArea_.Height();
        scroll_ = true;
    }
    SetBounds(Left(), Top(), w, h);
    MoveGeometryToSize();
}

void TspSkinPopupWindow::MoveGeometryToSize() {
    const int w = Width();
    const int h = Height();
    if (!def_) {
        itemsRect_ = Rect(3, 3, w - 3, h - 3);
        return;
    }
    const int pw = windowPicture_->Width();
    const int ph = windowPicture_->Height();
    geometry_ = {def_->LTPoint, def_->RTPoint, def_->LBPoint, def_->RBPoint, def_->ItemsRect};
    newGeometry_.LT = def_->LTPoint;
    newGeometry_.RT = {w + def_->RTPoint.X - pw, def_->RTPoint.Y};
    newGeometry_.LB = {def_->LBPoint.X, h + def_->LBPoint.Y - ph};
    newGeometry_.RB = {w + def_->RBPoint.X - pw, h + def_->RBPoint.Y - ph};
    const TRect& ir = def_->ItemsRect;
    itemsRect_ = Rect(ir.Left, ir.Top, w + ir.Right - pw, h + ir.Bottom - ph);
    newGeometry_.C = itemsRect_;
}

void TspSkinPopupWindow::LayoutItems() {
    const int margin = scroll_ ? kScrollMarkerHeight : 0;
    int y = itemsRect_.Top + margin;
    const int bottom = itemsRect_.Bottom - margin;
    visibleCount_ = 0;
    const int n = static_cast<int>(items_.size());
    for (int i = 0; i < n; ++i) items_[static_cast<size_t>(i)]->Visible = !scroll_;
    for (int i = firstVisible_; i < n; ++i) {
        TspSkinMenuItem& item = *items_[static_cast<size_t>(i)];
        const int h = ItemHeight(item);
        if (y + h > bottom) break;
        item.ObjectRect = Rect(itemsRect_.Left, y, itemsRect_.Right, y + h);
        item.Visible = true;
        y += h;
        ++visibleCount_;
    }
    backgroundValid_ = backgroundValid_ && !scroll_;
}

int TspSkinPopupWindow::FirstVisibleForEnd() const {
    const int top = itemsRect_.Top + kScrollMarkerHeight;
    int y = itemsRect_.Bottom - kScrollMarkerHeight;
    int fitted = 0;
    for (int i = static_cast<int>(items_.size()) - 1; i >= 0; --i) {
        const int h = ItemHeight(*items_[static_cast<size_t>(i)]);
        if (y - h < top) break;
        y -= h;
        ++fitted;
    }
    return static_cast<int>(items_.size()) - fitted;
}

TRect TspSkinPopupWindow::ItemScreenRect(int index) const {
    if (index < 0 || index >= static_cast<int>(items_.size())) return {};
    return OffsetRect(items_[static_cast<size_t>(index)]->ObjectRect, Left(), Top());
}

int TspSkinPopupWindow::ItemAt(TPoint p) const {
    for (int i = firstVisible_; i < static_cast<int>(items_.size()); ++i) {
        const TspSkinMenuItem& item = *items_[static_cast<size_t>(i)];
        if (item.Visible && PtInRect(item.ObjectRect, p)) return i;
    }
    return -1;
}

bool TspSkinPopupWindow::ContainsScreenPoint(TPoint s) const {
    if (retired_ || !PopupWindowShown() || !PtInRect(BoundsRect(), s)) return false;
    const TRegion* region = WindowRegion();
    return !region || region->Contains({s.X - Left(), s.Y - Top()});
}

// ---------------------------------------------------------------- opening

bool TspSkinPopupWindow::Open(const TRect& anchor, bool up, bool submenu,
                              const std::vector<TMenuItem*>& items, TCustomImageList* images,
                              bool firstLevel) {
    firstLevel_ = firstLevel;
    workArea_ = engine_.WorkArea();
    if (IsRectEmpty(workArea_)) workArea_ = GetWorkArea(anchor, true);
    if (LayeredWindowsSupported() && alphaBlend_ && alphaAnimation_ && firstLevel_)
        Application().ProcessMessages();
    if (def_ && engine_.UseSkinFont) {
        TFont font = engine_.MenuFont;
        font.Name = itemDef_->FontName;
        font.Height = itemDef_->FontHeight;
        font.Style = itemDef_->FontStyle;
        SetFont(font);
    } else {
        SetFont(engine_.MenuFont);
    }
    images_ = images;
    TLivenessWatch alive = LivenessWatch();
    for (TMenuItem* item : items) {
        // An action update may free items further down the list, or close this level.
        if (!engine_.ItemLives(item)) continue;
        item->InitiateAction();
        if (!alive.Alive() || retired_) return false;
        if (!engine_.ItemLives(item) || !item->Visible()) continue;
        items_.push_back(std::make_unique<TspSkinMenuItem>(
            *this, *item, itemDef_ ? &*itemDef_ : nullptr, itemPicture_));
    }
    if (items_.empty()) return false;
    CalcSize();
    firstVisible_ = 0;
    LayoutItems();
    if (maskPicture_) {
        std::optional<TRegion> region =
            ComposeMaskRegion(geometry_, newGeometry_, Width(), Height(), *maskPicture_);
        SetWindowRegion(region ? &*region : nullptr);
    }
    TMenuPlacement placement;
    placement.anchor = anchor;
    placement.workArea = workArea_;
    placement.size = {Width(), Height()};
    placement.itemsTop = itemsRect_.Top;
    placement.up = up;
    placement.submenu = submenu;
    placement.scrolling = scroll_;
    shownAt_ = PlaceMenuWindow(placement);
    SetBounds(shownAt_.X, shownAt_.Y, Width(), Height());
    if (alphaBlend_ && !LayeredWindowsSupported()) {
        SetTimer(kPopupDelayedShowTimer, kDelayedShowMs);
        return true;
    }
    if (def_ && def_->CursorIndex != -1 && skinData_)
        Cursor = skinData_->StartCursorIndex + def_->CursorIndex;
    if (LayeredWindowsSupported() && alphaBlend_)
        SetWindowOpacity(alphaAnimation_ && firstLevel_ ? 0 : alphaValue_);
    ShowNow();
    return true;
}

void TspSkinPopupWindow::DelayedShow() {
    KillTimer(kPopupDelayedShowTimer);
    screenCapture_.emplace(Width(), Height());
    CopyScreenArea(shownAt_.X, shownAt_.Y, *screenCapture_);
    backgroundValid_ = false;
    if (def_ && def_->CursorIndex != -1 && skinData_)
        Cursor = skinData_->StartCursorIndex + def_->CursorIndex;
    ShowNow();
}

void TspSkinPopupWindow::ShowNow() {
    ShowPopupWindow();
    if (LayeredWindowsSupported() && alphaBlend_ && alphaAnimation_ && firstLevel_) FadeIn();
    SetTimer(kPopupMouseTimer, kMouseTimerMs);
    lastMouse_ = platform::HasCurrent() ? platform::Current().CursorPos() : TPoint{};
    activeItem_ = -1;
    TLivenessWatch alive = LivenessWatch();
    engine_.PopupShown(*this);
    if (!alive.Alive()) return;
    HighlightFirst();
}

void TspSkinPopupWindow::FadeIn() {
    for (int a = kFadeStep; a < alphaValue_; a += kFadeStep)
        SetWindowOpacity(static_cast<uint8_t>(a));
    SetWindowOpacity(alphaValue_);
}

void TspSkinPopupWindow::HighlightFirst() {
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        if (!items_[static_cast<size_t>(i)]->Selectable()) continue;
        ScrollIntoView(i);
        items_[static_cast<size_t>(i)]->KeyboardSelected = true;
        activeItem_ = i;
        HighlightItem(i, true);
        return;
    }
}

// ---------------------------------------------------------------- messages and timers

void TspSkinPopupWindow::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_ERASEBKGND:
            m.Result = 1;  // Paint covers the whole window
            return;
        case WM_TIMER:
            if (retired_ || CloseIfSkinGone()) return;
            switch (m.WParam) {
                case kPopupScrollTimer:
                    ScrollStep();
                    return;
                case kPopupMouseTimer:
                    MouseTimerTick();
                    return;
                case kPopupMorphTimer:
                    MorphStep();
                    return;
                case kPopupDelayedShowTimer:
                    DelayedShow();
                    return;
                default:
                    break;
            }
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            // Reached only without the menu's grab; with it the engine routes the release.
            const TPoint p{static_cast<int16_t>(m.LParam & 0xFFFF),
                           static_cast<int16_t>((m.LParam >> 16) & 0xFFFF)};
            ButtonUp(m.Msg == WM_LBUTTONUP   ? mbLeft
                     : m.Msg == WM_RBUTTONUP ? mbRight
                                             : mbMiddle,
                     p);
            return;
        }
        default:
            break;
    }
    TCustomControl::WndProc(m);
}

void TspSkinPopupWindow::MouseTimerTick() {
    if (CloseIfSkinGone() || !platform::HasCurrent()) return;
    const TPoint cursor = platform::Current().CursorPos();
    if (cursor == lastMouse_) return;
    lastMouse_ = cursor;
    if (engine_.PopupAt(cursor) == this) {
        HoverAt(ScreenToClient(cursor));
    } else if (scrollDirection_ != 0) {
        StopScroll();
    }
}

void TspSkinPopupWindow::HoverAt(TPoint p) {
    if (scroll_) {
        const TRect top = Rect(itemsRect_.Left, itemsRect_.Top, itemsRect_.Right,
                               itemsRect_.Top + kScrollMarkerHeight);
        const TRect bottom = Rect(itemsRect_.Left, itemsRect_.Bottom - kScrollMarkerHeight,
                                  itemsRect_.Right, itemsRect_.Bottom);
        if (PtInRect(top, p)) {
            if (scrollDirection_ == 0 && HiddenAbove()) StartScroll(1);
            return;
        }
        if (PtInRect(bottom, p)) {
            if (scrollDirection_ == 0 && HiddenBelow()) StartScroll(2);
            return;
        }
        if (scrollDirection_ != 0) StopScroll();
    }
    const int index = ItemAt(p);
    if (index < 0) return;
    TspSkinMenuItem& item = *items_[static_cast<size_t>(index)];
    if (index == activeItem_) {
        if (item.KeyboardSelected) {
            item.KeyboardSelected = false;
            if (item.HasSubItems() && item.Selectable()) HighlightItem(index, false);
        }
        return;
    }
    oldActiveItem_ = activeItem_;
    activeItem_ = index;
    TLivenessWatch alive = LivenessWatch();
    if (oldActiveItem_ >= 0 && items_[static_cast<size_t>(oldActiveItem_)]->Selectable())
        UnhighlightItem(oldActiveItem_);
    if (!alive.Alive() || retired_) return;
    if (item.Selectable()) HighlightItem(index, false);
}

void TspSkinPopupWindow::ButtonUp(TMouseButton button, TPoint p) {
    if (retired_ || CloseIfSkinGone()) return;
    TLivenessWatch alive = LivenessWatch();
    HoverAt(p);
    if (!alive.Alive() || retired_) return;
    if (activeItem_ < 0 || button != mbLeft) return;
    const int index = ItemAt(p);
    if (index < 0 || index != activeItem_) return;
    TspSkinMenuItem& item = *items_[static_cast<size_t>(index)];
    if (item.IsDivider()) return;
    item.KeyboardSelected = false;
    if (!item.SubMenuOpen && item.MenuItem->Enabled())
        engine_.ItemAction(*this, index, false, true);
}

// ---------------------------------------------------------------- highlight

void TspSkinPopupWindow::HighlightItem(int index, bool fromKeyboard) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    TspSkinMenuItem& item = *items_[static_cast<size_t>(index)];
    item.Active = true;
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        TspSkinMenuItem& other = *items_[static_cast<size_t>(i)];
        if (i != index && other.SubMenuOpen) {
            other.SubMenuOpen = false;
            RedrawItem(i);
        }
    }
    StartMorph();
    const int level = engine_.LevelOf(this);
    if (level < 0) return;  // closed already
    if (item.KeyboardSelected && !fromKeyboard) {
        RedrawItem(index);
    } else if (item.SubMenuOpen) {
        engine_.CloseLevels(level + 2);
        if (TspSkinPopupWindow* sub = engine_.PopupWindow(level + 1)) sub->ClearSubMenuMarks();
    } else {
        RedrawItem(index);
        engine_.ItemAction(*this, index, fromKeyboard, false);
    }
}

void TspSkinPopupWindow::UnhighlightItem(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    TspSkinMenuItem& item = *items_[static_cast<size_t>(index)];
    item.KeyboardSelected = false;
    item.Active = false;
    StartMorph();
    if (!item.SubMenuOpen) RedrawItem(index);
    engine_.ForgetPendingItem(*this, index);
}

void TspSkinPopupWindow::ClearSubMenuMarks() {
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        if (!items_[static_cast<size_t>(i)]->SubMenuOpen) continue;
        items_[static_cast<size_t>(i)]->SubMenuOpen = false;
        RedrawItem(i);
    }
    StartMorph();
}

void TspSkinPopupWindow::SetSubMenuOpen(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    items_[static_cast<size_t>(index)]->SubMenuOpen = true;
    RedrawItem(index);
}

void TspSkinPopupWindow::RedrawItem(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    const TspSkinMenuItem& item = *items_[static_cast<size_t>(index)];
    if (item.Visible) InvalidateRect(item.ObjectRect);
}

void TspSkinPopupWindow::StartMorph() {
    if (!itemDef_ || !itemDef_->Morphing) {
        for (auto& item : items_) item->MorphKf = (item->Active || item->SubMenuOpen) ? 1 : 0;
        return;
    }
    SetTimer(kPopupMorphTimer, kMorphTimerMs);
}

void TspSkinPopupWindow::MorphStep() {
    bool changed = false;
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        TspSkinMenuItem& item = *items_[static_cast<size_t>(i)];
        const double target = (item.Active || item.SubMenuOpen) ? 1.0 : 0.0;
        if (item.MorphKf == target) continue;
        item.MorphKf = target > item.MorphKf ? std::min(1.0, item.MorphKf + kMorphStep)
                                             : std::max(0.0, item.MorphKf - kMorphStep);
        // Steps of 0.1 add up to rounding noise; the last one lands exactly.
        if (std::abs(item.MorphKf - target) < 1e-9) item.MorphKf = target;
        RedrawItem(i);
        changed = true;
    }
    if (!changed) KillTimer(kPopupMorphTimer);
}

// ---------------------------------------------------------------- scrolling

void TspSkinPopupWindow::InvalidateMarkers() {
    InvalidateRect(Rect(itemsRect_.Left, itemsRect_.Top, itemsRect_.Right,
                        itemsRect_.Top + kScrollMarkerHeight));
    InvalidateRect(Rect(itemsRect_.Left, itemsRect_.Bottom - kScrollMarkerHeight, itemsRect_.Right,
                        itemsRect_.Bottom));
}

void TspSkinPopupWindow::StartScroll(int direction) {
    scrollDirection_ = direction;
    InvalidateMarkers();
    if (engine_.LevelOf(this) >= 0) engine_.CloseLevels(engine_.LevelOf(this) + 1);
    SetTimer(kPopupScrollTimer, kScrollTimerMs);
}

void TspSkinPopupWindow::StopScroll() {
    scrollDirection_ = 0;
    InvalidateMarkers();
    KillTimer(kPopupScrollTimer);
}

void TspSkinPopupWindow::ScrollStep() {
    if (scrollDirection_ == 1 && HiddenAbove()) {
        --firstVisible_;
    } else if (scrollDirection_ == 2 && HiddenBelow()) {
        ++firstVisible_;
    } else {
        StopScroll();
        return;
    }
    LayoutItems();
    Invalidate();
}

void TspSkinPopupWindow::ScrollIntoView(int index) {
    if (!scroll_) return;
    const int before = firstVisible_;
    if (index < firstVisible_) {
        firstVisible_ = index;
    } else {
        while (index >= firstVisible_ + visibleCount_ &&
               firstVisible_ < static_cast<int>(items_.size()) - 1) {
            ++firstVisible_;
            LayoutItems();
        }
        firstVisible_ = std::min(firstVisible_, FirstVisibleForEnd());
    }
    if (firstVisible_ != before || visibleCount_ == 0) {
        LayoutItems();
        Invalidate();
    }
}

// ---------------------------------------------------------------- keys

void TspSkinPopupWindow::ClickItem(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    TspSkinMenuItem& item = *items_[static_cast<size_t>(index)];
    if (item.IsDivider() || item.SubMenuOpen || !item.MenuItem->Enabled()) return;
    item.KeyboardSelected = false;
    engine_.ItemAction(*this, index, false, true);
}

void TspSkinPopupWindow::MoveHighlight(int step) {
    const int n = static_cast<int>(items_.size());
    int next = activeItem_;
    for (int tries = 0; tries < n; ++tries) {
        next = next < 0 ? (step > 0 ? 0 : n - 1) : (next + step + n) % n;
        if (items_[static_cast<size_t>(next)]->Selectable()) break;
        if (tries == n - 1) return;  // nothing can be highlighted
    }
    if (next == activeItem_ && items_[static_cast<size_t>(next)]->Active) return;
    TLivenessWatch alive = LivenessWatch();
    if (activeItem_ >= 0) UnhighlightItem(activeItem_);
    if (!alive.Alive() || retired_) return;
    ScrollIntoView(next);
    activeItem_ = next;
    items_[static_cast<size_t>(next)]->KeyboardSelected = true;
    HighlightItem(next, true);
}

bool TspSkinPopupWindow::HandleKey(uint16_t key, uint32_t ch) {
    if (retired_) return false;
    if (CloseIfSkinGone()) return true;
    uint32_t accel = ch;
    if (accel == 0 && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) accel = key;
    if (accel > ' ') {
        for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
            const TspSkinMenuItem& item = *items_[static_cast<size_t>(i)];
            if (!IsAccel(accel, item.MenuItem->Caption())) continue;
            TLivenessWatch alive = LivenessWatch();
            if (activeItem_ >= 0 && activeItem_ != i) UnhighlightItem(activeItem_);
            if (!alive.Alive() || retired_) return true;
            ScrollIntoView(i);
            activeItem_ = i;
            if (item.Selectable()) HighlightItem(i, false);
            if (!alive.Alive() || retired_) return true;
            ClickItem(i);
            return true;
        }
    }
    const int level = engine_.LevelOf(this);
    if (level < 0) return false;
    switch (key) {
        case VK_RETURN:
            ClickItem(activeItem_);
            return true;
        case VK_ESCAPE:
            engine_.CloseLevels(level);
            return true;
        case VK_LEFT:
            if (engine_.PopupCount() >= 2) engine_.CloseLevels(level);
            return true;
        case VK_UP:
            MoveHighlight(-1);
            return true;
        case VK_DOWN:
            MoveHighlight(1);
            return true;
        case VK_RIGHT:
            if (activeItem_ >= 0 && items_[static_cast<size_t>(activeItem_)]->HasSubItems())
                ClickItem(activeItem_);
            return true;
        default:
            return false;
    }
}
