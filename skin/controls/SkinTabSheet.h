// The pages of the skinned page control: they paint their background from the page
// control's section (its client piece or its background picture, tiled) or in the button
// face without one.
#pragma once

#include "ui/PageControl.h"

class TspSkinCustomTabSheet : public TTabSheet {
public:
    explicit TspSkinCustomTabSheet(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TspSkinCustomTabSheet"; }

protected:
    void WndProc(TMessage& message) override;

private:
    void PaintBackground(TCanvas& canvas);
};

class TspSkinTabSheet : public TspSkinCustomTabSheet {
public:
    using TspSkinCustomTabSheet::TspSkinCustomTabSheet;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinTabSheet"; }
};
