// Stream adapters over zlib: a write-only deflating stream and a read-only inflating
// stream, each moving data through one fixed 4096-byte buffer, plus whole-stream helpers.
#pragma once

#include <zlib.h>

#include <array>
#include <cstdint>
#include <functional>

#include "base/Exceptions.h"
#include "ui/Streams.h"

PB_DECLARE_EXCEPTION(EZlibError, Exception);
PB_DECLARE_EXCEPTION(ECompressionError, EZlibError);
PB_DECLARE_EXCEPTION(EDecompressionError, EZlibError);

enum TZlibLevel { zlNone, zlFastest, zlDefault, zlMax };

// The zlib level a TZlibLevel stands for.
[[nodiscard]] int ZlibLevelValue(TZlibLevel level);

class TCustomZlibStream;
using TZlibProgressEvent = std::function<void(TCustomZlibStream* sender)>;

class TCustomZlibStream : public TStream {
public:
    static constexpr int32_t kBufferSize = 4096;

    TZlibProgressEvent OnProgress;

    TCustomZlibStream(const TCustomZlibStream&) = delete;
    TCustomZlibStream& operator=(const TCustomZlibStream&) = delete;

protected:
    explicit TCustomZlibStream(TStream& strm);
    void Progress() {
        if (OnProgress) OnProgress(this);
    }
    // Puts the worked-on stream back where this adapter left it, in case someone else
    // moved it in between.
    void RestoreStreamPosition();

    TStream& strm_;
    int32_t strmPos_ = 0;
    z_stream zstrm_{};
    std::array<uint8_t, kBufferSize> buffer_{};
};

// Deflates everything written to it and appends the result to the destination stream.
class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TZlibLevel level, TStream& dest);
    // Finishes the zlib stream if Finish was not called; errors are swallowed here, so
    // callers that must know call Finish themselves.
    ~TCompressionStream() override;

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    // Only Seek(0, soFromCurrent): returns the number of bytes written into the adapter.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

    // Flushes the rest of the zlib stream (with its trailer) to the destination and ends
    // deflate. Idempotent.
    void Finish();
    // Ratio of compressed to uncompressed bytes so far, in percent (0 before any input).
    [[nodiscard]] double CompressionRate() const;

private:
    bool finished_ = false;
};

// Reads compressed bytes from the source stream and returns them inflated.
class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(TStream& source);
    ~TDecompressionStream() override;

    // Returns fewer bytes than asked only when the compressed data ends (or the zlib stream
    // is complete).
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    // Seek(0, soFromBeginning) restarts inflation from the source's position 0; forward
    // seeks skip by reading; anything else raises. Returns the bytes produced so far.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

    // Whether the zlib stream's end mark has been inflated.
    [[nodiscard]] bool StreamEnded() const { return streamEnded_; }
    // zlib's description of the last error, or nullptr.
    [[nodiscard]] const char* ZlibMessage() const { return zstrm_.msg; }

private:
    bool streamEnded_ = false;
};

// Deflates the whole source (from its start) at zlMax and appends it to the destination.
void CompressWholeStream(TStream& source, TStream& destination);
// Inflates the whole source (from its start) and writes the result to the destination.
void DecompressWholeStream(TStream& destination, TStream& source);
// For data from outside: as above, but raises EDecompressionError once more than maxBytes
// would be produced (a small block can expand a thousandfold), and "Damaged compressed
// data: ..." when the zlib stream is damaged or ends before its end mark (the shorter
// result would only make the next reader fail with a misleading message).
void DecompressWholeStream(TStream& destination, TStream& source, int64_t maxBytes);
