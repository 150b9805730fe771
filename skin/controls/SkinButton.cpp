#include "skin/controls/SkinButton.h"

#include "skin/draw/RectUtils.h"
#include "ui/Canvas.h"
#include "ui/Panel.h"

TspSkinButton::TspSkinButton(TComponent* owner) : TspSkinCustomControl(owner) {
    SetSkinDataName("button");
    TabStop = true;
}

void TspSkinButton::SetDefault(bool value) {
    if (default_ == value) return;
    default_ = value;
    Invalidate();
}

const TspDataSkinButtonControl* TspSkinButton::ButtonDef() const {
    return dynamic_cast<const TspDataSkinButtonControl*>(SectionDef());
}

void TspSkinButton::SetDown(bool down) {
    if (down_ == down) return;
    down_ = down;
    Invalidate();
}

void TspSkinButton::WndProc(TMessage& message) {
    switch (message.Msg) {
        case CM_MOUSEENTER:
        case CM_MOUSELEAVE:
            mouseIn_ = message.Msg == CM_MOUSEENTER;
            Invalidate();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case CM_ENABLEDCHANGED:
        case CM_TEXTCHANGED:
            Invalidate();
            break;
        default:
            break;
    }
    TspSkinCustomControl::WndProc(message);
}

void TspSkinButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && Enabled()) {
        if (CanFocus()) SetFocus();
        SetDown(true);
    }
    TspSkinCustomControl::MouseDown(button, shift, x, y);
}

void TspSkinButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    // The click itself is the framework's: a release over the control after a press on it.
    if (button == mbLeft) SetDown(false);
    TspSkinCustomControl::MouseUp(button, shift, x, y);
}

void TspSkinButton::KeyDown(uint16_t& key, TShiftState shift) {
    if (key == VK_SPACE && Enabled()) {
        key = 0;
        Click();
        return;
    }
    TspSkinCustomControl::KeyDown(key, shift);
}

void TspSkinButton::PaintSkinImage(TBitmap& bitmap) {
    const TspDataSkinButtonControl* def = ButtonDef();
    if (def == nullptr || picture_ == nullptr || mode_ == rmNone) {
        TspSkinCustomControl::PaintSkinImage(bitmap);
        return;
    }
    // The state's picture, when the section has one (an empty rectangle: the normal one).
    TRect rect = skinRect_;
    TColor color = def->FontDef.Color;
    if (!Enabled()) {
        if (!IsNullRect(def->DisabledSkinRect)) rect = def->DisabledSkinRect;
        color = def->DisabledFontColor;
    } else if (down_ && mouseIn_) {
        if (!IsNullRect(def->DownSkinRect)) rect = def->DownSkinRect;
        color = def->DownFontColor;
    } else if (mouseIn_ || Focused()) {
        if (!IsNullRect(def->ActiveSkinRect)) rect = def->ActiveSkinRect;
        color = def->ActiveFontColor;
    }
    ComposeControlImage(bitmap, *picture_, rect);
    TCanvas& canvas = bitmap.Canvas();
    TCanvasStateGuard guard(canvas);
    canvas.Font = CaptionFont(def->FontDef);
    canvas.Font.Color = color;
    const TRect client = NewClientRect();
    const TSize text = canvas.TextExtent(Caption());
    canvas.Brush.Style = bsClear;
    canvas.TextRect(client, client.Left + client.Width() / 2 - text.cx / 2,
                    client.Top + client.Height() / 2 - text.cy / 2, Caption());
}

void TspSkinButton::PaintDefaultImage(TBitmap& bitmap) {
    TspSkinCustomControl::PaintDefaultImage(bitmap);
    TCanvas& canvas = bitmap.Canvas();
    TCanvasStateGuard guard(canvas);
    TRect r = Rect(0, 0, Width(), Height());
    if (default_ || Focused()) Frame3D(canvas, r, cl3DDkShadow, cl3DDkShadow, 1);
    if (down_ && mouseIn_)
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
    else
        Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
    canvas.Font = DefaultFont();
    canvas.Font.Color = Enabled() ? clBtnText : clBtnShadow;
    const TSize text = canvas.TextExtent(Caption());
    canvas.Brush.Style = bsClear;
    const int shift = down_ && mouseIn_ ? 1 : 0;
    canvas.TextRect(r, r.Left + r.Width() / 2 - text.cx / 2 + shift,
                    r.Top + r.Height() / 2 - text.cy / 2 + shift, Caption());
}
