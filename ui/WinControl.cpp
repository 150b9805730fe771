// TWinControl: children and z-order, focus and tab order, key messages, timers, the native
// view, and the window state of top-level controls.
#include <algorithm>

#include "base/Exceptions.h"
#include "platform/Platform.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Controls.h"
#include "ui/ControlsWindowHost.h"
#include "ui/Forms.h"
#include "ui/Screen.h"

TShiftState KeyboardShiftState();

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    SetComponentState(csDestroying, true);
    for (auto& t : timers_) platform::Current().KillTimer(t.second);
    timers_.clear();
    DestroyComponents();
    nativeView_.reset();
    // Children owned elsewhere stay alive; they only lose their parent.
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (TWindowHost* h = Host()) h->ForgetControl(c);
        c->parent_ = nullptr;
    }
    controls_.clear();
    tabList_.clear();
    if (parent_) parent_->RemoveControl(this);
    parent_ = nullptr;
    if (host_) {
        host_->DestroyPlatformWindow();
        host_.reset();
    }
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent()) {
        if (c == this) return true;
    }
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    control->parent_ = this;
    controls_.push_back(control);
    if (control->IsWindowed()) tabList_.push_back(static_cast<TWinControl*>(control));
    control->Perform(CM_PARENTFONTCHANGED, 0, 0);
    control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (control->align_ != alNone) Realign();
    control->Invalidate();
    if (control->IsWindowed()) static_cast<TWinControl*>(control)->UpdateNativeViews();
}

void TWinControl::RemoveControl(TControl* control) {
    if (control->parent_ != this) return;
    control->Invalidate();
    if (TWindowHost* h = Host()) h->ForgetControl(control);
    if (TCustomForm* form = GetParentForm(this)) {
        if (form->activeControl_ && control->IsWindowed() &&
            static_cast<TWinControl*>(control)->ContainsControl(form->activeControl_)) {
            form->activeControl_ = nullptr;
        }
    }
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
    control->parent_ = nullptr;
    if (control->IsWindowed() && !control->IsDestroying())
        static_cast<TWinControl*>(control)->UpdateNativeViews();
    if (control->align_ != alNone && !IsDestroying()) Realign();
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent && host_) {
        // A top-level control becoming a child gives up its platform window.
        host_->DestroyPlatformWindow();
        host_.reset();
    }
    TControl::SetParent(parent);
    UpdateNativeViews();
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) {
    auto usable = [&](TControl* c) {
        return c->visible_ && (allowDisabled || c->enabled_) && PtInRect(c->BoundsRect(), p);
    };
    // Windowed children lie above graphic ones; later children above earlier ones.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!c->IsWindowed() || !usable(c)) continue;
        auto* w = static_cast<TWinControl*>(c);
        const TPoint local{p.X - c->left_, p.Y - c->top_};
        if (w->region_ && !w->region_->Contains(local)) continue;
        const TPoint off = w->ClientOffset();
        const TPoint client{local.X - off.X, local.Y - off.Y};
        if (!PtInRect(w->ClientRect(), client)) return w;
        return w->ControlAtPos(client, allowDisabled);
    }
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!c->IsWindowed() && usable(c)) return c;
    }
    return this;
}

// ---- Focus ----

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    const auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const { return tabList_; }

bool TWinControl::CanFocus() const {
    const TCustomForm* form = GetParentForm(this);
    if (!form) return false;
    for (const TControl* c = this; c; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) return false;
    }
    return true;
}

bool TWinControl::Focused() const {
    const TCustomForm* form = GetParentForm(this);
    return form && form->Active() && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    if (form == this) {
        if (host_ && host_->Window()) host_->Window()->Activate();
        return;
    }
    form->SetActiveControl(this);
}

