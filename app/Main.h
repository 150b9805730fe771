// The main form: two tabs, the navigation strip with its web pane, the content pane, the
// welcome strip and the author's-site pane, read from the embedded description
// (app/Main.pbform). FormCreate starts the three panes' navigations; NavWBNewWindow3 shows
// pages the navigation pane wants in a new window in the content pane instead. The skinned
// form component takes over the window's frame as it is created; the skin data component
// loads the compiled-in skin while the description is read, so the frame, the panels, the
// strip and the tabs are skinned before FormCreate starts the panes.
#pragma once

#include <memory>
#include <string>

#include "browser/WebPane.h"
#include "ui/Forms.h"

class TLabel;
class TspCompressedStoredSkin;
class TspSkinData;
class TspSkinExPanel;
class TspSkinForm;
class TspSkinPageControl;
class TspSkinPanel;
class TspSkinTabSheet;
class TWebPaneSkin;

// Selects the constructor that leaves the form unread.
struct TForm1Unread {};

class TForm1 : public TForm {
public:
    // Creates the form from its description (then OnCreate runs FormCreate).
    explicit TForm1(TComponent* owner);
    ~TForm1() override;
    // An empty form of this class; the caller reads a description into it with
    // CreateFromDescription (a variant of the stored one, or after hooking WindowProc to
    // watch what the form receives while it is read).
    TForm1(TComponent* owner, TForm1Unread);
    [[nodiscard]] const char* ClassName() const override { return "TForm1"; }

    // Components of the description, in the form's declaration order.
    TspSkinForm* spSkinForm1 = nullptr;
    TspSkinData* spSkinData1 = nullptr;
    TspCompressedStoredSkin* spCompressedStoredSkin1 = nullptr;
    TspSkinPanel* LeftPanel = nullptr;
    TspSkinPageControl* LeftPC = nullptr;
    TspSkinTabSheet* spSkinTabSheet1 = nullptr;
    TspSkinTabSheet* spSkinTabSheet5 = nullptr;
    TWebPane* quillMartWB = nullptr;
    TspSkinExPanel* spSkinExPanel1 = nullptr;
    TWebPane* NavWB = nullptr;
    TspSkinPanel* spSkinPanel1 = nullptr;
    TspSkinPanel* spSkinPanel2 = nullptr;
    TWebPane* ContentWB = nullptr;
    TLabel* Label1 = nullptr;
    // Made by FormCreate: the panes' menus and dialogs in the skin. Not one of the form's
    // components (those are the description's); it goes before them, and the panes forget it.
    std::unique_ptr<TWebPaneSkin> webPaneSkin;

    // Published methods bound by the description.
    void FormCreate(TComponent* Sender);
    void NavWBNewWindow3(TComponent* ASender, WebObject*& ppDisp, VariantBool& Cancel,
                         uint32_t dwFlags, const WideString& bstrUrlContext,
                         const WideString& bstrUrl);
};

// The form the application created first.
extern TForm1* Form1;

// The site base address, set by FormCreate; lives until the program ends.
extern std::string SiteBaseAddress;

// The embedded description text of TForm1 (its CompressedData is the compiled-in skin).
[[nodiscard]] std::string MainFormDescription();
