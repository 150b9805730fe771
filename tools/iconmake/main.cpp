// iconmake: draws the program's icons from a skin's frame picture.
//   iconmake <skin.ini> <out folder> <size>...
// Writes <out folder>/<size>.png for every size. Exit codes: 0 success, 1 bad input, 2 usage.
#include <cairo.h>

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "IconPainter.h"
#include "skin/data/SkinIniValues.h"
#include "ui/Bitmap.h"
#include "ui/IniFile.h"

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

iconmake::FrameArt LoadFrameArt(const std::string& iniPath) {
    TMemIniFile ini;
    ini.LoadFromFile(iniPath);
    const std::string folder = FolderOf(iniPath);
    const std::string pictureName = ini.ReadString("PICTURES", "picture", "");
    const std::string maskName = ini.ReadString("PICTURES", "mask", "");
    if (pictureName.empty() || maskName.empty())
        throw std::runtime_error(iniPath + ": no frame picture or mask");
    TBitmap picture;
    picture.LoadFromFile(folder + "/" + pictureName);
    TBitmap mask;
    mask.LoadFromFile(folder + "/" + maskName);
    if (mask.Width() != picture.Width() || mask.Height() != picture.Height())
        throw std::runtime_error(iniPath + ": the mask and the frame picture differ in size");

    iconmake::FrameArt art;
    art.width = picture.Width();
    art.height = picture.Height();
    art.pixels.reserve(static_cast<size_t>(art.width) * art.height);
    art.inside.reserve(art.pixels.capacity());
    for (int32_t y = 0; y < art.height; ++y) {
        const uint32_t* p = picture.ScanLine(y);
        const uint32_t* m = mask.ScanLine(y);
        for (int32_t x = 0; x < art.width; ++x) {
            art.pixels.push_back(p[x]);
            art.inside.push_back((m[x] & 0x00FFFFFFu) == 0);  // black is inside the window
        }
    }
    art.face = ParseSkinRect(ini.ReadString("FORMINFO", "clientrect", "0,0,0,0"));
    return art;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: iconmake <skin.ini> <out folder> <size>...\n";
        return 2;
    }
    try {
        const iconmake::FrameArt art = LoadFrameArt(argv[1]);
        for (int i = 3; i < argc; ++i) {
            const int size = std::stoi(argv[i]);
            if (size < 8 || size > 1024)
                throw std::runtime_error(std::string("bad icon size ") + argv[i]);
            cairo_surface_t* icon = iconmake::PaintIcon(art, size);
            const std::string out = std::string(argv[2]) + "/" + std::to_string(size) + ".png";
            const cairo_status_t status = cairo_surface_write_to_png(icon, out.c_str());
            cairo_surface_destroy(icon);
            if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + out);
        }
    } catch (const std::exception& e) {
        std::cerr << "iconmake: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
