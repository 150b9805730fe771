// TControl: bounds, visibility, fonts and colours shared with the parent, caption, mouse
// messages to events, and the control's canvas on its window's image.
#include <algorithm>

#include "base/Exceptions.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Controls.h"
#include "ui/ControlsWindowHost.h"
#include "ui/Forms.h"

namespace {

// A canvas target for controls that are not in a window yet: drawing there is harmless.
TBitmap& ScratchBitmap() {
    static TBitmap* scratch = new TBitmap(1, 1);
    return *scratch;
}

}  // namespace

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
}

TControl::~TControl() {
    liveness_.End();
    if (TWindowHost* h = Host()) h->ForgetControl(this);
    if (parent_) parent_->RemoveControl(this);
    parent_ = nullptr;
}

intptr_t TControl::Perform(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    TMessage m{msg, wParam, lParam, 0};
    if (static_cast<TControl*>(Application().MainForm()) == this &&
        Application().RunMainWindowHooks(m)) {
        return m.Result;
    }
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::DefaultHandler(TMessage& message) { message.Result = 0; }

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            HandleMouseMessage(m);
            return;
        case WM_SETTEXT: {
            const char* text = reinterpret_cast<const char*>(m.LParam);
            std::string value = text ? text : "";
            if (value != caption_) {
                caption_ = std::move(value);
                Perform(CM_TEXTCHANGED, 0, 0);
            }
            m.Result = 1;
            return;
        }
        case WM_GETOBJECT:
            if (auto* node = reinterpret_cast<platform::AccessibleNode*>(m.LParam))
                GetAccessible(*node);
            m.Result = 1;
            return;
        case WM_GETTEXT:
            // LPARAM: std::string* receiving the text.
            if (auto* out = reinterpret_cast<std::string*>(m.LParam)) *out = caption_;
            m.Result = static_cast<intptr_t>(caption_.size());
            return;
        case CM_TEXTCHANGED:
        case CM_ENABLEDCHANGED:
        case CM_VISIBLECHANGED:
        case CM_FONTCHANGED:
        case CM_COLORCHANGED:
            Invalidate();
            return;
        case CM_MOUSEENTER:
            if (m.LParam == 0 && OnMouseEnter && !IsDesigning()) OnMouseEnter(this);
            return;
        case CM_MOUSELEAVE:
            if (m.LParam == 0 && OnMouseLeave && !IsDesigning()) OnMouseLeave(this);
            return;
        case CM_PARENTFONTCHANGED:
            if (parentFont_ && parent_) {
                font_ = parent_->font_;
                Perform(CM_FONTCHANGED, 0, 0);
            }
            return;
        case CM_PARENTCOLORCHANGED:
            if (parentColor_ && parent_) {
                color_ = parent_->color_;
                Perform(CM_COLORCHANGED, 0, 0);
            }
            return;
        default:
            DefaultHandler(m);
    }
}

void TControl::HandleMouseMessage(TMessage& m) {
    const int x = GetXParam(m.LParam), y = GetYParam(m.LParam);
    TShiftState shift = KeysToShiftState(static_cast<uint32_t>(m.WParam));
    switch (m.Msg) {
        case WM_MOUSEMOVE:
            MouseMove(shift, x, y);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (ControlStyle & csCaptureMouse) SetMouseCapture(true);
            if (ControlStyle & csClickEvents) clicked_ = true;
            if (m.Msg == WM_LBUTTONDBLCLK) {
                shift |= ssDouble;
                if (ControlStyle & csClickEvents) DblClick();
            }
            MouseDown(mbLeft, shift, x, y);
            break;
        case WM_LBUTTONUP:
            if (MouseCapture()) SetMouseCapture(false);
            if (clicked_) {
                clicked_ = false;
                if (PtInRect(ClientRect(), {x, y})) Click();
            }
            MouseUp(mbLeft, shift, x, y);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            MouseDown(mbRight, m.Msg == WM_RBUTTONDBLCLK ? shift | ssDouble : shift, x, y);
            break;
        case WM_RBUTTONUP:
            MouseUp(mbRight, shift, x, y);
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            MouseDown(mbMiddle, m.Msg == WM_MBUTTONDBLCLK ? shift | ssDouble : shift, x, y);
            break;
        case WM_MBUTTONUP:
            MouseUp(mbMiddle, shift, x, y);
            break;
        default:
            break;
    }
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}
void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ---- Parent and geometry ----

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    for (const TControl* p = parent; p; p = p->parent_) {
        if (p == this)
            throw EInvalidOperation("A control cannot have itself or a child as its parent");
    }
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Invalidate();
    const bool sized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    Invalidate();
    if (align_ != alNone) RequestAlign();
    if (sized) Resize();
}

