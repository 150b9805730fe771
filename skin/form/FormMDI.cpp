// The skinned frame of MDI forms. A child lists itself in the main form's window menu and
// tab bar while it is shown, keeps them up to date (caption, check mark, active tab),
// maximises into the main form's MDI client area without a frame (its caption then shows
// in the parent's: " - [" child "]", and its buttons in the parent's menu bar) and, when
// minimised, takes the next free place along the bottom of that area. The parent paints
// the MDI client area's background from the skin and re-fits its maximised children.
#include "skin/form/FormMDI.h"

#include <algorithm>
#include <vector>

#include "skin/controls/SkinMDITabsBar.h"
#include "skin/controls/SkinMainMenuBar.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "skin/form/SkinForm.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/MDIClient.h"
#include "ui/Menus.h"
#include "ui/Timer.h"

namespace {
const char* const kChildItemSuffix = "_SFCHILDITEM";
}  // namespace

TspSkinForm* TspFormMDI::MainSkinForm() const { return TspSkinForm::Of(form_.Form()->MDIParent()); }

std::string TspFormMDI::CaptionText() const {
    std::string text = form_.Form()->Caption();
    if (maximizedChild_ && form_.IsMDIParentForm())
        text += " - [" + maximizedChild_->Form()->Caption() + "]";
    return text;
}

void TspFormMDI::ComponentRemoved(TComponent* component) {
    if (component == mdiChildItem_) mdiChildItem_ = nullptr;
    if (component == hookedMDIClient_) hookedMDIClient_ = nullptr, oldMDIClientProc_ = nullptr;
}

// ---------------------------------------------------------------- a child's listing

void TspFormMDI::MDIChildShown(bool shown) {
    TCustomForm* form = form_.Form();
    TCustomForm* parent = form->MDIParent();
    if (!parent) return;
    TspSkinForm* main = TspSkinForm::Of(parent);
    if (shown && !mdiChildListed_) {
        mdiChildListed_ = true;
        // The skinned frame keeps the window menu's list of children itself.
        parent->WindowMenuChildItems = false;
        parent->UpdateWindowMenu();
        if (TMenuItem* windowMenu = parent->WindowMenu()) {
            mdiChildItem_ = new TMenuItem(&form_);
            const std::string name =
                form->Name().empty() ? std::string() : form->Name() + kChildItemSuffix;
            if (!name.empty() && !form_.FindComponent(name)) mdiChildItem_->SetName(name);
            mdiChildItem_->OnClick = [this](TComponent*) {
                // Shown again, restored first when minimised by the skinned frame.
                if (form_.WindowMinimized()) form_.SetWindowState(kSkinStateNormal);
                form_.Form()->Show();
            };
            windowMenu->Add(mdiChildItem_);
        }
        if (main && main->MDITabsBar()) main->MDITabsBar()->AddTab(form);
        UpdateMDIChildItem();
    } else if (!shown && mdiChildListed_) {
        mdiChildListed_ = false;
        delete mdiChildItem_;  // takes itself out of the window menu
        mdiChildItem_ = nullptr;
        if (main && main->MDITabsBar()) main->MDITabsBar()->RemoveTab(form);
    }
}

void TspFormMDI::UpdateMDIChildItem() {
    TCustomForm* parent = form_.Form()->MDIParent();
    if (!parent) return;
    if (mdiChildItem_) {
        mdiChildItem_->SetCaption(form_.Form()->Caption());
        mdiChildItem_->SetChecked(parent->ActiveMDIChild() == form_.Form());
    }
    if (TspSkinForm* main = TspSkinForm::Of(parent); main && main->MDITabsBar()) {
        main->MDITabsBar()->ChildChanged(form_.Form());
    }
}

void TspFormMDI::MDIBookkeeping() {
    TCustomForm* parent = form_.Form()->MDIParent();
    if (!parent) return;
    UpdateMDIChildItem();
    if (TspSkinForm* main = TspSkinForm::Of(parent)) {
        if (main->MDITabsBar()) main->MDITabsBar()->SetActiveChild(parent->ActiveMDIChild());
        // The bar shows the active child's main menu after the parent's.
        if (main->MainMenuBar()) main->MainMenuBar()->UpdateItems();
    }
}

