// TCustomForm: the top-level window of the framework. Showing, hiding, activation,
// closing, window states, the stored client size, and the default non-client frame that a
// form has while nobody hooks its window procedure.
#include "ui/Forms.h"

#include <algorithm>

#include "base/Exceptions.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/ControlsWindowHost.h"
#include "ui/DescriptionReader.h"
#include "ui/MDIClient.h"
#include "ui/Menus.h"
#include "ui/Screen.h"

namespace {
// Width of the zones along the default frame's edges that size the window.
constexpr int kSizeZone = 3;

bool IsCaptionButtonHit(int hit) {
    return hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON;
}
}  // namespace

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
    SetVisibleFlag(false);
    SetParentFont(false);
    SetParentColor(false);
    SetParentShowHint(false);
    ControlStyle |= csAcceptsControls;
    SetBounds(0, 0, 320, 240);
    RecalcClientRect();
    Screen().AddForm(this);
}

TCustomForm::~TCustomForm() {
    SetComponentState(csDestroying, true);
    if (TCustomForm* parent = MDIParent()) parent->ForgetMDIChild(this);
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (const std::exception& e) {
            Application().HandleException(e);
        }
    }
    DestroyComponents();
    if (active_) {
        active_ = false;
        if (Screen().ActiveForm() == this) Screen().SetActiveForm(nullptr);
    }
    Screen().RemoveForm(this);
    if (Application().MainForm() == this) Application().SetMainForm(nullptr);
}

// ---- Creation from a description ----

void TCustomForm::CreateFromDescription(const std::string& utf8Text) {
    ReadComponentDescription(utf8Text, *this);
    DoCreate();
    // A form stored as visible appears once it is created (showing it again is a no-op).
    if (Visible() && !(host_ && host_->WindowVisible())) Show();
}

void TCustomForm::DoCreate() {
    if (!OnCreate) return;
    try {
        OnCreate(this);
    } catch (const std::exception& e) {
        Application().HandleException(e);
    }
}

void TCustomForm::Loaded() {
    TCustomControl::Loaded();
    // A stored MDI style takes effect now that the form exists.
    if (formStyle_ == fsMDIForm && !MDIClient()) {
        formStyle_ = fsNormal;
        SetFormStyle(fsMDIForm);
    } else if (formStyle_ == fsMDIChild && !Parent()) {
        AttachToMDIParent();
    }
    // The stored client size is applied once every component exists, so that a frame
    // installed while reading (a hooked WM_NCCALCSIZE) is taken into account.
    if (pendingClientWidth_ > 0) TControl::SetClientWidth(pendingClientWidth_);
    if (pendingClientHeight_ > 0) TControl::SetClientHeight(pendingClientHeight_);
    pendingClientWidth_ = pendingClientHeight_ = 0;
}

void TCustomForm::SetClientWidth(int value) {
    if (IsLoading()) {
        pendingClientWidth_ = value;
        return;
    }
    TControl::SetClientWidth(value);
}

void TCustomForm::SetClientHeight(int value) {
    if (IsLoading()) {
        pendingClientHeight_ = value;
        return;
    }
    TControl::SetClientHeight(value);
}

// ---- Geometry ----

TRect TCustomForm::ClientRect() const {
    return Rect(0, 0, clientRectInWindow_.Width(), clientRectInWindow_.Height());
}

void TCustomForm::RecalcClientRect() {
    TRect r = Rect(0, 0, Width(), Height());
    Perform(WM_NCCALCSIZE, 0, reinterpret_cast<intptr_t>(&r));
    r.Right = std::max(r.Left, r.Right);
    r.Bottom = std::max(r.Top, r.Bottom);
    clientRectInWindow_ = r;
}

void TCustomForm::BoundsChanged() { RecalcClientRect(); }

