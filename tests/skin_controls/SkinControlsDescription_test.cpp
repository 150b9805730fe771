// A form description that uses every skinned control class as the main window will: it
// loads, every stored value reads back as it was written, the tree draws from the
// compiled-in skin, follows a skin change, and bad values are errors that name their line.
#include <cstdio>
#include <functional>
#include <map>

#include "base/Exceptions.h"
#include "skin/controls/SkinExPanel.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinTabSheet.h"
#include "skin/controls/SkinUpDown.h"
#include "tests/skin_controls/SkinControlsTestSupport.h"
#include "ui/BitmapData.h"
#include "ui/DescriptionReader.h"

namespace {

// Stored settings: (property, value as the description writes it).
using Settings = std::vector<std::pair<std::string, std::string>>;

// The three panels of the main window store the same settings.
const Settings kPanel = {
    {"SkinDataName", "'panel'"},
    {"DrawDefault", "True"},
    {"AlphaBlend", "False"},
    {"AlphaBlendValue", "200"},
    {"UseSkinCursor", "False"},
    {"DefaultFont.Charset", "DEFAULT_CHARSET"},
    {"DefaultFont.Color", "clWindowText"},
    {"DefaultFont.Height", "14"},
    {"DefaultFont.Name", "'Arial'"},
    {"DefaultFont.Style", "[]"},
    {"UseSkinFont", "True"},
    {"DefaultWidth", "0"},
    {"DefaultHeight", "0"},
    {"RealHeight", "-1"},
    {"AutoEnabledControls", "True"},
    {"CheckedMode", "False"},
    {"Checked", "False"},
    {"NumGlyphs", "1"},
    {"Spacing", "2"},
    {"DefaultAlignment", "taLeftJustify"},
    {"DefaultCaptionHeight", "22"},
    {"BorderStyle", "bvFrame"},
    {"CaptionMode", "False"},
    {"RollUpMode", "False"},
    {"RollUpState", "False"},
};
const Settings kPageControl = {
    {"SkinDataName", "'tab'"},
    {"UseSkinFont", "True"},
    {"DefaultFont.Charset", "DEFAULT_CHARSET"},
    {"DefaultFont.Color", "clBtnText"},
    {"DefaultFont.Height", "14"},
    {"DefaultFont.Name", "'Arial'"},
    {"DefaultFont.Style", "[]"},
    {"DefaultItemHeight", "20"},
};
const Settings kExPanel = {
    {"SkinDataName", "'expanel'"},
    {"DrawDefault", "True"},
    {"AlphaBlend", "False"},
    {"AlphaBlendValue", "200"},
    {"UseSkinCursor", "False"},
    {"DefaultFont.Charset", "DEFAULT_CHARSET"},
    {"DefaultFont.Color", "clWindowText"},
    {"DefaultFont.Height", "14"},
    {"DefaultFont.Name", "'Arial'"},
    {"DefaultFont.Style", "[]"},
    {"UseSkinFont", "True"},
    {"DefaultWidth", "0"},
    {"DefaultHeight", "0"},
    {"RealWidth", "0"},
    {"RealHeight", "0"},
    {"ShowRollButton", "False"},
    {"ShowCloseButton", "False"},
    {"DefaultCaptionHeight", "21"},
    {"RollState", "False"},
    {"RollKind", "rkRollVertical"},
};
const Settings kUpDown = {
    {"Orientation", "udVertical"},
    {"Min", "1"},
    {"Max", "9"},
    {"Position", "3"},
    {"Increment", "2"},
};

std::string Lines(const Settings& settings, const std::string& indent) {
    std::string out;
    for (const auto& [name, value] : settings) out += indent + name + " = " + value + "\n";
    return out;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string out;
    char b[3];
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0) out += "\n      ";
        std::snprintf(b, sizeof b, "%02X", bytes[i]);
        out += b;
    }
    return out;
}

