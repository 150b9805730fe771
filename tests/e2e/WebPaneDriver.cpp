// A program for the end-to-end tests of the web panes over real WebKit. It either opens
// the program's main window and sends its panes (the navigation pane unless another is
// named: NavWB, ContentWB, quillMartWB) to pages of the test's (hostile pages), or opens one
// pane with stored options the test writes:
//   pb_e2e_driver --main <address> [<pane> [<address> <pane>]...]
//   pb_e2e_driver --main-plain ...  (the same, the panes' menus and dialogs not skinned)
//   pb_e2e_driver --pane <file with the pane's stored properties> <address> [--recreate]
// and reports on stderr, one line each:
//   driver-event: loaded <pane> <x> <y> <width> <height> <address>
//   driver-event: title <pane> <title>
//   driver-event: masked <pane> <letter>
//   driver-event: dialog <pane> <class>|<caption>
//   driver-event: newwindow <pane>   (a page asked for a new window)
//   driver-event: recreated
// With --recreate the form's window is made anew once the pane has loaded its page.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/AppClasses.h"
#include "app/Main.h"
#include "browser/WebPane.h"
#include "browser/WebPaneUnit.h"
#include "platform/Platform.h"
#include "platform/gtk/GtkPlatform.h"
#include "platform/gtk/WebKitEngine.h"
#include "ui/Application.h"

namespace {

void Log(const std::string& line) {
    std::fprintf(stderr, "driver-event: %s\n", line.c_str());
    std::fflush(stderr);
}

void Watch(TWebPane* pane, bool* recreateAfterLoad) {
    pane->OnDocumentComplete = [pane, recreateAfterLoad](TComponent*, WebObject*, OleVariant& URL) {
        const TPoint origin = pane->ClientToScreen({0, 0});
        Log("loaded " + pane->Name() + " " + std::to_string(origin.X) + " " +
            std::to_string(origin.Y) + " " + std::to_string(pane->Width()) + " " +
            std::to_string(pane->Height()) + " " + platform::WideToUtf8(URL.text));
        if (recreateAfterLoad && *recreateAfterLoad) {
            *recreateAfterLoad = false;
            TCustomForm* form = GetParentForm(pane);
            platform::Current().Post([form] {
                form->RecreateWnd();
                Log("recreated");
            });
        }
    };
    pane->OnTitleChange = [pane](TComponent*, const WideString& text) {
        Log("title " + pane->Name() + " " + platform::WideToUtf8(text));
    };
    pane->OnNewWindow2 = [pane](TComponent*, WebObject*&, VariantBool&) {
        Log("newwindow " + pane->Name());
    };
    pane->OnMaskedCtrlChar = [pane](TComponent*, char c) {
        Log("masked " + pane->Name() + " " + std::string(1, c));
    };
    pane->OnShowDialog = [pane](TComponent*, platform::WebDialog* h) {
        Log("dialog " + pane->Name() + " " + h->ClassName() + "|" + h->Caption());
    };
}

std::string PaneFormDescription(const std::string& properties) {
    return "object PaneForm: TForm\n"
           "  Caption = 'Pane test'\n"
           "  ClientWidth = 640\n"
           "  ClientHeight = 420\n"
           "  Position = poScreenCenter\n"
           "  object Pane: TWebPane\n"
           "    Left = 0\n    Top = 0\n    Width = 640\n    Height = 420\n    Align = alClient\n" +
           properties + "\n  end\nend\n";
}

int Usage() {
    std::fprintf(stderr,
                 "usage: pb_e2e_driver --main[-plain] <address> [<pane> ...] | --pane <properties "
                 "file> "
                 "<address> [--recreate]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    platform::InstallGtkPlatform(&argc, &argv);
    platform::gtk::InstallWebKitEngine();
    RegisterAppClasses();
    Application().Initialize();
    const std::string mode = argc > 1 ? argv[1] : "";
    bool recreate = argc > 4 && std::string(argv[4]) == "--recreate";
    try {
        if ((mode == "--main" || mode == "--main-plain") && argc > 2) {
            Application().CreateForm<TForm1>(&Form1);
            if (mode == "--main-plain")
                for (TWebPane* pane : {Form1->NavWB, Form1->ContentWB, Form1->quillMartWB})
                    pane->SetPresenter(nullptr);
            for (TWebPane* pane : {Form1->NavWB, Form1->ContentWB, Form1->quillMartWB})
                Watch(pane, nullptr);
            // <address> [<pane>] pairs; the pane of a last address without one is NavWB.
            for (int i = 2; i < argc; i += 2) {
                const std::string name = i + 1 < argc ? argv[i + 1] : "NavWB";
                auto* pane = dynamic_cast<TWebPane*>(Form1->FindComponent(name));
                if (!pane) return Usage();
                pane->Navigate(platform::Utf8ToWide(argv[i]));
            }
        } else if (mode == "--pane" && argc > 3) {
            std::ifstream in(argv[2]);
            std::stringstream text;
            text << in.rdbuf();
            auto* form = new TForm(&Application());
            form->CreateFromDescription(PaneFormDescription(text.str()));
            Application().FormCreated(form);
            auto* pane = dynamic_cast<TWebPane*>(form->FindComponent("Pane"));
            Watch(pane, &recreate);
            pane->Navigate(platform::Utf8ToWide(argv[3]));
        } else {
            return Usage();
        }
    } catch (const std::exception& e) {
        Application().ShowException(e);
        return 1;
    }
    Application().Run();
    delete Application().MainForm();
    Form1 = nullptr;
    WebPaneUnit::Finalize();
    return 0;
}
