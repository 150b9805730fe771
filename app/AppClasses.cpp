#include "app/AppClasses.h"

#include "app/Main.h"
#include "browser/BrowserClasses.h"
#include "skin/controls/SkinControlsClasses.h"
#include "skin/controls/SkinExPanel.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinTabSheet.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDataClasses.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinFormClasses.h"
#include "ui/Application.h"
#include "ui/ClassRegistry.h"
#include "ui/Label.h"
#include "ui/PropertyHelpers.h"
#include "ui/UiClasses.h"

namespace {

// A skin that cannot be loaded while a description is read must not keep the form from
// being created: the error goes to the application's error handler (a message box), the
// skin data stays empty (only SKINMSG_BEFORECHANGE was sent) and the form keeps its default
// look. Set from code, the property still raises to its caller.
void ReportSkinErrorsWhileReading() {
    AddReferenceProperty<TspSkinData, TspCompressedStoredSkin>(
        "TspSkinData", "CompressedStoredSkin",
        [](TspSkinData& data, TspCompressedStoredSkin* container) {
            try {
                data.SetCompressedStoredSkin(container);
            } catch (const std::exception& e) {
                Application().HandleException(e);
            }
        },
        "TspCompressedStoredSkin");
}

}  // namespace

void RegisterAppClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterUiClasses();
    RegisterBrowserClasses();
    RegisterSkinDataClasses();
    RegisterSkinControlsClasses();
    RegisterSkinFormClasses();
    ReportSkinErrorsWhileReading();

    auto& reg = TClassRegistry::Instance();
    // TForm1 is created by the application, never by name from a description.
    reg.Register("TForm1", "TForm", nullptr);
    const std::string cls = "TForm1";
    AddComponentField<TForm1, TspSkinForm>(cls, "spSkinForm1", &TForm1::spSkinForm1);
    AddComponentField<TForm1, TspSkinData>(cls, "spSkinData1", &TForm1::spSkinData1);
    AddComponentField<TForm1, TspCompressedStoredSkin>(cls, "spCompressedStoredSkin1",
                                                       &TForm1::spCompressedStoredSkin1);
    AddComponentField<TForm1, TspSkinPanel>(cls, "LeftPanel", &TForm1::LeftPanel);
    AddComponentField<TForm1, TspSkinPageControl>(cls, "LeftPC", &TForm1::LeftPC);
    AddComponentField<TForm1, TspSkinTabSheet>(cls, "spSkinTabSheet1", &TForm1::spSkinTabSheet1);
    AddComponentField<TForm1, TspSkinTabSheet>(cls, "spSkinTabSheet5", &TForm1::spSkinTabSheet5);
    AddComponentField<TForm1, TWebPane>(cls, "quillMartWB", &TForm1::quillMartWB);
    AddComponentField<TForm1, TspSkinExPanel>(cls, "spSkinExPanel1", &TForm1::spSkinExPanel1);
    AddComponentField<TForm1, TWebPane>(cls, "NavWB", &TForm1::NavWB);
    AddComponentField<TForm1, TspSkinPanel>(cls, "spSkinPanel1", &TForm1::spSkinPanel1);
    AddComponentField<TForm1, TspSkinPanel>(cls, "spSkinPanel2", &TForm1::spSkinPanel2);
    AddComponentField<TForm1, TWebPane>(cls, "ContentWB", &TForm1::ContentWB);
    AddComponentField<TForm1, TLabel>(cls, "Label1", &TForm1::Label1);
    RegisterMethod<TForm1>(cls, "FormCreate", &TForm1::FormCreate);
    RegisterMethod<TForm1>(cls, "NavWBNewWindow3", &TForm1::NavWBNewWindow3);
}
