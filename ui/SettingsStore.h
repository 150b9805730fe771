// The program's small key/value store for per-user settings: one INI file,
// <directory>/settings.ini, with a section per key path ("[Software\Puzzlebin\Main]") and
// name=value entries.
//
// - Reads look at the file as it is now, so values written by other processes are seen.
// - A write locks the folder's lock file, re-reads the file, changes the one value and
//   replaces the file atomically (temporary file in the same folder, fsync, rename), so the
//   values of other writers survive and a crash leaves either the old or the new file.
// - A file that cannot be read or is not well-formed counts as empty for reading; the next
//   write first renames it to settings.ini.bad, so it is never silently destroyed.
// - Values are byte strings; values that would not survive the INI syntax (surrounding
//   blanks, control characters, a leading quote) are written quoted with backslash escapes.
//   Key paths must be plain: no control characters, no "]", no surrounding blanks. Names
//   must have no control characters and no "="; names with surrounding blanks (or that
//   would read as a comment or a quoted text) are stored quoted. Others raise
//   EInvalidOperation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TMemIniFile;

class TSettingsStore {
public:
    // $XDG_CONFIG_HOME/puzzlebin, or ~/.config/puzzlebin.
    TSettingsStore();
    explicit TSettingsStore(std::string directory);

    [[nodiscard]] static std::string DefaultDirectory();
    [[nodiscard]] const std::string& Directory() const { return directory_; }
    [[nodiscard]] std::string FileName() const;

    [[nodiscard]] std::string ReadString(const std::string& keyPath, const std::string& name,
                                         const std::string& defaultValue) const;
    // A value that is not an integer gives the default.
    [[nodiscard]] int32_t ReadInteger(const std::string& keyPath, const std::string& name,
                                      int32_t defaultValue) const;
    [[nodiscard]] bool ValueExists(const std::string& keyPath, const std::string& name) const;
    [[nodiscard]] bool KeyExists(const std::string& keyPath) const;
    // The names of the key's values, in file order.
    [[nodiscard]] std::vector<std::string> ValueNames(const std::string& keyPath) const;

    // Failures to write raise EWriteError / EFCreateError with the reason.
    void WriteString(const std::string& keyPath, const std::string& name, const std::string& value);
    void WriteInteger(const std::string& keyPath, const std::string& name, int32_t value);
    void DeleteValue(const std::string& keyPath, const std::string& name);
    // Removes the key path and every key path below it.
    void DeleteKey(const std::string& keyPath);
    // Moves a key and every key below it to a new path, replacing what was there; a key
    // that does not exist, or holds no values, moves nothing. A path inside the other raises
    // EInvalidOperation.
    void RenameKey(const std::string& fromPath, const std::string& toPath);

    // Exposed for tests: the quoting of values.
    [[nodiscard]] static std::string EncodeValue(const std::string& value);
    [[nodiscard]] static std::optional<std::string> DecodeValue(const std::string& stored);

private:
    // Reads the file; nullopt when it exists but is unreadable or damaged.
    [[nodiscard]] std::optional<std::string> LoadText(bool& exists) const;
    [[nodiscard]] bool LoadIni(TMemIniFile& ini) const;
    template <class Change>
    void Modify(Change change);

    std::string directory_;
};
