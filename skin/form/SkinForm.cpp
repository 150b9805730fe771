// TspSkinForm: creation and hooking, the published properties, activation and the frame
// update after a size change.
#include "skin/form/SkinForm.h"

#include <algorithm>

#include "base/Exceptions.h"
#include "skin/controls/MainMenuKeys.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"
#include "skin/form/FrameObjectKinds.h"
#include "ui/Canvas.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/Timer.h"
#include "ui/WorkArea.h"

namespace {

TFont CaptionFont(TColor color) {
    TFont f;
    f.Name = "Arial";
    f.Height = 14;
    f.Style = fsBold;
    f.Color = color;
    return f;
}

}  // namespace

TspSkinForm::TspSkinForm(TComponent* owner)
    : TComponent(owner),
      defCaptionFont_(CaptionFont(clBtnText)),
      defInActiveCaptionFont_(CaptionFont(clBtnShadow)),
      geometry_(std::make_unique<TspFrameGeometry>(*this)),
      shape_(std::make_unique<TspFrameShape>(*this)),
      painter_(std::make_unique<TspFramePainter>(*this)),
      states_(std::make_unique<TspWindowStates>(*this)),
      mover_(std::make_unique<TspWindowMover>(*this)) {
    FForm = dynamic_cast<TCustomForm*>(owner);
    if (!FForm) throw EInvalidOperation("TspSkinForm must be owned by a form");
    DefMenuItemFont.Name = "Arial";
    DefMenuItemFont.Height = 14;
    objects_ = std::make_unique<TspFrameObjects>(*this);
    menus_ = std::make_unique<TspFormMenus>(*this);
    tray_ = std::make_unique<TspFormTray>(*this);
    fade_ = std::make_unique<TspFormFade>(*this);
    mdi_ = std::make_unique<TspFormMDI>(*this);

    // The framework never draws its own caption buttons under a skinned frame.
    FForm->SetBorderIcons(0);
    if (!IsDesigning()) {
        OldWindowProc = FForm->WindowProc;
        FForm->WindowProc = [this](TMessage& m) { NewWndProc(m); };
        hooked_ = true;
        // The new procedure must see the window's first non-client size calculation.
        FForm->RecreateWnd();
    }
}

TspSkinForm::~TspSkinForm() {
    // Open menus and the keyboard mode end first; the application gets its message
    // handler back.
    menus_->Stop();
    tray_->IconRemoved();
    // An MDI child leaves the main form's window menu and tab bar; an MDI parent gives its
    // client area's window procedure back.
    mdi_->MDIChildGoes();
    mdi_->UnhookMDIClient();
    SetComponentState(csDestroying, true);
    DestroyComponents();  // the timers go first: no tick reaches a half-destroyed component
    objects_->TimersGone();
    menus_->ComponentsDestroyed();
    tray_->ComponentsDestroyed();
    if (hooked_) {
        FForm->WindowProc = OldWindowProc;
        hooked_ = false;
        // A form that lives on gets back its rectangular default frame.
        if (!FForm->IsDestroying()) {
            if (shape_->FrameShape()) FForm->SetWindowRegion(nullptr);
            FForm->RecreateWnd();
        }
    }
    for (TComponent** ref : {&skinHintRef_, &mainMenuBarRef_, &mdiTabsBarRef_, &trayIconRef_}) {
        if (*ref) RemoveFreeNotification(*ref);
    }
    if (skinData_) RemoveFreeNotification(skinData_);
    if (menusSkinData_) RemoveFreeNotification(menusSkinData_);
    if (systemMenu_) RemoveFreeNotification(systemMenu_);
    if (mainMenu_) RemoveFreeNotification(mainMenu_);
}

// ---------------------------------------------------------------- references

void TspSkinForm::AssignReference(TComponent*& slot, TComponent* value) {
    if (slot == value) return;
    if (slot) RemoveFreeNotification(slot);
    slot = value;
    if (slot) FreeNotification(slot);
}

void TspSkinForm::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    // References are dropped even while this component is going too (a form marks all its
    // components as destroying before freeing them one by one).
    if (operation != opRemove) return;
    if (component == menusSkinData_) menusSkinData_ = nullptr;
    if (component == systemMenu_) systemMenu_ = nullptr;
    if (component == mainMenu_) mainMenu_ = nullptr;
    if (component == skinHintRef_) skinHintRef_ = nullptr, skinHint_ = nullptr;
    if (component == mainMenuBarRef_) mainMenuBarRef_ = nullptr, mainMenuBar_ = nullptr;
    if (component == mdiTabsBarRef_) mdiTabsBarRef_ = nullptr, mdiTabsBar_ = nullptr;
    if (component == trayIconRef_) trayIconRef_ = nullptr, trayIcon_ = nullptr;
    mdi_->ComponentRemoved(component);
    objects_->MenuItemGone(component);
    if (component == skinData_) {
        // The objects point into the skin's pictures: they go with it, and the frame falls
        // back to the default one.
        skinData_ = nullptr;
        if (!IsDestroying() && !FForm->IsDestroying()) ChangeSkinData();
    }
}