TRect TControl::ClientRect() const { return Rect(0, 0, width_, height_); }

void TControl::SetClientWidth(int value) { SetWidth(value + (width_ - ClientWidth())); }
void TControl::SetClientHeight(int value) { SetHeight(value + (height_ - ClientHeight())); }
void TControl::SetClientSize(int width, int height) {
    SetClientWidth(width);
    SetClientHeight(height);
}

TPoint TControl::ClientOrigin() const {
    const TPoint off = ClientOffset();
    if (!parent_) return {left_ + off.X, top_ + off.Y};
    const TPoint p = parent_->ClientOrigin();
    return {p.X + left_ + off.X, p.Y + top_ + off.Y};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    const TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    const TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

TPoint TControl::ClientToParent(TPoint p, const TWinControl* parent) const {
    if (!parent) parent = parent_;
    const TControl* c = this;
    while (c && c != parent) {
        const TPoint off = c->ClientOffset();
        p.X += c->left_ + off.X;
        p.Y += c->top_ + off.Y;
        c = c->parent_;
    }
    if (!c) throw EInvalidOperation("Control is not a child of the given parent");
    return p;
}

TPoint TControl::WindowClientOrigin() const {
    const TPoint off = ClientOffset();
    if (!parent_) return off;
    const TPoint p = parent_->WindowClientOrigin();
    return {p.X + left_ + off.X, p.Y + top_ + off.Y};
}

TRect TControl::WindowBoundsRect() const {
    if (!parent_) return Rect(0, 0, width_, height_);
    const TPoint p = parent_->WindowClientOrigin();
    return Bounds(p.X + left_, p.Y + top_, width_, height_);
}

TRect TControl::VisibleWindowRect() const {
    if (!visible_) return {};
    TRect r = WindowBoundsRect();
    const TControl* c = this;
    while (c->parent_) {
        const TWinControl* p = c->parent_;
        if (!p->visible_) return {};
        const TPoint o = p->WindowClientOrigin();
        const TRect pc = p->ClientRect();
        r = IntersectRect(r, OffsetRect(pc, o.X, o.Y));
        if (IsRectEmpty(r)) return {};
        c = p;
    }
    // c is the top-level control: it must be shown in a platform window.
    const TWindowHost* h =
        c->IsWindowed() ? static_cast<const TWinControl*>(c)->host_.get() : nullptr;
    if (!h || !h->WindowVisible()) return {};
    return IntersectRect(r, Rect(0, 0, c->width_, c->height_));
}

TWinControl* TControl::TopLevel() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    if (!c->IsWindowed()) return nullptr;
    return const_cast<TWinControl*>(static_cast<const TWinControl*>(c));
}

TWindowHost* TControl::Host() const {
    TWinControl* top = TopLevel();
    return top ? top->host_.get() : nullptr;
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (parent_ && !parent_->aligning_) parent_->Realign();
}

// ---- State ----

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    if (!visible) {
        Invalidate();
        if (TWindowHost* h = Host()) h->ForgetControl(this);
    }
    visible_ = visible;
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
    if (visible) Invalidate();
    if (align_ != alNone) RequestAlign();
}

bool TControl::Showing() const {
    const TControl* c = this;
    while (true) {
        if (!c->visible_) return false;
        if (!c->parent_) break;
        c = c->parent_;
    }
    const TWindowHost* h =
        c->IsWindowed() ? static_cast<const TWinControl*>(c)->host_.get() : nullptr;
    return h && h->WindowVisible();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!enabled) {
        if (TWindowHost* h = Host()) {
            if (h->CaptureControl() == this) h->SetCaptureControl(nullptr);
        }
    }
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

bool TControl::IsEnabledInTree() const {
    for (const TControl* c = this; c; c = c->parent_) {
        if (!c->enabled_) return false;
    }
    return true;
}

