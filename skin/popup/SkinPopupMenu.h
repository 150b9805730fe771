// A framework popup menu shown through the skinned menu engine of the skinned form it
// belongs to (found among the components of its popup component, of its owner form or of
// its owner's owner form). Without a skinned form nothing is shown.
#pragma once

#include "ui/Menus.h"

class ISkinMenuHost;
class TspSkinData;
class TspSkinMenu;

class TspSkinPopupMenu : public TPopupMenu {
public:
    explicit TspSkinPopupMenu(TComponent* owner) : TPopupMenu(owner) {}
    // Closes its menu when that is still open.
    ~TspSkinPopupMenu() override;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinPopupMenu"; }

    // Opens the menu at the screen point (X, Y).
    void Popup(int x, int y) override;

    // The skin for the menu; none takes the skinned form's menu skin.
    [[nodiscard]] TspSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TspSkinData* data);
    // The skinned form the menu would open through, or nullptr.
    [[nodiscard]] ISkinMenuHost* FindHost() const;

    void Notification(TComponent* component, TOperation operation) override;

private:
    TspSkinData* skinData_ = nullptr;
    TspSkinMenu* openedIn_ = nullptr;  // the engine it last opened through (free-notified)
};
