// The skinned hints: a component that replaces the application's hint window with the
// skinned one (TspSkinHintWindow) and shows hint texts at the mouse cursor on its own timer
// for the skinned form's objects: ShowHintAtCursor waits the application's hint pause,
// shows the text just below the cursor's visible part, and hides it after the hint hide
// pause; HideHint cancels or hides at once. At most one TspSkinHint of a form is active.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Component.h"
#include "ui/GraphicsObjects.h"

class TspSkinData;
class TspSkinHintWindow;

class TspSkinHint : public TComponent {
public:
    explicit TspSkinHint(TComponent* owner);
    ~TspSkinHint() override;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinHint"; }

    [[nodiscard]] TspSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TspSkinData* data);
    [[nodiscard]] bool Active() const { return active_; }
    // Activating deactivates every other active TspSkinHint of the main form.
    void SetActive(bool active);
    bool UseSkinFont = true;
    TFont DefaultFont;
    bool AlphaBlend = false;
    uint8_t AlphaBlendValue = 200;
    [[nodiscard]] bool AlphaBlendSupport() const { return alphaBlendSupport_; }
    // Forced off where the screen does not composite.
    void SetAlphaBlendSupport(bool value);
    // Forwarded from the application's show-hint event while this component is active.
    TShowHintEvent OnShowHint;

    // ---- The object-hint service of the skinned form ----
    void ShowHintAtCursor(const std::string& text);
    void ShowPendingHint();
    void HideHint();
    [[nodiscard]] bool HintPending() const { return timer_ != 0; }
    [[nodiscard]] TspSkinHintWindow& HintWindow() const { return *window_; }
    // How far below the cursor's hot spot its visible part ends (the hint goes there).
    [[nodiscard]] int CursorBottomOffset() const;

    void Notification(TComponent* component, TOperation operation) override;

private:
    enum class Step { None, Show, Hide };
    void StopTimer();
    void StartTimer(uint32_t ms, Step step);

    TspSkinData* skinData_ = nullptr;
    bool active_ = true;
    bool alphaBlendSupport_ = true;
    std::unique_ptr<TspSkinHintWindow> window_;
    platform::TimerId timer_ = 0;
    Step step_ = Step::None;
    std::string pendingText_;
    TLiveness liveness_;
};

// The offset below the hot spot where a cursor's visible part ends, from its monochrome
// mask; the system cursor height when the mask cannot be read.
[[nodiscard]] int CursorBottomOffsetFromMask(const platform::CursorInfo& cursor);