void TCustomForm::CreateWnd() {
    RecalcClientRect();
    TCustomControl::CreateWnd();
    if (host_ && host_->Window()) {
        host_->Window()->SetTitle(Caption());
        ApplyWindowIcon();
    }
    Perform(WM_SIZE, windowState_ == wsMaximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
            MakeLParam(ClientWidth(), ClientHeight()));
}

int TCustomForm::DefaultCaptionHeight() const {
    return (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin)
               ? kDefaultToolCaptionHeight
               : kDefaultCaptionHeight;
}

void TCustomForm::DefaultNcCalcSize(TRect& r) const {
    if (borderStyle_ == bsNone) return;
    r.Left += kDefaultFrameBorder;
    r.Top += DefaultCaptionHeight() + kDefaultFrameBorder;
    r.Right -= kDefaultFrameBorder;
    r.Bottom -= kDefaultFrameBorder;
    r.Right = std::max(r.Left, r.Right);
    r.Bottom = std::max(r.Top, r.Bottom);
}

void TCustomForm::DefaultNcPaint(TCanvas& canvas) {
    if (borderStyle_ == bsNone) return;
    TCanvasStateGuard guard(canvas);
    const int w = Width(), h = Height();
    canvas.ExcludeClipRect(clientRectInWindow_);
    canvas.FillSolid(Rect(0, 0, w, h), ColorToRGB(clBtnFace));
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = ColorToRGB(cl3DDkShadow);
    canvas.FrameRect(Rect(0, 0, w, h));
    const int cap = DefaultCaptionHeight();
    const TRect band = Rect(kDefaultFrameBorder, kDefaultFrameBorder, w - kDefaultFrameBorder,
                            kDefaultFrameBorder + cap);
    canvas.FillSolid(band, ColorToRGB(active_ ? clActiveCaption : clInactiveCaption));
    if (!Caption().empty()) {
        canvas.Font = Font();
        canvas.Font.Style = fsBold;
        canvas.Font.Color = ColorToRGB(active_ ? clCaptionText : clInactiveCaptionText);
        canvas.Brush.Style = bsClear;
        TRect textRect = InflateRect(band, -4, 0);
        const auto buttons = DefaultCaptionButtons();
        if (!buttons.empty())
            textRect.Right = std::min(textRect.Right, buttons.back().rect.Left - 2);
        canvas.DrawText(Caption(), textRect,
                        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    DrawDefaultCaptionButtons(canvas);
}

int TCustomForm::DefaultHitTest(TPoint p) const {
    const int w = Width(), h = Height();
    if (!PtInRect(Rect(0, 0, w, h), p)) return HTNOWHERE;
    if (borderStyle_ == bsNone) return HTCLIENT;
    if (PtInRect(clientRectInWindow_, p)) return HTCLIENT;
    const bool sizeable =
        (borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin) && windowState_ == wsNormal;
    if (sizeable) {
        const bool left = p.X < kSizeZone, right = p.X >= w - kSizeZone;
        const bool top = p.Y < kSizeZone, bottom = p.Y >= h - kSizeZone;
        if (top && left) return HTTOPLEFT;
        if (top && right) return HTTOPRIGHT;
        if (bottom && left) return HTBOTTOMLEFT;
        if (bottom && right) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
    }
    if (const int button = DefaultCaptionButtonAt(p); button != HTNOWHERE) return button;
    const int cap = DefaultCaptionHeight();
    if (PtInRect(Rect(kDefaultFrameBorder, kDefaultFrameBorder, w - kDefaultFrameBorder,
                      kDefaultFrameBorder + cap),
                 p)) {
        return HTCAPTION;
    }
    return HTBORDER;
}

// ---- Messages ----

void TCustomForm::WndProc(TMessage& m) {
    if (trackedButton_ != 0 && TrackCaptionButton(m)) return;
    switch (m.Msg) {
        case WM_NCCALCSIZE:
            if (auto* r = reinterpret_cast<TRect*>(m.LParam)) DefaultNcCalcSize(*r);
            m.Result = 0;
            return;
        case WM_NCHITTEST: {
            // Through the client origin, so that an MDI child (inside another window)
            // tests the same way as a top-level form.
            const TPoint c = ScreenToClient({GetXParam(m.LParam), GetYParam(m.LParam)});
            const TPoint off = ClientOffset();
            m.Result = DefaultHitTest({c.X + off.X, c.Y + off.Y});
            return;
        }
        case WM_NCPAINT: {
            TCanvas* canvas = MessageCanvas(m);
            DefaultNcPaint(canvas ? *canvas : WindowCanvas());
            return;
        }
        case WM_NCACTIVATE:
            if (host_) host_->InvalidateAll();
            m.Result = 1;
            return;
        case WM_NCLBUTTONDOWN: {
            const int hit = static_cast<int>(m.WParam);
            if (IsCaptionButtonHit(hit)) {
                PressCaptionButton(hit);
                return;
            }
            if (windowState_ != wsNormal) return;
            if (hit == HTCAPTION) {
                Perform(WM_SYSCOMMAND, SC_MOVE | static_cast<uint32_t>(HTCAPTION), m.LParam);
            } else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
                Perform(WM_SYSCOMMAND, SC_SIZE + static_cast<uint32_t>(hit - HTLEFT + WMSZ_LEFT),
                        m.LParam);
            }
            return;
        }
        case WM_NCLBUTTONDBLCLK:
            // The second press of a double click on a caption button presses it again.
            if (IsCaptionButtonHit(static_cast<int>(m.WParam))) {
                PressCaptionButton(static_cast<int>(m.WParam));
                return;
            }
            if (static_cast<int>(m.WParam) == HTCAPTION && (borderIcons_ & biMaximize) &&
                (borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin)) {
                Perform(WM_SYSCOMMAND, windowState_ == wsMaximized ? SC_RESTORE : SC_MAXIMIZE,
                        m.LParam);
            }
            return;
        case WM_SYSCOMMAND: {
            const uint32_t cmd = static_cast<uint32_t>(m.WParam) & 0xFFF0;
            switch (cmd) {
                case SC_MOVE:
                case SC_SIZE:
                    HandleNeeded();
                    // An MDI child moves inside its parent's window.
                    if (TWindowHost* h = Host()) {
                        h->StartSizeMove(static_cast<uint32_t>(m.WParam),
                                         {GetXParam(m.LParam), GetYParam(m.LParam)}, this);
                    }
                    break;
                case SC_CLOSE:
                    Perform(WM_CLOSE, 0, 0);
                    break;
                case SC_MINIMIZE:
                    SetWindowState(wsMinimized);
                    break;
                case SC_MAXIMIZE:
                    SetWindowState(wsMaximized);
                    break;
                case SC_RESTORE:
                    SetWindowState(wsNormal);
                    break;
                default:
                    break;
            }
            return;
        }
        case WM_CLOSE:
            Close();
            return;
        case WM_SETTEXT:
            TCustomControl::WndProc(m);
            if (host_ && host_->Window()) host_->Window()->SetTitle(Caption());
            if (host_) host_->InvalidateAll();
            if (TCustomForm* parent = MDIParent()) {
                Invalidate();
                parent->UpdateWindowMenu();
            }
            return;
        default:
            TCustomControl::WndProc(m);
    }
}

void TCustomForm::Paint() { TCustomControl::Paint(); }

// ---- Showing ----

void TCustomForm::SetVisible(bool visible) {
    if (IsLoading() || IsDestroying()) {
        SetVisibleFlag(visible);
        return;
    }
    if (MDIParent()) {
        if (visible != Visible()) ShowMDIChild(visible);
        return;
    }
    const bool shown = host_ && host_->WindowVisible();
    if (visible == Visible() && visible == shown) return;
    if (visible) {
        HandleNeeded();
        ApplyPosition();
        host_->SyncBounds();
        Perform(WM_SHOWWINDOW, 1, 0);
        TCustomControl::SetVisible(true);
        DoShow();
        host_->ShowWindow(true);
        if (windowState_ == wsMinimized) {
            host_->Window()->Minimize();
        } else {
            host_->Activate(WA_ACTIVE);
            host_->Window()->Activate();
        }
        UpdateNativeViews();
    } else {
        Perform(WM_SHOWWINDOW, 0, 0);
        DoHide();
        if (active_) SetActive(false, WA_INACTIVE);
        TCustomControl::SetVisible(false);
        if (host_) host_->ShowWindow(false);
        UpdateNativeViews();
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::BringToFront() {
    if (TCustomForm* parent = MDIParent()) {
        parent->MDIActivate(this);
        return;
    }
    if (host_ && host_->WindowVisible() && windowState_ != wsMinimized) {
        host_->Activate(WA_ACTIVE);
        host_->Window()->Activate();
    }
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::ApplyPosition() {
    if (positioned_) return;
    positioned_ = true;
    switch (Position) {
        case poScreenCenter:
        case poDesktopCenter:
            SetBounds((Screen().Width() - Width()) / 2, (Screen().Height() - Height()) / 2, Width(),
                      Height());
            break;
        case poMainFormCenter:
        case poOwnerFormCenter: {
            TCustomForm* main = Application().MainForm();
            if (main && main != this) {
                SetBounds(main->Left() + (main->Width() - Width()) / 2,
                          main->Top() + (main->Height() - Height()) / 2, Width(), Height());
            } else {
                SetBounds((Screen().Width() - Width()) / 2, (Screen().Height() - Height()) / 2,
                          Width(), Height());
            }
            break;
        }
        default:
            break;
    }
}

// ---- Activation ----

void TCustomForm::SetActive(bool active, uint32_t how) {
    if (active == active_) return;
    if (active) {
        TCustomForm* previous = Screen().ActiveForm();
        if (previous && previous != this && previous->active_)
            previous->SetActive(false, WA_INACTIVE);
        active_ = true;
        Screen().SetActiveForm(this);
        Perform(WM_NCACTIVATE, 1, 0);
        // An MDI parent's active child looks active along with it.
        if (TCustomForm* child = ActiveMDIChild()) child->Perform(WM_NCACTIVATE, 1, 0);
        Perform(WM_ACTIVATE, how, 0);
        Activate();
    } else {
        active_ = false;
        if (Screen().ActiveForm() == this) Screen().SetActiveForm(nullptr);
        Perform(WM_NCACTIVATE, 0, 0);
        if (TCustomForm* child = ActiveMDIChild()) child->Perform(WM_NCACTIVATE, 0, 0);
        Perform(WM_ACTIVATE, WA_INACTIVE, 0);
        Deactivate();
    }
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

// ---- Closing ----

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
    if (closing_) return;
    closing_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{closing_};
    if (!CloseQuery()) return;
    // Closing a document window (an MDI child) ends it.
    TCloseAction action = IsMDIChild() ? caFree : caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application().MainForm() == this) {
        Application().Terminate();
    } else if (action == caHide) {
        Hide();
    } else if (action == caMinimize) {
        SetWindowState(wsMinimized);
    } else {
        Release();
    }
}

void TCustomForm::Release() {
    // A form nobody owns cannot be freed here (its holder frees it); it is hidden instead.
    if (!Owner()) {
        Hide();
        return;
    }
    TLivenessWatch alive = LivenessWatch();
    platform::Current().Post([this, alive] {
        if (alive.Alive()) delete this;
    });
}

// ---- States ----

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    if (IsLoading()) return;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    borderIcons_ = icons;
    if (host_) host_->InvalidateAll();
}

void TCustomForm::SetWindowState(TWindowState state) {
    if (state == windowState_) return;
    const TWindowState old = windowState_;
    windowState_ = state;
    if (IsLoading()) return;
    if (MDIParent()) {
        SetMDIChildWindowState(state, old);
        return;
    }
    platform::Window* window = host_ ? host_->Window() : nullptr;
    switch (state) {
        case wsMaximized: {
            if (old == wsNormal) restoreBounds_ = BoundsRect();
            if (old == wsMinimized && window) window->Restore();
            const TRect work = Screen().MonitorFromRect(BoundsRect()).WorkareaRect;
            SetBounds(work.Left, work.Top, work.Width(), work.Height());
            Perform(WM_SIZE, SIZE_MAXIMIZED, MakeLParam(ClientWidth(), ClientHeight()));
            break;
        }
        case wsNormal:
            if (old == wsMinimized) {
                if (window) window->Restore();
                Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
            }
            if (old == wsMaximized && !IsRectEmpty(restoreBounds_)) {
                SetBounds(restoreBounds_.Left, restoreBounds_.Top, restoreBounds_.Width(),
                          restoreBounds_.Height());
                Perform(WM_SIZE, SIZE_RESTORED, MakeLParam(ClientWidth(), ClientHeight()));
            }
            break;
        case wsMinimized:
            if (window && host_->WindowVisible()) window->Minimize();
            if (active_) SetActive(false, WA_INACTIVE);
            Perform(WM_SIZE, SIZE_MINIMIZED, 0);
            break;
    }
    if (host_) host_->InvalidateAll();
}

// ---- Focus ----

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control && !ContainsControl(control))
        throw EInvalidOperation("Control is not on this form");
    FocusControl(control);
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (control == activeControl_) return;
    TWinControl* old = activeControl_;
    activeControl_ = control;
    if (old) old->Perform(WM_KILLFOCUS, reinterpret_cast<uintptr_t>(control), 0);
    if (control && activeControl_ == control)
        control->Perform(WM_SETFOCUS, reinterpret_cast<uintptr_t>(old), 0);
}

