// What the menu bar and the MDI tab bar need of a form's skinned frame: the form it belongs
// to, its border icons, its own window state and commands, its window menu, and the end of
// a menu the bar opened through the frame's popup-menu engine (the frame also implements
// ISkinMenuHost for that engine). TspSkinForm implements it; the bars find it among a
// form's components, so this folder does not depend on the form's classes.
#pragma once

#include "base/Types.h"
#include "ui/Forms.h"

class ISkinFormFrame {
public:
    virtual ~ISkinFormFrame() = default;
    // The form whose frame this is.
    [[nodiscard]] virtual TCustomForm* FrameForm() const = 0;
    // The frame as a component, for destruction notices.
    [[nodiscard]] virtual TComponent& FrameComponent() = 0;
    // The framework's border icons and the frame's own (roll-up, tray).
    [[nodiscard]] virtual TBorderIcons FrameBorderIcons() const = 0;
    // The frame's emulated window state, and the commands that change it.
    [[nodiscard]] virtual bool FrameMinimized() const = 0;
    virtual void MinimizeFrame() = 0;
    virtual void RestoreFrame() = 0;
    virtual void CloseFrame() = 0;
    // The frame's window menu below a screen rectangle.
    virtual void OpenFrameWindowMenu(const TRect& screenAnchor) = 0;
    // A menu opened through the frame's engine closed: the frame's menu-open state ends.
    virtual void FrameMenuClosed() = 0;
};

// The skinned frame of a form (the first component of the form that is one), or nullptr.
[[nodiscard]] ISkinFormFrame* SkinFormFrameOf(const TCustomForm* form);
