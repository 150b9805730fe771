#include "ui/SettingsStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/AsciiText.h"
#include "base/Exceptions.h"
#include "ui/IniFile.h"
#include "ui/Strings.h"

namespace {

constexpr size_t kMaxFileBytes = 16u << 20;  // a settings file beyond this is not ours
const char* const kFileName = "settings.ini";

std::string ErrnoText() { return std::strerror(errno); }

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool PlainText(std::string_view s) {
    if (s.empty() || IsBlankAscii(s.front()) || IsBlankAscii(s.back())) {
        return false;
    }
    if (s.front() == ';' || s.front() == '[') return false;
    for (char c : s) {
        if (IsControl(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// Key paths are written without surrounding backslashes; nullopt when unusable.
std::optional<std::string> NormalizePath(const std::string& keyPath) {
    size_t b = 0;
    size_t e = keyPath.size();
    while (b < e && keyPath[b] == '\\') ++b;
    while (e > b && keyPath[e - 1] == '\\') --e;
    std::string path = keyPath.substr(b, e - b);
    if (!PlainText(path) || path.find(']') != std::string::npos) return std::nullopt;
    return path;
}

// Names may have surrounding blanks (user-agent tokens do); such names are stored quoted.
bool ValidName(const std::string& name) {
    if (TrimBlanks(name).empty() || name.find('=') != std::string::npos) return false;
    for (char c : name) {
        if (IsControl(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// The name as the file writes it.
std::string StoredName(const std::string& name) {
    if (PlainText(name) && name.front() != '"') return name;
    std::string out = "\"";
    for (char c : name) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + '"';
}

std::string CheckedPath(const std::string& keyPath) {
    auto path = NormalizePath(keyPath);
    if (!path) throw EInvalidOperation("Invalid settings key path '" + keyPath + "'");
    return *path;
}

void CheckName(const std::string& name) {
    if (!ValidName(name)) throw EInvalidOperation("Invalid settings value name '" + name + "'");
}

// The file must consist of sections with entries only, and quoted values must decode;
// anything else means someone else's or a broken file.
bool WellFormed(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) return false;
    bool inSection = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        const std::string_view line = TrimBlanks(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        start = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            inSection = true;
            continue;
        }
        const size_t eq = line.find('=');
        if (!inSection || eq == std::string_view::npos) return false;
        const std::string value(TrimBlanks(line.substr(eq + 1)));
        if (!TSettingsStore::DecodeValue(value)) return false;
    }
    return true;
}

void MakeDirectories(const std::string& dir) {
    std::string partial;
    size_t pos = 0;
    while (pos <= dir.size()) {
        const size_t slash = dir.find('/', pos);
        const size_t end = slash == std::string::npos ? dir.size() : slash;
        partial = dir.substr(0, end);
        if (!partial.empty() && ::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            throw EFCreateError("Cannot create folder " + partial + ": " + ErrnoText());
        }
        if (slash == std::string::npos) break;
        pos = slash + 1;
    }
}

// Closes a descriptor on scope exit (and so releases a flock held on it).
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

void WriteAll(int fd, const std::string& text, const std::string& fileName) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw EWriteError("Cannot write " + fileName + ": " + ErrnoText());
        done += static_cast<size_t>(n);
    }
}

}  // namespace

TSettingsStore::TSettingsStore() : TSettingsStore(DefaultDirectory()) {}

TSettingsStore::TSettingsStore(std::string directory) : directory_(std::move(directory)) {}

std::string TSettingsStore::DefaultDirectory() {
    // Relative XDG paths are invalid and ignored.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/puzzlebin";
    const char* home = std::getenv("HOME");
    std::string base = (home && home[0]) ? home : "";
    if (base.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) base = pw->pw_dir;
    }
    return base + "/.config/puzzlebin";
}

std::string TSettingsStore::FileName() const { return directory_ + "/" + kFileName; }

std::string TSettingsStore::EncodeValue(const std::string& value) {
    bool quote = !value.empty() && (IsBlankAscii(value.front()) || IsBlankAscii(value.back()) ||
                                    value.front() == '"');
    for (char c : value) quote = quote || IsControl(static_cast<unsigned char>(c));
    if (!quote) return value;
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (IsControl(c)) {
                    out += "\\x";
                    out += kHex[c >> 4];
                    out += kHex[c & 15];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

std::optional<std::string> TSettingsStore::DecodeValue(const std::string& stored) {
    if (stored.empty() || stored.front() != '"') return stored;
    if (stored.size() < 2 || stored.back() != '"') return std::nullopt;
    std::string out;
    for (size_t i = 1; i + 1 < stored.size(); ++i) {
        const char c = stored[i];
        if (c == '"') return std::nullopt;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i + 2 >= stored.size()) return std::nullopt;  // the escape would eat the closing quote
        const char e = stored[++i];
        switch (e) {
            case '\\':
                out += '\\';
                break;
            case '"':
                out += '"';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'x': {
                if (i + 3 >= stored.size()) return std::nullopt;
                auto hex = [](char h) {
                    if (h >= '0' && h <= '9') return h - '0';
                    if (h >= 'A' && h <= 'F') return h - 'A' + 10;
                    if (h >= 'a' && h <= 'f') return h - 'a' + 10;
                    return -1;
                };
                const int hi = hex(stored[i + 1]);
                const int lo = hex(stored[i + 2]);
                if (hi < 0 || lo < 0) return std::nullopt;
                out += static_cast<char>(hi << 4 | lo);
                i += 2;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return out;
}

std::optional<std::string> TSettingsStore::LoadText(bool& exists) const {
    exists = false;
    Fd f{::open(FileName().c_str(), O_RDONLY | O_CLOEXEC)};
    if (f.fd < 0) {
        if (errno == ENOENT) return std::string();
        exists = true;
        return std::nullopt;
    }
    exists = true;
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(f.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;  // also a folder in the file's place
        if (n == 0) break;
        text.append(buffer, static_cast<size_t>(n));
        if (text.size() > kMaxFileBytes) return std::nullopt;
    }
    if (!WellFormed(text)) return std::nullopt;
    return text;
}

bool TSettingsStore::LoadIni(TMemIniFile& ini) const {
    bool exists = false;
    const auto text = LoadText(exists);
    if (!text) return false;
    ini.SetText(*text);
    return true;
}

std::string TSettingsStore::ReadString(const std::string& keyPath, const std::string& name,
                                       const std::string& defaultValue) const {
    const auto path = NormalizePath(keyPath);
    if (!path || !ValidName(name)) return defaultValue;
    TMemIniFile ini;
    const std::string stored = StoredName(name);
    if (!LoadIni(ini) || !ini.ValueExists(*path, stored)) return defaultValue;
    return DecodeValue(ini.ReadString(*path, stored, "")).value_or(defaultValue);
}

int32_t TSettingsStore::ReadInteger(const std::string& keyPath, const std::string& name,
                                    int32_t defaultValue) const {
    if (!ValueExists(keyPath, name)) return defaultValue;
    int32_t v = 0;
    return TryParseIniInteger(ReadString(keyPath, name, ""), v) ? v : defaultValue;
}

bool TSettingsStore::ValueExists(const std::string& keyPath, const std::string& name) const {
    const auto path = NormalizePath(keyPath);
    if (!path || !ValidName(name)) return false;
    TMemIniFile ini;
    return LoadIni(ini) && ini.ValueExists(*path, StoredName(name));
}

bool TSettingsStore::KeyExists(const std::string& keyPath) const {
    const auto path = NormalizePath(keyPath);
    TMemIniFile ini;
    return path && LoadIni(ini) && ini.SectionExists(*path);
}

std::vector<std::string> TSettingsStore::ValueNames(const std::string& keyPath) const {
    std::vector<std::string> names;
    const auto path = NormalizePath(keyPath);
    TMemIniFile ini;
    if (!path || !LoadIni(ini)) return names;
    TStringList keys;
    ini.ReadSection(*path, keys);
    for (int i = 0; i < keys.Count(); ++i) {
        const std::string& key = keys.Strings(i);
        if (auto name = key.empty() || key.front() != '"' ? std::optional<std::string>(key)
                                                          : DecodeValue(key)) {
            if (std::find(names.begin(), names.end(), *name) == names.end()) names.push_back(*name);
        }
    }
    return names;
}

template <class Change>
void TSettingsStore::Modify(Change change) {
    MakeDirectories(directory_);
    Fd lock{::open((directory_ + "/settings.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)};
    if (lock.fd < 0)
        throw EFCreateError("Cannot lock the settings in " + directory_ + ": " + ErrnoText());
    while (::flock(lock.fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            throw EWriteError("Cannot lock the settings in " + directory_ + ": " + ErrnoText());
    }

    const std::string fileName = FileName();
    bool exists = false;
    const auto text = LoadText(exists);
    TMemIniFile ini;
    if (text) {
        ini.SetText(*text);
    } else if (exists) {
        // Keep the damaged file for inspection instead of overwriting it.
        if (::rename(fileName.c_str(), (fileName + ".bad").c_str()) != 0 && errno != ENOENT) {
            throw EWriteError("Cannot keep the damaged settings file " + fileName + ": " +
                              ErrnoText());
        }
    }
    change(ini);

    TStringList lines;
    ini.GetStrings(lines);
    std::string out;
    for (const std::string& l : lines) {
        out += l;
        out += '\n';
    }

    std::string tempName = fileName + ".XXXXXX";
    Fd temp{::mkstemp(tempName.data())};
    if (temp.fd < 0)
        throw EFCreateError("Cannot create a file in " + directory_ + ": " + ErrnoText());
    try {
        WriteAll(temp.fd, out, tempName);
        if (::fsync(temp.fd) != 0)
            throw EWriteError("Cannot write " + tempName + ": " + ErrnoText());
        if (::close(temp.fd) != 0) {
            temp.fd = -1;
            throw EWriteError("Cannot write " + tempName + ": " + ErrnoText());
        }
        temp.fd = -1;
        if (::rename(tempName.c_str(), fileName.c_str()) != 0) {
            throw EWriteError("Cannot replace " + fileName + ": " + ErrnoText());
        }
    } catch (...) {
        ::unlink(tempName.c_str());
        throw;
    }
    // Make the rename itself durable.
    Fd dir{::open(directory_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0) ::fsync(dir.fd);
}

void TSettingsStore::WriteString(const std::string& keyPath, const std::string& name,
                                 const std::string& value) {
    const std::string path = CheckedPath(keyPath);
    CheckName(name);
    Modify([&](TMemIniFile& ini) { ini.WriteString(path, StoredName(name), EncodeValue(value)); });
}

void TSettingsStore::WriteInteger(const std::string& keyPath, const std::string& name,
                                  int32_t value) {
    WriteString(keyPath, name, std::to_string(value));
}

void TSettingsStore::DeleteValue(const std::string& keyPath, const std::string& name) {
    const std::string path = CheckedPath(keyPath);
    CheckName(name);
    const std::string stored = StoredName(name);
    Modify([&](TMemIniFile& ini) {
        while (ini.ValueExists(path, stored)) ini.DeleteKey(path, stored);
    });
}

void TSettingsStore::DeleteKey(const std::string& keyPath) {
    const std::string path = CheckedPath(keyPath);
    Modify([&](TMemIniFile& ini) {
        TStringList sections;
        ini.ReadSections(sections);
        for (const std::string& s : sections) {
            if (s.size() == path.size() ? StartsWithTextAscii(s, path)
                                        : StartsWithTextAscii(s, path + "\\")) {
                ini.EraseSection(s);
            }
        }
    });
}

void TSettingsStore::RenameKey(const std::string& fromPath, const std::string& toPath) {
    const std::string from = CheckedPath(fromPath);
    const std::string to = CheckedPath(toPath);
    auto below = [](const std::string& s, const std::string& path) {
        return s.size() == path.size() ? StartsWithTextAscii(s, path)
                                       : StartsWithTextAscii(s, path + "\\");
    };
    if (below(from, to) || below(to, from)) {
        throw EInvalidOperation("Cannot rename settings key '" + fromPath + "' to '" + toPath +
                                "'");
    }
    Modify([&](TMemIniFile& ini) {
        TStringList sections;
        ini.ReadSections(sections);
        // The old target goes; the key and everything below it move.
        for (const std::string& s : sections) {
            if (below(s, to)) ini.EraseSection(s);
        }
        for (const std::string& s : sections) {
            if (!below(s, from)) continue;
            TStringList lines;
            ini.ReadSectionValues(s, lines);
            const std::string target = to + s.substr(from.size());
            for (int i = 0; i < lines.Count(); ++i) {
                const std::string& line = lines.Strings(i);
                const size_t eq = line.find('=');
                if (eq != std::string::npos)
                    ini.WriteString(target, line.substr(0, eq), line.substr(eq + 1));
            }
            ini.EraseSection(s);
        }
    });
}
