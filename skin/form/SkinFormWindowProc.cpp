// The skinned form's window procedure: a menu-closing step for every message, then the
// message's handler from a table, one per message. A handler calls the owner's previous
// procedure where the message's order of effects puts it; a message without one goes to the
// previous procedure alone. The handlers of the frame's topics live with their rooms
// (FrameGeometry.cpp, FrameShape.cpp, FramePainter.cpp, FrameObjects.cpp, WindowMover.cpp);
// the ones below only order a topic's steps with the form's other topics. The reaction to
// skin changes closes the file.
#include <algorithm>
#include <vector>

#include "skin/data/SkinData.h"
#include "skin/data/SkinnedControl.h"
#include "skin/form/FormMessages.h"
#include "skin/form/FrameAccessible.h"
#include "skin/form/ObjectHints.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinMenu.h"
#include "ui/MDIClient.h"
#include "ui/WindowOpacity.h"

namespace {

bool ClosesMenus(uint32_t msg) {
    switch (msg) {
        case WM_MOVE:
        case WM_SIZE:
        case WM_ACTIVATE:
        case WM_KILLFOCUS:
        case WM_CANCELMODE:
        case WM_MOUSEACTIVATE:
        case WM_PARENTNOTIFY:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            return true;
        default:
            return false;
    }
}

// Depth first, parents before children.
void WalkControls(TWinControl& parent, const std::function<void(TControl&)>& fn) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* c = parent.Controls(i);
        fn(*c);
        if (c->IsWindowed()) WalkControls(*static_cast<TWinControl*>(c), fn);
    }
}

// The skin a skin message is about (nullptr: every skin).
TspSkinData* SenderOf(const TMessage& m) { return reinterpret_cast<TspSkinData*>(m.WParam); }

struct TRoute {
    uint32_t msg;
    TspMessageHandler handle;
};

}  // namespace

void TspSkinForm::NewWndProc(TMessage& m) {
    MenuClosingPreStep(m);
    const TspPreviousProc previous(OldWindowProc);
    if (const TspMessageHandler handle = HandlerFor(m.Msg))
        handle(*this, m, previous);
    else
        previous(m);
}

void TspSkinForm::MenuClosingPreStep(const TMessage& m) {
    if (!ClosesMenus(m.Msg)) return;
    if (ShowObjectHint && skinHint_) HideObjectHint(*this);
    if (SkinMenuOpen() || KeyboardMenuMode()) EndSkinMenus();
    // The active child's menus and hint sit above the parent's window: what closes the
    // parent's closes the child's too.
    if (IsMDIParentForm()) {
        if (TspSkinForm* child = Of(FForm->ActiveMDIChild())) child->MenuClosingPreStep(m);
    }
}

void TspSkinForm::ForEachSkinnedControl(const std::function<void(ISkinnedControl&)>& fn) const {
    WalkControls(*FForm, [&fn](TControl& c) {
        if (auto* skinned = dynamic_cast<ISkinnedControl*>(&c)) fn(*skinned);
    });
}

// ---------------------------------------------------------------- the table