namespace {
void CollectTabOrder(const TWinControl& container, std::vector<TWinControl*>& out) {
    for (TWinControl* c : container.TabOrderList()) {
        out.push_back(c);
        CollectTabOrder(*c, out);
    }
}
}  // namespace

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) {
    std::vector<TWinControl*> list;
    CollectTabOrder(*this, list);
    if (list.empty()) return nullptr;
    const int n = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (goForward ? n - 1 : 0) : static_cast<int>(it - list.begin());
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = goForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == current) break;
        if (c->CanFocus() && (!checkTabStop || c->TabStop) && (!checkParent || c->Parent() == this))
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, false))
        next->SetFocus();
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(uint32_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}
void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// ---- Messages ----

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_SIZE:
            Realign();
            Resize();
            return;
        case WM_MOVE:
        case WM_WINDOWPOSCHANGED:
            return;
        case WM_ERASEBKGND: {
            TCanvas* canvas = MessageCanvas(m);
            if (!canvas) canvas = &ControlCanvas();
            canvas->FillSolid(ClientRect(), ColorToRGB(Color()));
            m.Result = 1;
            return;
        }
        case WM_PAINT:
        case WM_NCPAINT:
            return;
        case WM_NCHITTEST:
            m.Result = HTCLIENT;
            return;
        case WM_SETCURSOR: {
            // WPARAM: the control under the pointer; LPARAM low word: the hit code.
            const int hit = static_cast<int16_t>(LoWord(static_cast<uintptr_t>(m.LParam)));
            TCursor cursor = crDefault;
            switch (hit) {
                case HTLEFT:
                case HTRIGHT:
                    cursor = crSizeWE;
                    break;
                case HTTOP:
                case HTBOTTOM:
                    cursor = crSizeNS;
                    break;
                case HTTOPLEFT:
                case HTBOTTOMRIGHT:
                    cursor = crSizeNWSE;
                    break;
                case HTTOPRIGHT:
                case HTBOTTOMLEFT:
                    cursor = crSizeNESW;
                    break;
                case HTCLIENT: {
                    cursor = Screen().Cursor();
                    for (auto* c = reinterpret_cast<TControl*>(m.WParam); c && cursor == crDefault;
                         c = c->Parent()) {
                        cursor = c->Cursor;
                    }
                    break;
                }
                default:
                    break;
            }
            if (TWindowHost* h = Host()) {
                if (h->Window()) h->Window()->SetCursor(CursorToShape(cursor));
            }
            m.Result = 1;
            return;
        }
        case WM_SETFOCUS:
            if (nativeView_) nativeView_->Focus();
            DoEnter();
            return;
        case WM_KILLFOCUS:
            DoExit();
            return;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            auto key = static_cast<uint16_t>(m.WParam);
            KeyDown(key, KeyboardShiftState());
            m.WParam = key;
            return;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            auto key = static_cast<uint16_t>(m.WParam);
            KeyUp(key, KeyboardShiftState());
            m.WParam = key;
            return;
        }
        case WM_CHAR:
        case WM_SYSCHAR: {
            auto ch = static_cast<uint32_t>(m.WParam);
            KeyPress(ch);
            m.WParam = ch;
            return;
        }
        case CM_FONTCHANGED:
            TControl::WndProc(m);
            for (TControl* c : std::vector<TControl*>(controls_))
                c->Perform(CM_PARENTFONTCHANGED, 0, 0);
            return;
        case CM_COLORCHANGED:
            TControl::WndProc(m);
            for (TControl* c : std::vector<TControl*>(controls_))
                c->Perform(CM_PARENTCOLORCHANGED, 0, 0);
            return;
        case CM_VISIBLECHANGED:
            TControl::WndProc(m);
            UpdateNativeViews();
            return;
        default:
            TControl::WndProc(m);
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    const bool sized = width != Width() || height != Height();
    const bool moved = left != Left() || top != Top();
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    if (!parent_ && host_ && !host_->ApplyingConfigure()) host_->SyncBounds();
    TRect bounds = BoundsRect();
    Perform(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<intptr_t>(&bounds));
    if (moved) Perform(WM_MOVE, 0, MakeLParam(left, top));
    if (sized) {
        uint32_t kind = SIZE_RESTORED;
        if (auto* form = dynamic_cast<TCustomForm*>(this)) {
            if (form->WindowState() == wsMaximized) kind = SIZE_MAXIMIZED;
        }
        Perform(WM_SIZE, kind, MakeLParam(ClientWidth(), ClientHeight()));
    }
    Invalidate();
    UpdateNativeViews();
    if (align_ != alNone) RequestAlign();
}

void TWinControl::InvalidateRect(const TRect& clientRect) {
    TWindowHost* h = Host();
    if (!h) return;
    const TPoint o = WindowClientOrigin();
    h->InvalidateRect(IntersectRect(OffsetRect(clientRect, o.X, o.Y), VisibleWindowRect()));
}

void TWinControl::Invalidate() {
    if (TWindowHost* h = Host()) {
        // A top-level control's whole window, frame included.
        if (!parent_)
            h->InvalidateAll();
        else
            h->InvalidateRect(VisibleWindowRect());
    }
}

// ---- Window state ----

bool TWinControl::HandleAllocated() const {
    if (parent_) return true;
    return host_ && host_->Window();
}

