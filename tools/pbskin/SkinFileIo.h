// Reading any of the three skin containers from a file, and building a package from a
// definition file, for the pbskin tool.
#pragma once

#include <string>
#include <vector>

#include "skin/data/SkinPackage.h"

namespace pbskin {

struct LoadedSkin {
    TSkinPictures pictures;
    TStringList lines;
    std::string container;  // "compressed skin file", "zlib block" or "skin package"
};

// Reads a compressed skin file, a bare zlib block or an inflated package. Raises with a
// clear message for anything else.
void LoadSkinFile(const std::string& path, LoadedSkin& skin);
// Loads the file as the program loads a skin (skin/data/SkinFile.h) and returns what that
// load raises, or "" when it loads.
[[nodiscard]] std::string ProgramLoadProblem(const std::string& path);
// The package of a definition file and its pictures, deflated at level 9.
[[nodiscard]] std::vector<uint8_t> BuildCompressedBlock(const std::string& iniPath);

}  // namespace pbskin
