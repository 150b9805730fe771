// Caption buttons of the default form frame: close, maximise/restore and minimise at the
// right end of the caption band, chosen by BorderIcons and BorderStyle, drawn in the
// classic raised look, and pressed with the mouse (pressed while the pointer stays over the
// button, the command is sent on release over it).
#include <algorithm>

#include "ui/Canvas.h"
#include "ui/ControlsWindowHost.h"
#include "ui/Forms.h"

namespace {

// Space between the caption band's edges and the buttons, and between close and the pair.
constexpr int kButtonInset = 2;

// Draws a raised or sunken 2-pixel bevel on the edges of r.
void Bevel(TCanvas& canvas, const TRect& r, TColor outerTopLeft, TColor outerBottomRight,
           TColor innerTopLeft, TColor innerBottomRight) {
    auto edge = [&canvas](const TRect& e, TColor topLeft, TColor bottomRight) {
        canvas.FillSolid(Rect(e.Left, e.Top, e.Right - 1, e.Top + 1), ColorToRGB(topLeft));
        canvas.FillSolid(Rect(e.Left, e.Top, e.Left + 1, e.Bottom - 1), ColorToRGB(topLeft));
        canvas.FillSolid(Rect(e.Left, e.Bottom - 1, e.Right, e.Bottom), ColorToRGB(bottomRight));
        canvas.FillSolid(Rect(e.Right - 1, e.Top, e.Right, e.Bottom), ColorToRGB(bottomRight));
    };
    edge(r, outerTopLeft, outerBottomRight);
    edge(InflateRect(r, -1, -1), innerTopLeft, innerBottomRight);
}

void HLine(TCanvas& canvas, int x0, int x1, int y) {
    canvas.MoveTo(x0, y);
    canvas.LineTo(x1, y);
}

void VLine(TCanvas& canvas, int x, int y0, int y1) {
    canvas.MoveTo(x, y0);
    canvas.LineTo(x, y1);
}

// A window outline with a two-pixel title bar: (l, t) to (r, b), right and bottom excluded.
void WindowBox(TCanvas& canvas, int l, int t, int r, int b) {
    HLine(canvas, l, r, t);
    HLine(canvas, l, r, t + 1);
    HLine(canvas, l, r, b - 1);
    VLine(canvas, l, t, b);
    VLine(canvas, r - 1, t, b);
}

enum class Glyph { Close, Maximize, Restore, Minimize };

// Draws a glyph in the square of side s at (x, y).
void DrawGlyph(TCanvas& canvas, Glyph glyph, int x, int y, int s, TColor color, TColor face) {
    canvas.Pen.Color = ColorToRGB(color);
    canvas.Pen.Width = 1;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Mode = pmCopy;
    switch (glyph) {
        case Glyph::Close:
            // Two-pixel-wide diagonals.
            for (int d = 0; d < 2; ++d) {
                canvas.MoveTo(x + d, y);
                canvas.LineTo(x + d + s - 1, y + s - 1);
                canvas.MoveTo(x + s - 2 + d, y);
                canvas.LineTo(x - 1 + d, y + s - 1);
            }
            break;
        case Glyph::Maximize:
            WindowBox(canvas, x, y, x + s, y + s);
            break;
        case Glyph::Restore: {
            const int box = std::max(4, s * 2 / 3 + 1);
            const int off = s - box;
            WindowBox(canvas, x + off, y, x + s, y + box);
            // The front window hides the back one where they overlap.
            canvas.FillSolid(Rect(x, y + off, x + box, y + s), ColorToRGB(face));
            WindowBox(canvas, x, y + off, x + box, y + s);
            break;
        }
        case Glyph::Minimize: {
            const int bar = std::max(3, s * 2 / 3);
            HLine(canvas, x, x + bar, y + s - 2);
            HLine(canvas, x, x + bar, y + s - 1);
            break;
        }
    }
}

}  // namespace

std::vector<TCustomForm::CaptionButton> TCustomForm::DefaultCaptionButtons() const {
    std::vector<CaptionButton> buttons;
    if (borderStyle_ == bsNone || !(borderIcons_ & biSystemMenu)) return buttons;
    const int size = DefaultCaptionHeight() - 2 * kButtonInset;
    const int top = kDefaultFrameBorder + kButtonInset;
    const int bandLeft = kDefaultFrameBorder;
    int right = Width() - kDefaultFrameBorder - kButtonInset;
    // Buttons that do not fit into the band are left out rather than drawn over the border.
    auto add = [&](int hit, bool enabled) {
        const TRect r = Rect(right - size, top, right, top + size);
        if (r.Left < bandLeft + kButtonInset) return;
        buttons.push_back({hit, r, enabled});
        right = r.Left;
    };
    add(HTCLOSE, true);
    // Dialog and tool window frames carry only the close button; otherwise minimise and
    // maximise come as a pair, the one not asked for shown disabled.
    const bool pairAllowed = borderStyle_ == bsSingle || borderStyle_ == bsSizeable;
    if (pairAllowed && (borderIcons_ & (biMinimize | biMaximize)) && buttons.size() == 1) {
        right -= kButtonInset;
        add(HTMAXBUTTON, (borderIcons_ & biMaximize) != 0);
        add(HTMINBUTTON, (borderIcons_ & biMinimize) != 0);
    }
    return buttons;
}