// The main window's tree with the skinned classes (and an up-down on the second sheet).
std::string Description(const std::string& glyphData = "") {
    const std::string glyph = glyphData.empty() ? "" : "      Glyph.Data = {" + glyphData + "}\n";
    return "object TestForm: TForm\n"
           "  ClientWidth = 777\n  ClientHeight = 491\n"
           "  object LeftPanel: TspSkinPanel\n    Align = alClient\n    SkinData = spSkinData1\n   "
           " Caption = ''\n" +
           Lines(kPanel, "    ") +
           "    object LeftPC: TspSkinPageControl\n      ActivePage = spSkinTabSheet1\n      Align "
           "= alClient\n"
           "      SkinData = spSkinData1\n" +
           Lines(kPageControl, "      ") +
           "      object spSkinTabSheet1: TspSkinTabSheet\n        PageControl = LeftPC\n"
           "        Caption = '题在首页'\n"
           "        object spSkinExPanel1: TspSkinExPanel\n          Align = alTop\n          "
           "Height = 97\n"
           "          SkinData = spSkinData1\n          Caption = '智力导航'\n" +
           Lines(kExPanel, "          ") +
           "        end\n"
           "        object spSkinPanel1: TspSkinPanel\n          Align = alBottom\n          "
           "Height = 46\n"
           "          SkinData = spSkinData1\n          Caption = ''\n" +
           Lines(kPanel, "          ") + glyph +
           "        end\n"
           "        object spSkinPanel2: TspSkinPanel\n          Align = alClient\n          "
           "SkinData = spSkinData1\n"
           "          Caption = ''\n" +
           Lines(kPanel, "          ") +
           "        end\n"
           "      end\n"
           "      object spSkinTabSheet5: TspSkinTabSheet\n        PageControl = LeftPC\n"
           "        Caption = '作者网站'\n"
           "        object Scroll1: TspSkinUpDown\n          SkinData = spSkinData1\n" +
           Lines(kUpDown, "          ") +
           "        end\n"
           "      end\n"
           "    end\n"
           "  end\n"
           "  object spSkinData1: TspSkinData\n    CompressedStoredSkin = "
           "spCompressedStoredSkin1\n  end\n"
           "  object spCompressedStoredSkin1: TspCompressedStoredSkin\n    FileName = 'skin.ini'\n"
           "    CompressedData = {" +
           Hex(DefaultSkinCompressedData()) +
           "}\n  end\n"
           "end\n";
}

// How the description writes a property's current value: the way back of the reader.
std::string Bool(bool v) { return v ? "True" : "False"; }
std::string Quoted(const std::string& s) { return "'" + s + "'"; }
std::string ColorName(TColor c) {
    const std::map<TColor, std::string> names = {{clWindowText, "clWindowText"},
                                                 {clBtnText, "clBtnText"}};
    auto it = names.find(c);
    return it == names.end() ? std::to_string(c) : it->second;
}
std::string FontStyles(TFontStyles s) { return s == 0 ? "[]" : "[" + std::to_string(s) + "]"; }
std::string Charset(uint8_t c) {
    return c == DEFAULT_CHARSET ? "DEFAULT_CHARSET" : std::to_string(c);
}

std::string FontValue(const TFont& f, const std::string& sub) {
    if (sub == "Charset") return Charset(f.Charset);
    if (sub == "Color") return ColorName(f.Color);
    if (sub == "Height") return std::to_string(f.Height);
    if (sub == "Name") return Quoted(f.Name);
    return FontStyles(f.Style);
}

