// The skin compiled into the program: one zlib stream holding the skin package made from
// skins/default/ at build time.
#pragma once

#include <cstdint>
#include <vector>

[[nodiscard]] const std::vector<uint8_t>& DefaultSkinCompressedData();