void TWinControl::HandleNeeded() {
    if (parent_) return;
    if (!host_) host_ = std::make_unique<TWindowHost>(*this, !IsFormWindow());
    if (!host_->Window()) {
        host_->CreatePlatformWindow();
        CreateWnd();
    }
}

platform::Window* TWinControl::PlatformWindow() const {
    if (parent_ || !host_) return nullptr;
    return host_->Window();
}

void TWinControl::CreateWnd() {
    Perform(WM_CREATE, 0, 0);
    Realign();
    Invalidate();
}

void TWinControl::DestroyWnd() {}

void TWinControl::RecreateWnd() {
    if (!parent_ && host_ && host_->Window()) {
        const bool shown = host_->WindowVisible();
        DestroyWnd();
        host_->DestroyPlatformWindow();
        host_->CreatePlatformWindow();
        CreateWnd();
        if (shown) host_->ShowWindow(true);
    } else {
        CreateWnd();
    }
}

void TWinControl::ShowPopupWindow() {
    if (parent_) return;
    HandleNeeded();
    host_->SyncBounds();
    host_->ShowWindow(true);
    Invalidate();
    UpdateNativeViews();
}

void TWinControl::HidePopupWindow() {
    if (!host_) return;
    host_->ShowWindow(false);
}

bool TWinControl::PopupWindowShown() const { return host_ && host_->WindowVisible(); }

void TWinControl::SetWindowRegion(const TRegion* region) {
    if (region)
        region_ = std::make_unique<TRegion>(*region);
    else
        region_.reset();
    if (!parent_ && host_ && host_->Window()) host_->Window()->SetShape(region_.get());
    Invalidate();
}

void TWinControl::SetWindowOpacity(uint8_t alpha) {
    opacity_ = alpha;
    if (!parent_ && host_ && host_->Window()) host_->Window()->SetOpacity(alpha);
}

// ---- Native view ----

void TWinControl::HostNativeView(void* nativeWidget) {
    nativeView_.reset();
    nativeViewWindow_ = nullptr;
    nativeWidget_ = nativeWidget;
    ApplyNativeView();
}

void TWinControl::HostNativeView(std::unique_ptr<platform::NativeView> view) {
    nativeWidget_ = nullptr;
    nativeViewWindow_ = nullptr;
    nativeView_ = std::move(view);
    ApplyNativeView();
}

void TWinControl::RemoveNativeView() {
    if (nativeView_) nativeView_->SetGeometry({}, false);
    nativeView_.reset();
    nativeViewWindow_ = nullptr;
    nativeWidget_ = nullptr;
    Invalidate();
}

void TWinControl::ApplyNativeView() {
    if (nativeWidget_) {
        TWindowHost* h = Host();
        platform::Window* window = h ? h->Window() : nullptr;
        if (nativeView_ && nativeViewWindow_ != window) {
            // The view belongs to another (or a destroyed) window: make it anew.
            nativeView_.reset();
            nativeViewWindow_ = nullptr;
        }
        if (!nativeView_ && window) {
            nativeView_ = window->CreateNativeView(nativeWidget_);
            nativeViewWindow_ = window;
        }
    }
    if (!nativeView_) return;
    const TRect r = VisibleWindowRect();
    nativeView_->SetGeometry(r, !IsRectEmpty(r) && Showing());
}

void TWinControl::UpdateNativeViews() {
    if (IsDestroying()) return;
    if (nativeView_ || nativeWidget_) ApplyNativeView();
    for (TControl* c : controls_) {
        if (c->IsWindowed()) static_cast<TWinControl*>(c)->UpdateNativeViews();
    }
}

// ---- Timers ----

void TWinControl::SetTimer(uintptr_t id, uint32_t intervalMs) {
    KillTimer(id);
    TLivenessWatch alive = LivenessWatch();
    const platform::TimerId t = platform::Current().SetTimer(intervalMs, [this, alive, id] {
        if (!alive.Alive()) return;
        TMessage m{WM_TIMER, id, 0, 0};
        Application().DispatchMessage(this, m);
    });
    timers_.emplace_back(id, t);
}

void TWinControl::KillTimer(uintptr_t id) {
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->first == id) {
            platform::Current().KillTimer(it->second);
            timers_.erase(it);
            return;
        }
    }
}

// ---- TCustomControl ----

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}
TCustomControl::~TCustomControl() = default;

void TCustomControl::WndProc(TMessage& m) {
    if (m.Msg == WM_PAINT) {
        TPaintCanvasScope scope(paintCanvas_, MessageCanvas(m));
        Paint();
        return;
    }
    TWinControl::WndProc(m);
}

void TCustomControl::Paint() {
    if (OnPaint) OnPaint(this);
}
