// Input routing of a top-level window. Raw platform events (window coordinates) become
// messages: the window answers WM_NCHITTEST for the screen point; client points go to the
// deepest visible, enabled control under the point (or to the capture owner) as client
// mouse messages with client coordinates, other points go to the window as WM_NC*
// messages with the hit code in WPARAM and the screen point in LPARAM. Keys go to the
// focused control after the form's short cuts.
#include <exception>

#include "ui/Application.h"
#include "ui/ControlsWindowHost.h"
#include "ui/Forms.h"
#include "ui/MDIClient.h"
#include "ui/Screen.h"

namespace {

TShiftState gKeyboardShift = 0;

uint32_t MouseKeys(const platform::MouseEvent& e) {
    uint32_t keys = e.buttonsDown & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
    if (e.modifiers & platform::kModShift) keys |= MK_SHIFT;
    if (e.modifiers & platform::kModControl) keys |= MK_CONTROL;
    return keys;
}

uint32_t ClientMessage(const platform::MouseEvent& e, bool doubleClicks) {
    using platform::MouseButton;
    using platform::MouseEventKind;
    const bool dbl = e.kind == MouseEventKind::DoubleClick && doubleClicks;
    switch (e.kind) {
        case MouseEventKind::Move:
            return WM_MOUSEMOVE;
        case MouseEventKind::Down:
        case MouseEventKind::DoubleClick:
            if (e.button == MouseButton::Right) return dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
            if (e.button == MouseButton::Middle) return dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN;
            return dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        case MouseEventKind::Up:
            if (e.button == MouseButton::Right) return WM_RBUTTONUP;
            if (e.button == MouseButton::Middle) return WM_MBUTTONUP;
            return WM_LBUTTONUP;
        case MouseEventKind::Wheel:
            return WM_MOUSEWHEEL;
        case MouseEventKind::Leave:
            break;
    }
    return WM_NULL;
}

uint32_t NonClientMessage(const platform::MouseEvent& e) {
    using platform::MouseButton;
    using platform::MouseEventKind;
    switch (e.kind) {
        case MouseEventKind::Move:
            return WM_NCMOUSEMOVE;
        case MouseEventKind::Down:
            if (e.button == MouseButton::Right) return WM_NCRBUTTONDOWN;
            if (e.button == MouseButton::Middle) return WM_NCMBUTTONDOWN;
            return WM_NCLBUTTONDOWN;
        case MouseEventKind::DoubleClick:
            if (e.button == MouseButton::Right) return WM_NCRBUTTONDBLCLK;
            if (e.button == MouseButton::Middle) return WM_NCMBUTTONDOWN;
            return WM_NCLBUTTONDBLCLK;
        case MouseEventKind::Up:
            if (e.button == MouseButton::Right) return WM_NCRBUTTONUP;
            if (e.button == MouseButton::Middle) return WM_NCMBUTTONUP;
            return WM_NCLBUTTONUP;
        case MouseEventKind::Wheel:
            return WM_MOUSEWHEEL;
        case MouseEventKind::Leave:
            break;
    }
    return WM_NULL;
}

bool IsWithin(const TControl* control, const TControl* ancestor) {
    for (const TControl* c = control; c; c = c->Parent()) {
        if (c == ancestor) return true;
    }
    return false;
}

}  // namespace

TShiftState KeyboardShiftState() { return gKeyboardShift; }

TCustomForm* TWindowHost::OwnerForm() const { return dynamic_cast<TCustomForm*>(&owner_); }

// ---- capture and hover ----

TControl* TWindowHost::CaptureControl() const { return captureAlive_.Alive() ? capture_ : nullptr; }

void TWindowHost::SetCaptureControl(TControl* control) {
    TControl* old = CaptureControl();
    capture_ = control;
    captureAlive_ = control ? control->LivenessWatch() : TLivenessWatch();
    if (old && old != control)
        old->Perform(WM_CAPTURECHANGED, 0, reinterpret_cast<intptr_t>(control));
}

TControl* TWindowHost::MouseControl() const { return hoverAlive_.Alive() ? hover_ : nullptr; }

