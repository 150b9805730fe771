// One level of an open skinned menu: a top-level popup window that never takes activation,
// holding the items of one framework menu item. It sizes itself to its items (or to the
// work area's height, then scrolling with markers), places itself beside its anchor, draws
// from the skin's [POPUPWINDOW] and "MENUITEM" or in the default look, follows the mouse on
// a 50 ms timer, morphs its active item on a 20 ms timer and answers the keyboard.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "skin/data/SkinObjectDefs.h"
#include "skin/data/SkinWindowDefs.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/SkinCompose.h"
#include "skin/popup/SkinMenuItem.h"
#include "ui/Bitmap.h"
#include "ui/Controls.h"

class TCustomImageList;
class TspSkinData;
class TspSkinMenu;

// Window timers of a popup window.
enum : uintptr_t {
    kPopupScrollTimer = 1,       // 100 ms while the items scroll
    kPopupMouseTimer = 2,        // 50 ms: hover tracking
    kPopupMorphTimer = 3,        // 20 ms: morphing of the active item
    kPopupDelayedShowTimer = 4,  // 100 ms: translucent show without per-window alpha
};

constexpr int kScrollMarkerHeight = 10;

class TspSkinPopupWindow : public TCustomControl {
public:
    // def: the skin's popup definition when the skin is to be used, else nullptr.
    TspSkinPopupWindow(TspSkinMenu& engine, TspSkinData* skinData,
                       const TspDataSkinPopupWindow* def);
    ~TspSkinPopupWindow() override;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinPopupWindow"; }

    // Builds the items (visible ones of `items`, action updates run first), sizes, lays out,
    // places and shows the window. False when no item is visible (nothing is shown).
    bool Open(const TRect& anchor, bool up, bool submenu, const std::vector<TMenuItem*>& items,
              TCustomImageList* images, bool firstLevel);

    // ---- State ----
    [[nodiscard]] const std::vector<std::unique_ptr<TspSkinMenuItem>>& Items() const {
        return items_;
    }
    [[nodiscard]] int ActiveIndex() const { return activeItem_; }
    [[nodiscard]] bool Scrolling() const { return scroll_; }
    [[nodiscard]] int FirstVisibleIndex() const { return firstVisible_; }
    [[nodiscard]] int VisibleCount() const { return visibleCount_; }
    [[nodiscard]] int ScrollDirection() const { return scrollDirection_; }
    [[nodiscard]] TRect ItemsRect() const { return itemsRect_; }
    [[nodiscard]] bool UsesSkin() const { return def_ != nullptr; }
    [[nodiscard]] bool UsesSkinItems() const { return itemDef_.has_value(); }
    [[nodiscard]] int GlyphColumnWidth() const { return glyphWidth_; }
    // The item rectangle in screen coordinates.
    [[nodiscard]] TRect ItemScreenRect(int index) const;
    // Index of the visible item under a client point, or -1.
    [[nodiscard]] int ItemAt(TPoint clientPoint) const;
    // Whether a screen point is on the window (inside its shape).
    [[nodiscard]] bool ContainsScreenPoint(TPoint screenPoint) const;

    // ---- Input (client coordinates) ----
    void HoverAt(TPoint p);
    void ButtonUp(TMouseButton button, TPoint p);
    // The keys of an open menu; true when the key was used.
    bool HandleKey(uint16_t key, uint32_t ch);
    void MouseTimerTick();

    // ---- Highlight ----
    void HighlightItem(int index, bool fromKeyboard);
    void UnhighlightItem(int index);
    // Clears every item's submenu-open mark (the levels above were closed).
    void ClearSubMenuMarks();
    void SetSubMenuOpen(int index);
    void RedrawItem(int index);

    // Stops the timers and hides the window; the engine frees it soon after.
    void Retire();
    // A menu item or image list is being freed: the window no longer refers to it. True
    // when one of its items showed that menu item.
    bool ForgetComponent(const TComponent* component);
    // The skin content it draws from was replaced or freed since it was made.
    [[nodiscard]] bool SkinGone() const { return usesSkinData_ && !skinContent_.Alive(); }

    // Paints the item's image (both looks blended while morphing) into `target`.
    void ComposeItemImage(const TspSkinMenuItem& item, TBitmap& target);

    // A menu of its items (SkinPopupAccessible.cpp): the highlighted one focused and
    // selected, "click" executes an item as choosing it does.
    void GetAccessible(platform::AccessibleNode& node) override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    [[nodiscard]] int ItemHeight(const TspSkinMenuItem& item) const;
    [[nodiscard]] int TextWidthOf(const TspSkinMenuItem& item);
    void CalcSize();
    void MoveGeometryToSize();
    void LayoutItems();
    [[nodiscard]] int FirstVisibleForEnd() const;
    [[nodiscard]] bool HiddenAbove() const { return scroll_ && firstVisible_ > 0; }
    [[nodiscard]] bool HiddenBelow() const {
        return scroll_ && firstVisible_ + visibleCount_ < static_cast<int>(items_.size());
    }
    void ShowNow();
    void DelayedShow();
    void FadeIn();
    void HighlightFirst();
    void StartScroll(int direction);
    void StopScroll();
    void ScrollStep();
    void ScrollIntoView(int index);
    void ClickItem(int index);
    void MoveHighlight(int step);
    void StartMorph();
    void MorphStep();
    void InvalidateMarkers();
    // A popup whose skin went closes the whole menu; true when it did.
    bool CloseIfSkinGone();

    // Painting (SkinPopupWindowPaint.cpp).
    void ComposeBackground();
    void DrawItemDefault(const TspSkinMenuItem& item, bool active, TBitmap& target);
    void DrawItemSkin(const TspSkinMenuItem& item, bool active, TBitmap& target);
    void DrawItemContent(const TspSkinMenuItem& item, TCanvas& canvas, const TRect& area,
                         int glyphWidth, int rightGap, int imageLeft, int markLeft,
                         TColor textColor);
    void DrawMarkers(TCanvas& canvas);
    void BlendWithScreen(TBitmap& image, TPoint at);

    TspSkinMenu& engine_;
    TspSkinData* skinData_;
    bool usesSkinData_ = false;
    TLivenessWatch skinContent_;  // the pictures and definitions below point into it
    const TspDataSkinPopupWindow* def_;
    const TBitmap* windowPicture_ = nullptr;
    const TBitmap* maskPicture_ = nullptr;
    // A copy: an item definition without a usable picture must not change the skin's own.
    std::optional<TspDataSkinMenuItem> itemDef_;
    const TBitmap* itemPicture_ = nullptr;
    std::vector<std::unique_ptr<TspSkinMenuItem>> items_;
    TCustomImageList* images_ = nullptr;
    int glyphWidth_ = 16;
    TSkinGeometry geometry_{};     // the skin's points and items rectangle
    TSkinGeometry newGeometry_{};  // the same for the current size
    TRect itemsRect_{};
    TRect workArea_{};
    bool scroll_ = false;
    int firstVisible_ = 0;
    int visibleCount_ = 0;
    int scrollDirection_ = 0;  // 0 none, 1 up, 2 down
    int activeItem_ = -1;
    int oldActiveItem_ = -1;
    TPoint shownAt_{};
    TPoint lastMouse_{-1000000, -1000000};
    bool firstLevel_ = false;
    bool alphaBlend_ = false;
    uint8_t alphaValue_ = 200;
    bool alphaAnimation_ = false;
    std::optional<TBitmap> screenCapture_;  // the screen under the window
    TBitmap background_;
    bool backgroundValid_ = false;
    bool retired_ = false;
};
