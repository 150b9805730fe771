// A container with a caption bar that rolls itself up to the bar (vertically, to the bar's
// height, or horizontally, to a vertical strip) and can carry a roll button and a close
// button, drawn from the skin's "expanel" section.
//
// Layouts: the bar layout (caption across the top, buttons at its right end) while the
// panel is open or rolled vertically; the strip layout (caption running upward, buttons at
// the top) while it is rolled horizontally.
#pragma once

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "skin/controls/SkinCustomControl.h"

class TspDataSkinExPanelControl;

enum TspExPanelRollKind { rkRollHorizontal, rkRollVertical };

class TspSkinExPanel : public TspSkinCustomControl {
public:
    // Button indexes.
    static constexpr int kCloseButton = 0;
    static constexpr int kRollButton = 1;

    explicit TspSkinExPanel(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TspSkinExPanel"; }

    // ---- Published ----
    // The caption bar's height without a skin, also the rolled size without one.
    [[nodiscard]] int DefaultCaptionHeight() const { return defaultCaptionHeight_; }
    void SetDefaultCaptionHeight(int value);
    [[nodiscard]] bool ShowRollButton() const { return showRollButton_; }
    void SetShowRollButton(bool value);
    [[nodiscard]] bool ShowCloseButton() const { return showCloseButton_; }
    void SetShowCloseButton(bool value);
    [[nodiscard]] bool RollState() const { return rollState_; }
    // Rolls up (hiding the children and remembering the size) or unrolls; fires
    // OnChangeRollState after every change.
    void SetRollState(bool value);
    [[nodiscard]] TspExPanelRollKind RollKind() const { return rollKind_; }
    // While rolled, the panel opens the old direction to its stored size and rolls up the
    // new one.
    void SetRollKind(TspExPanelRollKind value);
    // The size before a horizontal / vertical roll; 0 while not rolled that way.
    [[nodiscard]] int RealWidth() const { return realWidth_; }
    void SetRealWidth(int value) { realWidth_ = value; }
    [[nodiscard]] int RealHeight() const { return realHeight_; }
    void SetRealHeight(int value) { realHeight_ = value; }
    TNotifyEvent OnChangeRollState;
    // After the close button hid the panel.
    TNotifyEvent OnClose;

    // The width (horizontal roll) or height (vertical roll) of the rolled panel.
    [[nodiscard]] int RolledSize() const;
    // A button's rectangle in control coordinates (empty when hidden).
    [[nodiscard]] TRect ButtonRect(int index);
    // The area the caption is drawn in, beside the shown buttons.
    [[nodiscard]] TRect CaptionArea();
    [[nodiscard]] bool ButtonActive(int index) const {
        return buttons_.at(static_cast<size_t>(index)).active;
    }
    [[nodiscard]] bool ButtonPressed(int index) const {
        return buttons_.at(static_cast<size_t>(index)).pressed;
    }

    void AdjustClientRect(TRect& rect) const override;
    void ApplySkin() override;
    // While rolled, a size other than the rolled one in the rolling direction is replaced
    // by it (a parent's layout cannot open the panel, not even during the roll).
    void SetBounds(int left, int top, int width, int height) override;

    // Accessibility (SkinAccessible.cpp).
    void GetAccessible(platform::AccessibleNode& node) override;

protected:
    void WndProc(TMessage& message) override;
    void PaintSkinImage(TBitmap& bitmap) override;
    void PaintDefaultImage(TBitmap& bitmap) override;

private:
    struct Button {
        TRect rect{};
        bool active = false;
        bool pressed = false;
    };
    // The three pieces of a button in the skin: normal, active, pressed.
    struct Pieces {
        TRect normal, active, pressed;
    };

    [[nodiscard]] const TspDataSkinExPanelControl* ExPanelDef() const;
    [[nodiscard]] bool StripLayout() const { return rollState_ && rollKind_ == rkRollHorizontal; }
    // Places the buttons for the current state and size; returns the caption area.
    TRect LayoutSkin(const TspDataSkinExPanelControl& def);
    TRect LayoutDefault();
    TRect Layout();
    [[nodiscard]] Pieces ButtonPieces(const TspDataSkinExPanelControl& def, int index) const;
    void DrawButton(TCanvas& canvas, int index);
    void DrawCaption(TCanvas& canvas, const TRect& area);
    // Mouse tracking over the shown buttons.
    void HitTest(TPoint p);
    void SetActiveButton(int index);
    void MouseDownAt(TPoint p);
    void MouseUpAt(TPoint p);
    void RedrawButton(int index);
    void RollUp();
    void Unroll();

    int defaultCaptionHeight_ = 21;
    bool showRollButton_ = true;
    bool showCloseButton_ = true;
    bool rollState_ = false;
    TspExPanelRollKind rollKind_ = rkRollVertical;
    int realWidth_ = 0;
    int realHeight_ = 0;
    std::array<Button, 2> buttons_{};
    int activeButton_ = -1;
    int oldActiveButton_ = -1;
    int pressedButton_ = -1;
    std::vector<std::pair<TControl*, TLivenessWatch>> rolledChildren_;
};
