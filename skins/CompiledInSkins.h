// The skins compiled into the program set, by name: "default", the skin Puzzlebin shows,
// and "gallery", which carries every kind of frame object for the skin gallery. Each is
// one zlib stream holding a skin package, ready for TspCompressedStoredSkin's
// SetCompressedData.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skins/DefaultSkin.h"

struct CompiledInSkin {
    std::string name;
    const std::vector<uint8_t>* compressedData;
};

// In a fixed order, "default" first.
[[nodiscard]] const std::vector<CompiledInSkin>& CompiledInSkins();
// The bytes of the compiled-in skin with this name (exact, case-sensitive), or null.
[[nodiscard]] const std::vector<uint8_t>* FindCompiledInSkin(std::string_view name);

[[nodiscard]] const std::vector<uint8_t>& GallerySkinCompressedData();
