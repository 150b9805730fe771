// The skinned frame of MDI forms. A child lists itself in the main form's window menu and
// tab bar while it is shown, keeps them up to date (caption, check mark, active tab),
// maximises into the main form's MDI client area without a frame (its caption then shows
// in the parent's: " - [" child "]", and its buttons in the parent's menu bar) and, when
// minimised, takes the next free place along the bottom of that area. The parent paints
// the MDI client area's background from the skin and re-fits its maximised children.
#include <algorithm>

#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMDITabsBar.h"
#include "skin/form/SkinMainMenuBar.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/MDIClient.h"
#include "ui/Menus.h"
#include "ui/Timer.h"

namespace {
const char* const kChildItemSuffix = "_SFCHILDITEM";
}  // namespace

TspSkinForm* TspSkinForm::Of(const TCustomForm* form) {
    if (!form) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        if (auto* skin = dynamic_cast<TspSkinForm*>(form->Components(i))) return skin;
    }
    return nullptr;
}

bool TspSkinForm::IsMDIChildForm() const { return FForm->MDIParent() != nullptr; }

bool TspSkinForm::IsMDIParentForm() const { return FForm->FormStyle() == fsMDIForm; }

TspSkinForm* TspSkinForm::MainSkinForm() const { return Of(FForm->MDIParent()); }

std::string TspSkinForm::CaptionText() const {
    std::string text = FForm->Caption();
    if (maximizedChild_ && IsMDIParentForm()) text += " - [" + maximizedChild_->Form()->Caption() + "]";
    return text;
}

// ---------------------------------------------------------------- a child's listing

void TspSkinForm::MDIChildShown(bool shown) {
    TCustomForm* parent = FForm->MDIParent();
    if (!parent) return;
    TspSkinForm* main = Of(parent);
    if (shown && !mdiChildListed_) {
        mdiChildListed_ = true;
        // The skinned frame keeps the window menu's list of children itself.
        parent->WindowMenuChildItems = false;
        parent->UpdateWindowMenu();
        if (TMenuItem* windowMenu = parent->WindowMenu()) {
            mdiChildItem_ = new TMenuItem(this);
            const std::string name = FForm->Name().empty() ? std::string() : FForm->Name() + kChildItemSuffix;
            if (!name.empty() && !FindComponent(name)) mdiChildItem_->SetName(name);
            mdiChildItem_->OnClick = [this](TComponent*) {
                // Shown again, restored first when minimised by the skinned frame.
                if (WindowMinimized()) SetWindowState(kSkinStateNormal);
                FForm->Show();
            };
            windowMenu->Add(mdiChildItem_);
        }
        if (main && main->MDITabsBar()) main->MDITabsBar()->AddTab(FForm);
        UpdateMDIChildItem();
    } else if (!shown && mdiChildListed_) {
        mdiChildListed_ = false;
        delete mdiChildItem_;  // takes itself out of the window menu
        mdiChildItem_ = nullptr;
        if (main && main->MDITabsBar()) main->MDITabsBar()->RemoveTab(FForm);
    }
}

void TspSkinForm::UpdateMDIChildItem() {
    TCustomForm* parent = FForm->MDIParent();
    if (!parent) return;
    if (mdiChildItem_) {
        mdiChildItem_->SetCaption(FForm->Caption());
        mdiChildItem_->SetChecked(parent->ActiveMDIChild() == FForm);
    }
    if (TspSkinForm* main = Of(parent); main && main->MDITabsBar()) main->MDITabsBar()->ChildChanged(FForm);
}

void TspSkinForm::MDIBookkeeping() {
    TCustomForm* parent = FForm->MDIParent();
    if (!parent) return;
    UpdateMDIChildItem();
    if (TspSkinForm* main = Of(parent)) {
        if (main->MDITabsBar()) main->MDITabsBar()->SetActiveChild(parent->ActiveMDIChild());
        // The bar shows the active child's main menu after the parent's.
        if (main->MainMenuBar()) main->MainMenuBar()->UpdateItems();
    }
}