TspMessageHandler TspSkinForm::HandlerFor(uint32_t msg) {
    using F = TspSkinForm;
    using P = TspPreviousProc;
    static const std::vector<TRoute> routes = [] {
        std::vector<TRoute> r = {
            // The frame's geometry (FrameGeometry.cpp).
            {WM_SIZE, [](F& f, TMessage& m, const P& previous) { f.geometry_->OnSize(m, previous); }},
            {WM_SIZING, [](F& f, TMessage& m, const P& previous) { f.geometry_->OnSizing(m, previous); }},
            {WM_NCCALCSIZE, [](F& f, TMessage& m, const P&) { f.geometry_->OnNcCalcSize(m); }},
            {WM_GETMINMAXINFO,
             [](F& f, TMessage& m, const P& previous) {
                 f.geometry_->OnGetMinMaxInfo(m);
                 previous(m);
             }},
            // Showing: fading in (FormFade.cpp), the MDI client and the child's listing
            // (FormMDI.cpp), the frame for the new window (FrameGeometry.cpp).
            {WM_SHOWWINDOW,
             [](F& f, TMessage& m, const P& previous) {
                 if (m.WParam == 0) {
                     f.fade_->HideLayered();
                 } else {
                     if (f.IsMDIParentForm()) f.mdi_->HookMDIClient();
                     f.fade_->StartFadeIn();
                     f.geometry_->FrameForShow();
                 }
                 f.mdi_->MDIChildShown(m.WParam != 0);
                 previous(m);
             }},
            // The shape and hit testing (FrameShape.cpp).
            {WM_NCHITTEST, [](F& f, TMessage& m, const P& previous) { f.shape_->OnNcHitTest(m, previous); }},
            // Painting (FramePainter.cpp).
            {WM_NCPAINT, [](F& f, TMessage& m, const P&) { f.painter_->OnNcPaint(m); }},
            {WM_ERASEBKGND, [](F& f, TMessage& m, const P&) { f.painter_->OnEraseBackground(m); }},
            // The objects, their timers and the mouse (FrameObjects.cpp): the mouse after the
            // previous procedure; a frame press the size-move loop takes (WindowMover.cpp)
            // reaches no object.
            {WM_DESTROY,
             [](F& f, TMessage& m, const P& previous) {
                 f.objects_->StopTimers();
                 previous(m);
             }},
            {WM_NCMOUSEMOVE,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnNcMouseMove(m);
             }},
            {WM_NCLBUTTONDOWN,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 if (f.supportNCArea_ && !f.mover_->TakesPress()) f.objects_->OnNcButtonDown(mbLeft, m);
             }},
            {WM_NCLBUTTONUP,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnNcButtonUp(mbLeft, m);
             }},
            {WM_NCLBUTTONDBLCLK,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnNcButtonDblClick(mbLeft, m);
             }},
            {WM_NCRBUTTONDOWN,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnNcButtonDown(mbRight, m);
             }},
            {WM_NCRBUTTONUP,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnNcButtonUp(mbRight, m);
             }},
            {WM_NCRBUTTONDBLCLK,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnNcButtonDblClick(mbRight, m);
             }},
            {WM_MOUSEMOVE,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnMouseMove(m);
             }},
            {WM_LBUTTONDOWN,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnButtonDown(mbLeft, m);
             }},
            {WM_LBUTTONUP,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnButtonUp(mbLeft, m);
             }},
            {WM_LBUTTONDBLCLK,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnButtonDblClick(mbLeft, m);
             }},
            {WM_RBUTTONDOWN,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnButtonDown(mbRight, m);
             }},
            {WM_RBUTTONUP,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnButtonUp(mbRight, m);
             }},
            {WM_RBUTTONDBLCLK,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 f.objects_->OnButtonDblClick(mbRight, m);
             }},
            // Activation and the caption: the frame's objects follow (FrameObjects.cpp), an
            // MDI child keeps its listing (FormMDI.cpp).
            {WM_ACTIVATE,
             [](F& f, TMessage& m, const P& previous) {
                 f.mover_->StopDragging();
                 previous(m);
                 f.objects_->FollowActivation();
                 const TNotifyEvent& event = LoWord(m.WParam) != WA_INACTIVE ? f.OnActivate : f.OnDeActivate;
                 if (event) event(&f);
             }},
            {WM_NCACTIVATE,
             [](F& f, TMessage& m, const P& previous) {
                 f.ncActiveFlag_ = m.WParam != 0;
                 if (f.IsMDIChildForm() || f.IsMDIParentForm()) previous(m);
                 m.Result = 1;
                 f.objects_->FollowNcActivation();
                 if (f.IsMDIChildForm()) f.mdi_->MDIBookkeeping();
             }},
            {WM_MOUSEACTIVATE,
             [](F& f, TMessage& m, const P& previous) {
                 // The active MDI child clicked while its frame looked inactive.
                 TCustomForm* parent = f.FForm->MDIParent();
                 if (parent && parent->ActiveMDIChild() == f.FForm && !f.ncActiveFlag_) {
                     f.ncActiveFlag_ = true;
                     f.objects_->UpdateCaptionObjects(true);
                 }
                 previous(m);
             }},
            {WM_SETTEXT,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 if (f.IsMDIChildForm()) {
                     f.mdi_->UpdateMDIChildItem();
                     // A maximised child's caption is part of the parent's.
                     if (F* main = f.mdi_->MainSkinForm(); main && main->MaximizedChild() == &f) main->SendNcPaint();
                 }
                 f.objects_->TakeCaptionText();
             }},
            // Moving and sizing (WindowMover.cpp).
            {WM_MOVING,
             [](F& f, TMessage& m, const P& previous) {
                 f.mover_->OnMoving(m);
                 previous(m);
             }},
            {WM_ENTERSIZEMOVE,
             [](F& f, TMessage& m, const P& previous) {
                 f.mover_->OnEnterSizeMove();
                 previous(m);
             }},
            {WM_EXITSIZEMOVE,
             [](F& f, TMessage& m, const P& previous) {
                 f.mover_->OnExitSizeMove();
                 previous(m);
             }},
            // Accessibility: the frame's buttons join the form's node (FrameAccessible.cpp).
            {WM_GETOBJECT,
             [](F& f, TMessage& m, const P& previous) {
                 previous(m);
                 if (auto* node = reinterpret_cast<TAccessibleNode*>(m.LParam))
                     AddFrameAccessibleParts(f, *node);
             }},
            // The keyboard menu and the window menu (FormMenus.cpp), the fade-in (FormFade.cpp)
            // and MDI (FormMDI.cpp).
            {WM_SYSCOMMAND,
             [](F& f, TMessage& m, const P& previous) {
                 if ((m.WParam & 0xFFF0) == SC_KEYMENU) f.KeyMenuCommand(m.LParam);
                 else previous(m);
             }},
            {WM_TIMER,
             [](F& f, TMessage& m, const P& previous) {
                 if (m.WParam == 1) f.fade_->FadeInTimer();
                 previous(m);
             }},
            {SKINMSG_MENUCLOSED,
             [](F& f, TMessage& m, const P& previous) {
                 f.SkinMenuClosed();
                 previous(m);
             }},
            {SKINMSG_MDIREFIT,
             [](F& f, TMessage& m, const P& previous) {
                 f.mdi_->HandleMDIMessage(m);
                 previous(m);
             }},
            {SKINMSG_MDICHILDMAXIMIZED,
             [](F& f, TMessage& m, const P& previous) {
                 f.mdi_->HandleMDIMessage(m);
                 previous(m);
             }},
            {SKINMSG_MDICHILDRESTORED,
             [](F& f, TMessage& m, const P& previous) {
                 f.mdi_->HandleMDIMessage(m);
                 previous(m);
             }},
            // Skin changes (below).
            {SKINMSG_BEFORECHANGE,
             [](F& f, TMessage& m, const P& previous) {
                 // An open menu closing may free the form: then nothing follows.
                 if (f.BeforeSkinChange(SenderOf(m))) previous(m);
             }},
            {SKINMSG_CHANGED,
             [](F& f, TMessage& m, const P& previous) {
                 f.SkinChanged(SenderOf(m));
                 previous(m);
             }},
            {SKINMSG_AFTERCHANGE,
             [](F& f, TMessage& m, const P& previous) {
                 if (TspSkinData* sender = SenderOf(m); sender && sender == f.skinData_) f.RefitMDIChildren();
                 previous(m);
             }},
        };
        std::sort(r.begin(), r.end(),
                  [](const TRoute& a, const TRoute& b) { return a.msg < b.msg; });
        return r;
    }();
    const auto it = std::lower_bound(routes.begin(), routes.end(), msg,
                                     [](const TRoute& route, uint32_t m) { return route.msg < m; });
    return it != routes.end() && it->msg == msg ? it->handle : nullptr;
}