void TWindowHost::ForgetControl(const TControl* control) {
    if (TControl* c = CaptureControl(); c && IsWithin(c, control)) {
        capture_ = nullptr;
        captureAlive_.Reset();
    }
    if (TControl* h = MouseControl(); h && IsWithin(h, control)) {
        hover_ = nullptr;
        hoverAlive_.Reset();
        if (!h->IsDestroying()) h->Perform(CM_MOUSELEAVE, 0, 0);
    }
}

void TWindowHost::UpdateHover(TControl* control) {
    TControl* old = MouseControl();
    if (old == control) return;
    hover_ = control;
    hoverAlive_ = control ? control->LivenessWatch() : TLivenessWatch();
    if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
    if (control && MouseControl() == control) control->Perform(CM_MOUSEENTER, 0, 0);
}

void TWindowHost::SendSetCursor(TControl* target, int hit, uint32_t mouseMsg) {
    owner_.Perform(WM_SETCURSOR, reinterpret_cast<uintptr_t>(target),
                   MakeLParam(hit, static_cast<int>(mouseMsg)));
}

// ---- mouse ----

void TWindowHost::OnMouse(const platform::MouseEvent& event) {
    if (owner_.IsDestroying()) return;
    gKeyboardShift = KeyModifiersToShiftState(event.modifiers);
    try {
        if (sizeMove_.active) {
            if (event.kind == platform::MouseEventKind::Move)
                SizeMoveStep(event.screenPos);
            else if (event.kind == platform::MouseEventKind::Up)
                EndSizeMove();
            return;
        }
        RouteMouse(event);
    } catch (const std::exception& e) {
        Application().HandleException(e);
    }
}

