// The keyboard main-menu mode on the frame's own main-menu items (FrameMainMenuKeys.h).
#include "skin/form/FrameMainMenuKeys.h"

#include <algorithm>

#include "skin/form/FrameObjectKinds.h"
#include "skin/form/SkinForm.h"
#include "ui/Accelerators.h"
#include "ui/Menus.h"

std::vector<TspSkinMainMenuItem*> TspFrameMainMenuKeys::UsableItems() const {
    std::vector<TspSkinMainMenuItem*> out;
    for (int i = 0; i < form_.ObjectCount(); ++i) {
        TspActiveSkinObject& o = *form_.Objects(i);
        if (o.Kind() != TspObjectKind::MainMenuItem || !o.Visible || !o.Enabled ||
            !form_.InRollState(o))
            continue;
        auto& item = static_cast<TspSkinMainMenuItem&>(o);
        if (item.MenuItem) out.push_back(&item);
    }
    return out;
}

TspSkinMainMenuItem* TspFrameMainMenuKeys::AcceleratorItem(uint32_t ch) const {
    for (TspSkinMainMenuItem* item : UsableItems()) {
        if (IsAccel(ch, item->MenuItem->Caption())) return item;
    }
    return nullptr;
}

bool TspFrameMainMenuKeys::HasAccelerator(uint32_t ch) const {
    return AcceleratorItem(ch) != nullptr;
}

void TspFrameMainMenuKeys::Highlight(TspSkinMainMenuItem* item) {
    if (highlighted_ == item) return;
    if (TspSkinMainMenuItem* old = highlighted_) {
        old->KeyboardHighlight = false;
        old->Active = old->MouseIn || old->Down;
        form_.DrawSkinObject(*old);
    }
    highlighted_ = item;
    if (!item) return;
    item->KeyboardHighlight = true;
    item->Active = true;
    form_.DrawSkinObject(*item);
}

void TspFrameMainMenuKeys::Forget() {
    highlighted_ = nullptr;
    on_ = false;
}

bool TspFrameMainMenuKeys::EnterKeyboardMode() {
    const std::vector<TspSkinMainMenuItem*> items = UsableItems();
    if (items.empty()) return false;
    TspSkinMainMenuItem* start = items.front();
    const int hover = form_.GetActiveObject();
    if (hover >= 0 && hover < form_.ObjectCount()) {
        const auto at = std::find(items.begin(), items.end(), form_.Objects(hover));
        if (at != items.end()) start = *at;
    }
    on_ = true;
    Highlight(start);
    return true;
}

void TspFrameMainMenuKeys::LeaveKeyboardMode() {
    on_ = false;
    Highlight(nullptr);
}

bool TspFrameMainMenuKeys::KeyboardModeKey(uint16_t key, uint32_t ch) {
    if (!on_) return false;
    const std::vector<TspSkinMainMenuItem*> items = UsableItems();
    if (items.empty()) return false;
    const auto at = std::find(items.begin(), items.end(), highlighted_);
    const size_t pos = at == items.end() ? 0 : static_cast<size_t>(at - items.begin());
    // An item's menu is open while the item is down.
    const bool menuOpen = std::any_of(items.begin(), items.end(),
                                      [](const TspSkinMainMenuItem* i) { return i->Down; });
    const TspMainMenuKeyStep step =
        MainMenuKeyStep(key, ch, items.size(), pos, menuOpen, [&](uint32_t c) {
            const auto found = std::find(items.begin(), items.end(), AcceleratorItem(c));
            return found == items.end() ? -1 : static_cast<int>(found - items.begin());
        });
    if (step.kind == TspMainMenuKeyStep::Kind::None) return false;
    TspSkinMainMenuItem* item = items[step.position];
    Highlight(item);
    if (step.kind == TspMainMenuKeyStep::Kind::Open) item->Press();
    return true;
}
