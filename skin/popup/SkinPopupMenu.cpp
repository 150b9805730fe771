#include "skin/popup/SkinPopupMenu.h"

#include "skin/data/SkinData.h"
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinMenuHost.h"
#include "ui/Forms.h"

namespace {

ISkinMenuHost* HostAmong(const TComponent* c) {
    if (!c) return nullptr;
    for (int i = 0; i < c->ComponentCount(); ++i) {
        if (auto* host = dynamic_cast<ISkinMenuHost*>(c->Components(i))) return host;
    }
    return nullptr;
}

const TCustomForm* AsForm(const TComponent* c) { return dynamic_cast<const TCustomForm*>(c); }

}  // namespace

TspSkinPopupMenu::~TspSkinPopupMenu() {
    // Before the items go: the menu closes once, with every item still there.
    if (openedIn_ && openedIn_->ShowsItemsOf(Items())) openedIn_->CloseAll();
    if (openedIn_) openedIn_->RemoveFreeNotification(this);
    if (skinData_) skinData_->RemoveFreeNotification(this);
}

void TspSkinPopupMenu::SetSkinData(TspSkinData* data) {
    if (skinData_ == data) return;
    if (skinData_) skinData_->RemoveFreeNotification(this);
    skinData_ = data;
    if (skinData_) skinData_->FreeNotification(this);
}

void TspSkinPopupMenu::Notification(TComponent* component, TOperation operation) {
    TPopupMenu::Notification(component, operation);
    if (operation == opRemove && component == skinData_) skinData_ = nullptr;
    if (operation == opRemove && component == openedIn_) openedIn_ = nullptr;
}

ISkinMenuHost* TspSkinPopupMenu::FindHost() const {
    // The component that names the form (the tray icon sets itself here), then the owner
    // form, then the owner's owner form.
    if (const TComponent* named = PopupComponent()) {
        if (ISkinMenuHost* host = HostAmong(named)) return host;
        if (AsForm(named->Owner())) {
            if (ISkinMenuHost* host = HostAmong(named->Owner())) return host;
        }
    }
    const TComponent* owner = Owner();
    if (AsForm(owner)) return HostAmong(owner);
    if (owner && AsForm(owner->Owner())) return HostAmong(owner->Owner());
    return nullptr;
}

void TspSkinPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    ISkinMenuHost* host = FindHost();
    if (!host) return;
    TspSkinData* data = skinData_ ? skinData_ : host->PopupMenuSkinData();
    TspSkinMenu& engine = host->PopupMenuEngine();
    if (openedIn_ != &engine) {
        if (openedIn_) openedIn_->RemoveFreeNotification(this);
        openedIn_ = &engine;
        openedIn_->FreeNotification(this);
    }
    host->NotePopupMenuOpen();
    engine.Popup(nullptr, data, false, Items(), Rect(x, y, x, y), 0);
}