std::string StoredValue(TComponent& c, const std::string& name) {
    if (name.rfind("DefaultFont.", 0) == 0) {
        const std::string sub = name.substr(12);
        if (auto* p = dynamic_cast<TspSkinCustomControl*>(&c))
            return FontValue(p->DefaultFont(), sub);
        if (auto* p = dynamic_cast<TspSkinPageControl*>(&c))
            return FontValue(p->DefaultFont(), sub);
    }
    if (auto* p = dynamic_cast<TspSkinPageControl*>(&c)) {
        if (name == "SkinDataName") return Quoted(p->SkinDataName());
        if (name == "UseSkinFont") return Bool(p->UseSkinFont());
        if (name == "DefaultItemHeight") return std::to_string(p->DefaultItemHeight());
    }
    if (auto* u = dynamic_cast<TspSkinUpDown*>(&c)) {
        if (name == "Orientation")
            return u->Orientation() == udVertical ? "udVertical" : "udHorizontal";
        if (name == "Min") return std::to_string(u->Min());
        if (name == "Max") return std::to_string(u->Max());
        if (name == "Position") return std::to_string(u->Position());
        if (name == "Increment") return std::to_string(u->Increment);
    }
    auto* s = dynamic_cast<TspSkinCustomControl*>(&c);
    if (s == nullptr) return "?";
    static const std::map<std::string, std::function<std::string(TspSkinCustomControl&)>> common = {
        {"SkinDataName", [](TspSkinCustomControl& t) { return Quoted(t.SkinDataName()); }},
        {"DrawDefault", [](TspSkinCustomControl& t) { return Bool(t.DrawDefault()); }},
        {"AlphaBlend", [](TspSkinCustomControl& t) { return Bool(t.AlphaBlend()); }},
        {"AlphaBlendValue",
         [](TspSkinCustomControl& t) { return std::to_string(t.AlphaBlendValue()); }},
        {"UseSkinCursor", [](TspSkinCustomControl& t) { return Bool(t.UseSkinCursor()); }},
        {"UseSkinFont", [](TspSkinCustomControl& t) { return Bool(t.UseSkinFont()); }},
        {"DefaultWidth", [](TspSkinCustomControl& t) { return std::to_string(t.DefaultWidth()); }},
        {"DefaultHeight",
         [](TspSkinCustomControl& t) { return std::to_string(t.DefaultHeight()); }},
    };
    if (auto it = common.find(name); it != common.end()) return it->second(*s);
    if (auto* p = dynamic_cast<TspSkinPanel*>(&c)) {
        static const char* borders[] = {"bvFrame", "bvRaised", "bvLowered", "bvNone"};
        static const char* alignments[] = {"taLeftJustify", "taRightJustify", "taCenter"};
        if (name == "RealHeight") return std::to_string(p->RealHeight());
        if (name == "AutoEnabledControls") return Bool(p->AutoEnabledControls);
        if (name == "CheckedMode") return Bool(p->CheckedMode());
        if (name == "Checked") return Bool(p->Checked());
        if (name == "NumGlyphs") return std::to_string(p->NumGlyphs());
        if (name == "Spacing") return std::to_string(p->Spacing());
        if (name == "DefaultAlignment") return alignments[p->DefaultAlignment()];
        if (name == "DefaultCaptionHeight") return std::to_string(p->DefaultCaptionHeight());
        if (name == "BorderStyle") return borders[static_cast<int>(p->BorderStyle())];
        if (name == "CaptionMode") return Bool(p->CaptionMode());
        if (name == "RollUpMode") return Bool(p->RollUpMode());
        if (name == "RollUpState") return Bool(p->RollUpState());
    }
    if (auto* e = dynamic_cast<TspSkinExPanel*>(&c)) {
        if (name == "RealWidth") return std::to_string(e->RealWidth());
        if (name == "RealHeight") return std::to_string(e->RealHeight());
        if (name == "ShowRollButton") return Bool(e->ShowRollButton());
        if (name == "ShowCloseButton") return Bool(e->ShowCloseButton());
        if (name == "DefaultCaptionHeight") return std::to_string(e->DefaultCaptionHeight());
        if (name == "RollState") return Bool(e->RollState());
        if (name == "RollKind")
            return e->RollKind() == rkRollVertical ? "rkRollVertical" : "rkRollHorizontal";
    }
    return "?";
}

class SkinControlsDescriptionTest : public SkinControlsTest {
protected:
    void Read(const std::string& description) {
        tree = std::make_unique<TForm>(nullptr);
        tree->CreateFromDescription(description);
    }
    template <class T>
    T* Find(const std::string& name) {
        return dynamic_cast<T*>(tree->FindComponent(name));
    }
    std::unique_ptr<TForm> tree;
};

TEST_F(SkinControlsDescriptionTest, EveryClassLoadsAndTheStoredValuesReadBack) {
    Read(Description());
    const std::vector<std::pair<std::string, const Settings*>> components = {
        {"LeftPanel", &kPanel},    {"spSkinPanel1", &kPanel},     {"spSkinPanel2", &kPanel},
        {"LeftPC", &kPageControl}, {"spSkinExPanel1", &kExPanel}, {"Scroll1", &kUpDown},
    };
    for (const auto& [name, settings] : components) {
        TComponent* c = tree->FindComponent(name);
        ASSERT_NE(c, nullptr) << name;
        for (const auto& [property, value] : *settings)
            EXPECT_EQ(StoredValue(*c, property), value) << name << "." << property;
    }
    auto* data = Find<TspSkinData>("spSkinData1");
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(data->SkinEmpty);
    EXPECT_EQ(Find<TspSkinPanel>("LeftPanel")->SkinData(), data);
    EXPECT_EQ(Find<TspSkinPageControl>("LeftPC")->SkinData(), data);
    EXPECT_EQ(Find<TspSkinPageControl>("LeftPC")->PageCount(), 2);
    EXPECT_EQ(Find<TspSkinExPanel>("spSkinExPanel1")->Caption(), "智力导航");
    EXPECT_EQ(Find<TspSkinExPanel>("spSkinExPanel1")->Parent(),
              Find<TspSkinTabSheet>("spSkinTabSheet1"));
}