void TControl::SetFont(const TFont& font) {
    font_ = font;
    FontChanged();
}

void TControl::FontChanged() {
    parentFont_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value && parent_) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color == color_) return;
    color_ = color;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value && parent_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetCaption(const std::string& text) {
    const std::string copy = text;
    Perform(WM_SETTEXT, 0, reinterpret_cast<intptr_t>(copy.c_str()));
}

void TControl::SetShowHint(bool value) {
    showHint_ = value;
    parentShowHint_ = false;
}

bool TControl::ShowHint() const {
    if (parentShowHint_ && parent_) return parent_->ShowHint();
    return showHint_;
}

void TControl::SetParentShowHint(bool value) { parentShowHint_ = value; }

// ---- Painting ----

void TControl::Invalidate() {
    if (IsDestroying() && !parent_) return;
    if (TWindowHost* h = Host()) h->InvalidateRect(VisibleWindowRect());
}

void TControl::Update() {
    if (TWindowHost* h = Host()) h->PaintPending();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

TCanvas& TControl::ControlCanvasForPaint() {
    TWindowHost* h = Host();
    TBitmap& target = h ? h->Image() : ScratchBitmap();
    if (!canvas_ || canvasTarget_ != &target) {
        canvas_ = std::make_unique<TCanvas>(target);
        canvas_->Font = font_;
        canvasTarget_ = &target;
    }
    return *canvas_;
}

TCanvas& TControl::ControlCanvas() {
    TCanvas& canvas = ControlCanvasForPaint();
    TWindowHost* h = Host();
    if (h && !(h->InPaint() && h->PaintingControl() == this)) h->PrepareCanvas(*this, canvas);
    return canvas;
}

// ---- Z-order ----

void TControl::BringToFront() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    Invalidate();
    if (align_ != alNone) RequestAlign();
}

void TControl::SendToBack() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
    Invalidate();
    if (align_ != alNone) RequestAlign();
}

// ---- Mouse capture ----

bool TControl::MouseCapture() const {
    const TWindowHost* h = Host();
    return h && h->CaptureControl() == this;
}

void TControl::SetMouseCapture(bool capture) {
    TWindowHost* h = Host();
    if (!h) return;
    if (capture)
        h->SetCaptureControl(this);
    else if (h->CaptureControl() == this)
        h->SetCaptureControl(nullptr);
}

// ---- TGraphicControl ----

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}
TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& m) {
    if (m.Msg == WM_PAINT) {
        TPaintCanvasScope scope(paintCanvas_, MessageCanvas(m));
        Paint();
        return;
    }
    TControl::WndProc(m);
}

void TGraphicControl::Paint() {
    if (OnPaint) OnPaint(this);
}

// ---- Free functions ----

TCustomForm* GetParentForm(const TControl* control) {
    const TControl* c = control;
    while (c && c->Parent()) c = c->Parent();
    return const_cast<TCustomForm*>(dynamic_cast<const TCustomForm*>(c));
}

TShiftState KeysToShiftState(uint32_t keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    return s;
}

uint32_t ShiftStateToKeys(TShiftState shift) {
    uint32_t k = 0;
    if (shift & ssShift) k |= MK_SHIFT;
    if (shift & ssCtrl) k |= MK_CONTROL;
    if (shift & ssLeft) k |= MK_LBUTTON;
    if (shift & ssRight) k |= MK_RBUTTON;
    if (shift & ssMiddle) k |= MK_MBUTTON;
    return k;
}

TShiftState KeyModifiersToShiftState(uint32_t mods) {
    TShiftState s = 0;
    if (mods & platform::kModShift) s |= ssShift;
    if (mods & platform::kModControl) s |= ssCtrl;
    if (mods & platform::kModAlt) s |= ssAlt;
    return s;
}

intptr_t SendMessage(TControl* target, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    return target ? target->Perform(msg, wParam, lParam) : 0;
}

void PostMessage(TControl* target, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    if (!target) return;
    TLivenessWatch alive = target->LivenessWatch();
    platform::Current().Post([target, alive, msg, wParam, lParam] {
        if (!alive.Alive()) return;
        TMessage m{msg, wParam, lParam, 0};
        Application().DispatchMessage(target, m);
    });
}
