// Two buttons that step an integer position between a minimum and a maximum, repeating
// while a button is held: the first step 600 ms after the press (the tick at 500 ms only
// switches to the fast interval), then one every 100 ms, and one more on release. The page
// control uses it as its tab scroller.
#pragma once

#include <array>

#include "skin/controls/SkinCustomControl.h"

enum TUDOrientation { udHorizontal, udVertical };

class TspSkinUpDown : public TspSkinCustomControl {
public:
    // Button indexes: the up button increases the position.
    static constexpr int kUpButton = 0;
    static constexpr int kDownButton = 1;
    static constexpr uint32_t kFirstRepeatMs = 500;
    static constexpr uint32_t kRepeatMs = 100;
    // When the pointer comes back onto the held button.
    static constexpr uint32_t kResumeRepeatMs = 50;

    explicit TspSkinUpDown(TComponent* owner);
    ~TspSkinUpDown() override;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinUpDown"; }

    // ---- Published ----
    [[nodiscard]] TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);
    [[nodiscard]] int Min() const { return min_; }
    // Raises Position to the new minimum if below (without OnChange).
    void SetMin(int value);
    [[nodiscard]] int Max() const { return max_; }
    // Lowers Position to the new maximum if above (without OnChange).
    void SetMax(int value);
    [[nodiscard]] int Position() const { return position_; }
    // A value outside [Min, Max] is ignored; one inside is stored and fires OnChange, also
    // when it did not change.
    void SetPosition(int value);
    // The step; 0 turns stepping and auto-repeat off (the buttons still click).
    int Increment = 1;
    TNotifyEvent OnChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;

    [[nodiscard]] TRect ButtonRect(int index) const {
        return buttons_.at(static_cast<size_t>(index)).rect;
    }
    [[nodiscard]] bool ButtonActive(int index) const {
        return buttons_.at(static_cast<size_t>(index)).active;
    }
    [[nodiscard]] bool ButtonPressed(int index) const {
        return buttons_.at(static_cast<size_t>(index)).pressed;
    }

    // The skin's element keeps its size: the section's points are cleared on every read.
    void ReadSkinSection() override;

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
    enum RepeatDirection { rdNone, rdDown, rdUp };
    static constexpr uintptr_t kRepeatTimer = 1;

    void LayoutButtons();
    void HitTest(TPoint p);
    void MouseDownAt(TPoint p);
    void MouseUpAt();
    void TimerTick();
    void StopRepeat();
    void Step(RepeatDirection direction);

    TUDOrientation orientation_ = udHorizontal;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    std::array<Button, 2> buttons_{};
    int activeButton_ = -1;
    int oldActiveButton_ = -1;
    int pressedButton_ = -1;
    RepeatDirection repeat_ = rdNone;
    bool firstTick_ = false;
};
