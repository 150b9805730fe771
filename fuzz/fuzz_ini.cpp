// Parses arbitrary bytes as INI text, reads every section and key back, and checks that the
// written form parses to the same written form.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/IniFile.h"
#include "ui/Strings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemIniFile ini;
    ini.SetText(std::string_view(reinterpret_cast<const char*>(data), size));
    TStringList sections;
    ini.ReadSections(sections);
    for (const std::string& section : sections) {
        if (!ini.SectionExists(section)) __builtin_trap();
        TStringList keys;
        ini.ReadSection(section, keys);
        for (const std::string& key : keys) {
            if (!ini.ValueExists(section, key)) __builtin_trap();
            (void)ini.ReadString(section, key, "");
            (void)ini.ReadInteger(section, key, 0);
            (void)ini.ReadBool(section, key, false);
        }
        TStringList values;
        ini.ReadSectionValues(section, values);
    }
    TStringList written;
    ini.GetStrings(written);
    TMemIniFile again;
    again.SetStrings(written);
    TStringList rewritten;
    again.GetStrings(rewritten);
    if (!(rewritten == written)) __builtin_trap();

    if (sections.Count() > 0) {
        // Writing changes the entry that reading finds.
        ini.WriteString(sections.Strings(0), "k", "v");
        if (ini.ReadString(sections.Strings(0), "K", "") != "v") __builtin_trap();
        ini.EraseSection(sections.Strings(0));
    }
    return 0;
}
