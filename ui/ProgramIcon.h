// The program's icon: the picture its desktop entry and the hicolor theme show, drawn at
// build time by tools/iconmake from the compiled-in skin and linked into each program as
// a GLib resource (data/CMakeLists.txt). The application takes it as its icon at start.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/Bitmap.h"

// Where the resource lives; the build puts the icon there.
constexpr const char* kProgramIconResource = "/net/puzzlebin/Puzzlebin/icons/program.png";

// The icon of the running program, or an empty picture when the program was built without
// it (the unit tests, the build tools). A 32-bit picture whose words carry straight alpha
// in the top byte, which the platform presents and drawing ignores.
[[nodiscard]] TBitmap LoadProgramIcon();

// Decodes PNG data into a 32-bit picture with straight alpha in the words' top byte; an
// empty picture when the data is no PNG.
[[nodiscard]] TBitmap DecodePngWithAlpha(const uint8_t* data, size_t size);