// ---- Short cuts ----

bool TCustomForm::IsShortCut(uint32_t shortCut) {
    bool handled = false;
    if (OnShortCut) OnShortCut(shortCut, handled);
    if (handled) return true;
    // Copy: a handler may remove itself.
    const auto handlers = shortCutHandlers_;
    for (const auto& [id, handler] : handlers) {
        if (handler && handler(shortCut)) return true;
    }
    return false;
}

int TCustomForm::AddShortCutHandler(std::function<bool(uint32_t)> handler) {
    const int id = nextShortCutId_++;
    shortCutHandlers_[id] = std::move(handler);
    return id;
}

void TCustomForm::RemoveShortCutHandler(int id) { shortCutHandlers_.erase(id); }

// ---- Window canvas and icon ----

TCanvas& TCustomForm::WindowCanvas() {
    HandleNeeded();
    if (host_) return host_->WindowCanvas();
    // A form inside another window (an MDI child): its part of that window's image.
    TWindowHost* h = Host();
    if (!h) throw EInvalidOperation("A form inside another control has no window of its own");
    if (!frameCanvas_) frameCanvas_ = std::make_unique<TCanvas>(h->Image());
    h->PrepareFrameCanvas(*this, *frameCanvas_);
    return *frameCanvas_;
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove || !mdi_) return;
    if (component == mdi_->windowMenu) mdi_->windowMenu = nullptr;
    if (component == mdi_->windowMenuSeparator) mdi_->windowMenuSeparator = nullptr;
    if (component == mdi_->client) mdi_->client = nullptr;
    auto& items = mdi_->windowMenuItems;
    items.erase(std::remove_if(items.begin(), items.end(),
                               [component](const auto& p) { return p.second == component; }),
                items.end());
}

void TCustomForm::SetIcon(const TBitmap& icon) {
    icon_ = std::make_unique<TBitmap>(icon);
    ApplyWindowIcon();
}

void TCustomForm::ApplyWindowIcon() {
    if (!host_ || !host_->Window()) return;
    const TBitmap& icon = icon_ ? *icon_ : Application().Icon();
    if (icon.Empty()) return;
    host_->Window()->SetIcon(
        platform::ImageView{icon.Bits(), icon.Width(), icon.Height(), icon.Width()});
}
