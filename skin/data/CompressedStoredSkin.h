// A skin kept as one zlib-compressed skin package, saved with the form description as the
// binary property CompressedData.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Component.h"
#include "ui/Streams.h"

class TspCompressedStoredSkin : public TComponent {
public:
    explicit TspCompressedStoredSkin(TComponent* owner) : TComponent(owner) {}
    [[nodiscard]] const char* ClassName() const override { return "TspCompressedStoredSkin"; }

    [[nodiscard]] const std::string& FileName() const { return fileName_; }
    // While designed (and not loading): keeps the name part and builds from the file.
    void SetFileName(const std::string& value);
    [[nodiscard]] const std::string& CompressedFileName() const { return compressedFileName_; }
    // While designed (and not loading): keeps the name part and reads the file.
    void SetCompressedFileName(const std::string& value);
    std::string Description;

    [[nodiscard]] bool IsEmpty() const { return compressed_.Bytes().empty(); }
    // Inflates the package into the stream (at its position); the inflated size is bounded
    // by kMaxSkinPackageSize.
    void InflateTo(TStream& stream);
    // Builds the package from a definition file and the pictures beside it; a file without
    // one of the five required sections leaves the data as it was.
    void BuildFromSkinFile(const std::string& path);
    // Loads the compressed block of a compressed skin file; a wrong format value leaves the
    // data empty.
    void ReadCompressedSkinFile(const std::string& path);

    // The CompressedData property: the zlib stream's bytes exactly.
    [[nodiscard]] const std::vector<uint8_t>& CompressedData() const { return compressed_.Bytes(); }
    void SetCompressedData(const std::vector<uint8_t>& bytes) { compressed_.Assign(bytes); }
    [[nodiscard]] TMemoryStream& CompressedStream() { return compressed_; }

private:
    std::string fileName_;
    std::string compressedFileName_;
    TMemoryStream compressed_;
};