TEST_F(SkinControlsDescriptionTest, TheTreeDrawsFromTheSkinAndFollowsASkinChange) {
    Read(Description());
    tree->SetBounds(0, 0, 777, 491);
    tree->Show();
    P().ProcessPending();
    auto* panel = Find<TspSkinPanel>("spSkinPanel2");
    auto* strip = Find<TspSkinExPanel>("spSkinExPanel1");
    auto* pages = Find<TspSkinPageControl>("LeftPC");
    EXPECT_TRUE(panel->HasSection());
    EXPECT_TRUE(strip->HasSection());
    EXPECT_TRUE(pages->HasSection());
    // The strip shows neither a roll nor a close button.
    EXPECT_TRUE(IsRectEmpty(strip->ButtonRect(TspSkinExPanel::kCloseButton)));
    EXPECT_TRUE(IsRectEmpty(strip->ButtonRect(TspSkinExPanel::kRollButton)));

    // Another skin at run time, without the sections: the default looks, the strip with its
    // 21-pixel caption bar.
    auto* data = Find<TspSkinData>("spSkinData1");
    auto* other = new TspStoredSkin(tree.get());
    other->SetIniStrings(SkinText({}, ""));
    auto walk = [](TWinControl& root, bool reset, auto& self) -> void {
        for (int i = 0; i < root.ControlCount(); ++i) {
            TControl* c = root.Controls(i);
            if (auto* s = dynamic_cast<ISkinnedControl*>(c)) {
                if (reset)
                    s->ResetSkinIndex();
                else
                    s->ApplySkin();
            }
            if (auto* w = dynamic_cast<TWinControl*>(c)) self(*w, reset, self);
        }
    };
    walk(*tree, true, walk);
    data->SetStoredSkin(other);
    walk(*tree, false, walk);
    P().ProcessPending();
    EXPECT_FALSE(panel->HasSection());
    EXPECT_FALSE(strip->HasSection());
    EXPECT_FALSE(pages->HasSection());
    EXPECT_EQ(pages->ItemHeight(), 20);  // the default item height
    const TPoint s = strip->WindowClientOrigin();
    auto& window = *static_cast<platform::HeadlessWindow*>(tree->PlatformWindow());
    EXPECT_EQ(window.PixelAt(s.X + 50, s.Y + 20),
              ColorToRGB(clBtnShadow));  // the bar's bottom line

    // And back to the compiled-in skin.
    walk(*tree, true, walk);
    data->SetCompressedStoredSkin(Find<TspCompressedStoredSkin>("spCompressedStoredSkin1"));
    walk(*tree, false, walk);
    P().ProcessPending();
    EXPECT_TRUE(panel->HasSection());
    EXPECT_TRUE(strip->HasSection());
    EXPECT_TRUE(pages->HasSection());
}

TEST_F(SkinControlsDescriptionTest, AGlyphIsReadFromItsStoredFormAndBadValuesNameTheirLine) {
    TBitmap glyph = SolidPicture(12, 6, 0x00FF00);
    std::string hex = Hex(BitmapData(glyph));
    Read(Description(hex));
    EXPECT_EQ(Find<TspSkinPanel>("spSkinPanel1")->Glyph().Width(), 12);

    // A byte count beyond the data, and values out of range.
    std::string damaged = hex;
    damaged.replace(damaged.find_first_not_of("\n "), 2, "FF");
    for (const std::string& bad :
         {Description(damaged),
          [] {
              std::string d = Description();
              d.replace(d.find("NumGlyphs = 1"), 13, "NumGlyphs = 5");
              return d;
          }(),
          [] {
              std::string d = Description();
              d.replace(d.find("AlphaBlendValue = 200"), 21, "AlphaBlendValue = 300");
              return d;
          }(),
          [] {
              std::string d = Description();
              d.replace(d.find("BorderStyle = bvFrame"), 21, "BorderStyle = bvSpace");
              return d;
          }()}) {
        try {
            Read(bad);
            ADD_FAILURE() << "no error";
        } catch (const EFilerError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("line ", 0), 0u) << e.what();
        }
    }
}

}  // namespace
