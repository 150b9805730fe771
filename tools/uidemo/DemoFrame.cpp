#include "DemoFrame.h"

#include "ui/Canvas.h"

namespace {
constexpr TColor kFrameColor = RGB(0x2B, 0x4F, 0x81);
constexpr TColor kFrameEdge = RGB(0x17, 0x2E, 0x4E);
}  // namespace

int DemoFrameHitTest(TSize window, TPoint p) {
    if (!PtInRect(Rect(0, 0, window.cx, window.cy), p)) return HTNOWHERE;
    const bool left = p.X < kDemoBorder;
    const bool right = p.X >= window.cx - kDemoBorder;
    const bool top = p.Y < kDemoBorder;
    const bool bottom = p.Y >= window.cy - kDemoBorder;
    const bool nearLeft = p.X < kDemoCornerReach;
    const bool nearRight = p.X >= window.cx - kDemoCornerReach;
    const bool nearTop = p.Y < kDemoCornerReach;
    const bool nearBottom = p.Y >= window.cy - kDemoCornerReach;
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
    if (p.Y < kDemoBorder + kDemoCaptionHeight) return HTCAPTION;
    return HTCLIENT;
}

DemoFrame::DemoFrame(TCustomForm& form) : form_(form), previous_(form.WindowProc) {
    form_.WindowProc = [this](TMessage& m) { WndProc(m); };
    // The frame changed: the form asks for its client rectangle again.
    form_.RecreateWnd();
}

DemoFrame::~DemoFrame() { form_.WindowProc = previous_; }

void DemoFrame::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_NCCALCSIZE:
            if (auto* r = reinterpret_cast<TRect*>(m.LParam)) {
                r->Left += kDemoBorder;
                r->Right -= kDemoBorder;
                r->Top += kDemoBorder + kDemoCaptionHeight;
                r->Bottom -= kDemoBorder;
            }
            m.Result = 0;
            return;
        case WM_NCHITTEST:
            m.Result = DemoFrameHitTest(
                {form_.Width(), form_.Height()},
                {GetXParam(m.LParam) - form_.Left(), GetYParam(m.LParam) - form_.Top()});
            return;
        case WM_NCPAINT: {
            auto* canvas = reinterpret_cast<TCanvas*>(m.WParam);
            Paint(canvas ? *canvas : form_.WindowCanvas());
            m.Result = 0;
            return;
        }
        default:
            previous_(m);
    }
}

void DemoFrame::Paint(TCanvas& canvas) {
    const int w = form_.Width();
    const int h = form_.Height();
    const int clientTop = kDemoBorder + kDemoCaptionHeight;
    canvas.FillSolid(Rect(0, 0, w, clientTop), kFrameColor);
    canvas.FillSolid(Rect(0, clientTop, kDemoBorder, h), kFrameColor);
    canvas.FillSolid(Rect(w - kDemoBorder, clientTop, w, h), kFrameColor);
    canvas.FillSolid(Rect(0, h - kDemoBorder, w, h), kFrameColor);
    canvas.Brush.Color = kFrameEdge;
    canvas.FrameRect(Rect(0, 0, w, h));
    canvas.Font.Name = "Arial";
    canvas.Font.Height = -13;
    canvas.Font.Style = fsBold;
    canvas.Font.Color = form_.Active() ? clWhite : RGB(0xB0, 0xC0, 0xD8);
    canvas.Brush.Style = bsClear;
    TRect text = Rect(kDemoBorder + 8, kDemoBorder, w - kDemoBorder - 8, clientTop);
    canvas.DrawText(form_.Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    canvas.Brush.Style = bsSolid;
}
