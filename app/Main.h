// The main form: two tabs, the navigation strip with its web pane, the content pane, the
// welcome strip and the author's-site pane, read from the embedded description
// (app/Main.pbform). FormCreate starts the three panes' navigations; NavWBNewWindow3 shows
// pages the navigation pane wants in a new window in the content pane instead.
#pragma once

#include <string>

#include "browser/WebPane.h"
#include "ui/Forms.h"

class TLabel;
class TPageControl;
class TPanel;
class TTabSheet;

class TForm1 : public TForm {
public:
    // Creates the form from its description (then OnCreate runs FormCreate).
    explicit TForm1(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TForm1"; }

    // Components of the description, in declaration order.
    TPanel* LeftPanel = nullptr;
    TPageControl* LeftPC = nullptr;
    TTabSheet* spSkinTabSheet1 = nullptr;
    TTabSheet* spSkinTabSheet5 = nullptr;
    TWebPane* quillMartWB = nullptr;
    TPanel* spSkinExPanel1 = nullptr;
    TWebPane* NavWB = nullptr;
    TPanel* spSkinPanel1 = nullptr;
    TPanel* spSkinPanel2 = nullptr;
    TWebPane* ContentWB = nullptr;
    TLabel* Label1 = nullptr;

    // Published methods bound by the description.
    void FormCreate(TComponent* Sender);
    void NavWBNewWindow3(TComponent* ASender, WebObject*& ppDisp, VariantBool& Cancel, uint32_t dwFlags,
                         const WideString& bstrUrlContext, const WideString& bstrUrl);
};

// The form the application created first.
extern TForm1* Form1;

// The site base address, set by FormCreate; lives until the program ends.
extern std::string SiteBaseAddress;

// The embedded description text of TForm1.
[[nodiscard]] std::string MainFormDescription();
