// The one in-memory skin: pictures, frame geometry, popup and hint frames, and the object,
// area and control definitions, loaded from a container component. Every form is told
// before and after the content changes (SKINMSG_BEFORECHANGE, SKINMSG_CHANGED,
// SKINMSG_AFTERCHANGE, WPARAM = this component, LPARAM = 1000), the owner form first.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/Liveness.h"
#include "skin/data/SkinControlDefs.h"
#include "skin/data/SkinObjectDefs.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/SkinWindowDefs.h"
#include "ui/Component.h"

class TspCompressedStoredSkin;
class TspStoredSkin;

constexpr intptr_t kSkinMessageLParam = 1000;

class TspSkinData : public TComponent {
public:
    explicit TspSkinData(TComponent* owner);
    ~TspSkinData() override;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinData"; }

    // Published references; setting one (outside design time) loads from it at once.
    [[nodiscard]] TspStoredSkin* StoredSkin() const { return storedSkin_; }
    void SetStoredSkin(TspStoredSkin* value);
    [[nodiscard]] TspCompressedStoredSkin* CompressedStoredSkin() const {
        return compressedStoredSkin_;
    }
    void SetCompressedStoredSkin(TspCompressedStoredSkin* value);

    void LoadFromCompressedContainer(TspCompressedStoredSkin& container);
    void LoadFromStoredContainer(TspStoredSkin& container);

    // Exact, case-sensitive look-ups: index of the first definition with the name, or -1.
    [[nodiscard]] int GetObjectDefIndex(const std::string& name) const;
    [[nodiscard]] int GetControlDefIndex(const std::string& name) const;
    [[nodiscard]] int GetAreaDefIndex(const std::string& name) const;
    // The picture an index selects, or nullptr (-1 or not below the list's count).
    [[nodiscard]] TBitmap* ActivePicture(int32_t index) const;

    // Sends the message to the owner form first, then to every other form.
    void BroadcastSkinMessage(uint32_t message);
    void ClearSkin();
    void FreeDefinitions();
    // Reports the pictures and definitions of the moment gone once they are cleared or
    // replaced (a skin change) or the skin data is freed: for whatever draws from them.
    [[nodiscard]] TLivenessWatch ContentWatch() const { return content_.Watch(); }

    void Notification(TComponent* component, TOperation operation) override;

    bool SkinEmpty = true;
    // [FORMINFO]
    TRect buttonsrect{}, captionrect{};
    int32_t buttonsoffset = 0;
    bool buttonsinleft = false, autorenderinginactiveimage = false;
    TspInactiveImageEffect inactiveeffect = ieBrightness;
    int32_t StartCursorIndex = 1;
    int32_t cursorindex = -1;
    TspDataSkinPopupWindow PopupWindowDef;
    TspDataSkinHintWindow HintWindowDef;
    TBitmap MainPicture, MaskPicture, RollUpPicture, RollUpMaskPicture;
    std::vector<std::unique_ptr<TBitmap>> ActivePictureList;
    std::string PictureFileName, MaskFileName, RollUpPictureFileName, RollUpMaskFileName;
    TStringList ActivePictureNames;
    std::vector<std::unique_ptr<TspDataSkinObject>> ObjectDefs;
    std::vector<std::unique_ptr<TspDataSkinArea>> AreaDefs;
    std::vector<std::unique_ptr<TspDataSkinControl>> ControlDefs;
    TPoint lefttoppoint{}, righttoppoint{}, leftbottompoint{}, rightbottompoint{};
    int32_t bgpictureindex = -1, mdibgpictureindex = -1;
    TRect mainmenurect{}, iconrect{};
    bool mainmenupopupup = false;
    TRect maskrectarea{};
    TPoint hittestlefttoppoint{}, hittestrighttoppoint{}, hittestleftbottompoint{},
        hittestrightbottompoint{};
    TRect clientrect{};
    int32_t borderwidth = 0;
    bool topstretch = false, leftstretch = false, rightstretch = false, bottomstretch = false;
    TPoint rollupleftpoint{}, rolluprightpoint{};
    std::string SkinName, SkinAuthor, AuthorURL, AuthorEmail, SkinComments;

private:
    // Reads [FORMINFO] (with its corrections) and the sections after it.
    void ReadSkinSections(const TMemIniFile& ini);
    void ReadFormInfo(const TMemIniFile& ini);
    void ReadAreas(const TMemIniFile& ini);
    void ReadObjects(const TMemIniFile& ini);
    void ReadControls(const TMemIniFile& ini);

    TspStoredSkin* storedSkin_ = nullptr;
    TspCompressedStoredSkin* compressedStoredSkin_ = nullptr;
    TLiveness content_;
};
