// The plain stand-in for the skinned page control until it exists: the framework's page
// control with a one-pixel page frame, the pages starting right under the tab strip (the
// strip's bottom margin is the frame's top line), as the skinned control lays them out.
#pragma once

#include "ui/PageControl.h"

class TFlatPageControl : public TPageControl {
public:
    explicit TFlatPageControl(TComponent* owner) : TPageControl(owner) {}
    [[nodiscard]] const char* ClassName() const override { return "TFlatPageControl"; }
    [[nodiscard]] TRect DisplayRect() const override;
};

void RegisterFlatPageControlClass();
