// Window transparency: AlphaBlend makes the window layered at AlphaBlendValue, and a window
// with AlphaBlend or AlphaBlendAnimation fades in when it is shown, where the screen really
// composites windows. A fade that ends fully opaque drops the layered state again.
#include <algorithm>

#include "skin/form/SkinForm.h"
#include "ui/Application.h"
#include "ui/WindowOpacity.h"

namespace {

constexpr uintptr_t kFadeInTimer = 1;
constexpr int kFadeStep = 5;

}  // namespace

void TspSkinForm::SetLayered(bool layered) {
    if (layered_ == layered) return;
    layered_ = layered;
    // Leaving the layered state makes the window opaque again.
    if (!layered && FForm->HandleAllocated()) SetWindowAlpha(*FForm, 255);
}

void TspSkinForm::SetAlphaBlend(bool value) {
    alphaBlend_ = value;
    if (IsLoading() || IsDesigning() || !FForm->HandleAllocated()) return;
    if (value) {
        SetLayered(true);
        SetWindowAlpha(*FForm, alphaBlendValue_);
    } else {
        SetLayered(false);
    }
}

void TspSkinForm::SetAlphaBlendValue(uint8_t value) {
    if (value == alphaBlendValue_) return;
    alphaBlendValue_ = value;
    if (alphaBlend_ && layered_ && !IsLoading() && !IsDesigning() && FForm->HandleAllocated()) {
        SetWindowAlpha(*FForm, value);
    }
}

bool TspSkinForm::FadeInApplies() const {
    // An MDI child has no window of its own to fade.
    return !IsDesigning() && LayeredWindowsSupported() && (alphaBlend_ || AlphaBlendAnimation) && !IsMDIChildForm();
}

void TspSkinForm::StartFadeIn() {
    if (!FadeInApplies()) return;
    SetLayered(true);
    SetWindowAlpha(*FForm, 0);
    FForm->SetTimer(kFadeInTimer, 1);
}

void TspSkinForm::FadeInTimer() {
    FForm->KillTimer(kFadeInTimer);
    if (!FadeInApplies()) return;
    const int target = alphaBlend_ || !AlphaBlendAnimation ? alphaBlendValue_ : 255;
    if (AlphaBlendAnimation) {
        TLivenessWatch alive = liveness_.Watch();
        Application().ProcessMessages();
        if (!alive.Alive() || IsDestroying() || FForm->IsDestroying()) return;
        for (int a = kFadeStep;; a += kFadeStep) {
            const int step = std::min(a, target);
            SetWindowAlpha(*FForm, static_cast<uint8_t>(step));
            if (step >= target) break;
        }
    } else if (target != 255) {
        SetWindowAlpha(*FForm, static_cast<uint8_t>(target));
    }
    if (target == 255) SetLayered(false);
}

void TspSkinForm::HideLayered() {
    if (alphaBlend_ && LayeredWindowsSupported()) SetLayered(false);
}
