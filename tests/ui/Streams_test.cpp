#include "ui/Streams.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "base/Exceptions.h"

namespace {

TEST(MemoryStream, SeekOriginsAndReadsStopAtTheEnd) {
    TMemoryStream s;
    const char text[] = "abcdef";
    EXPECT_EQ(s.Write(text, 6), 6);
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Seek(-2, soFromEnd), 4);
    EXPECT_EQ(s.Seek(-1, soFromCurrent), 3);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 3);  // only what is left
    EXPECT_EQ(std::string(buf, 3), "def");
    EXPECT_EQ(s.Read(buf, 8), 0);
    // Seeking before the start clamps to 0; writing past the end zero-fills the gap.
    EXPECT_EQ(s.Seek(-100, soFromCurrent), 0);
    s.Seek(8, soFromBeginning);
    EXPECT_EQ(s.Write("z", 1), 1);
    ASSERT_EQ(s.Size(), 9);
    EXPECT_EQ(s.Memory()[6], 0);
    EXPECT_EQ(s.Memory()[8], 'z');
    // Shrinking pulls the position back inside.
    s.SetSize(2);
    EXPECT_EQ(s.Position(), 2);
}

TEST(MemoryStream, WholeReadsAndWritesRaiseOnShortTransfers) {
    TMemoryStream s;
    s.WriteBuffer("abc", 3);
    s.SetPosition(1);
    char buf[4];
    EXPECT_THROW(s.ReadBuffer(buf, 4), EReadError);
    s.SetPosition(0);
    EXPECT_NO_THROW(s.ReadBuffer(buf, 3));
    EXPECT_NO_THROW(s.ReadBuffer(buf, 0));
}

TEST(MemoryStream, CopyFromWithZeroCountCopiesTheWholeSourceFromItsStart) {
    TMemoryStream source, dest;
    source.WriteBuffer("hello", 5);  // position now at the end
    dest.WriteBuffer(">", 1);
    EXPECT_EQ(dest.CopyFrom(source, 0), 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dest.Memory()), 6), ">hello");
    source.SetPosition(1);
    EXPECT_EQ(dest.CopyFrom(source, 3), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dest.Memory()), 9), ">helloell");
    source.SetPosition(4);
    EXPECT_THROW(dest.CopyFrom(source, 3), EReadError);
}

TEST(FileStream, CreatesReadsAndReportsFilesItCannotOpen) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("pb_streams_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "data.bin").string();
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer("0123456789", 10);
        EXPECT_EQ(f.Size(), 10);
        f.SetSize(4);
        EXPECT_EQ(f.Size(), 4);
    }
    {
        TFileStream f(path, fmOpenRead);
        EXPECT_EQ(f.Seek(-1, soFromEnd), 3);
        char c = 0;
        f.ReadBuffer(&c, 1);
        EXPECT_EQ(c, '3');
    }
    TMemoryStream m;
    m.LoadFromFile(path);
    EXPECT_EQ(m.Size(), 4);
    m.SaveToFile((dir / "copy.bin").string());
    EXPECT_EQ(ReadFileBytes((dir / "copy.bin").string()), m.Bytes());

    try {
        TFileStream missing((dir / "missing.bin").string(), fmOpenRead);
        FAIL() << "opening a missing file succeeded";
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.bin"), std::string::npos);
    }
    EXPECT_THROW(TFileStream((dir / "no/such/dir/x").string(), fmCreate), EFCreateError);
    std::filesystem::remove_all(dir);
}

}  // namespace
