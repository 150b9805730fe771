// An INI text held in memory. Parsing rules:
// - every line is trimmed of leading and trailing bytes <= 0x20 (blanks and control bytes);
//   empty lines and lines beginning with ";" are dropped;
// - "[name]" opens a section named by the trimmed text between the brackets; lines before
//   the first section are dropped;
// - any other line with "=" is an entry: key = trimmed text before the first "=", value =
//   trimmed text after it; a line without "=" is kept but is never found by key;
// - section names and keys are matched without regard to ASCII letter case; values are kept
//   byte for byte (8-bit text stays as it is).
// When a section name or a key occurs twice, the first occurrence is the one found; the
// later one is kept (it is written back by GetStrings) but never read.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TStringList;

// Converts an INI integer: optional sign, then decimal digits, or "0x"/"0X"/"$" and hex
// digits. Decimal must fit a signed 32-bit integer; hex may use all 32 bits (so "$FFFFFFFF"
// is -1). Anything else (empty text, blanks, trailing junk, overflow) fails.
bool TryParseIniInteger(std::string_view text, int32_t& out);

class TMemIniFile {
public:
    TMemIniFile() = default;
    TMemIniFile(const TMemIniFile& other);
    TMemIniFile& operator=(const TMemIniFile& other);
    TMemIniFile(TMemIniFile&&) noexcept = default;
    TMemIniFile& operator=(TMemIniFile&&) noexcept = default;
    ~TMemIniFile() = default;
    // Loads the file when it exists (an absent file gives an empty INI); the name is kept for
    // UpdateFile.
    explicit TMemIniFile(const std::string& fileName);

    [[nodiscard]] const std::string& FileName() const { return fileName_; }
    // Replaces the contents with the parsed text.
    void SetText(std::string_view text);
    void SetStrings(const TStringList& lines);
    // Sections as "[name]", their lines as "key=value" (or the kept text), and an empty line
    // after each section.
    void GetStrings(TStringList& lines) const;
    // Raises EFOpenError when the file cannot be read.
    void LoadFromFile(const std::string& fileName);
    // Writes GetStrings to FileName().
    void UpdateFile() const;
    void Clear();

    [[nodiscard]] std::string ReadString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const;
    // A value that does not convert (see TryParseIniInteger), also the empty value, gives
    // the default.
    [[nodiscard]] int32_t ReadInteger(const std::string& section, const std::string& key,
                                      int32_t defaultValue) const;
    // ReadInteger(section, key, defaultValue ? 1 : 0) != 0: "2" and "-1" are true, "true"
    // and the empty value give the default. (Readers that want "only 1 is true" use
    // ReadInteger(..., 0) == 1 themselves.)
    [[nodiscard]] bool ReadBool(const std::string& section, const std::string& key,
                                bool defaultValue) const;

    [[nodiscard]] bool SectionExists(const std::string& section) const;
    [[nodiscard]] bool ValueExists(const std::string& section, const std::string& key) const;
    // Keys of the section's entries, in order (lines without "=" are left out).
    void ReadSection(const std::string& section, TStringList& keys) const;
    void ReadSections(TStringList& sections) const;
    // The section's lines as "key=value" (and the kept lines without "=").
    void ReadSectionValues(const std::string& section, TStringList& lines) const;

    // Updates the first entry with the key or appends one; creates the section at the end
    // when it does not exist.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& key);

private:
    // Names and values are views into storage that never moves: the parsed text and the
    // strings written later. This keeps parsing free of per-line allocations.
    struct CiHash {
        size_t operator()(std::string_view s) const noexcept;
    };
    struct CiEqual {
        bool operator()(std::string_view a, std::string_view b) const noexcept;
    };
    using Index = std::unordered_map<std::string_view, size_t, CiHash, CiEqual>;

    struct Line {
        std::string_view key;  // the entry's key, or the whole text of a line without "="
        std::string_view value;
        bool isEntry = false;
    };
    struct Section {
        std::string_view name;
        std::vector<Line> lines;
        Index keys;  // first entry of each key
    };

    [[nodiscard]] const Section* FindSection(std::string_view name) const;
    [[nodiscard]] const Line* FindEntry(std::string_view section, std::string_view key) const;
    Section& AddSection(std::string_view name);
    static void AddLine(Section& section, Line line);
    static void ReindexKeys(Section& section);
    void ReindexSections();
    std::string_view Keep(std::string_view text);

    std::string fileName_;
    std::unique_ptr<std::string> text_;  // the parsed text
    std::deque<std::string> written_;    // names and values added later (a deque keeps addresses)
    std::vector<Section> sections_;
    Index sectionIndex_;  // first section of each name
};
