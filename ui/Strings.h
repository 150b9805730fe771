// A list of text lines with the framework's text conventions: lines are written with CR LF
// line breaks, and reading accepts CR LF, CR or LF. Texts are byte strings kept as they are
// (8-bit or UTF-8 alike).
#pragma once

#include <string>
#include <vector>

class TStream;

class TStringList {
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> lines) : lines_(lines) {}

    [[nodiscard]] int Count() const { return static_cast<int>(lines_.size()); }
    // Index checks raise EListError "List index out of bounds (i)".
    [[nodiscard]] const std::string& Strings(int index) const;
    void SetStrings(int index, const std::string& s);
    int Add(const std::string& s);
    void Insert(int index, const std::string& s);  // index may equal Count()
    void Delete(int index);
    void Clear() { lines_.clear(); }
    void Assign(const TStringList& other) { lines_ = other.lines_; }
    // First index whose text equals s, compared without regard to ASCII letter case; -1 if none.
    [[nodiscard]] int IndexOf(const std::string& s) const;

    // Every line followed by CR LF.
    [[nodiscard]] std::string Text() const;
    // Splits at CR LF, CR or LF; a break at the very end does not start another line.
    void SetText(const std::string& text);

    // Reads from the stream's position to its end, replacing the list.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void SaveToStream(TStream& stream) const;
    void SaveToFile(const std::string& fileName) const;

    // "name=value" lines. Names are compared without regard to ASCII letter case; a line
    // without "=" has the empty name.
    [[nodiscard]] std::string Names(int index) const;
    [[nodiscard]] std::string ValueFromIndex(int index) const;
    [[nodiscard]] int IndexOfName(const std::string& name) const;
    // The value of the first line with that name; empty when there is none.
    [[nodiscard]] std::string Values(const std::string& name) const;
    // Replaces the first line with that name or appends one; an empty value deletes it.
    void SetValue(const std::string& name, const std::string& value);

    [[nodiscard]] const std::vector<std::string>& Lines() const { return lines_; }
    [[nodiscard]] auto begin() const { return lines_.begin(); }
    [[nodiscard]] auto end() const { return lines_.end(); }
    bool operator==(const TStringList& other) const = default;

private:
    void CheckIndex(int index, size_t limit) const;

    std::vector<std::string> lines_;
};