int TCustomForm::DefaultCaptionButtonAt(TPoint p) const {
    for (const CaptionButton& b : DefaultCaptionButtons()) {
        if (PtInRect(b.rect, p)) return b.hit;
    }
    return HTNOWHERE;
}

void TCustomForm::DrawDefaultCaptionButtons(TCanvas& canvas) {
    for (const CaptionButton& b : DefaultCaptionButtons()) {
        const bool pressed = trackedButton_ == b.hit && trackedPressed_;
        const TRect& r = b.rect;
        canvas.FillSolid(r, ColorToRGB(clBtnFace));
        if (pressed) {
            Bevel(canvas, r, cl3DDkShadow, clBtnHighlight, clBtnShadow, clBtnFace);
        } else {
            Bevel(canvas, r, clBtnHighlight, cl3DDkShadow, clBtnFace, clBtnShadow);
        }
        Glyph glyph = Glyph::Close;
        if (b.hit == HTMAXBUTTON)
            glyph = windowState_ == wsMaximized ? Glyph::Restore : Glyph::Maximize;
        if (b.hit == HTMINBUTTON) glyph = Glyph::Minimize;
        // The glyph square sits inside the bevel with a little air; it moves down-right
        // while pressed.
        const int s = std::max(1, r.Height() - 6);
        const int x = r.Left + (r.Width() - s) / 2 + (pressed ? 1 : 0);
        const int y = r.Top + (r.Height() - s) / 2 + (pressed ? 1 : 0);
        if (b.enabled) {
            DrawGlyph(canvas, glyph, x, y, s, clBtnText, clBtnFace);
        } else {
            // Embossed grey: a light copy one pixel down-right under the shadow-coloured one.
            DrawGlyph(canvas, glyph, x + 1, y + 1, s, clBtnHighlight, clBtnFace);
            DrawGlyph(canvas, glyph, x, y, s, clBtnShadow, clBtnFace);
        }
    }
}

// ---- Mouse ----

void TCustomForm::PressCaptionButton(int hit) {
    const auto buttons = DefaultCaptionButtons();
    const auto it = std::find_if(buttons.begin(), buttons.end(),
                                 [hit](const CaptionButton& b) { return b.hit == hit; });
    if (it == buttons.end() || !it->enabled) return;
    HandleNeeded();
    TWindowHost* h = Host();
    if (!h) return;
    trackedButton_ = hit;
    trackedPressed_ = false;
    h->SetCaptureControl(this);
    SetCaptionButtonPressed(true);
}

void TCustomForm::SetCaptionButtonPressed(bool pressed) {
    if (pressed == trackedPressed_) return;
    trackedPressed_ = pressed;
    // Only the button's own pixels change.
    const TPoint origin = WindowBoundsRect().TopLeft();  // (0, 0) for a top-level form
    for (const CaptionButton& b : DefaultCaptionButtons()) {
        if (b.hit == trackedButton_ && Host())
            Host()->InvalidateRect(OffsetRect(b.rect, origin.X, origin.Y));
    }
}

void TCustomForm::EndCaptionButtonTracking() {
    SetCaptionButtonPressed(false);
    trackedButton_ = 0;
    if (Host() && Host()->CaptureControl() == this) Host()->SetCaptureControl(nullptr);
}

bool TCustomForm::TrackCaptionButton(TMessage& m) {
    // Another control took the mouse, or the capture went without notice (the window was
    // hidden or recreated): the press is over and the message is an ordinary one.
    if (!Host() || Host()->CaptureControl() != this) {
        SetCaptionButtonPressed(false);
        trackedButton_ = 0;
        return false;
    }
    const TPoint client{GetXParam(m.LParam), GetYParam(m.LParam)};
    const TPoint windowPoint{client.X + clientRectInWindow_.Left,
                             client.Y + clientRectInWindow_.Top};
    switch (m.Msg) {
        case WM_MOUSEMOVE:
            SetCaptionButtonPressed(DefaultCaptionButtonAt(windowPoint) == trackedButton_);
            return true;
        case WM_LBUTTONUP: {
            const int hit = trackedButton_;
            const bool over = DefaultCaptionButtonAt(windowPoint) == hit;
            EndCaptionButtonTracking();
            if (!over) return true;
            uint32_t command = SC_CLOSE;
            if (hit == HTMINBUTTON) command = SC_MINIMIZE;
            if (hit == HTMAXBUTTON)
                command = windowState_ == wsMaximized ? SC_RESTORE : SC_MAXIMIZE;
            const TPoint screen = ClientToScreen(client);
            Perform(WM_SYSCOMMAND, command, MakeLParam(screen.X, screen.Y));
            return true;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            // The client area does not see the clicks of a caption button press.
            return true;
        default:
            return false;
    }
}
