#include "app/WebPaneSkin.h"

#include <vector>

#include "browser/WebPaneCore.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinDialogForm.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinPopupMenu.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

using platform::WebContextMenu;
using platform::WebDialogContent;
using platform::WebDialogFace;
using platform::WebDialogKind;

namespace {

// A menu text as a caption: '&' would mark an accelerator.
std::string MenuCaption(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out.empty() ? std::string(" ") : out;
}

void FillItems(TMenuItem& parent, const WebContextMenu& menu,
               const std::shared_ptr<std::function<void(uint32_t)>>& chosen) {
    for (const platform::WebMenuItem& entry : menu.items) {
        auto* item = new TMenuItem(nullptr);
        parent.Add(item);
        if (entry.separator) {
            item->SetCaption("-");
            continue;
        }
        item->SetCaption(MenuCaption(entry.text));
        item->SetEnabled(entry.enabled);
        if (entry.submenu) {
            FillItems(*item, *entry.submenu, chosen);
            continue;
        }
        const uint32_t command = entry.command;
        item->OnClick = [chosen, command](TComponent*) { (*chosen)(command); };
    }
}

std::vector<TspSkinDialogButton> ButtonsOf(WebDialogKind kind) {
    switch (kind) {
        case WebDialogKind::Alert:
            return {{"OK", true}};
        case WebDialogKind::Confirm:
        case WebDialogKind::Prompt:
            return {{"OK", true}, {"Cancel", false}};
        case WebDialogKind::LeavePage:
            return {{"Leave this page", true}, {"Stay on this page", false}};
        case WebDialogKind::ScriptError:
            return {{"Yes", true}, {"No", false}};
    }
    return {{"OK", true}};
}

// A dialog box of a pane drawn as a skinned window.
class TSkinnedDialogFace final : public WebDialogFace {
public:
    TSkinnedDialogFace(TspSkinData* skin, const WebDialogContent& content, Answered answered)
        : form_(std::make_unique<TspSkinDialogForm>(
              nullptr, skin, content.caption, content.message, ButtonsOf(content.kind),
              content.kind == WebDialogKind::Prompt, content.defaultText)) {
        form_->SetName("WebDialog");
        form_->OnAnswer = std::move(answered);
    }
    std::string Caption() const override { return form_->Caption(); }
    void SetCaption(const std::string& caption) override { form_->SetCaption(caption); }
    // The window already shows the application's icon: it has none of its own.
    void UseApplicationIcon() override {}
    void Show() override { form_->ShowDialog(); }
    void Hide() override { form_->Hide(); }
    std::string EnteredText() const override { return form_->EntryText(); }

private:
    std::unique_ptr<TspSkinDialogForm> form_;
};

}  // namespace

TspSkinData* PaneFormSkin(const TComponent& pane) {
    const auto* control = dynamic_cast<const TControl*>(&pane);
    TCustomForm* form = control ? GetParentForm(const_cast<TControl*>(control)) : nullptr;
    TspSkinForm* skinForm = TspSkinForm::Of(form);
    TspSkinData* data = skinForm ? skinForm->SkinData() : nullptr;
    return data && !data->SkinEmpty ? data : nullptr;
}

TWebPaneSkin::TWebPaneSkin(TComponent* owner) : TComponent(owner) {
    menu_ = new TspSkinPopupMenu(this);
    menu_->SetName("WebPaneMenu");
}

void TWebPaneSkin::Attach(TCustomForm& form) {
    for (int i = 0; i < form.ComponentCount(); ++i) {
        if (auto* pane = dynamic_cast<TCustomWebPane*>(form.Components(i)))
            pane->SetPresenter(this);
    }
}

bool TWebPaneSkin::PresentContextMenu(TCustomWebPane& pane, const WebContextMenu& menu,
                                      TPoint screenPoint, std::function<void(uint32_t)> chosen) {
    if (!PaneFormSkin(pane)) return false;
    menu_->SetPopupComponent(&pane);
    if (!menu_->FindHost()) return false;
    menu_->Items().Clear();
    FillItems(menu_->Items(), menu,
              std::make_shared<std::function<void(uint32_t)>>(std::move(chosen)));
    menu_->Popup(screenPoint.X, screenPoint.Y);
    return true;
}

std::unique_ptr<WebDialogFace> TWebPaneSkin::CreateDialogFace(TCustomWebPane& pane,
                                                              const WebDialogContent& content,
                                                              WebDialogFace::Answered answered) {
    TspSkinData* skin = PaneFormSkin(pane);
    if (!skin) return nullptr;
    return std::make_unique<TSkinnedDialogFace>(skin, content, std::move(answered));
}
