#include "app/TitledStrip.h"

#include <algorithm>

#include "ui/Canvas.h"
#include "ui/ClassRegistry.h"
#include "ui/PropertyHelpers.h"

TTitledStrip::TTitledStrip(TComponent* owner) : TPanel(owner) {}

void TTitledStrip::SetCaptionHeight(int value) {
    value = std::max(0, value);
    if (value == captionHeight_) return;
    captionHeight_ = value;
    Realign();
    Invalidate();
}

void TTitledStrip::AdjustClientRect(TRect& rect) const {
    TPanel::AdjustClientRect(rect);
    rect.Top = std::max(rect.Top, captionHeight_);
    rect.Bottom = std::max(rect.Bottom, rect.Top);
}

void TTitledStrip::Paint() {
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    canvas.FillSolid(r, Color());
    Frame3D(canvas, r, clBtnHighlight, clBtnShadow, BevelWidth());
    // The caption bar: the rows above the children, inside the bevel.
    TRect bar = r;
    bar.Bottom = std::min(r.Bottom, captionHeight_);
    if (IsRectEmpty(bar)) return;
    canvas.FillSolid(bar, clBtnShadow);
    if (Caption().empty()) return;
    // The title keeps the titled strip's own small font (Arial, 14-pixel cells), whatever
    // the sheet's larger font is, so it sits inside the 21-pixel bar.
    canvas.Font = TFont{};
    canvas.Font.Name = "Arial";
    canvas.Font.Height = 14;
    canvas.Font.Style = fsBold;
    canvas.Font.Color = clBtnHighlight;
    canvas.Brush.Style = bsClear;
    TRect text = bar;
    text.Left += 6;
    canvas.DrawText(Caption(), text, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
}

void RegisterTitledStripClass() {
    static bool done = false;
    if (done) return;
    done = true;
    TClassRegistry::Instance().Register("TTitledStrip", "TPanel",
                                        [](TComponent* owner) { return new TTitledStrip(owner); });
    AddIntProperty<TTitledStrip>("TTitledStrip", "CaptionHeight", &TTitledStrip::SetCaptionHeight);
}
