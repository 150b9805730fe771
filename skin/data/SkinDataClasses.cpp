#include "skin/data/SkinDataClasses.h"

#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/StoredSkin.h"
#include "ui/PropertyHelpers.h"

void RegisterSkinDataClasses() {
    TClassRegistry& registry = TClassRegistry::Instance();
    if (registry.Find("TspSkinData")) return;

    registry.Register("TspCompressedStoredSkin", "TComponent",
                      [](TComponent* owner) { return new TspCompressedStoredSkin(owner); });
    AddStringProperty<TspCompressedStoredSkin>("TspCompressedStoredSkin", "FileName",
                                               &TspCompressedStoredSkin::SetFileName);
    AddStringProperty<TspCompressedStoredSkin>("TspCompressedStoredSkin", "CompressedFileName",
                                               &TspCompressedStoredSkin::SetCompressedFileName);
    AddStringProperty<TspCompressedStoredSkin>(
        "TspCompressedStoredSkin", "Description",
        [](TspCompressedStoredSkin& s, const std::string& v) { s.Description = v; });
    AddBinaryProperty<TspCompressedStoredSkin>("TspCompressedStoredSkin", "CompressedData",
                                               &TspCompressedStoredSkin::SetCompressedData);

    registry.Register("TspStoredSkin", "TComponent",
                      [](TComponent* owner) { return new TspStoredSkin(owner); });
    AddStringProperty<TspStoredSkin>("TspStoredSkin", "FileName", &TspStoredSkin::SetFileName);
    AddLinesProperty<TspStoredSkin>("TspStoredSkin", "IniStrings",
                                    [](TspStoredSkin& s, const std::vector<std::string>& lines) {
                                        TStringList list;
                                        for (const std::string& l : lines) list.Add(l);
                                        s.SetIniStrings(list);
                                    });
    AddBinaryProperty<TspStoredSkin>("TspStoredSkin", "Pictures", &TspStoredSkin::SetPicturesData);

    registry.Register("TspSkinData", "TComponent",
                      [](TComponent* owner) { return new TspSkinData(owner); });
    AddReferenceProperty<TspSkinData, TspCompressedStoredSkin>(
        "TspSkinData", "CompressedStoredSkin", &TspSkinData::SetCompressedStoredSkin,
        "TspCompressedStoredSkin");
    AddReferenceProperty<TspSkinData, TspStoredSkin>("TspSkinData", "StoredSkin",
                                                     &TspSkinData::SetStoredSkin, "TspStoredSkin");
}
