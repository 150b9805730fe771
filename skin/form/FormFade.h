// TspFormFade: a skinned window's transparency. AlphaBlend makes the window layered at
// AlphaBlendValue, and a window with AlphaBlend or AlphaBlendAnimation fades in when it is
// shown, where the screen really composites windows (an MDI child, which has no window of
// its own, does not). A fade that ends fully opaque drops the layered state again.
//
// It owns its state (the AlphaBlend and AlphaBlendValue properties' storage among it); the
// form holds it and forwards. What it uses of the form, all public: Form() (its window's
// opacity and the fade-in timer), AlphaBlendAnimation, IsMDIChildForm(), and
// IsLoading()/IsDesigning()/IsDestroying().
#pragma once

#include <cstdint>

#include "base/Liveness.h"

class TspSkinForm;

class TspFormFade {
public:
    explicit TspFormFade(TspSkinForm& form) : form_(form) {}
    TspFormFade(const TspFormFade&) = delete;
    TspFormFade& operator=(const TspFormFade&) = delete;

    [[nodiscard]] bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool value);
    [[nodiscard]] uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(uint8_t value);
    [[nodiscard]] bool Layered() const { return layered_; }

    // The window is shown (WM_SHOWWINDOW): the fade starts.
    void StartFadeIn();
    // The fade-in timer went off (WM_TIMER, timer 1).
    void FadeInTimer();
    // The window is hidden: a layered AlphaBlend window becomes opaque.
    void HideLayered();

private:
    void SetLayered(bool layered);
    [[nodiscard]] bool FadeInApplies() const;

    TspSkinForm& form_;
    bool alphaBlend_ = false;
    uint8_t alphaBlendValue_ = 200;
    bool layered_ = false;
    TLiveness liveness_;  // the animation runs messages, which may free the form
};
