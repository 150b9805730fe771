// Window transparency: AlphaBlend makes the window layered at AlphaBlendValue, and a window
// with AlphaBlend or AlphaBlendAnimation fades in when it is shown, where the screen really
// composites windows. A fade that ends fully opaque drops the layered state again.
#include "skin/form/FormFade.h"

#include <algorithm>

#include "skin/form/SkinForm.h"
#include "ui/Application.h"
#include "ui/WindowOpacity.h"

namespace {

constexpr uintptr_t kFadeInTimer = 1;
constexpr int kFadeStep = 5;

}  // namespace

void TspFormFade::SetLayered(bool layered) {
    if (layered_ == layered) return;
    layered_ = layered;
    // Leaving the layered state makes the window opaque again.
    if (!layered && form_.Form()->HandleAllocated()) SetWindowAlpha(*form_.Form(), 255);
}

void TspFormFade::SetAlphaBlend(bool value) {
    alphaBlend_ = value;
    if (form_.IsLoading() || form_.IsDesigning() || !form_.Form()->HandleAllocated()) return;
    if (value) {
        SetLayered(true);
        SetWindowAlpha(*form_.Form(), alphaBlendValue_);
    } else {
        SetLayered(false);
    }
}

void TspFormFade::SetAlphaBlendValue(uint8_t value) {
    if (value == alphaBlendValue_) return;
    alphaBlendValue_ = value;
    if (alphaBlend_ && layered_ && !form_.IsLoading() && !form_.IsDesigning() &&
        form_.Form()->HandleAllocated()) {
        SetWindowAlpha(*form_.Form(), value);
    }
}

bool TspFormFade::FadeInApplies() const {
    // An MDI child has no window of its own to fade.
    return !form_.IsDesigning() && LayeredWindowsSupported() &&
           (alphaBlend_ || form_.AlphaBlendAnimation) && !form_.IsMDIChildForm();
}

void TspFormFade::StartFadeIn() {
    if (!FadeInApplies()) return;
    SetLayered(true);
    SetWindowAlpha(*form_.Form(), 0);
    form_.Form()->SetTimer(kFadeInTimer, 1);
}

void TspFormFade::FadeInTimer() {
    TCustomForm& window = *form_.Form();
    window.KillTimer(kFadeInTimer);
    if (!FadeInApplies()) return;
    const bool animation = form_.AlphaBlendAnimation;
    const int target = alphaBlend_ || !animation ? alphaBlendValue_ : 255;
    if (animation) {
        TLivenessWatch alive = liveness_.Watch();
        Application().ProcessMessages();
        if (!alive.Alive() || form_.IsDestroying() || window.IsDestroying()) return;
        for (int a = kFadeStep;; a += kFadeStep) {
            const int step = std::min(a, target);
            SetWindowAlpha(window, static_cast<uint8_t>(step));
            if (step >= target) break;
        }
    } else if (target != 255) {
        SetWindowAlpha(window, static_cast<uint8_t>(target));
    }
    if (target == 255) SetLayered(false);
}

void TspFormFade::HideLayered() {
    if (alphaBlend_ && LayeredWindowsSupported()) SetLayered(false);
}