void TspSkinForm::NotifyMDIParent(uint32_t message) {
    if (TCustomForm* parent = FForm->MDIParent()) {
        SendMessage(parent, message, reinterpret_cast<uintptr_t>(FForm), kSkinMessageLParam);
    }
}

void TspSkinForm::MDIChildGoes() {
    if (!IsMDIChildForm()) return;
    const bool wasMaximized = WindowMaximized();
    states_->DropState();
    MDIChildShown(false);
    if (wasMaximized) NotifyMDIParent(SKINMSG_MDICHILDRESTORED);
}

// ---------------------------------------------------------------- a child's states

void TspSkinForm::MaximizeMDIChild() {
    TCustomForm* parent = FForm->MDIParent();
    if (!parent || !parent->MDIClient()) return;
    GetMouseTimer().SetEnabled(false);
    TestActive(-1, -1, false);
    const TRect area = parent->MDIClient()->ClientRect();
    // The maximised state is already set, so the frame's size calculation drops the frame.
    if (FForm->BoundsRect() == area)
        geometry_->NudgeWidth();
    else FForm->SetBoundsRect(area);
    NotifyMDIParent(SKINMSG_MDICHILDMAXIMIZED);
}

TPoint TspSkinForm::MDIMinimizedPlace(int w, int h) const {
    TCustomForm* parent = FForm->MDIParent();
    const TRect area = parent && parent->MDIClient() ? parent->MDIClient()->ClientRect() : TRect{};
    auto taken = [&](int x, int y) {
        for (int i = 0; i < parent->MDIChildCount(); ++i) {
            TCustomForm* other = parent->MDIChildren(i);
            const TspSkinForm* skin = Of(other);
            if (other != FForm && other->Visible() && skin && skin->WindowMinimized() && other->Left() == x &&
                other->Top() == y) {
                return true;
            }
        }
        return false;
    };
    int x = area.Left, y = area.Bottom - h;
    if (!parent) return {x, y};
    while (taken(x, y)) {
        x += w;
        if (x + w > area.Right) {
            x = area.Left;
            y -= h;
        }
        // Rows ran out above the top: the first place, taken or not.
        if (y < area.Top) return {area.Left, area.Bottom - h};
    }
    return {x, y};
}

// ---------------------------------------------------------------- the parent

void TspSkinForm::RefitMDIChildren() {
    if (!IsMDIParentForm()) return;
    for (int i = 0; i < FForm->MDIChildCount(); ++i) {
        SendMessage(FForm->MDIChildren(i), SKINMSG_MDIREFIT, 0, kSkinMessageLParam);
    }
    ArrangeMDIIcons();
}

void TspSkinForm::ArrangeMDIIcons() {
    if (!IsMDIParentForm()) return;
    std::vector<TspSkinForm*> icons;
    for (int i = 0; i < FForm->MDIChildCount(); ++i) {
        TspSkinForm* skin = Of(FForm->MDIChildren(i));
        if (skin && skin->WindowMinimized() && skin->Form()->Visible()) icons.push_back(skin);
    }
    // Each takes the first free place, in the order the children joined.
    for (TspSkinForm* icon : icons) icon->Form()->SetBounds(-32768, -32768, icon->Form()->Width(), icon->Form()->Height());
    for (TspSkinForm* icon : icons) {
        const TPoint at = icon->MDIMinimizedPlace(icon->GetMinWidth(), icon->GetMinHeight());
        icon->Form()->SetBounds(at.X, at.Y, icon->GetMinWidth(), icon->GetMinHeight());
    }
}

void TspSkinForm::RestoreMDIChildren() {
    if (!IsMDIParentForm()) return;
    for (int i = 0; i < FForm->MDIChildCount(); ++i) {
        TspSkinForm* skin = Of(FForm->MDIChildren(i));
        if (skin && skin->WindowMaximized()) skin->SetWindowState(kSkinStateNormal);
    }
}

