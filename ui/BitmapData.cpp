#include "ui/BitmapData.h"

#include <string>

#include "base/Exceptions.h"
#include "ui/Bitmap.h"
#include "ui/Streams.h"

void ReadBitmapData(const std::vector<uint8_t>& bytes, TBitmap& bitmap) {
    if (bytes.empty()) {
        bitmap.Clear();
        return;
    }
    if (bytes.size() < 4) throw EReadError("Picture data too short for its byte count");
    const uint32_t count = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                           static_cast<uint32_t>(bytes[2]) << 16 |
                           static_cast<uint32_t>(bytes[3]) << 24;
    if (count == 0) {
        bitmap.Clear();
        return;
    }
    if (count > bytes.size() - 4)
        throw EReadError("Picture data declares " + std::to_string(count) + " bytes, " +
                         std::to_string(bytes.size() - 4) + " follow");
    TMemoryStream stream;
    stream.Assign(std::vector<uint8_t>(bytes.begin() + 4, bytes.begin() + 4 + count));
    TBitmap read;
    read.LoadFromStream(stream);
    bitmap = read;
}

std::vector<uint8_t> BitmapData(const TBitmap& bitmap) {
    if (bitmap.Empty()) return {};
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    const std::vector<uint8_t>& file = stream.Bytes();
    const auto count = static_cast<uint32_t>(file.size());
    std::vector<uint8_t> out{static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8),
                             static_cast<uint8_t>(count >> 16), static_cast<uint8_t>(count >> 24)};
    out.insert(out.end(), file.begin(), file.end());
    return out;
}
