// The pbskin tool, run as a program: building skins/default, describing the result, taking it
// apart and building it again, and refusing bad input with a message and an exit code.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "ui/Bitmap.h"
#include "ui/Streams.h"
#include "ui/Strings.h"

namespace fs = std::filesystem;

namespace {

#ifdef PB_PBSKIN_PATH

const std::string kSkinFolder = std::string(PB_SOURCE_DIR) + "/skins/default";

struct ToolRun {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};

ToolRun Pbskin(const std::string& arguments) {
    ToolRun run;
    const std::string command = std::string("'") + PB_PBSKIN_PATH + "' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<uint8_t> FileBytes(const fs::path& path) {
    TMemoryStream s;
    s.LoadFromFile(path.string());
    return s.Bytes();
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    TMemoryStream s;
    s.Assign(bytes);
    s.SaveToFile(path.string());
}

class PbskinTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallHeadlessPlatform();
        dir = fs::path(::testing::TempDir()) / ("pbskin_test_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // q() quotes a path for the shell.
    [[nodiscard]] static std::string q(const fs::path& p) { return "'" + p.string() + "'"; }

    fs::path dir;
};

TEST_F(PbskinTest, BuildsTheDefaultSkinAndDescribesIt) {
    const fs::path skin = dir / "default.skin";
    const ToolRun build = Pbskin("build " + q(kSkinFolder + "/skin.ini") + " " + q(skin));
    ASSERT_EQ(build.exitCode, 0) << build.output;
    const std::vector<uint8_t> bytes = FileBytes(skin);
    ASSERT_GT(bytes.size(), 10u);
    EXPECT_EQ(bytes[0], 1);  // format value 1, then the length, then the zlib stream
    EXPECT_EQ(bytes[8], 0x78);
    EXPECT_EQ(bytes[9], 0xDA);

    const ToolRun info = Pbskin("info " + q(skin));
    EXPECT_EQ(info.exitCode, 0) << info.output;
    for (const char* text : {"compressed skin file", "Puzzlebin Slate", "SKINOBJECTS: 13 entries",
                             "SKINCONTROLS: 61 entries", "main picture: 204 x 200, 8 bpp",
                             "active 5: 51 x 23, 1 bpp", "0 problem(s)"}) {
        EXPECT_NE(info.output.find(text), std::string::npos) << "missing \"" << text << "\" in:\n"
                                                             << info.output;
    }
}

TEST_F(PbskinTest, UnpackGivesTheSameTextAndBitmapsAndRebuildsTheSameFile) {
    const fs::path skin = dir / "a.skin", out = dir / "unpacked", again = dir / "b.skin";
    ASSERT_EQ(Pbskin("build " + q(kSkinFolder + "/skin.ini") + " " + q(skin)).exitCode, 0);
    fs::create_directories(out);
    const ToolRun unpack = Pbskin("unpack " + q(skin) + " " + q(out));
    ASSERT_EQ(unpack.exitCode, 0) << unpack.output;

    TStringList original, unpacked;
    original.LoadFromFile(kSkinFolder + "/skin.ini");
    unpacked.LoadFromFile((out / "skin.ini").string());
    EXPECT_EQ(unpacked, original);

    // Every picture comes back as the BMP the package stores: the source image written by
    // our bitmap writer.
    int pictures = 0;
    for (const auto& entry : fs::directory_iterator(kSkinFolder)) {
        if (entry.path().extension() != ".bmp") continue;
        ++pictures;
        SCOPED_TRACE(entry.path().filename().string());
        const fs::path back = out / entry.path().filename();
        ASSERT_TRUE(fs::exists(back));
        TBitmap source;
        source.LoadFromFile(entry.path().string());
        TMemoryStream written;
        source.SaveToStream(written);
        EXPECT_EQ(FileBytes(back), written.Bytes());
    }
    EXPECT_EQ(pictures, 8);

    ASSERT_EQ(Pbskin("build " + q(out / "skin.ini") + " " + q(again)).exitCode, 0);
    EXPECT_EQ(FileBytes(again), FileBytes(skin));
}

TEST_F(PbskinTest, BadInputFailsWithAMessage) {
    const fs::path skin = dir / "good.skin";
    ASSERT_EQ(Pbskin("build " + q(kSkinFolder + "/skin.ini") + " " + q(skin)).exitCode, 0);
    const std::vector<uint8_t> good = FileBytes(skin);

    WriteBytes(dir / "garbage", {'g', 'a', 'r', 'b', 'a', 'g', 'e', '\n'});
    std::vector<uint8_t> header = good;
    header[9] = 0xDB;  // fails zlib's header check
    WriteBytes(dir / "header.skin", header);
    WriteBytes(dir / "cut.skin", std::vector<uint8_t>(good.begin(), good.begin() + 5000));
    TStringList noPictures{"[VERSION]", "skinname=x", "[FORMINFO]", "[SKINOBJECTS]",
                           "[SKINCONTROLS]"};
    noPictures.SaveToFile((dir / "nopictures.ini").string());

    struct Case {
        std::string args;
        const char* message;  // nullptr: any "pbskin: ..." line
    };
    const Case cases[] = {
        {"info " + q(dir / "garbage"), "not a skin"},
        {"info " + q(dir / "missing.skin"), "Cannot open file"},
        {"info " + q(dir / "header.skin"), "Damaged compressed data: incorrect header check"},
        {"info " + q(dir / "cut.skin"), "Damaged compressed skin file"},
        {"unpack " + q(dir / "garbage") + " " + q(dir), "not a skin"},
        {"build " + q(dir / "nopictures.ini") + " " + q(dir / "x.skin"),
         "section [PICTURES] is missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const ToolRun run = Pbskin(c.args);
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_EQ(run.output.rfind("pbskin: ", 0), 0u) << run.output;
        if (c.message) {
            EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
        }
    }
    EXPECT_FALSE(fs::exists(dir / "x.skin")) << "a failed build leaves no file";

    for (const char* args : {"", "frobnicate a b", "info"}) {
        const ToolRun run = Pbskin(args);
        EXPECT_EQ(run.exitCode, 2) << args;
        EXPECT_NE(run.output.find("usage: pbskin"), std::string::npos) << args;
    }
}

// info loads the skin as the program does: a skin the program cannot load is never
// reported as having no problems, and the message is the program's.
TEST_F(PbskinTest, InfoReportsWhatTheProgramsLoadRaises) {
    const fs::path folder = dir / "bad";
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(kSkinFolder))
        fs::copy_file(entry.path(), folder / entry.path().filename());
    TStringList lines;
    lines.LoadFromFile((folder / "skin.ini").string());
    for (int i = 0; i < lines.Count(); ++i)
        if (lines.Strings(i).rfind("clientrect=", 0) == 0)
            lines.SetStrings(i, "clientrect=a,b,c,d");
    lines.SaveToFile((folder / "skin.ini").string());
    const fs::path skin = dir / "noclient.skin";
    ASSERT_EQ(Pbskin("build " + q(folder / "skin.ini") + " " + q(skin)).exitCode, 0);
    const ToolRun info = Pbskin("info " + q(skin));
    EXPECT_EQ(info.exitCode, 1) << info.output;
    EXPECT_NE(info.output.find(
                  "problem: the program cannot load this skin: '' is not a valid integer value"),
              std::string::npos)
        << info.output;
    EXPECT_EQ(info.output.find("0 problem(s)"), std::string::npos) << info.output;

    // A zlib stream cut short, in a file whose length agrees: named as damaged compressed
    // data, not as the picture the shortened package ends in.
    const fs::path good = dir / "good.skin";
    ASSERT_EQ(Pbskin("build " + q(kSkinFolder + "/skin.ini") + " " + q(good)).exitCode, 0);
    std::vector<uint8_t> bytes = FileBytes(good);
    bytes.resize(8 + (bytes.size() - 8) / 2);
    const int32_t length = static_cast<int32_t>(bytes.size() - 8);
    for (int i = 0; i < 4; ++i)
        bytes[4 + static_cast<size_t>(i)] = static_cast<uint8_t>(length >> (8 * i));
    WriteBytes(dir / "half.skin", bytes);
    const ToolRun half = Pbskin("info " + q(dir / "half.skin"));
    EXPECT_EQ(half.exitCode, 1);
    EXPECT_EQ(half.output,
              "pbskin: Damaged compressed data: it ends before the end of its stream\n");
}

#endif  // PB_PBSKIN_PATH

}  // namespace
