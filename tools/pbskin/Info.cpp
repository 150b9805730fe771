#include "Info.h"

#include <map>

#include "base/Exceptions.h"
#include "skin/data/SkinData.h"

namespace pbskin {

namespace {

const char* DepthText(const TBitmap& b) {
    switch (b.PixelFormat()) {
        case pf1bit:
            return "1 bpp";
        case pf4bit:
            return "4 bpp";
        case pf8bit:
            return "8 bpp";
        case pf15bit:
            return "15 bpp";
        case pf16bit:
            return "16 bpp";
        case pf24bit:
            return "24 bpp";
        case pf32bit:
            return "32 bpp";
        default:
            return "device";
    }
}

void Picture(std::ostream& out, const std::string& label, const TBitmap& b) {
    out << "  " << label << ": ";
    if (b.Empty())
        out << "none\n";
    else
        out << b.Width() << " x " << b.Height() << ", " << DepthText(b) << "\n";
}

// Lists "name:type" entries of a list section, counting types; reports missing sections
// and values that fail to parse.
template <typename Create>
int Definitions(std::ostream& out, const TMemIniFile& ini, const std::string& list, Create create,
                int pictureCount) {
    int problems = 0;
    std::map<std::string, int> byType;
    const int32_t count = std::min(ini.ReadInteger(list, "count", 0), SkinSectionSize(ini, list));
    for (int i = 0; i < count; ++i) {
        std::string name, type;
        SplitNameType(ini.ReadString(list, std::to_string(i), ""), name, type);
        auto def = create(type, name);
        if (!def) {
            out << "  problem: [" << list << "] entry " << i << " has unknown type \"" << type
                << "\"\n";
            ++problems;
            continue;
        }
        ++byType[type];
        if (!ini.SectionExists(name)) {
            out << "  problem: section [" << name << "] is named in [" << list << "] but missing\n";
            ++problems;
        }
        try {
            def->LoadFromIni(ini);
        } catch (const Exception& e) {
            out << "  problem: [" << name << "]: " << e.what() << "\n";
            ++problems;
            continue;
        }
        for (const char* key : {"activepictureindex", "pictureindex", "maskpictureindex"}) {
            const int32_t index = ini.ReadInteger(name, key, -1);
            if (index != -1 && (index < 0 || index >= pictureCount)) {
                out << "  problem: [" << name << "] " << key << " " << index << " is out of range ("
                    << pictureCount << " active pictures)\n";
                ++problems;
            }
        }
    }
    out << list << ": " << count << " entries\n";
    for (const auto& [type, n] : byType) out << "  " << type << ": " << n << "\n";
    return problems;
}

}  // namespace

int PrintSkinInfo(const LoadedSkin& skin, std::ostream& out, const std::string& loadProblem) {
    TMemIniFile ini;
    ini.SetStrings(skin.lines);
    int problems = 0;
    out << "container: " << skin.container << "\n";
    if (!loadProblem.empty()) {
        out << "  problem: the program cannot load this skin: " << loadProblem << "\n";
        ++problems;
    }
    out << "skin name: " << ini.ReadString("VERSION", "skinname", "") << "\n";
    out << "pictures:\n";
    const char* labels[4] = {"main picture", "mask", "roll-up picture", "roll-up mask"};
    for (int i = 0; i < 4; ++i) Picture(out, labels[i], skin.pictures.Optional[i]);
    for (size_t i = 0; i < skin.pictures.Active.size(); ++i)
        Picture(out, "active " + std::to_string(i), *skin.pictures.Active[i]);
    out << "definition text: " << skin.lines.Count() << " lines\n";
    const std::string missing = MissingRequiredSkinSection(ini);
    if (!missing.empty()) {
        out << "  problem: required section [" << missing << "] is missing\n";
        ++problems;
    }
    const int pictureCount = static_cast<int>(skin.pictures.Active.size());
    TspSkinData probe(nullptr);
    for (const char* section : {"FORMINFO", "POPUPWINDOW", "HINTWINDOW"}) {
        try {
            if (std::string(section) == "FORMINFO") {
                TSkinIniIo io(ini, section);
                for (const char* k :
                     {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"}) {
                    TPoint p;
                    io.Point(k, p);
                }
                for (const char* k : {"clientrect", "buttonsrect", "captionrect", "maskrectarea"}) {
                    TRect r;
                    io.Rect(k, r);
                }
            } else if (std::string(section) == "POPUPWINDOW") {
                probe.PopupWindowDef.LoadFromIni(ini);
            } else {
                probe.HintWindowDef.LoadFromIni(ini);
            }
        } catch (const Exception& e) {
            out << "  problem: [" << section << "]: " << e.what() << "\n";
            ++problems;
        }
    }
    for (const char* section : {"POPUPWINDOW", "HINTWINDOW"}) {
        const int32_t index = ini.ReadInteger(section, "windowpictureindex", -1);
        if (index != -1 && (index < 0 || index >= pictureCount)) {
            out << "  problem: [" << section << "] windowpictureindex " << index
                << " is out of range\n";
            ++problems;
        }
    }
    problems += Definitions(out, ini, "SKINOBJECTS", CreateSkinObjectDef, pictureCount);
    problems += Definitions(out, ini, "SKINCONTROLS", CreateSkinControlDef, pictureCount);
    out << problems << " problem(s)\n";
    return problems;
}

}  // namespace pbskin