void TspFormMDI::NotifyMDIParent(uint32_t message) {
    if (TCustomForm* parent = form_.Form()->MDIParent()) {
        SendMessage(parent, message, reinterpret_cast<uintptr_t>(form_.Form()), kSkinMessageLParam);
    }
}

void TspFormMDI::MDIChildGoes() {
    if (!form_.IsMDIChildForm()) return;
    const bool wasMaximized = form_.WindowMaximized();
    form_.states_->DropState();
    MDIChildShown(false);
    if (wasMaximized) NotifyMDIParent(SKINMSG_MDICHILDRESTORED);
}

// ---------------------------------------------------------------- a child's states

void TspFormMDI::MaximizeMDIChild() {
    TCustomForm* form = form_.Form();
    TCustomForm* parent = form->MDIParent();
    if (!parent || !parent->MDIClient()) return;
    form_.GetMouseTimer().SetEnabled(false);
    form_.TestActive(-1, -1, false);
    const TRect area = parent->MDIClient()->ClientRect();
    // The maximised state is already set, so the frame's size calculation drops the frame.
    if (form->BoundsRect() == area)
        form_.geometry_->NudgeWidth();
    else
        form->SetBoundsRect(area);
    NotifyMDIParent(SKINMSG_MDICHILDMAXIMIZED);
}

TRect TspFormMDI::MDIClientArea() const {
    const TCustomForm* parent = form_.Form()->MDIParent();
    return parent && parent->MDIClient() ? parent->MDIClient()->ClientRect() : TRect{};
}

