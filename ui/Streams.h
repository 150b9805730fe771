// Byte streams with the framework's seek origins: memory and file streams, and the base
// class the zlib adapters derive from.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum TSeekOrigin : int { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    // Writes count bytes; returns how many were written.
    virtual int32_t Write(const void* buffer, int32_t count) = 0;
    // Returns the new position.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    [[nodiscard]] int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, soFromBeginning); }
    [[nodiscard]] virtual int64_t Size();
    virtual void SetSize(int64_t size);

    // Whole reads and writes: raise EReadError "Stream read error" / EWriteError
    // "Stream write error" when fewer bytes move.
    void ReadBuffer(void* buffer, int32_t count);
    void WriteBuffer(const void* buffer, int32_t count);
    // Copies count bytes (all remaining from position 0 when count is 0); returns the count.
    int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
public:
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    [[nodiscard]] int64_t Size() override { return static_cast<int64_t>(data_.size()); }
    void SetSize(int64_t size) override;

    void Clear();
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::string& fileName);
    void SaveToStream(TStream& dest) const;
    void SaveToFile(const std::string& fileName) const;

    [[nodiscard]] const uint8_t* Memory() const { return data_.data(); }
    [[nodiscard]] uint8_t* Memory() { return data_.data(); }
    [[nodiscard]] const std::vector<uint8_t>& Bytes() const { return data_; }
    void Assign(std::vector<uint8_t> bytes);

private:
    std::vector<uint8_t> data_;
    int64_t position_ = 0;
};

enum TFileMode : uint32_t {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmCreate = 0xFF00,
};

// A file opened for reading, writing or both. Open failures raise EFOpenError / EFCreateError
// with the file name and the system's reason.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, uint32_t mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;
    [[nodiscard]] const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    std::FILE* file_ = nullptr;
};

// Reads a whole file into memory; raises EFOpenError when it cannot be read.
[[nodiscard]] std::vector<uint8_t> ReadFileBytes(const std::string& fileName);
