#include "ui/DescriptionReader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "ui/ClassRegistry.h"
#include "ui/Component.h"
#include "ui/PropertyHelpers.h"

namespace {

std::vector<std::string> gLog;

enum TTestAlign { taNone, taTop, taClient };

class TTestPanel : public TComponent {
public:
    explicit TTestPanel(TComponent* owner) : TComponent(owner) { gLog.push_back("create"); }
    [[nodiscard]] const char* ClassName() const override { return "TTestPanel"; }

    void SetLeft(int v) {
        left = v;
        gLog.push_back(Name() + ".Left" + (IsLoading() ? " (loading)" : ""));
    }
    void SetBuddy(TTestPanel* p) {
        buddy = p;
        gLog.push_back(Name() + ".Buddy=" + p->Name());
        FreeNotification(p);
    }
    void SetAlign(TTestAlign a) { align = a; }
    void SetParentComponent(TComponent* p) override {
        parent = p;
        gLog.push_back(Name() + ".Parent=" + p->Name());
    }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove && c == buddy) buddy = nullptr;
    }
    void Loaded() override {
        gLog.push_back(Name() + ".Loaded" + ((ComponentState() & csReading) ? " (reading)" : ""));
        TComponent::Loaded();
    }

    int left = 0;
    double scale = 0;
    bool visible = false;
    std::string caption;
    std::string fontName;
    TTestAlign align = taNone;
    uint32_t anchors = 0;
    std::vector<std::string> lines;
    std::vector<uint8_t> data;
    TTestPanel* buddy = nullptr;
    TComponent* parent = nullptr;
    std::function<void(TComponent*)> OnClick;
    std::function<void(int)> OnNumber;
};

class TTestOther : public TComponent {
public:
    using TComponent::TComponent;
    [[nodiscard]] const char* ClassName() const override { return "TTestOther"; }
};

class TTestForm : public TComponent {
public:
    TTestForm() : TComponent(nullptr) {}
    ~TTestForm() override { DestroyComponents(); }
    [[nodiscard]] const char* ClassName() const override { return "TTestForm"; }
    void Loaded() override {
        gLog.push_back(Name() + ".Loaded");
        TComponent::Loaded();
    }
    void PanelClick(TComponent* sender) { clicked = sender; }
    void NumberHandler(int) {}

    TTestPanel* Panel1 = nullptr;
    TComponent* clicked = nullptr;
    std::string caption;
};

void RegisterTestClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterComponentClasses();
    auto& r = TClassRegistry::Instance();
    r.Register("TTestPanel", "TComponent", [](TComponent* o) { return new TTestPanel(o); });
    AddIntProperty<TTestPanel>("TTestPanel", "Left", &TTestPanel::SetLeft);
    AddFloatProperty<TTestPanel>("TTestPanel", "Scale",
                                 [](TTestPanel& p, double v) { p.scale = v; });
    AddBoolProperty<TTestPanel>("TTestPanel", "Visible",
                                [](TTestPanel& p, bool v) { p.visible = v; });
    AddStringProperty<TTestPanel>("TTestPanel", "Caption",
                                  [](TTestPanel& p, const std::string& v) { p.caption = v; });
    AddStringProperty<TTestPanel>("TTestPanel", "Font.Name",
                                  [](TTestPanel& p, const std::string& v) { p.fontName = v; });
    AddEnumProperty<TTestPanel>("TTestPanel", "Align", {"alNone", "alTop", "alClient"},
                                &TTestPanel::SetAlign);
    AddSetProperty<TTestPanel>("TTestPanel", "Anchors", {"akLeft", "akTop", "akRight"},
                               [](TTestPanel& p, uint32_t v) { p.anchors = v; });
    AddLinesProperty<TTestPanel>(
        "TTestPanel", "Lines.Strings",
        [](TTestPanel& p, const std::vector<std::string>& v) { p.lines = v; });
    AddBinaryProperty<TTestPanel>("TTestPanel", "Data",
                                  [](TTestPanel& p, const std::vector<uint8_t>& v) { p.data = v; });
    AddReferenceProperty<TTestPanel, TTestPanel>("TTestPanel", "Buddy", &TTestPanel::SetBuddy,
                                                 "TTestPanel");
    AddEventProperty<TTestPanel>("TTestPanel", "OnClick", &TTestPanel::OnClick);
    AddEventProperty<TTestPanel>("TTestPanel", "OnNumber", &TTestPanel::OnNumber);
    r.Register("TTestOther", "TComponent", [](TComponent* o) { return new TTestOther(o); });
    r.Register("TTestForm", "TComponent", nullptr);
    AddStringProperty<TTestForm>("TTestForm", "Caption",
                                 [](TTestForm& f, const std::string& v) { f.caption = v; });
    RegisterMethod<TTestForm>("TTestForm", "PanelClick", &TTestForm::PanelClick);
    RegisterMethod<TTestForm>("TTestForm", "NumberHandler", &TTestForm::NumberHandler);
    r.AddMethod("TTestForm", "NameOnly");
    AddComponentField<TTestForm, TTestPanel>("TTestForm", "Panel1", &TTestForm::Panel1);
}

class DescriptionReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        gLog.clear();
    }
    TTestPanel* Panel(const std::string& name) {
        return dynamic_cast<TTestPanel*>(form.FindComponent(name));
    }

    TTestForm form;
};

TEST_F(DescriptionReaderTest, ReadsEveryValueKind) {
    ReadComponentDescription(
        "\xEF\xBB\xBF"
        "object Form1: TTestForm\n"
        "  Caption = 'Puzzlebin V1.0.0'\n"
        "  object Panel1: TTestPanel\n"
        "    Left = -19\n"
        "    Scale = 1.5e1\n"
        "    Visible = True\n"
        "    Caption = 'It''s '#25105'x'#55357#56832 +\n"
        "      ' \xE4\xBD\xA0' + #$41#0'z'\n"
        "    Font.Name = 'Arial'\n"
        "    Align = ALCLIENT\n"
        "    Anchors = [akLeft, akRight]\n"
        "    Lines.Strings = (\n"
        "      'line 1'\n"
        "      ''\n"
        "      'a' + 'b')\n"
        "    Data = {\n"
        "      789C 00ff\n"
        "      0A}\n"
        "    Tag = $7F\n"
        "  end\n"
        "  object TTestPanel\n"
        "    Anchors = []\n"
        "    Data = {}\n"
        "    Lines.Strings = ()\n"
        "  end\n"
        "end\n",
        form);
    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.caption, "Puzzlebin V1.0.0");
    ASSERT_EQ(form.ComponentCount(), 2);
    TTestPanel* p = Panel("panel1");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(form.Panel1, p);  // the form's field was filled
    EXPECT_EQ(p->left, -19);
    EXPECT_DOUBLE_EQ(p->scale, 15.0);
    EXPECT_TRUE(p->visible);
    static const char kCaption[] =
        "It's \xE6\x88\x91x\xF0\x9F\x98\x80 \xE4\xBD\xA0"
        "A\0z";
    EXPECT_EQ(p->caption, std::string(kCaption, sizeof kCaption - 1));
    EXPECT_EQ(p->fontName, "Arial");
    EXPECT_EQ(p->align, taClient);
    EXPECT_EQ(p->anchors, 0b101u);
    EXPECT_EQ(p->lines, (std::vector<std::string>{"line 1", "", "ab"}));
    EXPECT_EQ(p->data, (std::vector<uint8_t>{0x78, 0x9C, 0x00, 0xFF, 0x0A}));
    EXPECT_EQ(p->Tag, 0x7F);  // inherited from TComponent
    EXPECT_EQ(p->parent, &form);
    auto* unnamed = dynamic_cast<TTestPanel*>(form.Components(1));
    ASSERT_NE(unnamed, nullptr);
    EXPECT_TRUE(unnamed->Name().empty());
    EXPECT_EQ(unnamed->anchors, 0u);
    EXPECT_FALSE(form.IsLoading());
    EXPECT_EQ(p->ComponentState() & (csLoading | csReading), 0u);
}

TEST_F(DescriptionReaderTest, ReferencesResolveAfterAllComponentsExistThenLoadedRootFirst) {
    ReadComponentDescription(
        "object Form1: TTestForm\n"
        "  object A: TTestPanel\n"
        "    Buddy = B\n"  // B is declared later
        "    Left = 1\n"
        "    object A1: TTestPanel\n"
        "      Buddy = Form1.A\n"
        "    end\n"
        "  end\n"
        "  object B: TTestPanel\n"
        "    Buddy = Self.A\n"
        "    OnClick = panelclick\n"
        "  end\n"
        "end\n",
        form);
    // Construction, naming, parent and stored properties in description order...
    const std::vector<std::string> order{
        "create",       "A.Parent=Form1", "A.Left (loading)", "create",     "A1.Parent=A",
        "create",       "B.Parent=Form1", "A.Buddy=B",        "A1.Buddy=A", "B.Buddy=A",
        "Form1.Loaded", "A.Loaded",       "A1.Loaded",        "B.Loaded"};
    EXPECT_EQ(gLog, order);
    TTestPanel* a = Panel("A");
    TTestPanel* b = Panel("B");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->buddy, b);
    EXPECT_EQ(Panel("A1")->parent, a);
    EXPECT_EQ(Panel("A1")->Owner(), &form);  // everything is owned by the root
    ASSERT_TRUE(b->OnClick);
    b->OnClick(b);
    EXPECT_EQ(form.clicked, b);
    // The reference is a live, non-owning one: freeing B clears it.
    delete b;
    EXPECT_EQ(a->buddy, nullptr);
}

struct ErrorCase {
    const char* text;
    const char* message;
    int componentsLeft;
};