TPoint TspFormMDI::MDIMinimizedPlace(int w, int h) const {
    TCustomForm* form = form_.Form();
    TCustomForm* parent = form->MDIParent();
    const TRect area = MDIClientArea();
    auto taken = [&](int x, int y) {
        for (int i = 0; i < parent->MDIChildCount(); ++i) {
            TCustomForm* other = parent->MDIChildren(i);
            const TspSkinForm* skin = TspSkinForm::Of(other);
            if (other != form && other->Visible() && skin && skin->WindowMinimized() &&
                other->Left() == x && other->Top() == y) {
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

void TspFormMDI::RefitMDIChildren() {
    if (!form_.IsMDIParentForm()) return;
    TCustomForm* form = form_.Form();
    for (int i = 0; i < form->MDIChildCount(); ++i) {
        SendMessage(form->MDIChildren(i), SKINMSG_MDIREFIT, 0, kSkinMessageLParam);
    }
    ArrangeMDIIcons();
}

void TspFormMDI::ArrangeMDIIcons() {
    if (!form_.IsMDIParentForm()) return;
    TCustomForm* form = form_.Form();
    std::vector<TspSkinForm*> icons;
    for (int i = 0; i < form->MDIChildCount(); ++i) {
        TspSkinForm* skin = TspSkinForm::Of(form->MDIChildren(i));
        if (skin && skin->WindowMinimized() && skin->Form()->Visible()) icons.push_back(skin);
    }
    // Each takes the first free place, in the order the children joined.
    for (TspSkinForm* icon : icons)
        icon->Form()->SetBounds(-32768, -32768, icon->Form()->Width(), icon->Form()->Height());
    for (TspSkinForm* icon : icons) {
        const TPoint at = icon->mdi_->MDIMinimizedPlace(icon->GetMinWidth(), icon->GetMinHeight());
        icon->Form()->SetBounds(at.X, at.Y, icon->GetMinWidth(), icon->GetMinHeight());
    }
}

void TspFormMDI::RestoreMDIChildren() {
    if (!form_.IsMDIParentForm()) return;
    TCustomForm* form = form_.Form();
    for (int i = 0; i < form->MDIChildCount(); ++i) {
        TspSkinForm* skin = TspSkinForm::Of(form->MDIChildren(i));
        if (skin && skin->WindowMaximized()) skin->SetWindowState(kSkinStateNormal);
    }
}

// The skin messages of MDI: re-fitting, and the parent hearing of maximised children.
void TspFormMDI::HandleMDIMessage(TMessage& m) {
    TCustomForm* form = form_.Form();
    switch (m.Msg) {
        case SKINMSG_MDIREFIT:
            if (form_.MaximizedMDIChild())
                form->SetBoundsRect(form->MDIParent()->MDIClient()->ClientRect());
            break;
        case SKINMSG_MDICHILDMAXIMIZED:
        case SKINMSG_MDICHILDRESTORED: {
            if (!form_.IsMDIParentForm()) break;
            auto* sender = TspSkinForm::Of(reinterpret_cast<TCustomForm*>(m.WParam));
            if (m.Msg == SKINMSG_MDICHILDMAXIMIZED && sender) {
                maximizedChild_ = sender;
            } else if (sender == maximizedChild_ || !sender) {
                // Another child may still be maximised.
                maximizedChild_ = nullptr;
                for (int i = 0; i < form->MDIChildCount(); ++i) {
                    TspSkinForm* skin = TspSkinForm::Of(form->MDIChildren(i));
                    if (skin && skin != sender && skin->MaximizedMDIChild() &&
                        skin->Form()->Visible())
                        maximizedChild_ = skin;
                }
            }
            form_.SendNcPaint();
            if (form_.MainMenuBar()) form_.MainMenuBar()->ChildMaximized(maximizedChild_);
            break;
        }
        default:
            break;
    }
}

void TspFormMDI::HookMDIClient() {
    TMDIClient* client = form_.Form()->MDIClient();
    if (!client || hookedMDIClient_ == client) return;
    UnhookMDIClient();
    hookedMDIClient_ = client;
    form_.FreeNotification(client);
    oldMDIClientProc_ = client->WindowProc;
    client->WindowProc = [this](TMessage& m) { MDIClientWndProc(m); };
    client->Invalidate();
}

void TspFormMDI::UnhookMDIClient() {
    if (!hookedMDIClient_) return;
    hookedMDIClient_->WindowProc = oldMDIClientProc_;
    form_.RemoveFreeNotification(hookedMDIClient_);
    hookedMDIClient_ = nullptr;
    oldMDIClientProc_ = nullptr;
}

void TspFormMDI::MDIClientWndProc(TMessage& m) {
    TWinControl& client = *hookedMDIClient_;
    switch (m.Msg) {
        case WM_ERASEBKGND: {
            TCanvas* canvas = MessageCanvas(m);
            m.Result = 1;
            if (!canvas) return;
            TCanvasStateGuard guard(*canvas);
            const TRect area = client.ClientRect();
            const bool skinned = form_.SkinSupport();
            TspSkinData* skin = form_.SkinData();
            const TBitmap* mdiPicture = skinned && skin->mdibgpictureindex >= 0
                                            ? skin->ActivePicture(skin->mdibgpictureindex)
                                            : nullptr;
            const TBitmap* bgPicture = skinned && skin->bgpictureindex >= 0
                                           ? skin->ActivePicture(skin->bgpictureindex)
                                           : nullptr;
            if (!skinned) {
                canvas->FillSolid(area, ColorToRGB(clAppWorkSpace));
                form_.painter_->DrawLogo(*canvas, area);
            } else if (mdiPicture) {
                form_.painter_->TileClientBackground(
                    *canvas, area, *mdiPicture,
                    Rect(0, 0, mdiPicture->Width(), mdiPicture->Height()));
            } else if (skin->bgpictureindex == -1 && !IsNullRect(skin->clientrect)) {
                form_.painter_->TileClientBackground(*canvas, area, skin->MainPicture,
                                                     skin->clientrect);
            } else if (bgPicture) {
                form_.painter_->TileClientBackground(
                    *canvas, area, *bgPicture, Rect(0, 0, bgPicture->Width(), bgPicture->Height()));
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
            if (!form_.LogoBitMap().Empty()) client.Invalidate();
            return;
        default:
            if (oldMDIClientProc_) oldMDIClientProc_(m);
    }
}
