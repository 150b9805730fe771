#include "ui/SettingsStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "base/Exceptions.h"

namespace fs = std::filesystem;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "pb_settings_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root_ = tmpl;
        dir_ = (fs::path(root_) / "sub" / "puzzlebin").string();  // created on first write
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string FileText(const std::string& name = "settings.ini") const {
        std::ifstream f(fs::path(dir_) / name, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    void PutFile(const std::string& bytes) const {
        fs::create_directories(dir_);
        std::ofstream(fs::path(dir_) / "settings.ini", std::ios::binary) << bytes;
    }

    std::string root_;
    std::string dir_;
};

TEST_F(SettingsStoreTest, ValuesRoundTripIncludingAwkwardBytes) {
    TSettingsStore store(dir_);
    EXPECT_EQ(store.ReadString("Software\\Puzzlebin", "x", "dflt"), "dflt");  // no folder yet
    const std::string awkward[] = {"",
                                   "plain value",
                                   "  padded  ",
                                   "\"quoted\"",
                                   "a\r\nb\tc\\d",
                                   std::string("nul\0byte", 8),
                                   "\xE6\x88\x91 8-bit \xFF",
                                   "=;[x]"};
    int i = 0;
    for (const std::string& v : awkward)
        store.WriteString("\\Software\\Puzzlebin\\", "v" + std::to_string(i++), v);
    i = 0;
    for (const std::string& v : awkward) {
        EXPECT_EQ(store.ReadString("software\\puzzlebin", "V" + std::to_string(i++), "dflt"), v);
    }
    store.WriteInteger("Software\\Puzzlebin", "n", -42);
    EXPECT_EQ(store.ReadInteger("Software\\Puzzlebin", "n", 0), -42);
    EXPECT_EQ(store.ReadInteger("Software\\Puzzlebin", "v1", 7), 7);  // not an integer
    EXPECT_EQ(store.ReadInteger("Software\\Puzzlebin", "missing", 7), 7);
    store.WriteString("Software\\Puzzlebin", "n", "1");  // overwrite in place
    EXPECT_EQ(store.ReadInteger("Software\\Puzzlebin", "n", 0), 1);
    // Nothing but the file and the lock file is left in the folder.
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"settings.ini", "settings.lock"}));
}

TEST_F(SettingsStoreTest, ValuesOfOtherWritersSurvive) {
    TSettingsStore a(dir_);
    TSettingsStore b(dir_);
    a.WriteString("K", "fromA", "1");
    b.WriteString("K", "fromB", "2");
    // Someone edits the file by hand between our writes.
    PutFile(FileText() + "[Other\\Key]\nhand = made\n");
    a.WriteString("K", "fromA", "3");
    EXPECT_EQ(b.ReadString("K", "fromA", ""), "3");
    EXPECT_EQ(a.ReadString("K", "fromB", ""), "2");
    EXPECT_EQ(a.ReadString("Other\\Key", "hand", ""), "made");
}

TEST_F(SettingsStoreTest, DamagedFileReadsAsEmptyAndIsKeptAsBadCopy) {
    const std::string cases[] = {
        std::string("[K]\nv=1\n\0garbage", 17),  // a NUL byte
        "[K]\nv=1\nno equals sign here\n",       // a line that is not an entry
        "v=1\n[K]\n",                            // an entry outside any section
        "[K]\nv=\"unterminated\n",               // a broken quoted value
    };
    for (const std::string& damaged : cases) {
        PutFile(damaged);
        TSettingsStore store(dir_);
        EXPECT_EQ(store.ReadString("K", "v", "dflt"), "dflt");
        EXPECT_FALSE(store.ValueExists("K", "v"));
        store.WriteString("K", "w", "new");
        EXPECT_EQ(FileText("settings.ini.bad"), damaged);
        EXPECT_EQ(store.ReadString("K", "w", ""), "new");
        EXPECT_EQ(store.ReadString("K", "v", "dflt"), "dflt");
    }
}

TEST_F(SettingsStoreTest, DeletingValuesAndKeyTrees) {
    TSettingsStore store(dir_);
    store.WriteString("Main", "a", "1");
    store.WriteString("Main", "b", "2");
    store.WriteString("Main\\Sub", "c", "3");
    store.WriteString("MainX", "d", "4");
    store.DeleteValue("Main", "A");
    EXPECT_FALSE(store.ValueExists("Main", "a"));
    EXPECT_TRUE(store.ValueExists("Main", "b"));
    store.DeleteKey("main");
    EXPECT_FALSE(store.ValueExists("Main", "b"));
    EXPECT_FALSE(store.ValueExists("Main\\Sub", "c"));
    EXPECT_EQ(store.ReadString("MainX", "d", ""), "4");
}