void TspSkinForm::Loaded() { TComponent::Loaded(); }

TspSkinForm* TspSkinForm::Of(const TCustomForm* form) {
    if (!form) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        if (auto* skin = dynamic_cast<TspSkinForm*>(form->Components(i))) return skin;
    }
    return nullptr;
}

ISkinMainMenuKeys* TspSkinForm::MainMenuKeys() const {
    if (auto* bar = dynamic_cast<ISkinMainMenuKeys*>(mainMenuBarRef_)) return bar;
    return menus_->FrameMainMenuKeys();
}

// ---------------------------------------------------------------- properties

void TspSkinForm::SetSkinData(TspSkinData* value) {
    TComponent* slot = skinData_;
    AssignReference(slot, value);
    skinData_ = value;
    tray_->SetSkinData(value);
    if (!IsDesigning()) ChangeSkinData();
}

void TspSkinForm::SetMenusSkinData(TspSkinData* value) {
    TComponent* slot = menusSkinData_;
    AssignReference(slot, value);
    menusSkinData_ = value;
}

void TspSkinForm::SetSupportNCArea(bool value) {
    supportNCArea_ = value;
    if (!value && IsDesigning()) FForm->SetBorderStyle(bsNone);
}

void TspSkinForm::SetBorderIcons(TspBorderIcons value) {
    borderIcons_ = value;
    if (!supportNCArea_ && !FSkinSupport) return;
    // A skinned frame keeps the skin's own buttons; the default frame gets its six.
    objects_->ForgetActive();
    if (FSkinSupport)
        objects_->CreateObjects();
    else
        objects_->CreateDefaultButtons();
    objects_->ApplyBorderIcons();
    if (FSkinSupport) UpdateFrame(true);
    SendNcPaint();
}

void TspSkinForm::SetShowIcon(bool value) {
    showIcon_ = value;
    if (!IsDesigning() && !IsLoading()) SendNcPaint();
}

void TspSkinForm::SetDefCaptionFont(const TFont& value) {
    defCaptionFont_ = value;
    if (!IsDesigning() && !IsLoading() && !FSkinSupport) SendNcPaint();
}

void TspSkinForm::SetDefInActiveCaptionFont(const TFont& value) {
    defInActiveCaptionFont_ = value;
    if (!IsDesigning() && !IsLoading() && !FSkinSupport) SendNcPaint();
}

void TspSkinForm::SetDefMenuItemHeight(int value) {
    if (value > 0) defMenuItemHeight_ = value;
}

void TspSkinForm::SetSystemMenu(TPopupMenu* value) {
    TComponent* slot = systemMenu_;
    AssignReference(slot, value);
    systemMenu_ = value;
}

void TspSkinForm::SetMainMenu(TMainMenu* value) {
    TComponent* slot = mainMenu_;
    AssignReference(slot, value);
    mainMenu_ = value;
    if (FSkinSupport && !IsDesigning() && supportNCArea_) {
        // The frame's main-menu items follow the menu.
        objects_->CreateObjects();
        objects_->ApplyBorderIcons();
        UpdateFrame(true);
        SendNcPaint();
    }
}

// ---------------------------------------------------------------- activation and drawing

bool TspSkinForm::IsFormActive() const {
    // MDI frames follow the activation flag their window last heard.
    if (IsMDIChildForm() || IsMDIParentForm()) return ncActiveFlag_;
    return FForm->Active() && Screen().ActiveForm() == FForm;
}

void TspSkinForm::UpdateFrame(bool stretch) {
    if (!FSkinSupport) return;
    geometry_->CalcRects();
    if (stretch) objects_->ArrangeObjects();
    shape_->SetFrameRegion(stretch);
    if (OnChangeClientRect) OnChangeClientRect(geometry_->Rects().Client);
    if (supportNCArea_) {
        // Setting a region repaints the window; without one the frame is painted now.
        if (!shape_->FrameShape()) SendNcPaint();
    } else {
        FForm->Invalidate();
        geometry_->PlaceChildControls();
    }
}

// Through the client origin, so a form inside another window (an MDI child) converts the
// same way as a top-level one.
TPoint TspSkinForm::ScreenToWindow(TPoint p) const {
    const TPoint origin = FForm->ClientOrigin(), offset = FForm->ClientOffset();
    return {p.X - origin.X + offset.X, p.Y - origin.Y + offset.Y};
}