// ---------------------------------------------------------------- skin changes

bool TspSkinForm::BeforeSkinChange(TspSkinData* sender) {
    // An open menu drawing from the changing skin closes before its pictures go.
    if (TspSkinMenu* engine = menus_->EngineIfAlive();
        engine && engine->PopupCount() > 0 && (!sender || engine->SkinData() == sender)) {
        TLivenessWatch alive = liveness_.Watch();
        engine->CloseAll();
        if (!alive.Alive()) return false;
    }
    if (sender && sender == skinData_) {
        // The objects and placed children point into the skin's pictures.
        FSkinSupport = false;
        objects_->StopTimers();
        objects_->ClearObjects();
        geometry_->ForgetChildControls();
    }
    ForEachSkinnedControl([sender](ISkinnedControl& c) {
        if (!sender || c.SkinData() == sender) c.ResetSkinIndex();
    });
    return true;
}

void TspSkinForm::SkinChanged(TspSkinData* sender) {
    if (sender && sender == skinData_) ChangeSkinData();
    ForEachSkinnedControl([sender](ISkinnedControl& c) {
        if (!sender || c.SkinData() == sender) c.ApplySkin();
    });
}

void TspSkinForm::ChangeSkinData() {
    objects_->ForgetActive();
    FSkinSupport = skinData_ && !skinData_->SkinEmpty && SkinFrameUsable(*skinData_);
    if (supportNCArea_) {
        ApplySkinToFrame();
    } else if (FSkinSupport) {
        ApplySkinToClient();
    } else {
        // The objects and placed children point into the skin that went: they go too.
        objects_->ClearObjects();
        geometry_->ForgetChildControls();
        shape_->SetFrameRegion(false);
        FForm->Invalidate();
    }
}

