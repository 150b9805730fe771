#include "ui/Strings.h"

#include <algorithm>
#include <limits>

#include "base/AsciiText.h"
#include "base/Exceptions.h"
#include "ui/Streams.h"

void TStringList::CheckIndex(int index, size_t limit) const {
    if (index < 0 || static_cast<size_t>(index) >= limit) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
}

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index, lines_.size());
    return lines_[static_cast<size_t>(index)];
}

void TStringList::SetStrings(int index, const std::string& s) {
    CheckIndex(index, lines_.size());
    lines_[static_cast<size_t>(index)] = s;
}

int TStringList::Add(const std::string& s) {
    lines_.push_back(s);
    return Count() - 1;
}

void TStringList::Insert(int index, const std::string& s) {
    CheckIndex(index, lines_.size() + 1);
    lines_.insert(lines_.begin() + index, s);
}

void TStringList::Delete(int index) {
    CheckIndex(index, lines_.size());
    lines_.erase(lines_.begin() + index);
}

int TStringList::IndexOf(const std::string& s) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (SameTextAscii(lines_[i], s)) return static_cast<int>(i);
    }
    return -1;
}

std::string TStringList::Text() const {
    size_t total = 0;
    for (const auto& l : lines_) total += l.size() + 2;
    std::string out;
    out.reserve(total);
    for (const auto& l : lines_) {
        out += l;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(const std::string& text) {
    lines_.clear();
    size_t start = 0;
    const size_t n = text.size();
    while (start < n) {
        size_t i = start;
        while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
        lines_.emplace_back(text, start, i - start);
        if (i < n) {
            // CR LF counts as one break; a CR or an LF alone is a break as well.
            if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
            ++i;
        }
        start = i;
    }
}

void TStringList::LoadFromStream(TStream& stream) {
    std::string text;
    char buffer[65536];
    for (;;) {
        const int32_t n = stream.Read(buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    SetText(text);
}

void TStringList::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TStringList::SaveToStream(TStream& stream) const {
    const std::string text = Text();
    size_t done = 0;
    while (done < text.size()) {
        const size_t chunk =
            std::min<size_t>(text.size() - done, std::numeric_limits<int32_t>::max());
        stream.WriteBuffer(text.data() + done, static_cast<int32_t>(chunk));
        done += chunk;
    }
}

void TStringList::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

std::string TStringList::Names(int index) const {
    const std::string& s = Strings(index);
    const size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStringList::ValueFromIndex(int index) const {
    const std::string& s = Strings(index);
    const size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

int TStringList::IndexOfName(const std::string& name) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const size_t eq = lines_[i].find('=');
        if (eq != std::string::npos && eq == name.size() &&
            SameTextAscii(lines_[i].substr(0, eq), name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string TStringList::Values(const std::string& name) const {
    const int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStringList::SetValue(const std::string& name, const std::string& value) {
    const int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) Delete(i);
    } else if (i >= 0) {
        lines_[static_cast<size_t>(i)] = name + "=" + value;
    } else {
        Add(name + "=" + value);
    }
}
