// BMP reading on arbitrary bytes: a picture that loads must save and load back unchanged,
// and a failed load must raise EInvalidGraphic, never anything else.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/Exceptions.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream in;
    in.Assign(std::vector<uint8_t>(data, data + size));
    TBitmap picture;
    try {
        picture.LoadFromStream(in);
    } catch (const EInvalidGraphic&) {
        if (in.Position() != 0 || !picture.Empty()) std::abort();  // rewound and unchanged
        return 0;
    }
    if (in.Position() > static_cast<int64_t>(size) || picture.Empty()) std::abort();

    TMemoryStream out;
    picture.SaveToStream(out);
    out.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(out);
    const size_t count = static_cast<size_t>(picture.Width()) * picture.Height();
    if (back.Width() != picture.Width() || back.Height() != picture.Height() ||
        std::memcmp(back.Bits(), picture.Bits(), count * sizeof(uint32_t)) != 0 ||
        out.Position() != out.Size()) {
        std::abort();
    }

    // Stretch it onto a small canvas, transparently, to exercise the copy paths.
    TBitmap target(17, 9);
    picture.Transparent = true;
    target.Canvas().StretchDraw(Rect(-3, 2, 20, 7), picture);
    target.Canvas().CopyRect(Rect(0, 0, 17, 9), picture, Rect(-1, -1, picture.Width() + 1, 3));
    return 0;
}
