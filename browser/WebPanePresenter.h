// Someone who draws a web pane's context menus and dialog boxes in place of the engine (the
// program draws them in the skin of the pane's form). A pane uses the presenter it was
// given (TCustomWebPane::SetPresenter) while that lives; every host rule is applied by the
// pane before: the presenter only shows what it is handed and reports the user's choice.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/WebHost.h"

class TCustomWebPane;

class TWebPanePresenter {
public:
    virtual ~TWebPanePresenter() = default;
    // Shows the menu at the screen point and returns at once; `chosen` runs with the command
    // of the item the user picks (not at all when the menu closes without a choice). False
    // when it cannot show the menu now (no skin): the pane uses the engine's menus.
    virtual bool PresentContextMenu(TCustomWebPane& pane, const platform::WebContextMenu& menu,
                                    TPoint screenPoint, std::function<void(uint32_t)> chosen) = 0;
    // A window for a dialog box of the pane's control, or nullptr: the engine's own dialog.
    [[nodiscard]] virtual std::unique_ptr<platform::WebDialogFace> CreateDialogFace(
        TCustomWebPane& pane, const platform::WebDialogContent& content,
        platform::WebDialogFace::Answered answered) = 0;
};
