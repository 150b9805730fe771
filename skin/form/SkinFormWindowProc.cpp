// The skinned form's window procedure: a menu-closing step for every message, the messages
// handled before (or instead of) the owner's previous procedure, the mouse input for the
// frame objects after it, and the reaction to skin changes.
#include <algorithm>

#include "skin/data/SkinData.h"
#include "skin/data/SkinnedControl.h"
#include "skin/draw/PlatformUtils.h"
#include "skin/draw/RectUtils.h"
#include "skin/form/FormMessages.h"
#include "skin/form/ObjectHints.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinMenu.h"
#include "ui/MDIClient.h"
#include "ui/Timer.h"

namespace {

bool ClosesMenus(uint32_t msg) {
    switch (msg) {
        case WM_MOVE: case WM_SIZE: case WM_ACTIVATE: case WM_KILLFOCUS: case WM_CANCELMODE:
        case WM_MOUSEACTIVATE: case WM_PARENTNOTIFY:
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
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

}  // namespace

void TspSkinForm::CallOldWindowProc(TMessage& m) {
    if (OldWindowProc) OldWindowProc(m);
}

void TspSkinForm::NewWndProc(TMessage& m) {
    MenuClosingPreStep(m);
    if (HandleBeforePrevious(m)) CallOldWindowProc(m);
    HandleAfterPrevious(m);
}

void TspSkinForm::MenuClosingPreStep(const TMessage& m) {
    if (!ClosesMenus(m.Msg)) return;
    if (ShowObjectHint && skinHint_) HideObjectHint(*this);
    if (MenuOpen || MenuMode) EndSkinMenus();
}

void TspSkinForm::ForEachSkinnedControl(const std::function<void(ISkinnedControl&)>& fn) const {
    WalkControls(*FForm, [&fn](TControl& c) {
        if (auto* skinned = dynamic_cast<ISkinnedControl*>(&c)) fn(*skinned);
    });
}

// Returns whether the previous procedure is still to be called.
bool TspSkinForm::HandleBeforePrevious(TMessage& m) {
    switch (m.Msg) {
        case WM_DESTROY:
            objects_->StopTimers();
            return true;

        case WM_SIZE: {
            if (mover_->LiveSizing()) {
                // A live resize: the frame already followed WM_SIZING.
                if (!LogoBitMap().Empty() && supportNCArea_) FForm->Invalidate();
                return true;
            }
            CallOldWindowProc(m);
            geometry_->TakeFormSize();
            if (FSkinSupport) {
                const TspFrameGeometry& g = *geometry_;
                if (supportNCArea_) {
                    if (g.FrameSizeAtLeastMinimum()) UpdateFrame(true);
                } else if (!GetRollUpState() &&
                           (g.SkinStretchable() ||
                            (FForm->ClientWidth() == g.PW() && FForm->ClientHeight() == g.PH()))) {
                    UpdateFrame(g.SkinStretchable());
                }
            } else if (supportNCArea_) {
                SendNcPaint();
            }
            // A translucent window shows what lies behind it: everything is painted anew.
            if (supportNCArea_ && alphaBlend_ && layered_ && LayeredWindowsSupported() && alphaBlendValue_ < 255) {
                SendNcPaint();
                FForm->Invalidate();
            }
            if (!LogoBitMap().Empty() && supportNCArea_) FForm->Invalidate();
            return false;
        }

        case WM_ACTIVATE: {
            mover_->StopDragging();
            CallOldWindowProc(m);
            if (supportNCArea_) SendNcPaint();
            if (MaximizedMDIChild()) {
                UpdateCaptionObjects(false);
            } else {
                if (supportNCArea_) {
                    TestActive(-1, -1, false);
                    objects_->ResetObjects();
                }
                UpdateCaptionObjects(true);
            }
            if (LoWord(m.WParam) != WA_INACTIVE) {
                if (OnActivate) OnActivate(this);
            } else if (OnDeActivate) {
                OnDeActivate(this);
            }
            return false;
        }

        case WM_SETTEXT:
            CallOldWindowProc(m);
            if (IsMDIChildForm()) {
                UpdateMDIChildItem();
                // A maximised child's caption is part of the parent's.
                if (TspSkinForm* main = MainSkinForm(); main && main->MaximizedChild() == this) main->SendNcPaint();
            }
            if (FForm->HasBorder() && !MaximizedMDIChild()) {
                SendNcPaint();
                objects_->TakeCaptionText();
            }
            return false;

        case WM_ERASEBKGND:
            painter_->OnEraseBackground(m);
            return false;

        case WM_SHOWWINDOW:
            if (m.WParam == 0) {
                HideLayered();
            } else {
                if (IsMDIParentForm()) HookMDIClient();
                StartFadeIn();
                if (supportNCArea_) {
                    geometry_->FrameForShow();
                } else {
                    PlaceChildControls();
                }
            }
            MDIChildShown(m.WParam != 0);
            return true;

        case WM_MOUSEACTIVATE:
            if (TCustomForm* parent = FForm->MDIParent(); parent && parent->ActiveMDIChild() == FForm && !ncActiveFlag_) {
                ncActiveFlag_ = true;
                UpdateCaptionObjects(true);
            }
            return true;

        case WM_GETMINMAXINFO:
            geometry_->OnGetMinMaxInfo(m);
            return true;

        case WM_NCCALCSIZE:
            geometry_->OnNcCalcSize(m);
            return false;

        case WM_NCHITTEST:
            shape_->OnNcHitTest(m, TspPreviousProc(OldWindowProc));
            return false;

        case WM_NCPAINT:
            painter_->OnNcPaint(m);
            return false;

        case WM_NCACTIVATE:
            ncActiveFlag_ = m.WParam != 0;
            if (IsMDIChildForm() || IsMDIParentForm()) CallOldWindowProc(m);
            m.Result = 1;
            if (!FForm->HasBorder() || MaximizedMDIChild()) {
                UpdateCaptionObjects(false);
            } else {
                SendNcPaint();
                UpdateCaptionObjects(true);
            }
            if (IsMDIChildForm()) MDIBookkeeping();
            return false;

        case WM_SYSCOMMAND:
            if ((m.WParam & 0xFFF0) == SC_KEYMENU) {
                KeyMenuCommand(m.LParam);
                return false;
            }
            return true;

        case WM_TIMER:
            if (m.WParam == 1) FadeInTimer();
            return true;

        case WM_SIZING:
            if (!mover_->LiveSizing()) return true;
            CallOldWindowProc(m);
            if (auto* r = reinterpret_cast<TRect*>(m.LParam))
                geometry_->SetFrameSize(RectWidth(*r), RectHeight(*r));
            if (supportNCArea_ && FSkinSupport && geometry_->FrameSizeAtLeastMinimum())
                UpdateFrame(true);
            return false;

        case WM_MOVING:
            mover_->OnMoving(m);
            return true;

        case WM_ENTERSIZEMOVE:
            mover_->OnEnterSizeMove();
            return true;

        case WM_EXITSIZEMOVE:
            mover_->OnExitSizeMove();
            return true;

        case SKINMSG_BEFORECHANGE:
        case SKINMSG_CHANGED:
        case SKINMSG_AFTERCHANGE:
            HandleSkinMessage(m);
            return true;

        case SKINMSG_MENUCLOSED:
            SkinMenuClosed();
            return true;

        case SKINMSG_MDIREFIT:
        case SKINMSG_MDICHILDMAXIMIZED:
        case SKINMSG_MDICHILDRESTORED:
            HandleMDIMessage(m);
            return true;

        default:
            return true;
    }
}

void TspSkinForm::HandleAfterPrevious(TMessage& m) {
    switch (m.Msg) {
        case WM_NCMOUSEMOVE:
            objects_->OnNcMouseMove(m);
            break;
        case WM_NCLBUTTONDOWN:
            if (!supportNCArea_) break;
            if (mover_->TakesPress()) break;
            objects_->OnNcButtonDown(mbLeft, m);
            break;
        case WM_NCLBUTTONUP:
            objects_->OnNcButtonUp(mbLeft, m);
            break;
        case WM_NCLBUTTONDBLCLK:
            objects_->OnNcButtonDblClick(mbLeft, m);
            break;
        case WM_NCRBUTTONDOWN:
            objects_->OnNcButtonDown(mbRight, m);
            break;
        case WM_NCRBUTTONUP:
            objects_->OnNcButtonUp(mbRight, m);
            break;
        case WM_NCRBUTTONDBLCLK:
            objects_->OnNcButtonDblClick(mbRight, m);
            break;
        case WM_MOUSEMOVE:
            objects_->OnMouseMove(m);
            break;
        case WM_LBUTTONDOWN:
            objects_->OnButtonDown(mbLeft, m);
            break;
        case WM_LBUTTONUP:
            objects_->OnButtonUp(mbLeft, m);
            break;
        case WM_LBUTTONDBLCLK:
            objects_->OnButtonDblClick(mbLeft, m);
            break;
        case WM_RBUTTONDOWN:
            objects_->OnButtonDown(mbRight, m);
            break;
        case WM_RBUTTONUP:
            objects_->OnButtonUp(mbRight, m);
            break;
        case WM_RBUTTONDBLCLK:
            objects_->OnButtonDblClick(mbRight, m);
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------- skin changes

void TspSkinForm::HandleSkinMessage(TMessage& m) {
    auto* sender = reinterpret_cast<TspSkinData*>(m.WParam);
    auto usesSender = [sender](ISkinnedControl& c) { return !sender || c.SkinData() == sender; };
    if (m.Msg == SKINMSG_BEFORECHANGE) {
        // An open menu drawing from the changing skin closes before its pictures go.
        if (menuEngine_ && menuEngine_->PopupCount() > 0 &&
            (!sender || menuEngine_->SkinData() == sender)) {
            TLivenessWatch alive = liveness_.Watch();
            menuEngine_->CloseAll();
            if (!alive.Alive()) return;
        }
        if (sender && sender == skinData_) {
            FSkinSupport = false;
            objects_->StopTimers();
            objects_->ClearObjects();
            geometry_->ForgetChildControls();
        }
        ForEachSkinnedControl([&](ISkinnedControl& c) {
            if (usesSender(c)) c.ResetSkinIndex();
        });
    } else if (m.Msg == SKINMSG_CHANGED) {
        if (sender && sender == skinData_) ChangeSkinData();
        ForEachSkinnedControl([&](ISkinnedControl& c) {
            if (usesSender(c)) c.ApplySkin();
        });
    } else if (m.Msg == SKINMSG_AFTERCHANGE && sender && sender == skinData_) {
        RefitMDIChildren();
    }
}

void TspSkinForm::ChangeSkinData() {
    objects_->ForgetActive();
    FSkinSupport = skinData_ && !skinData_->SkinEmpty && SkinFrameUsable(*skinData_);
    if (supportNCArea_) {
        if (FSkinSupport) {
            objects_->CreateObjects();
            objects_->ApplyBorderIcons();
        } else {
            objects_->ClearObjects();
            SetFrameRegion(false);
        }
        painter_->HoldFramePaints(true);
        const int minW = GetMinWidth(), minH = GetMinHeight();
        const int w = FForm->Width(), h = FForm->Height();
        if (w < minW && h < minH) FForm->SetBounds(FForm->Left(), FForm->Top(), minW, minH);
        else if (h < minH) FForm->SetHeight(minH);
        else if (w < minW) FForm->SetWidth(minW);
        else
            geometry_->NudgeWidth();
        if (GetRollUpState() || WindowMinimized()) {
            if (FForm->Height() != minH) FForm->SetHeight(minH);
            if (WindowMinimized() && FForm->Width() != minW) FForm->SetWidth(minW);
        }
        geometry_->TakeFormSize();
        if (FSkinSupport) UpdateFrame(true);
        UpdateCaptionObjects(false);
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
        return;
    }
    if (!FSkinSupport) {
        // The objects and placed children point into the skin that went: they go too.
        objects_->ClearObjects();
        geometry_->ForgetChildControls();
        SetFrameRegion(false);
        FForm->Invalidate();
        return;
    }
    // A new skin without a roll-up picture unrolls the window; with one it stays rolled up.
    states_->UnrollForSkinWithoutRollUp();
    const TspFrameGeometry& g = *geometry_;
    if (!GetRollUpState()) {
        if (g.SkinStretchable()) {
            if (!(MinWidth > 0 && MinHeight > 0)) {
                if (FForm->ClientWidth() < g.PW()) FForm->SetClientWidth(g.PW());
                if (FForm->ClientHeight() < g.PH()) FForm->SetClientHeight(g.PH());
            }
        } else {
            FForm->SetClientWidth(g.PW());
            FForm->SetClientHeight(g.PH());
            Sizeable = false;
        }
    }
    objects_->CreateObjects();
    objects_->ApplyBorderIcons();
    states_->RollUpAgainForSkin();
    painter_->HoldFramePaints(true);
    if (OnChangeSkinData) OnChangeSkinData(this);
    geometry_->TakeFormSize();
    if (!GetRollUpState() && (g.SkinStretchable() || (FForm->ClientWidth() == g.PW() &&
                                                      FForm->ClientHeight() == g.PH()))) {
        UpdateFrame(g.SkinStretchable());
    }
    // Skin-positioned children: direct skinned children naming one of the skin's areas.
    geometry_->CollectChildControls();
    PlaceChildControls();
    UpdateCaptionObjects(false);
    painter_->HoldFramePaints(false);
    FForm->Invalidate();
    objects_->StartMouseTimer();
}
