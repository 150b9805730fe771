// Skin files from outside (a skin author's file given to the gallery or to pbskin): loaded
// along exactly the path the program takes for its compiled-in skin, so a file that loads
// here loads in the program and one that fails here fails there with the same message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TspCompressedStoredSkin;
class TspSkinData;
class TStream;

// Loads a compressed skin file (format value 1, length, one zlib stream): its compressed
// block becomes the container's data and the skin data component loads from the
// container. Raises what that load raises (EFOpenError, damaged compressed data, damaged
// pictures, values without digits), and EReadError for a file that is not a compressed
// skin file or whose package the load leaves empty.
void LoadSkinFile(const std::string& path, TspCompressedStoredSkin& container, TspSkinData& skin);
// The same from a stream holding the file's bytes; `what` names the file in messages.
void LoadSkinFileFrom(TStream& file, const std::string& what, TspCompressedStoredSkin& container,
                      TspSkinData& skin);
// The same for a compressed block already in memory (the program's own CompressedData);
// `what` names it in messages.
void LoadSkinBlock(const std::vector<uint8_t>& block, const std::string& what,
                   TspCompressedStoredSkin& container, TspSkinData& skin);

// What a skin file holds: a compressed skin file (format value, length, zlib stream), a
// bare zlib stream (a program's CompressedData), or an uncompressed skin package.
enum class TSkinFileContainer { CompressedFile, ZlibBlock, Package };
[[nodiscard]] TSkinFileContainer SkinFileContainerOf(const std::vector<uint8_t>& bytes);
// Loads a skin file of any of these containers along the program's path (a package is
// packed first, as the program would only ever read it packed); raises what that load
// raises. The gallery and pbskin load skin authors' files through this.
void LoadAnySkinFile(const std::string& path, TspCompressedStoredSkin& container,
                     TspSkinData& skin);
