#include "skin/data/ZlibStreams.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kInvalidOperation = "Invalid stream operation";

int CCheck(int code) {
    if (code < 0) throw ECompressionError("error");
    return code;
}

int DCheck(int code) {
    // A stream asking for a preset dictionary cannot be inflated here; without this check
    // inflate would return the same positive code forever without making progress.
    if (code < 0 || code == Z_NEED_DICT) throw EDecompressionError("compression error");
    return code;
}

}  // namespace

int ZlibLevelValue(TZlibLevel level) {
    switch (level) {
        case zlNone:
            return 0;
        case zlFastest:
            return 1;
        case zlDefault:
            return -1;
        case zlMax:
            return 9;
    }
    return -1;
}

TCustomZlibStream::TCustomZlibStream(TStream& strm)
    : strm_(strm), strmPos_(static_cast<int32_t>(strm.Position())) {}

void TCustomZlibStream::RestoreStreamPosition() {
    if (strm_.Position() != strmPos_) strm_.SetPosition(strmPos_);
}

// --- compression ---

TCompressionStream::TCompressionStream(TZlibLevel level, TStream& dest) : TCustomZlibStream(dest) {
    zstrm_.next_out = buffer_.data();
    zstrm_.avail_out = kBufferSize;
    CCheck(deflateInit(&zstrm_, ZlibLevelValue(level)));
}

TCompressionStream::~TCompressionStream() {
    try {
        Finish();
    } catch (const std::exception&) {
        // A destructor must not throw; Finish has already ended deflate.
    }
}

void TCompressionStream::Finish() {
    if (finished_) return;
    finished_ = true;
    zstrm_.next_in = nullptr;
    zstrm_.avail_in = 0;
    try {
        RestoreStreamPosition();
        while (CCheck(deflate(&zstrm_, Z_FINISH)) != Z_STREAM_END && zstrm_.avail_out == 0) {
            strm_.WriteBuffer(buffer_.data(), kBufferSize);
            zstrm_.next_out = buffer_.data();
            zstrm_.avail_out = kBufferSize;
        }
        if (zstrm_.avail_out < static_cast<uInt>(kBufferSize))
            strm_.WriteBuffer(buffer_.data(), kBufferSize - static_cast<int32_t>(zstrm_.avail_out));
    } catch (...) {
        deflateEnd(&zstrm_);
        throw;
    }
    deflateEnd(&zstrm_);
}

int32_t TCompressionStream::Read(void*, int32_t) { throw ECompressionError(kInvalidOperation); }

int32_t TCompressionStream::Write(const void* buffer, int32_t count) {
    if (finished_) throw ECompressionError(kInvalidOperation);
    if (count <= 0) return 0;
    zstrm_.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    zstrm_.avail_in = static_cast<uInt>(count);
    RestoreStreamPosition();
    while (zstrm_.avail_in > 0) {
        CCheck(deflate(&zstrm_, Z_NO_FLUSH));
        if (zstrm_.avail_out == 0) {
            strm_.WriteBuffer(buffer_.data(), kBufferSize);
            zstrm_.next_out = buffer_.data();
            zstrm_.avail_out = kBufferSize;
            strmPos_ = static_cast<int32_t>(strm_.Position());
            Progress();
        }
    }
    return count;
}

int64_t TCompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    if (offset == 0 && origin == soFromCurrent) return static_cast<int64_t>(zstrm_.total_in);
    throw ECompressionError(kInvalidOperation);
}

double TCompressionStream::CompressionRate() const {
    if (zstrm_.total_in == 0) return 0;
    return (1.0 - static_cast<double>(zstrm_.total_out) / static_cast<double>(zstrm_.total_in)) *
           100.0;
}

// --- decompression ---

TDecompressionStream::TDecompressionStream(TStream& source) : TCustomZlibStream(source) {
    zstrm_.next_in = buffer_.data();
    zstrm_.avail_in = 0;
    DCheck(inflateInit(&zstrm_));
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&zstrm_); }

int32_t TDecompressionStream::Read(void* buffer, int32_t count) {
    if (count <= 0) return 0;
    zstrm_.next_out = static_cast<Bytef*>(buffer);
    zstrm_.avail_out = static_cast<uInt>(count);
    while (zstrm_.avail_out > 0) {
        // Bytes after the end of the zlib stream are never inflated: reading ends there.
        if (streamEnded_) break;
        if (zstrm_.avail_in == 0) {
            // The source is touched only here (someone, even OnProgress, may have moved it).
            RestoreStreamPosition();
            const int32_t got = strm_.Read(buffer_.data(), kBufferSize);
            if (got <= 0) break;
            zstrm_.avail_in = static_cast<uInt>(got);
            zstrm_.next_in = buffer_.data();
            strmPos_ += got;
            Progress();
        }
        if (DCheck(inflate(&zstrm_, Z_NO_FLUSH)) == Z_STREAM_END) streamEnded_ = true;
    }
    return count - static_cast<int32_t>(zstrm_.avail_out);
}

int32_t TDecompressionStream::Write(const void*, int32_t) {
    throw EDecompressionError(kInvalidOperation);
}

