// The skin demo's main window: a form framed by the compiled-in skin, so the frame,
// caption, caption buttons, shape and borders can be looked at without the web panes.
// Later pages add themselves to the client area.
#pragma once

#include "SkinDemoFrame.h"
#include "ui/Forms.h"

constexpr int kSkinDemoClientWidth = 560;
constexpr int kSkinDemoClientHeight = 340;

class TSkinDemoForm : public TForm {
public:
    explicit TSkinDemoForm(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TSkinDemoForm"; }
    [[nodiscard]] const SkinDemoFrame& Frame() const { return frame_; }

private:
    SkinDemoFrame frame_;
};
