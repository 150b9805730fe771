#include "ui/GraphicsObjects.h"

#include <cstdint>

namespace {
// a * b / c rounded half away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c) {
    const int64_t p = static_cast<int64_t>(a) * b;
    const int64_t half = c / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}
}  // namespace

int TFont::Size() const { return -MulDiv(Height, 72, kScreenPixelsPerInch); }

void TFont::SetSize(int points) { Height = -MulDiv(points, kScreenPixelsPerInch, 72); }