// Non-client mode: the objects and the window's size for the skin (or the default frame),
// the frame painted once when all is in place.
void TspSkinForm::ApplySkinToFrame() {
    if (FSkinSupport) {
        objects_->CreateObjects();
        objects_->ApplyBorderIcons();
    } else {
        objects_->ClearObjects();
        shape_->SetFrameRegion(false);
    }
    painter_->HoldFramePaints(true);
    geometry_->FitWindowToSkin();
    if (FSkinSupport) UpdateFrame(true);
    objects_->UpdateCaptionObjects(false);
    painter_->HoldFramePaints(false);
    FForm->Invalidate();
    if (TMDIClient* client = FForm->MDIClient()) {
        client->Invalidate();
        RefitMDIChildren();
    }
    objects_->StartMouseTimer();
    if (OnChangeSkinData) OnChangeSkinData(this);
    if (ClientWidth > 0) FForm->SetClientWidth(ClientWidth);
    if (ClientHeight > 0) FForm->SetClientHeight(ClientHeight);
}

// Client mode: the window's size, the objects (rolled up again with the new roll-up picture)
// and the skin-positioned children for the skin. A new skin without a roll-up picture
// unrolls the window; with one it stays rolled up.
void TspSkinForm::ApplySkinToClient() {
    states_->UnrollForSkinWithoutRollUp();
    geometry_->FitClientToSkin();
    objects_->CreateObjects();
    objects_->ApplyBorderIcons();
    states_->RollUpAgainForSkin();
    painter_->HoldFramePaints(true);
    if (OnChangeSkinData) OnChangeSkinData(this);
    geometry_->TakeFormSize();
    geometry_->FollowClientModeSize();
    // Skin-positioned children: direct skinned children naming one of the skin's areas.
    geometry_->CollectChildControls();
    geometry_->PlaceChildControls();
    objects_->UpdateCaptionObjects(false);
    painter_->HoldFramePaints(false);
    FForm->Invalidate();
    objects_->StartMouseTimer();
}
