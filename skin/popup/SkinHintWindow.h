// The hint window drawn from the skin's [HINTWINDOW] section: sized to its text (never
// smaller than the hint picture), kept on the screen near its corners, shaped by the mask,
// and translucent through per-window alpha or, without it, by blending with the screen.
// It serves the active TspSkinHint of the main form; without one it shows nothing.
#pragma once

#include <optional>

#include "skin/draw/SkinCompose.h"
#include "ui/Bitmap.h"
#include "ui/Controls.h"

class TspSkinData;
class TspSkinHint;

class TspSkinHintWindow : public THintWindow {
public:
    explicit TspSkinHintWindow(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TspSkinHintWindow"; }

    void ActivateHint(const TRect& screenRect, const std::string& hint) override;
    // Hides the window (topmost, without activation).
    void ReleaseHandle() override;

    // The first active TspSkinHint among the main form's components, or nullptr.
    [[nodiscard]] static TspSkinHint* ServingHint();
    [[nodiscard]] bool AlphaApplied() const { return alphaState_; }
    [[nodiscard]] TspSkinHint* Hint() const { return hint_; }

    // The hint component or skin data it shows from is freed: it drops the reference (and,
    // for the hint component, hides).
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;

private:
    [[nodiscard]] bool SkinUsable() const;
    void ApplyFont();
    void SetSources(TspSkinHint* hint, TspSkinData* skinData);

    TspSkinHint* hint_ = nullptr;        // free-notified
    TspSkinData* skinData_ = nullptr;    // free-notified
    TLivenessWatch skinContent_;         // the skin content the geometry below was made for
    std::optional<TBitmap> background_;  // the screen under the window (simulated alpha)
    bool alphaState_ = false;
    uint8_t alphaValue_ = 0;
    TSkinGeometry newGeometry_{};
};
