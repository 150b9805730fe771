// Reads arbitrary text as a form description into a fresh root with a few registered classes.
// Every failure must be an EFilerError; anything else escaping, a crash or a leak is a bug.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "ui/ClassRegistry.h"
#include "ui/Component.h"
#include "ui/DescriptionReader.h"
#include "ui/PropertyHelpers.h"

namespace {

class TFuzzPanel : public TComponent {
public:
    using TComponent::TComponent;
    [[nodiscard]] const char* ClassName() const override { return "TFuzzPanel"; }
    void SetBuddy(TFuzzPanel* p) {
        if (buddy) RemoveFreeNotification(buddy);
        buddy = p;
        if (p) FreeNotification(p);
    }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove && c == buddy) buddy = nullptr;
    }
    void SetParentComponent(TComponent* p) override { parent = p; }
    int left = 0;
    double scale = 0;
    bool visible = false;
    int align = 0;
    uint32_t anchors = 0;
    std::string caption;
    std::vector<std::string> lines;
    std::vector<uint8_t> data;
    TFuzzPanel* buddy = nullptr;
    TComponent* parent = nullptr;
    std::function<void(TComponent*)> OnClick;
};

class TFuzzForm : public TComponent {
public:
    TFuzzForm() : TComponent(nullptr) {}
    ~TFuzzForm() override { DestroyComponents(); }
    [[nodiscard]] const char* ClassName() const override { return "TFuzzForm"; }
    void Click(TComponent*) {}
    TFuzzPanel* Panel1 = nullptr;
};

void Register() {
    RegisterComponentClasses();
    auto& r = TClassRegistry::Instance();
    r.Register("TFuzzPanel", "TComponent", [](TComponent* o) { return new TFuzzPanel(o); });
    r.Register("TFuzzOther", "TComponent", [](TComponent* o) { return new TComponent(o); });
    r.Register("TFuzzForm", "TComponent", nullptr);
    AddIntProperty<TFuzzPanel>("TFuzzPanel", "Left", [](TFuzzPanel& p, int v) { p.left = v; });
    AddFloatProperty<TFuzzPanel>("TFuzzPanel", "Scale",
                                 [](TFuzzPanel& p, double v) { p.scale = v; });
    AddBoolProperty<TFuzzPanel>("TFuzzPanel", "Visible",
                                [](TFuzzPanel& p, bool v) { p.visible = v; });
    AddStringProperty<TFuzzPanel>("TFuzzPanel", "Caption",
                                  [](TFuzzPanel& p, const std::string& v) { p.caption = v; });
    AddStringProperty<TFuzzPanel>("TFuzzPanel", "Font.Name",
                                  [](TFuzzPanel& p, const std::string& v) { p.caption = v; });
    AddEnumProperty<TFuzzPanel>("TFuzzPanel", "Align", {"alNone", "alTop", "alClient"},
                                [](TFuzzPanel& p, int v) { p.align = v; });
    AddSetProperty<TFuzzPanel>("TFuzzPanel", "Anchors", {"akLeft", "akTop", "akRight", "akBottom"},
                               [](TFuzzPanel& p, uint32_t v) { p.anchors = v; });
    AddLinesProperty<TFuzzPanel>(
        "TFuzzPanel", "Lines.Strings",
        [](TFuzzPanel& p, const std::vector<std::string>& v) { p.lines = v; });
    AddBinaryProperty<TFuzzPanel>("TFuzzPanel", "Data",
                                  [](TFuzzPanel& p, const std::vector<uint8_t>& v) { p.data = v; });
    AddReferenceProperty<TFuzzPanel, TFuzzPanel>("TFuzzPanel", "Buddy", &TFuzzPanel::SetBuddy,
                                                 "TFuzzPanel");
    AddEventProperty<TFuzzPanel>("TFuzzPanel", "OnClick", &TFuzzPanel::OnClick);
    RegisterMethod<TFuzzForm>("TFuzzForm", "Click", &TFuzzForm::Click);
    AddComponentField<TFuzzForm, TFuzzPanel>("TFuzzForm", "Panel1", &TFuzzForm::Panel1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = (Register(), true);
    (void)registered;
    TFuzzForm root;
    try {
        ReadComponentDescription(std::string(reinterpret_cast<const char*>(data), size), root);
    } catch (const EFilerError&) {
    }
    if (root.IsLoading()) __builtin_trap();
    return 0;
}
