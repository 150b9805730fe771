#include "ui/Streams.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "base/Exceptions.h"

int64_t TStream::Size() {
    const int64_t pos = Seek(0, soFromCurrent);
    const int64_t size = Seek(0, soFromEnd);
    Seek(pos, soFromBeginning);
    return size;
}

void TStream::SetSize(int64_t) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, int32_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.Seek(0, soFromBeginning);
        count = source.Size();
    }
    const int64_t total = count;
    uint8_t buffer[65536];
    while (count > 0) {
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(count, sizeof buffer));
        source.ReadBuffer(buffer, n);
        WriteBuffer(buffer, n);
        count -= n;
    }
    return total;
}

int32_t TMemoryStream::Read(void* buffer, int32_t count) {
    if (count <= 0 || position_ >= static_cast<int64_t>(data_.size())) return 0;
    const int64_t n = std::min<int64_t>(count, static_cast<int64_t>(data_.size()) - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return static_cast<int32_t>(n);
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
    if (count <= 0 || position_ < 0) return 0;
    const size_t end = static_cast<size_t>(position_) + static_cast<size_t>(count);
    if (end > data_.size()) data_.resize(end);
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ = static_cast<int64_t>(end);
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    switch (origin) {
        case soFromBeginning:
            position_ = offset;
            break;
        case soFromCurrent:
            position_ += offset;
            break;
        case soFromEnd:
            position_ = static_cast<int64_t>(data_.size()) + offset;
            break;
    }
    if (position_ < 0) position_ = 0;
    return position_;
}

void TMemoryStream::SetSize(int64_t size) {
    data_.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
    if (position_ > size) position_ = size;
}

void TMemoryStream::Clear() {
    data_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.Seek(0, soFromBeginning);
    const int64_t size = source.Size();
    if (size < 0 || size > INT32_MAX) throw EStreamError("Stream too large to load into memory");
    data_.resize(static_cast<size_t>(size));
    if (size > 0) source.ReadBuffer(data_.data(), static_cast<int32_t>(size));
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    data_ = ReadFileBytes(fileName);
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& dest) const {
    if (!data_.empty()) dest.WriteBuffer(data_.data(), static_cast<int32_t>(data_.size()));
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TMemoryStream::Assign(std::vector<uint8_t> bytes) {
    data_ = std::move(bytes);
    position_ = 0;
}

TFileStream::TFileStream(const std::string& fileName, uint32_t mode) : fileName_(fileName) {
    const char* how = "rb";
    if (mode == fmCreate)
        how = "w+b";
    else if ((mode & 3) == fmOpenWrite)
        how = "r+b";
    else if ((mode & 3) == fmOpenReadWrite)
        how = "r+b";
    file_ = std::fopen(fileName.c_str(), how);
    if (!file_) {
        const std::string reason = std::strerror(errno);
        if (mode == fmCreate)
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + reason);
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + reason);
    }
}

TFileStream::~TFileStream() {
    if (file_) std::fclose(file_);
}

int32_t TFileStream::Read(void* buffer, int32_t count) {
    if (count <= 0) return 0;
    return static_cast<int32_t>(std::fread(buffer, 1, static_cast<size_t>(count), file_));
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
    if (count <= 0) return 0;
    return static_cast<int32_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), file_));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int whence = origin == soFromBeginning ? SEEK_SET
                       : origin == soFromCurrent ? SEEK_CUR
                                                 : SEEK_END;
    if (fseeko(file_, offset, whence) != 0) return ftello(file_);
    return ftello(file_);
}

void TFileStream::SetSize(int64_t size) {
    std::fflush(file_);
    if (ftruncate(fileno(file_), size) != 0)
        throw EStreamError("Cannot resize file \"" + fileName_ + "\"");
}

std::vector<uint8_t> ReadFileBytes(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead);
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (;;) {
        const int32_t n = file.Read(buffer, sizeof buffer);
        if (n <= 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}