// The skin messages of MDI: re-fitting, and the parent hearing of maximised children.
void TspSkinForm::HandleMDIMessage(TMessage& m) {
    switch (m.Msg) {
        case SKINMSG_MDIREFIT:
            if (MaximizedMDIChild()) FForm->SetBoundsRect(FForm->MDIParent()->MDIClient()->ClientRect());
            break;
        case SKINMSG_MDICHILDMAXIMIZED:
        case SKINMSG_MDICHILDRESTORED: {
            if (!IsMDIParentForm()) break;
            auto* sender = Of(reinterpret_cast<TCustomForm*>(m.WParam));
            if (m.Msg == SKINMSG_MDICHILDMAXIMIZED && sender) {
                maximizedChild_ = sender;
            } else if (sender == maximizedChild_ || !sender) {
                // Another child may still be maximised.
                maximizedChild_ = nullptr;
                for (int i = 0; i < FForm->MDIChildCount(); ++i) {
                    TspSkinForm* skin = Of(FForm->MDIChildren(i));
                    if (skin && skin != sender && skin->MaximizedMDIChild() && skin->Form()->Visible()) maximizedChild_ = skin;
                }
            }
            SendNcPaint();
            if (mainMenuBar_) mainMenuBar_->ChildMaximized(maximizedChild_);
            break;
        }
        default:
            break;
    }
}

void TspSkinForm::HookMDIClient() {
    TMDIClient* client = FForm->MDIClient();
    if (!client || hookedMDIClient_ == client) return;
    UnhookMDIClient();
    hookedMDIClient_ = client;
    FreeNotification(client);
    oldMDIClientProc_ = client->WindowProc;
    client->WindowProc = [this](TMessage& m) { MDIClientWndProc(m); };
    client->Invalidate();
}

void TspSkinForm::UnhookMDIClient() {
    if (!hookedMDIClient_) return;
    hookedMDIClient_->WindowProc = oldMDIClientProc_;
    RemoveFreeNotification(hookedMDIClient_);
    hookedMDIClient_ = nullptr;
    oldMDIClientProc_ = nullptr;
}

void TspSkinForm::MDIClientWndProc(TMessage& m) {
    TWinControl& client = *hookedMDIClient_;
    switch (m.Msg) {
        case WM_ERASEBKGND: {
            TCanvas* canvas = MessageCanvas(m);
            m.Result = 1;
            if (!canvas) return;
            TCanvasStateGuard guard(*canvas);
            const TRect area = client.ClientRect();
            const TBitmap* mdiPicture = FSkinSupport && skinData_->mdibgpictureindex >= 0
                                            ? skinData_->ActivePicture(skinData_->mdibgpictureindex)
                                            : nullptr;
            const TBitmap* bgPicture = FSkinSupport && skinData_->bgpictureindex >= 0
                                           ? skinData_->ActivePicture(skinData_->bgpictureindex)
                                           : nullptr;
            if (!FSkinSupport) {
                canvas->FillSolid(area, ColorToRGB(clAppWorkSpace));
                painter_->DrawLogo(*canvas, area);
            } else if (mdiPicture) {
                painter_->TileClientBackground(
                    *canvas, area, *mdiPicture,
                    Rect(0, 0, mdiPicture->Width(), mdiPicture->Height()));
            } else if (skinData_->bgpictureindex == -1 && !IsNullRect(skinData_->clientrect)) {
                painter_->TileClientBackground(*canvas, area, skinData_->MainPicture,
                                               skinData_->clientrect);
            } else if (bgPicture) {
                painter_->TileClientBackground(*canvas, area, *bgPicture,
                                               Rect(0, 0, bgPicture->Width(), bgPicture->Height()));
            } else {
                canvas->FillSolid(area, ColorToRGB(clAppWorkSpace));
            }
            return;
        }
        case WM_NCCALCSIZE:
        case WM_NCPAINT:
            return;
        case WM_NCACTIVATE:
            m.Result = 1;
            return;
        case WM_SIZE:
            if (oldMDIClientProc_) oldMDIClientProc_(m);
            RefitMDIChildren();
            if (!LogoBitMap().Empty()) client.Invalidate();
            return;
        default:
            if (oldMDIClientProc_) oldMDIClientProc_(m);
    }
}
