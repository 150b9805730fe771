// A panel with a caption bar across its top: the plain stand-in for the navigation strip
// until the skinned expanding panel takes its place. Aligned children share the area
// below the bar and inside the bevel.
#pragma once

#include "ui/Panel.h"

class TTitledStrip : public TPanel {
public:
    explicit TTitledStrip(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TTitledStrip"; }

    // Height of the caption bar, counted from the strip's top edge.
    [[nodiscard]] int CaptionHeight() const { return captionHeight_; }
    void SetCaptionHeight(int value);

    void AdjustClientRect(TRect& rect) const override;

protected:
    void Paint() override;

private:
    int captionHeight_ = 21;
};

void RegisterTitledStripClass();
