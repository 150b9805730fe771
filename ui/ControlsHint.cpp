// THintWindow: the plain hint popup (a framed box in the hint colour with the text).
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Controls.h"

namespace {
constexpr int kHintMargin = 2;
}  // namespace

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetColor(Application().HintColor);
    Font().Color = clInfoText;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
    TBitmap scratch(1, 1);
    TCanvas& canvas = scratch.Canvas();
    canvas.Font = Font();
    TRect r = Rect(0, 0, std::max(1, maxWidth), 0);
    canvas.DrawText(hint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 2 * kHintMargin + 4;
    r.Bottom += 2 * kHintMargin + 2;
    return r;
}

void THintWindow::ActivateHint(const TRect& screenRect, const std::string& hint) {
    SetCaption(hint);
    SetBounds(screenRect.Left, screenRect.Top, screenRect.Width(), screenRect.Height());
    ShowPopupWindow();
}

void THintWindow::ReleaseHandle() { HidePopupWindow(); }

void THintWindow::Paint() {
    TCanvas& canvas = Canvas();
    const TRect r = ClientRect();
    canvas.FillSolid(r, ColorToRGB(Color()));
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = ColorToRGB(clWindowFrame);
    canvas.FrameRect(r);
    canvas.Brush.Style = bsClear;
    canvas.Font = Font();
    TRect text = InflateRect(r, -kHintMargin - 1, -kHintMargin);
    canvas.DrawText(Caption(), text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}