int64_t TDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int64_t produced = static_cast<int64_t>(zstrm_.total_out);
    if (offset == 0 && origin == soFromBeginning) {
        DCheck(inflateReset(&zstrm_));
        zstrm_.next_in = buffer_.data();
        zstrm_.avail_in = 0;
        streamEnded_ = false;
        strm_.SetPosition(0);
        strmPos_ = 0;
    } else if ((offset >= 0 && origin == soFromCurrent) ||
               (origin == soFromBeginning && offset - produced > 0)) {
        if (origin == soFromBeginning) offset -= produced;
        std::array<uint8_t, kBufferSize> scratch;
        while (offset > 0) {
            const int32_t n = static_cast<int32_t>(std::min<int64_t>(offset, kBufferSize));
            ReadBuffer(scratch.data(), n);
            offset -= n;
        }
    } else {
        throw EDecompressionError(kInvalidOperation);
    }
    return static_cast<int64_t>(zstrm_.total_out);
}

// --- whole-stream helpers ---

void CompressWholeStream(TStream& source, TStream& destination) {
    source.SetPosition(0);
    TCompressionStream out(zlMax, destination);
    std::array<uint8_t, TCustomZlibStream::kBufferSize> block;
    for (;;) {
        const int32_t n = source.Read(block.data(), static_cast<int32_t>(block.size()));
        if (n <= 0) break;
        out.WriteBuffer(block.data(), n);
    }
    out.Finish();
}

void DecompressWholeStream(TStream& destination, TStream& source) {
    source.SetPosition(0);
    TDecompressionStream in(source);
    std::array<uint8_t, TCustomZlibStream::kBufferSize> block;
    for (;;) {
        const int32_t n = in.Read(block.data(), static_cast<int32_t>(block.size()));
        if (n == 0) break;
        destination.WriteBuffer(block.data(), n);
    }
}

namespace {

// Inflates into the destination; raises the bound's error itself and leaves zlib's errors
// to the caller.
void InflateBounded(TDecompressionStream& in, TStream& destination, int64_t maxBytes) {
    auto tooLarge = [maxBytes] {
        return EDecompressionError("compressed data inflates to more than " +
                                   std::to_string(maxBytes) + " bytes");
    };
    constexpr int32_t kBlock = TCustomZlibStream::kBufferSize;
    int64_t total = 0;
    if (auto* memory = dynamic_cast<TMemoryStream*>(&destination)) {
        // Inflate into large, uninitialised pieces (each Read fills one with zlib writing
        // straight into it, so zlib keeps few window copies), then size the memory stream
        // once and copy the pieces in: growing the stream itself would zero and move its
        // storage at every doubling.
        struct Piece {
            std::unique_ptr<uint8_t[]> bytes;
            int32_t used;
        };
        std::vector<Piece> pieces;
        int64_t pieceSize = 16 * kBlock;
        for (;;) {
            // Never ask for more than one byte past the bound, so a bomb stops there.
            const int64_t room = std::min<int64_t>(
                pieceSize, std::min<int64_t>(maxBytes - total, INT32_MAX - 1) + 1);
            Piece piece{std::unique_ptr<uint8_t[]>(new uint8_t[static_cast<size_t>(room)]), 0};
            piece.used = in.Read(piece.bytes.get(), static_cast<int32_t>(room));
            if (piece.used == 0) break;
            total += piece.used;
            if (total > maxBytes) throw tooLarge();
            const bool full = piece.used == room;
            pieces.push_back(std::move(piece));
            if (!full) break;  // the data ended inside this piece
            pieceSize = std::min<int64_t>(pieceSize * 2, 64 * 1024 * 1024);
        }
        // As writing would: bytes beyond what is written stay.
        const int64_t start = memory->Position();
        memory->SetSize(std::max(memory->Size(), start + total));
        uint8_t* to = memory->Memory() + start;
        for (const Piece& piece : pieces) {
            std::memcpy(to, piece.bytes.get(), static_cast<size_t>(piece.used));
            to += piece.used;
        }
        memory->SetPosition(start + total);
        return;
    }
    std::array<uint8_t, kBlock> block;
    for (;;) {
        const int32_t n = in.Read(block.data(), kBlock);
        if (n == 0) break;
        total += n;
        if (total > maxBytes) throw tooLarge();
        destination.WriteBuffer(block.data(), n);
    }
}

}  // namespace

void DecompressWholeStream(TStream& destination, TStream& source, int64_t maxBytes) {
    source.SetPosition(0);
    TDecompressionStream in(source);
    // zlib's own errors are raised while reading; they and a stream without its end mark
    // both mean the data was damaged on its way.
    try {
        InflateBounded(in, destination, maxBytes);
    } catch (const EDecompressionError& e) {
        if (in.StreamEnded() || std::string(e.what()) != "compression error") throw;
        const char* detail = in.ZlibMessage();
        throw EDecompressionError(std::string("Damaged compressed data: ") +
                                  (detail ? detail : "zlib rejects it"));
    }
    if (!in.StreamEnded())
        throw EDecompressionError("Damaged compressed data: it ends before the end of its stream");
}
