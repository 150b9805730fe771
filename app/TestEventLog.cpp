#include "app/TestEventLog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Main.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinMenu.h"
#include "skin/popup/SkinPopupWindow.h"
#include "ui/Menus.h"

namespace {

void Line(const std::string& text) {
    std::fprintf(stderr, "puzzlebin-event: %s\n", text.c_str());
    std::fflush(stderr);
}

std::string Rect4(const TRect& r) {
    return std::to_string(r.Left) + " " + std::to_string(r.Top) + " " + std::to_string(r.Width()) +
           " " + std::to_string(r.Height());
}

// The address argument of a document-complete or navigation-error event (arguments last
// first: the address is the second one declared).
std::string AddressOf(std::span<const platform::EventArg> reversed, size_t declared) {
    if (reversed.size() != declared) return {};
    const platform::EventArg& a = reversed[declared - 2];
    if (!a.byRef || a.type != platform::EventArg::Type::Variant || !a.ref) return {};
    return platform::WideToUtf8(static_cast<const platform::Variant*>(a.ref)->text);
}

void Watch(TWebPane* pane) {
    if (!pane) return;
    pane->AddEventObserver(
        [](TWebControl& sender, int32_t dispId, std::span<const platform::EventArg> args) {
            if (dispId == platform::DISPID_DOCUMENTCOMPLETE) {
                const TPoint origin = sender.ClientToScreen({0, 0});
                Line("loaded " + sender.Name() + " " +
                     Rect4(Bounds(origin.X, origin.Y, sender.Width(), sender.Height())) + " " +
                     AddressOf(args, 2));
            } else if (dispId == platform::DISPID_NAVIGATEERROR && args.size() == 5) {
                // Declared: pDisp, URL, TargetFrameName, StatusCode, Cancel.
                const platform::EventArg& status = args[1];
                unsigned code = 0;
                if (status.byRef && status.type == platform::EventArg::Type::Variant && status.ref)
                    code = static_cast<unsigned>(
                        static_cast<const platform::Variant*>(status.ref)->intValue);
                char hex[16];
                std::snprintf(hex, sizeof hex, "%08X", code);
                Line("failed " + sender.Name() + " " + hex + " " + AddressOf(args, 5));
            }
        });
}

void ReportMenu(TspSkinForm& frame) {
    TspSkinPopupWindow* popup = frame.PopupMenuEngine().PopupWindow(0);
    if (!popup) return;
    const TRect bounds = popup->BoundsRect();  // a popup's bounds are screen coordinates
    std::string items;
    for (const auto& item : popup->Items()) {
        items += item->MenuItem->Caption() + "=" + item->MenuItem->ShortCutText() + ";";
    }
    const TRect first = popup->Items().empty() ? TRect{} : popup->ItemScreenRect(0);
    Line("menu " + Rect4(bounds) + " item1 " + Rect4(first) + " " + items);
}

}  // namespace

bool TestEventsRequested() {
    const char* value = std::getenv("PUZZLEBIN_TEST_EVENTS");
    return value && std::strcmp(value, "1") == 0;
}

void InstallTestEventLog(TForm1& form) {
    TForm1* f = &form;
    // The window procedure chain is the framework's way of watching a window: the form's
    // own procedure (and the skinned frame's) runs first, unchanged.
    auto previous = form.WindowProc;
    TComponent* base = &form;  // its component part lives until the form is gone
    form.WindowProc = [f, base, previous](TMessage& m) {
        // Messages of a form being destroyed reach only the previous procedure: the main
        // form's own part is gone by then.
        if (base->IsDestroying()) return previous(m);
        const bool menuBefore = f->spSkinForm1 && f->spSkinForm1->PopupMenuEngine().MenuOpen();
        const bool shown = m.Msg == WM_SHOWWINDOW && m.WParam != 0;
        previous(m);
        if (shown) {
            const TPoint client = f->ClientToScreen({0, 0});
            const TRect tab = f->LeftPC ? f->LeftPC->TabRect(1) : TRect{};
            const TPoint tabOrigin =
                f->LeftPC ? f->LeftPC->ClientToScreen(tab.TopLeft()) : TPoint{};
            Line("shown " + Rect4(Bounds(client.X, client.Y, f->ClientWidth(), f->ClientHeight())) +
                 " tab2 " + Rect4(Bounds(tabOrigin.X, tabOrigin.Y, tab.Width(), tab.Height())));
        }
        if (m.Msg == WM_EXITSIZEMOVE) {
            const TPoint client = f->ClientToScreen({0, 0});
            std::string line =
                "sized " + Rect4(Bounds(client.X, client.Y, f->ClientWidth(), f->ClientHeight()));
            for (TWebPane* pane : {f->ContentWB, f->NavWB, f->quillMartWB}) {
                const TPoint origin = pane->ClientToScreen({0, 0});
                line += " " + pane->Name() + " " +
                        Rect4(Bounds(origin.X, origin.Y, pane->Width(), pane->Height()));
            }
            Line(line);
        }
        if (f->spSkinForm1 && !menuBefore && f->spSkinForm1->PopupMenuEngine().MenuOpen())
            ReportMenu(*f->spSkinForm1);
    };
    Watch(form.ContentWB);
    Watch(form.NavWB);
    Watch(form.quillMartWB);
}
