#include "ui/IniFile.h"

#include <sys/stat.h>

#include "base/AsciiText.h"
#include "base/Exceptions.h"
#include "ui/Streams.h"
#include "ui/Strings.h"

namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

}  // namespace

bool TryParseIniInteger(std::string_view s, int32_t& out) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size()) return false;
    uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        const int d = DigitValue(s[i]);
        if (d >= base) return false;
        magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    if (base == 16) {
        // Hex spells the 32-bit pattern; a sign negates the resulting value.
        const uint32_t bits =
            negative ? 0u - static_cast<uint32_t>(magnitude) : static_cast<uint32_t>(magnitude);
        out = static_cast<int32_t>(bits);
        return true;
    }
    if (negative) {
        if (magnitude > 0x80000000ull) return false;
        out = static_cast<int32_t>(-static_cast<int64_t>(magnitude));
    } else {
        if (magnitude > 0x7FFFFFFFull) return false;
        out = static_cast<int32_t>(magnitude);
    }
    return true;
}

size_t TMemIniFile::CiHash::operator()(std::string_view s) const noexcept {
    // FNV-1a over the lower-cased bytes.
    uint64_t h = 1469598103934665603ull;
    for (char c : s) {
        h ^= static_cast<unsigned char>(LowerAscii(c));
        h *= 1099511628211ull;
    }
    return static_cast<size_t>(h);
}

bool TMemIniFile::CiEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    return SameTextAscii(a, b);
}

TMemIniFile::TMemIniFile(const std::string& fileName) : fileName_(fileName) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) == 0) LoadFromFile(fileName);
}

TMemIniFile::TMemIniFile(const TMemIniFile& other) : fileName_(other.fileName_) {
    TStringList lines;
    other.GetStrings(lines);
    SetStrings(lines);
}

TMemIniFile& TMemIniFile::operator=(const TMemIniFile& other) {
    if (this != &other) {
        TMemIniFile copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void TMemIniFile::Clear() {
    sections_.clear();
    sectionIndex_.clear();
    written_.clear();
    text_.reset();
}

std::string_view TMemIniFile::Keep(std::string_view text) { return written_.emplace_back(text); }

void TMemIniFile::SetText(std::string_view source) {
    Clear();
    text_ = std::make_unique<std::string>(source);
    const std::string_view text = *text_;
    Section* current = nullptr;
    size_t start = 0;
    const size_t n = text.size();
    while (start < n) {
        size_t end = start;
        while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
        const std::string_view line = TrimBlanks(text.substr(start, end - start));
        if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') ++end;
        start = end + 1;

        if (line.empty() || line[0] == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &AddSection(TrimBlanks(line.substr(1, line.size() - 2)));
            continue;
        }
        if (!current) continue;  // before the first section
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            AddLine(*current, Line{line, {}, false});
        } else {
            AddLine(*current,
                    Line{TrimBlanks(line.substr(0, eq)), TrimBlanks(line.substr(eq + 1)), true});
        }
    }
}

void TMemIniFile::SetStrings(const TStringList& lines) {
    std::string text;
    for (const auto& l : lines) {
        text += l;
        text += '\n';
    }
    SetText(text);
}

void TMemIniFile::GetStrings(TStringList& lines) const {
    lines.Clear();
    for (const Section& s : sections_) {
        lines.Add("[" + std::string(s.name) + "]");
        for (const Line& l : s.lines)
            lines.Add(l.isEntry ? std::string(l.key) + "=" + std::string(l.value)
                                : std::string(l.key));
        lines.Add("");
    }
}

void TMemIniFile::LoadFromFile(const std::string& fileName) {
    const std::vector<uint8_t> bytes = ReadFileBytes(fileName);
    SetText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void TMemIniFile::UpdateFile() const {
    TStringList lines;
    GetStrings(lines);
    lines.SaveToFile(fileName_);
}

const TMemIniFile::Section* TMemIniFile::FindSection(std::string_view name) const {
    auto it = sectionIndex_.find(name);
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const TMemIniFile::Line* TMemIniFile::FindEntry(std::string_view section,
                                                std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) return nullptr;
    auto it = s->keys.find(key);
    return it == s->keys.end() ? nullptr : &s->lines[it->second];
}

TMemIniFile::Section& TMemIniFile::AddSection(std::string_view name) {
    sections_.push_back(Section{name, {}, {}});
    sectionIndex_.emplace(name, sections_.size() - 1);  // keeps an earlier one of that name
    return sections_.back();
}

void TMemIniFile::AddLine(Section& section, Line line) {
    section.lines.push_back(std::move(line));
    const Line& added = section.lines.back();
    if (added.isEntry) section.keys.emplace(added.key, section.lines.size() - 1);
}

void TMemIniFile::ReindexKeys(Section& section) {
    section.keys.clear();
    for (size_t i = 0; i < section.lines.size(); ++i) {
        if (section.lines[i].isEntry) section.keys.emplace(section.lines[i].key, i);
    }
}

void TMemIniFile::ReindexSections() {
    sectionIndex_.clear();
    for (size_t i = 0; i < sections_.size(); ++i) sectionIndex_.emplace(sections_[i].name, i);
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const {
    const Line* l = FindEntry(section, key);
    return l ? std::string(l->value) : defaultValue;
}

int32_t TMemIniFile::ReadInteger(const std::string& section, const std::string& key,
                                 int32_t defaultValue) const {
    const Line* l = FindEntry(section, key);
    int32_t v = 0;
    return (l && TryParseIniInteger(l->value, v)) ? v : defaultValue;
}

bool TMemIniFile::ReadBool(const std::string& section, const std::string& key,
                           bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool TMemIniFile::SectionExists(const std::string& section) const {
    return FindSection(section) != nullptr;
}

bool TMemIniFile::ValueExists(const std::string& section, const std::string& key) const {
    return FindEntry(section, key) != nullptr;
}

void TMemIniFile::ReadSection(const std::string& section, TStringList& keys) const {
    keys.Clear();
    if (const Section* s = FindSection(section)) {
        for (const Line& l : s->lines) {
            if (l.isEntry) keys.Add(std::string(l.key));
        }
    }
}

void TMemIniFile::ReadSections(TStringList& sections) const {
    sections.Clear();
    for (const Section& s : sections_) sections.Add(std::string(s.name));
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStringList& lines) const {
    lines.Clear();
    if (const Section* s = FindSection(section)) {
        for (const Line& l : s->lines) {
            lines.Add(l.isEntry ? std::string(l.key) + "=" + std::string(l.value)
                                : std::string(l.key));
        }
    }
}

void TMemIniFile::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) {
    auto it = sectionIndex_.find(section);
    Section& s = it == sectionIndex_.end() ? AddSection(Keep(section)) : sections_[it->second];
    auto k = s.keys.find(key);
    if (k != s.keys.end()) {
        s.lines[k->second].value = Keep(value);
    } else {
        AddLine(s, Line{Keep(key), Keep(value), true});
    }
}

void TMemIniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TMemIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TMemIniFile::EraseSection(const std::string& section) {
    auto it = sectionIndex_.find(section);
    if (it == sectionIndex_.end()) return;
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
    ReindexSections();
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& key) {
    auto it = sectionIndex_.find(section);
    if (it == sectionIndex_.end()) return;
    Section& s = sections_[it->second];
    auto k = s.keys.find(key);
    if (k == s.keys.end()) return;
    s.lines.erase(s.lines.begin() + static_cast<std::ptrdiff_t>(k->second));
    ReindexKeys(s);
}
