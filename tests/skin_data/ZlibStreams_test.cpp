#include "skin/data/ZlibStreams.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

std::vector<uint8_t> Sample(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>((i * 7 + i / 300) & 0xFF);
    return v;
}

// Bytes that do not compress (a linear congruential sequence).
std::vector<uint8_t> Noise(size_t n) {
    std::vector<uint8_t> v(n);
    uint32_t x = 12345;
    for (auto& b : v) {
        x = x * 1103515245u + 12345u;
        b = static_cast<uint8_t>(x >> 24);
    }
    return v;
}

std::vector<uint8_t> Compress(const std::vector<uint8_t>& data) {
    TMemoryStream src, dst;
    src.Assign(data);
    CompressWholeStream(src, dst);
    return dst.Bytes();
}

std::vector<uint8_t> Inflate(const std::vector<uint8_t>& block) {
    TMemoryStream src, dst;
    src.Assign(block);
    DecompressWholeStream(dst, src);
    return dst.Bytes();
}

TEST(ZlibStreams, RoundTripAtBestLevelStartsWith78DA) {
    const auto data = Sample(100000);
    const auto block = Compress(data);
    ASSERT_GE(block.size(), 2u);
    EXPECT_EQ(block[0], 0x78);
    EXPECT_EQ(block[1], 0xDA);
    EXPECT_EQ(Inflate(block), data);
}

TEST(ZlibStreams, CompressedBytesAreAppendedAtTheDestinationPosition) {
    TMemoryStream src, dst;
    src.Assign(Sample(10));
    const uint8_t prefix[3] = {1, 2, 3};
    dst.WriteBuffer(prefix, 3);
    CompressWholeStream(src, dst);
    EXPECT_EQ(dst.Bytes()[0], 1);
    EXPECT_EQ(dst.Bytes()[3], 0x78);
}

TEST(ZlibStreams, TruncatedDataGivesAShorterResult) {
    const auto data = Sample(50000);
    auto block = Compress(data);
    block.resize(block.size() / 2);
    const auto out = Inflate(block);
    EXPECT_LT(out.size(), data.size());
    EXPECT_TRUE(std::equal(out.begin(), out.end(), data.begin()));
}

TEST(ZlibStreams, DamagedDataRaisesCompressionError) {
    auto block = Compress(Sample(5000));
    block[0] = 0x12;  // bad header
    try {
        Inflate(block);
        FAIL();
    } catch (const EDecompressionError& e) {
        EXPECT_STREQ(e.what(), "compression error");
    }
}

TEST(ZlibStreams, BytesAfterTheStreamEndReading) {
    const auto data = Sample(3000);
    auto block = Compress(data);
    block.insert(block.end(), 10000, 0xAB);
    EXPECT_EQ(Inflate(block), data);
}

TEST(ZlibStreams, StreamAskingForADictionaryRaisesInsteadOfSpinning) {
    z_stream z{};
    ASSERT_EQ(deflateInit(&z, 9), Z_OK);
    const char dict[] = "dictionary";
    deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(dict), sizeof dict);
    std::vector<uint8_t> in(100, 'a'), out(200);
    z.next_in = in.data();
    z.avail_in = 100;
    z.next_out = out.data();
    z.avail_out = 200;
    ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    deflateEnd(&z);
    EXPECT_THROW(Inflate(out), EDecompressionError);
}

TEST(ZlibStreams, InflateBoundRaises) {
    const auto block = Compress(std::vector<uint8_t>(1 << 20, 0));
    TMemoryStream src, dst;
    src.Assign(block);
    EXPECT_THROW(DecompressWholeStream(dst, src, 4096 * 10), EDecompressionError);
    EXPECT_LE(dst.Size(), 4096 * 10);
}

TEST(ZlibStreams, WrongDirectionAndSeeksRaiseInvalidStreamOperation) {
    TMemoryStream dst;
    {
        TCompressionStream c(zlMax, dst);
        uint8_t b[10] = {};
        c.WriteBuffer(b, 10);
        EXPECT_EQ(c.Seek(0, soFromCurrent), 10);
        EXPECT_THROW(c.Seek(1, soFromCurrent), ECompressionError);
        EXPECT_THROW(c.Seek(0, soFromBeginning), ECompressionError);
        try {
            (void)c.Read(b, 1);
            FAIL();
        } catch (const ECompressionError& e) {
            EXPECT_STREQ(e.what(), "Invalid stream operation");
        }
    }
    TMemoryStream src;
    src.Assign(dst.Bytes());
    TDecompressionStream d(src);
    uint8_t b[4];
    EXPECT_THROW(d.Write(b, 1), EDecompressionError);
    EXPECT_THROW(d.Seek(-1, soFromCurrent), EDecompressionError);
    EXPECT_THROW(d.Seek(0, soFromEnd), EDecompressionError);
}