TEST_F(SettingsStoreTest, UnusableNamesAreRejected) {
    TSettingsStore store(dir_);
    EXPECT_THROW(store.WriteString("K", "a=b", "1"), EInvalidOperation);
    EXPECT_THROW(store.WriteString("K", "a\nb", "1"), EInvalidOperation);
    EXPECT_THROW(store.WriteString("K", "", "1"), EInvalidOperation);
    EXPECT_THROW(store.WriteString("K", "   ", "1"), EInvalidOperation);
    EXPECT_THROW(store.WriteString("K]x", "a", "1"), EInvalidOperation);
    EXPECT_THROW(store.WriteString("\\\\", "a", "1"), EInvalidOperation);
    EXPECT_EQ(store.ReadString("K", "a=b", "d"), "d");
    EXPECT_FALSE(fs::exists(fs::path(dir_) / "settings.ini"));
}

TEST_F(SettingsStoreTest, NamesWithBlanksOrCommentMarksAreStoredQuotedAndListed) {
    TSettingsStore store(dir_);
    const std::string names[] = {" Puzzlebin WebPane (+http://x/)",
                                 ";semi",
                                 "[bracket",
                                 "\"quoted\"",
                                 "tail ",
                                 "back\\slash \"mid\""};
    int i = 0;
    for (const std::string& n : names)
        store.WriteString("UA\\Post Platform", n, std::to_string(i++));
    store.WriteString("UA\\Post Platform", "plain", "p");
    i = 0;
    for (const std::string& n : names) {
        EXPECT_TRUE(store.ValueExists("UA\\Post Platform", n)) << n;
        EXPECT_EQ(store.ReadString("UA\\Post Platform", n, "?"), std::to_string(i++)) << n;
    }
    EXPECT_FALSE(store.ValueExists("UA\\Post Platform", "Puzzlebin WebPane (+http://x/)"))
        << "blanks count";
    std::vector<std::string> expected(std::begin(names), std::end(names));
    expected.push_back("plain");
    EXPECT_EQ(store.ValueNames("UA\\Post Platform"), expected);
    store.DeleteValue("UA\\Post Platform", names[0]);
    EXPECT_FALSE(store.ValueExists("UA\\Post Platform", names[0]));
    EXPECT_EQ(store.ValueNames("UA\\Post Platform").size(), expected.size() - 1);
    EXPECT_TRUE(store.ValueNames("Missing").empty());
}

TEST_F(SettingsStoreTest, RenamingAKeyMovesItsValuesAndSubkeysAndReplacesTheTarget) {
    TSettingsStore store(dir_);
    store.WriteString("Nav\\.Current", "Sound", "click.wav");
    store.WriteString("Nav\\.Current\\Sub", "x", "1");
    store.WriteString("Nav\\Old_Current", "Stale", "gone");
    store.WriteString("Nav\\.CurrentX", "y", "kept");  // a sibling with the same prefix
    store.RenameKey("Nav\\.Current", "Nav\\Old_Current");
    EXPECT_FALSE(store.KeyExists("Nav\\.Current"));
    EXPECT_FALSE(store.KeyExists("Nav\\.Current\\Sub"));
    EXPECT_EQ(store.ReadString("Nav\\Old_Current", "Sound", "?"), "click.wav");
    EXPECT_EQ(store.ReadString("Nav\\Old_Current\\Sub", "x", "?"), "1");
    EXPECT_FALSE(store.ValueExists("Nav\\Old_Current", "Stale"));
    EXPECT_EQ(store.ReadString("Nav\\.CurrentX", "y", "?"), "kept");
    store.RenameKey("Nav\\Missing", "Nav\\Other");
    EXPECT_FALSE(store.KeyExists("Nav\\Other"));
    EXPECT_THROW(store.RenameKey("Nav", "Nav\\Inner"), EInvalidOperation);
    EXPECT_THROW(store.RenameKey("Nav\\Inner", "nav"), EInvalidOperation);
}

TEST_F(SettingsStoreTest, QuotedValueDecodingRejectsMalformedEscapes) {
    EXPECT_EQ(TSettingsStore::DecodeValue("\"a\\x41\\\"\""), std::optional<std::string>("aA\""));
    EXPECT_EQ(TSettingsStore::DecodeValue("plain \"inner\""),
              std::optional<std::string>("plain \"inner\""));
    for (const char* bad :
         {"\"", "\"abc", "\"a\\\"", "\"\\q\"", "\"\\x4\"", "\"\\xZZ\"", "\"a\"b\""}) {
        EXPECT_FALSE(TSettingsStore::DecodeValue(bad).has_value()) << bad;
    }
}

TEST_F(SettingsStoreTest, DefaultDirectoryFollowsXdgConfigHome) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", "/x/cfg", 1);
    EXPECT_EQ(TSettingsStore::DefaultDirectory(), "/x/cfg/puzzlebin");
    ::setenv("XDG_CONFIG_HOME", "relative/cfg", 1);  // not absolute: ignored
    const char* home = std::getenv("HOME");
    if (home && home[0]) {
        EXPECT_EQ(TSettingsStore::DefaultDirectory(), std::string(home) + "/.config/puzzlebin");
    }
    if (old) {
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
}

}  // namespace
