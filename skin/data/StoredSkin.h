// A skin kept uncompressed: the definition text as lines and the pictures, saved with the
// form description as IniStrings and the binary property Pictures.
#pragma once

#include <string>
#include <vector>

#include "skin/data/SkinPackage.h"
#include "ui/Component.h"
#include "ui/Strings.h"

class TspStoredSkin : public TComponent {
public:
    explicit TspStoredSkin(TComponent* owner) : TComponent(owner) {}
    [[nodiscard]] const char* ClassName() const override { return "TspStoredSkin"; }

    [[nodiscard]] const std::string& FileName() const { return fileName_; }
    // At design time the name comes from the platform's file dialog, so the value is
    // ignored there; otherwise it is stored as given.
    void SetFileName(const std::string& value);

    [[nodiscard]] const TStringList& IniStrings() const { return iniStrings_; }
    void SetIniStrings(const TStringList& lines) { iniStrings_.Assign(lines); }

    [[nodiscard]] const TSkinPictures& Pictures() const { return pictures_; }
    [[nodiscard]] TSkinPictures& Pictures() { return pictures_; }
    // The Pictures property in its stored layout (flags, BMP files, count, BMP files).
    [[nodiscard]] std::vector<uint8_t> PicturesData() const;
    // Replaces the pictures; damaged data raises and leaves the old pictures.
    void SetPicturesData(const std::vector<uint8_t>& bytes);

    // Loads the definition text and its pictures (bitmaps, or JPEG when the name says so).
    void BuildFromSkinFile(const std::string& path);

private:
    std::string fileName_;
    TStringList iniStrings_;
    TSkinPictures pictures_;
};
