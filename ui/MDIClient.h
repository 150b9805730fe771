// The MDI client area of an MDI parent form: an alClient child of the form whose client
// area holds the MDI child forms. Children are framework controls inside it (no platform
// window of their own), so they are clipped to it, stacked in its z-order and painted with
// their frames by the parent window's paint pass. Its window procedure is chainable, so a
// skinned frame can paint the area's background.
#pragma once

#include <utility>
#include <vector>

#include "ui/Forms.h"

class TMenuItem;

class TMDIClient : public TWinControl {
public:
    explicit TMDIClient(TCustomForm* form);
    [[nodiscard]] const char* ClassName() const override { return "TMDIClient"; }
    // The MDI parent form.
    [[nodiscard]] TCustomForm& Form() const { return form_; }

protected:
    void WndProc(TMessage& message) override;

private:
    TCustomForm& form_;
};

// The MDI bookkeeping a form keeps: for a parent its client area, its children in the
// order they joined, the active one and the window menu with the framework's child items.
struct TMDIState {
    TMDIClient* client = nullptr;  // owned by the form's component list
    std::vector<TCustomForm*> children;
    TCustomForm* active = nullptr;
    TMenuItem* windowMenu = nullptr;
    std::vector<std::pair<TCustomForm*, TMenuItem*>> windowMenuItems;
    TMenuItem* windowMenuSeparator = nullptr;
    int cascadeSlot = 0;  // where the next child without a place of its own goes
};

// The MDI child holding a control (the control itself when it is one), or nullptr.
[[nodiscard]] TCustomForm* MDIChildOf(TControl* control);
