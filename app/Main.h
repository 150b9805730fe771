// The main form: two tabs, the navigation strip with its web pane, the content pane, the
// welcome strip and the author's-site pane, read from the embedded description
// (app/Main.pbform). FormCreate starts the three panes' navigations; NavWBNewWindow3 shows
// pages the navigation pane wants in a new window in the content pane instead. The form's
// skin data component loads the compiled-in skin while the description is read, so the
// form and its controls are told of the skin before FormCreate runs.
#pragma once

#include <string>

#include "browser/WebPane.h"
#include "ui/Forms.h"

class TLabel;
class TPageControl;
class TPanel;
class TTabSheet;
class TspCompressedStoredSkin;
class TspSkinData;

// Selects the constructor that leaves the form unread.
struct TForm1Unread {};

class TForm1 : public TForm {
public:
    // Creates the form from its description (then OnCreate runs FormCreate).
    explicit TForm1(TComponent* owner);
    // An empty form of this class; the caller reads a description into it with
    // CreateFromDescription (a variant of the stored one, or after hooking WindowProc to
    // watch what the form receives while it is read).
    TForm1(TComponent* owner, TForm1Unread);
    [[nodiscard]] const char* ClassName() const override { return "TForm1"; }

    // Components of the description: the skin components, then the controls.
    TspSkinData* spSkinData1 = nullptr;
    TspCompressedStoredSkin* spCompressedStoredSkin1 = nullptr;
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

// The embedded description text of TForm1 (its CompressedData is the compiled-in skin).
[[nodiscard]] std::string MainFormDescription();
