#include "app/Main.h"

#include "app/SiteBase.h"
#include "app/WebPaneSkin.h"

extern const char kMainFormDescription[];
extern const std::size_t kMainFormDescriptionSize;

TForm1* Form1 = nullptr;
std::string SiteBaseAddress;

std::string MainFormDescription() {
    return std::string(kMainFormDescription, kMainFormDescriptionSize);
}

TForm1::TForm1(TComponent* owner) : TForm(owner) { CreateFromDescription(MainFormDescription()); }

TForm1::TForm1(TComponent* owner, TForm1Unread) : TForm(owner) {}

TForm1::~TForm1() = default;

void TForm1::FormCreate(TComponent* /*Sender*/) {
    // The panes' context menus and dialog boxes are drawn in the form's skin.
    if (!webPaneSkin) {
        webPaneSkin = std::make_unique<TWebPaneSkin>(nullptr);
        webPaneSkin->Attach(*this);
    }
    SiteBaseAddress = SiteBaseAddressConstant();
    // The author's-site address is the base itself, kept as its own wide-string constant.
    static const WideString kAuthorSite = platform::Utf8ToWide(SiteBaseAddressConstant());
    // Temporaries are released on every way out, also when a navigation raises.
    ContentWB->Navigate(platform::Utf8ToWide(SiteBaseAddress + "soft/pb/1.html"));
    NavWB->Navigate(platform::Utf8ToWide(SiteBaseAddress + "soft/pb/index.html"));
    quillMartWB->Navigate(kAuthorSite);
}

void TForm1::NavWBNewWindow3(TComponent* /*ASender*/, WebObject*& /*ppDisp*/, VariantBool& Cancel,
                             uint32_t /*dwFlags*/, const WideString& /*bstrUrlContext*/,
                             const WideString& bstrUrl) {
    // No new window: the page shows in the content pane.
    Cancel = platform::kVariantTrue;
    ContentWB->Navigate(bstrUrl);
}