void TWindowHost::RouteMouse(const platform::MouseEvent& e) {
    using platform::MouseEventKind;
    const TPoint screen = e.screenPos;
    if (e.kind == MouseEventKind::Leave) {
        UpdateHover(nullptr);
        Application().CancelHint();
        return;
    }
    const bool press = e.kind == MouseEventKind::Down || e.kind == MouseEventKind::DoubleClick;
    if (press) {
        altAlone_ = false;
        Application().CancelHint();
        TCustomForm* form = OwnerForm();
        if (form && !popup_ && !form->Active()) {
            Activate(WA_CLICKACTIVE);
            if (window_) window_->Activate();
        }
    }

    int hit = HTCLIENT;
    TControl* target = CaptureControl();
    const TPoint clientPoint = owner_.ScreenToClient(screen);
    if (target) {
        TControl* under =
            PtInRect(owner_.ClientRect(), clientPoint) ? owner_.ControlAtPos(clientPoint) : nullptr;
        UpdateHover(under == target ? target : nullptr);
    } else {
        hit = static_cast<int>(owner_.Perform(WM_NCHITTEST, 0, MakeLParam(screen.X, screen.Y)));
        if (hit == HTCLIENT) {
            target = PtInRect(owner_.ClientRect(), clientPoint) ? owner_.ControlAtPos(clientPoint)
                                                                : &owner_;
            // A press in an MDI child (its frame or its client area) activates it first.
            if (press) {
                if (TCustomForm* child = MDIChildOf(target)) {
                    child->Perform(WM_MOUSEACTIVATE, 0,
                                   MakeLParam(HTCLIENT, static_cast<int>(ClientMessage(e, true))));
                    if (TCustomForm* parent = child->MDIParent()) parent->MDIActivate(child);
                    if (owner_.IsDestroying()) return;
                }
            }
            if (RouteToChildFrame(e, target)) return;
        }
        UpdateHover(hit == HTCLIENT ? target : nullptr);
        if (e.kind == MouseEventKind::Move)
            SendSetCursor(target ? target : &owner_, hit, WM_MOUSEMOVE);
    }
    if (owner_.IsDestroying()) return;

    if (hit == HTCLIENT && target) {
        if (!target->IsEnabledInTree()) return;
        const uint32_t keys = MouseKeys(e);
        const uint32_t msg = ClientMessage(e, (target->ControlStyle & csDoubleClicks) != 0);
        if (msg == WM_MOUSEWHEEL) {
            // Wheel: to the focused control first, then up its parents until one answers.
            TCustomForm* form = OwnerForm();
            TControl* c = form && form->ActiveControl() ? form->ActiveControl() : target;
            const uintptr_t w =
                (static_cast<uintptr_t>(static_cast<uint16_t>(e.wheelDelta)) << 16) | keys;
            for (; c; c = c->Parent()) {
                TMessage m{WM_MOUSEWHEEL, w, MakeLParam(screen.X, screen.Y), 0};
                Application().DispatchMessage(c, m);
                if (m.Result != 0) break;
            }
            return;
        }
        const TPoint p = target->ScreenToClient(screen);
        TMessage m{msg, keys, MakeLParam(p.X, p.Y), 0};
        TLivenessWatch alive = target->LivenessWatch();
        Application().DispatchMessage(target, m);
        if (e.kind == MouseEventKind::Up &&
            (e.buttonsDown & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
            SetCaptureControl(nullptr);
        }
        if (e.kind == MouseEventKind::Move && alive.Alive())
            Application().HintMouseMessage(target, screen);
    } else if (hit != HTCLIENT) {
        Application().CancelHint();
        const uint32_t msg = NonClientMessage(e);
        if (msg == WM_NULL) return;
        TMessage m{msg, static_cast<uintptr_t>(hit), MakeLParam(screen.X, screen.Y), 0};
        Application().DispatchMessage(&owner_, m);
    }
}

bool TWindowHost::RouteToChildFrame(const platform::MouseEvent& e, TControl* target) {
    auto* form = dynamic_cast<TCustomForm*>(target);
    if (!form || !form->Parent()) return false;
    const TPoint screen = e.screenPos;
    if (PtInRect(form->ClientRect(), form->ScreenToClient(screen))) return false;
    const int hit =
        static_cast<int>(form->Perform(WM_NCHITTEST, 0, MakeLParam(screen.X, screen.Y)));
    if (hit == HTCLIENT) return false;
    UpdateHover(nullptr);
    Application().CancelHint();
    if (e.kind == platform::MouseEventKind::Move) SendSetCursor(form, hit, WM_MOUSEMOVE);
    const uint32_t msg = NonClientMessage(e);
    if (msg == WM_NULL) return true;
    TMessage m{msg, static_cast<uintptr_t>(hit), MakeLParam(screen.X, screen.Y), 0};
    Application().DispatchMessage(form, m);
    return true;
}

// ---- keys ----

TWinControl* TWindowHost::KeyTarget() const {
    TCustomForm* form = OwnerForm();
    if (!form) return &owner_;
    TWinControl* active = form->ActiveControl();
    return active ? active : form;
}

void TWindowHost::OnKey(const platform::KeyEvent& e) {
    gKeyboardShift = KeyModifiersToShiftState(e.modifiers);
    TCustomForm* form = OwnerForm();
    if (popup_ || !form || owner_.IsDestroying()) return;
    const bool alt = (e.modifiers & platform::kModAlt) != 0;
    const bool ctrl = (e.modifiers & platform::kModControl) != 0;
    const bool shift = (e.modifiers & platform::kModShift) != 0;
    const uint16_t vk = e.virtualKey;
    const bool modifierKey = vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU;
    try {
        TWinControl* target = KeyTarget();
        if (e.down) {
            if (vk == VK_MENU) {
                altAlone_ = true;
                TMessage m{WM_SYSKEYDOWN, vk, 0, 0};
                Application().DispatchMessage(target, m);
                return;
            }
            if (!modifierKey) altAlone_ = false;
            if (alt && vk == VK_F4) {
                TMessage m{WM_SYSCOMMAND, SC_CLOSE, 0, 0};
                Application().DispatchMessage(form, m);
                return;
            }
            if (!modifierKey) {
                uint32_t sc = vk;
                if (shift) sc |= scShift;
                if (ctrl) sc |= scCtrl;
                if (alt) sc |= scAlt;
                if (form->IsShortCut(sc)) return;
            }
            const uint32_t msg = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
            if (form->KeyPreview && target != form) {
                TMessage pm{msg, vk, 0, 0};
                Application().DispatchMessage(form, pm);
                if (pm.WParam == 0) return;
            }
            TMessage m{msg, vk, 0, 0};
            Application().DispatchMessage(target, m);
            if (alt && !ctrl && vk == VK_SPACE && m.WParam != 0) {
                // Alt+Space asks for the window menu.
                TMessage sc{WM_SYSCOMMAND, SC_KEYMENU, ' ', 0};
                Application().DispatchMessage(form, sc);
                return;
            }
            if (m.WParam == VK_TAB && !alt && !ctrl) {
                form->SelectNext(form->ActiveControl(), !shift, true);
                return;
            }
            if (e.unicodeChar != 0 && !ctrl && m.WParam != 0) {
                const uint32_t cmsg = alt ? WM_SYSCHAR : WM_CHAR;
                if (form->KeyPreview && target != form) {
                    TMessage pc{cmsg, e.unicodeChar, 0, 0};
                    Application().DispatchMessage(form, pc);
                    if (pc.WParam == 0) return;
                }
                TMessage cm{cmsg, e.unicodeChar, 0, 0};
                Application().DispatchMessage(KeyTarget(), cm);
            }
        } else {
            if (vk == VK_MENU) {
                const bool lone = altAlone_;
                altAlone_ = false;
                TMessage m{WM_SYSKEYUP, vk, 0, 0};
                Application().DispatchMessage(target, m);
                if (lone) {
                    TMessage sc{WM_SYSCOMMAND, SC_KEYMENU, 0, 0};
                    Application().DispatchMessage(form, sc);
                }
                return;
            }
            TMessage m{alt ? WM_SYSKEYUP : WM_KEYUP, vk, 0, 0};
            Application().DispatchMessage(target, m);
        }
    } catch (const std::exception& ex) {
        Application().HandleException(ex);
    }
}

// ---- activation and window events ----

void TWindowHost::Activate(uint32_t how) {
    if (TCustomForm* form = OwnerForm()) form->SetActive(true, how);
}

void TWindowHost::Deactivate() {
    if (TCustomForm* form = OwnerForm()) form->SetActive(false, WA_INACTIVE);
}

void TWindowHost::OnFocusChanged(bool focused) {
    TCustomForm* form = OwnerForm();
    if (popup_ || !form || owner_.IsDestroying()) return;
    try {
        if (focused && !form->Active())
            Activate(WA_ACTIVE);
        else if (!focused && form->Active())
            Deactivate();
    } catch (const std::exception& e) {
        Application().HandleException(e);
    }
}

void TWindowHost::OnCloseRequest() {
    if (owner_.IsDestroying()) return;
    TMessage m{WM_SYSCOMMAND, SC_CLOSE, 0, 0};
    Application().DispatchMessage(&owner_, m);
}

void TWindowHost::OnIconified(bool iconified) {
    TCustomForm* form = OwnerForm();
    if (!form || owner_.IsDestroying()) return;
    try {
        if (iconified && form->WindowState() != wsMinimized)
            form->SetWindowState(wsMinimized);
        else if (!iconified && form->WindowState() == wsMinimized)
            form->SetWindowState(wsNormal);
        // The main form restored from the taskbar brings the minimised application back.
        if (!iconified && form == Application().MainForm() && Application().Minimized())
            Application().Restore();
    } catch (const std::exception& e) {
        Application().HandleException(e);
    }
}

void TWindowHost::OnConfigured(const TRect& screenBounds) {
    if (owner_.IsDestroying() || screenBounds == owner_.BoundsRect()) return;
    applyingConfigure_ = true;
    try {
        owner_.SetBounds(screenBounds.Left, screenBounds.Top, screenBounds.Width(),
                         screenBounds.Height());
    } catch (const std::exception& e) {
        Application().HandleException(e);
    }
    applyingConfigure_ = false;
    const int w = std::max(1, owner_.Width()), h = std::max(1, owner_.Height());
    if (image_.Width() != w || image_.Height() != h) image_.SetSize(w, h);
    InvalidateAll();
}

void TWindowHost::OnGrabBroken() {
    if (sizeMove_.active) EndSizeMove();
    SetCaptureControl(nullptr);
}