TEST(ZlibStreams, DecompressionSeekRestartsAndSkips) {
    const auto data = Sample(20000);
    TMemoryStream src;
    src.Assign(Compress(data));
    TDecompressionStream d(src);
    uint8_t b[8];
    ASSERT_EQ(d.Read(b, 8), 8);
    EXPECT_EQ(d.Seek(0, soFromBeginning), 0);
    EXPECT_EQ(d.Seek(9000, soFromBeginning), 9000);
    ASSERT_EQ(d.Read(b, 8), 8);
    EXPECT_EQ(b[0], data[9000]);
    EXPECT_EQ(d.Seek(100, soFromCurrent), 9108);
    EXPECT_THROW(d.Seek(50, soFromBeginning), EDecompressionError);  // backwards
}

TEST(ZlibStreams, ProgressIsCalledPerBlock) {
    const auto data = Sample(200000);
    TMemoryStream src, dst;
    src.Assign(Compress(data));
    int calls = 0;
    TDecompressionStream d(src);
    d.OnProgress = [&](TCustomZlibStream* sender) {
        EXPECT_EQ(sender, &d);
        ++calls;
    };
    std::vector<uint8_t> out(data.size());
    EXPECT_EQ(d.Read(out.data(), static_cast<int32_t>(out.size())),
              static_cast<int32_t>(data.size()));
    EXPECT_EQ(calls, static_cast<int>((src.Size() + 4095) / 4096));
}

// The whole-stream inflate into memory fills growing pieces; results that end on, just
// before and just after a piece boundary (64 KiB, then 64 + 128 KiB) must come out whole,
// and the bound must hold exactly.
TEST(ZlibStreams, WholeStreamInflateAroundPieceBoundaries) {
    for (size_t size : {size_t{0}, size_t{1}, size_t{65535}, size_t{65536}, size_t{65537},
                        size_t{196608}, size_t{196609}, size_t{300000}}) {
        SCOPED_TRACE(size);
        const auto data = size % 2 ? Noise(size) : Sample(size);
        const auto block = Compress(data);
        EXPECT_EQ(Inflate(block), data);
        TMemoryStream src, dst;
        src.Assign(block);
        DecompressWholeStream(dst, src, static_cast<int64_t>(size));
        EXPECT_EQ(dst.Size(), static_cast<int64_t>(size));
        EXPECT_EQ(dst.Position(), static_cast<int64_t>(size));
        if (size > 0) {
            TMemoryStream tight;
            EXPECT_THROW(DecompressWholeStream(tight, src, static_cast<int64_t>(size) - 1),
                         EDecompressionError);
        }
    }
}

// Inflating into a memory stream writes at its position, as writing would: what lies before
// and after the written range stays.
TEST(ZlibStreams, WholeStreamInflateWritesAtThePositionAndKeepsTheRest) {
    TMemoryStream src;
    src.Assign(Compress({'w', 'x', 'y', 'z'}));
    TMemoryStream dst;
    dst.Assign(std::vector<uint8_t>(10, 'A'));
    dst.SetPosition(3);
    DecompressWholeStream(dst, src);
    EXPECT_EQ(std::string(dst.Bytes().begin(), dst.Bytes().end()), "AAAwxyzAAA");
    EXPECT_EQ(dst.Position(), 7);

    const auto longer = Sample(20);
    src.Assign(Compress(longer));
    dst.SetPosition(8);
    DecompressWholeStream(dst, src);
    EXPECT_EQ(dst.Size(), 28);
    EXPECT_EQ(dst.Position(), 28);
    EXPECT_EQ(std::vector<uint8_t>(dst.Bytes().begin() + 8, dst.Bytes().end()), longer);
    EXPECT_EQ(dst.Bytes()[7], 'A');
}

// Whoever moves the source between two blocks (here the progress handler itself) does not
// disturb inflation: the adapter puts the source back before each block it takes.
TEST(ZlibStreams, SourceMovedBetweenBlocksIsPutBack) {
    const auto data = Noise(30000);
    TMemoryStream src;
    src.Assign(Compress(data));
    ASSERT_GT(src.Size(), 3 * 4096);
    TDecompressionStream d(src);
    int blocks = 0;
    d.OnProgress = [&](TCustomZlibStream*) {
        ++blocks;
        src.SetPosition(0);
    };
    std::vector<uint8_t> out(data.size());
    ASSERT_EQ(d.Read(out.data(), static_cast<int32_t>(out.size())),
              static_cast<int32_t>(data.size()));
    EXPECT_EQ(out, data);
    EXPECT_EQ(blocks, static_cast<int>((src.Size() + 4095) / 4096));
}

}  // namespace