TEST_F(DescriptionReaderTest, ErrorsNameTheLineAndLeaveComponentsWithTheRoot) {
    const ErrorCase cases[] = {
        {"object Form1: TTestForm\n  object X: TFoo\n  end\nend", "line 2: Class TFoo not found",
         0},
        {"object Form1: TTestForm\n  Foo = 1\nend",
         "line 2: Error reading Form1.Foo: Property Foo does not exist", 0},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Left = 1\n\n  Buddy = Nobody\n "
         "end\nend",
         "line 5: Error reading P.Buddy: Component Nobody not found", 1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Buddy = O\n end\n object O: "
         "TTestOther\n end\nend",
         "line 3: Error reading P.Buddy: Invalid property value: O is a TTestOther, not a "
         "TTestPanel",
         2},
        {"object Form1: TTestForm\n object P: TTestPanel\n  OnClick = Missing\n end\nend",
         "line 3: Error reading P.OnClick: Method Missing not found", 1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  OnClick = NumberHandler\n end\nend",
         "line 3: Error reading P.OnClick: Method NumberHandler does not match the event's "
         "parameters",
         1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  OnClick = NameOnly\n end\nend",
         "line 3: Error reading P.OnClick: Method NameOnly cannot be bound to an event", 1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Caption = 'abc\n end\nend",
         "line 3: Unterminated string", 1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Left = 12abc\n end\nend",
         "line 3: Invalid number", 1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Left = 3000000000\n end\nend",
         "line 3: Error reading P.Left: Integer value 3000000000 is out of range", 1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Left = 99999999999999999999\n end\nend",
         "line 3: Integer value out of range", 1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Left = 'x'\n end\nend",
         "line 3: Error reading P.Left: Invalid property value: expected an integer, found a "
         "string",
         1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Align = alBottom\n end\nend",
         "line 3: Error reading P.Align: Invalid property value alBottom", 1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Anchors = [akLeft akTop]\n end\nend",
         "line 3: ',' or ']' expected", 1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Data = {\n  ABC\n }\n end\nend",
         "line 5: Binary data has an odd number of hex digits", 1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Data = { 12 G4 }\n end\nend",
         "line 3: Invalid binary data", 1},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Data = { 12\n", "line 3: '}' expected",
         1},
        {"object Form1: TTestForm\n object P: TTestPanel\n end\n object p: TTestPanel\n end\nend",
         "line 4: A component named p already exists", 2},
        {"object Form1: TTestForm\n object P: TTestPanel\n end\n", "line 4: 'end' expected", 1},
        {"object Form1: TTestForm\nend\nobject", "line 3: Text after the final 'end'", 0},
        {"object Form1: TTestForm\n Caption 'x'\nend", "line 2: '=' expected", 0},
        {"object Form1: TTestForm\n Caption = 'x' +\n\n 5\nend",
         "line 4: String expected after '+'", 0},
        {"object Form1: TTestForm\n Caption = #1114112\nend", "line 2: Invalid character code", 0},
        {"object Form1: TTestForm\n object P: TTestPanel\n  Items = <\n item\n end>\n end\nend",
         "line 4: Collections with items are not supported", 1},
        {"  \r\n\r\n", "line 3: 'object' expected", 0},
        {"object 1Form: TTestForm\nend", "line 1: Identifier expected", 0},
    };
    for (const ErrorCase& c : cases) {
        TTestForm root;
        try {
            ReadComponentDescription(c.text, root);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const EFilerError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.text;
        }
        EXPECT_EQ(root.ComponentCount(), c.componentsLeft) << c.text;
        EXPECT_EQ(root.ComponentState() & (csLoading | csReading), 0u) << c.text;
        for (int i = 0; i < root.ComponentCount(); ++i) {
            EXPECT_EQ(root.Components(i)->ComponentState() & (csLoading | csReading), 0u) << c.text;
        }
    }
}

TEST_F(DescriptionReaderTest, UnknownClassIsAClassNotFoundError) {
    EXPECT_THROW(ReadComponentDescription("object F: TTestForm\n object X: TNope\n end\nend", form),
                 EClassNotFound);
    // A class without a factory cannot be created by name either.
    EXPECT_THROW(
        ReadComponentDescription("object F: TTestForm\n object X: TTestForm\n end\nend", form),
        EClassNotFound);
}

TEST_F(DescriptionReaderTest, NestingAndSizeLimitsStopHostileInput) {
    std::string deep = "object F: TTestForm\n";
    for (int i = 0; i < 40; ++i) deep += "object TTestPanel\n";
    for (int i = 0; i < 40; ++i) deep += "end\n";
    deep += "end\n";
    try {
        ReadComponentDescription(deep, form);
        FAIL() << "deep nesting accepted";
    } catch (const EFilerError& e) {
        EXPECT_EQ(std::string(e.what()), "line 34: Objects are nested too deeply");
    }
    EXPECT_EQ(form.ComponentCount(), 32);

    TTestForm other;
    EXPECT_THROW(ReadComponentDescription(std::string(9u << 20, ' '), other), EFilerError);
}

}  // namespace
