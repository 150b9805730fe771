// The web panes' context menus and dialog boxes in the skin of the form that holds them
// (TWebPanePresenter): menus through a TspSkinPopupMenu opened by the form's skinned form
// (the look of the skin's popup section), dialog boxes as TspSkinDialogForm windows on the
// skinned form's skin data. While the form has no loaded skin it declines, and the engine
// shows its own plain menus and dialogs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "browser/WebPanePresenter.h"
#include "ui/Component.h"

class TCustomForm;
class TspSkinData;
class TspSkinPopupMenu;

class TWebPaneSkin : public TComponent, public TWebPanePresenter {
public:
    explicit TWebPaneSkin(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TWebPaneSkin"; }

    // Presents for every web pane among the form's components.
    void Attach(TCustomForm& form);

    bool PresentContextMenu(TCustomWebPane& pane, const platform::WebContextMenu& menu,
                            TPoint screenPoint, std::function<void(uint32_t)> chosen) override;
    std::unique_ptr<platform::WebDialogFace> CreateDialogFace(
        TCustomWebPane& pane, const platform::WebDialogContent& content,
        platform::WebDialogFace::Answered answered) override;

    // The menu last presented (its items are those of the last context menu).
    [[nodiscard]] TspSkinPopupMenu* Menu() const { return menu_; }

private:
    TspSkinPopupMenu* menu_ = nullptr;  // owned (a component of this one)
};

// The loaded skin of the skinned form that frames the pane's form, or nullptr.
[[nodiscard]] TspSkinData* PaneFormSkin(const TComponent& pane);
