#include "skin/data/SkinData.h"

#include "base/Messages.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/StoredSkin.h"
#include "ui/Forms.h"
#include "ui/Screen.h"

TspSkinData::TspSkinData(TComponent* owner) : TComponent(owner) {}

TspSkinData::~TspSkinData() {
    SkinEmpty = true;
    FreeDefinitions();
}

void TspSkinData::SetCompressedStoredSkin(TspCompressedStoredSkin* value) {
    compressedStoredSkin_ = value;
    if (value) FreeNotification(value);
    if (!IsDesigning() && value) LoadFromCompressedContainer(*value);
}

void TspSkinData::SetStoredSkin(TspStoredSkin* value) {
    storedSkin_ = value;
    if (value) FreeNotification(value);
    if (!IsDesigning() && value) LoadFromStoredContainer(*value);
}

void TspSkinData::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == compressedStoredSkin_) compressedStoredSkin_ = nullptr;
    if (component == storedSkin_) storedSkin_ = nullptr;
}

void TspSkinData::BroadcastSkinMessage(uint32_t message) {
    // What drew from the old content learns it is going before anyone hears of the change.
    if (message == SKINMSG_BEFORECHANGE) content_.Renew();
    const auto wParam = reinterpret_cast<uintptr_t>(this);
    TCustomForm* ownerForm = dynamic_cast<TCustomForm*>(Owner());
    if (ownerForm) SendMessage(ownerForm, message, wParam, kSkinMessageLParam);
    // The list is read afresh at every step: a form may close while handling a message.
    for (int i = 0; i < Screen().FormCount(); ++i) {
        TCustomForm* form = Screen().Forms(i);
        if (form != ownerForm) SendMessage(form, message, wParam, kSkinMessageLParam);
    }
}

void TspSkinData::FreeDefinitions() {
    content_.Renew();
    AreaDefs.clear();
    ObjectDefs.clear();
    ControlDefs.clear();
    ActivePictureList.clear();
    PopupWindowDef.WindowPictureIndex = -1;
    HintWindowDef.WindowPictureIndex = -1;
    ActivePictureNames.Clear();
}

void TspSkinData::ClearSkin() {
    FreeDefinitions();
    MainPicture.Clear();
    MaskPicture.Clear();
    RollUpPicture.Clear();
    RollUpMaskPicture.Clear();
    PictureFileName.clear();
    MaskFileName.clear();
    RollUpPictureFileName.clear();
    RollUpMaskFileName.clear();
    SkinEmpty = true;
}

void TspSkinData::LoadFromCompressedContainer(TspCompressedStoredSkin& container) {
    if (container.IsEmpty()) return;
    SkinEmpty = true;
    BroadcastSkinMessage(SKINMSG_BEFORECHANGE);
    ClearSkin();

    TMemoryStream package;
    container.InflateTo(package);
    package.SetPosition(0);
    TSkinPictures pictures;
    TStringList lines;
    if (!ReadSkinPackage(package, pictures, lines)) return;
    MainPicture = std::move(pictures.Optional[0]);
    MaskPicture = std::move(pictures.Optional[1]);
    RollUpPicture = std::move(pictures.Optional[2]);
    RollUpMaskPicture = std::move(pictures.Optional[3]);
    ActivePictureList = std::move(pictures.Active);

    TMemIniFile ini;
    ini.SetStrings(lines);
    SkinName = ini.ReadString("VERSION", "skinname", "");
    SkinAuthor = ini.ReadString("VERSION", "skinauthor", "");
    AuthorEmail = ini.ReadString("VERSION", "authoremail", "");
    AuthorURL = ini.ReadString("VERSION", "authorurl", "");
    SkinComments = ini.ReadString("VERSION", "skincomments", "");
    PictureFileName = ini.ReadString("PICTURES", "picture", "");
    MaskFileName = ini.ReadString("PICTURES", "mask", "");
    RollUpPictureFileName = ini.ReadString("PICTURES", "rolluppicture", "");
    RollUpMaskFileName = ini.ReadString("PICTURES", "rollupmask", "");
    ReadSkinList(ini, "PICTURES", "activepictures", ActivePictureNames);
    ReadSkinSections(ini);

    SkinEmpty = false;
    BroadcastSkinMessage(SKINMSG_CHANGED);
    BroadcastSkinMessage(SKINMSG_AFTERCHANGE);
}

void TspSkinData::LoadFromStoredContainer(TspStoredSkin& container) {
    SkinEmpty = true;
    BroadcastSkinMessage(SKINMSG_BEFORECHANGE);
    ClearSkin();

    TMemIniFile ini;
    ini.SetStrings(container.IniStrings());
    if (!HasRequiredSkinSections(ini)) {
        BroadcastSkinMessage(SKINMSG_CHANGED);
        BroadcastSkinMessage(SKINMSG_AFTERCHANGE);
        return;
    }
    SkinName = ini.ReadString("VERSION", "skinname", "");
    const TSkinPictures& source = container.Pictures();
    MainPicture = source.Optional[0];
    MaskPicture = source.Optional[1];
    RollUpPicture = source.Optional[2];
    RollUpMaskPicture = source.Optional[3];
    for (const auto& picture : source.Active)
        ActivePictureList.push_back(std::make_unique<TBitmap>(*picture));
    StartCursorIndex = ini.ReadInteger("CURSORS", "startcursorindex", 1);
    if (StartCursorIndex <= 0) StartCursorIndex = 1;
    ReadSkinSections(ini);

    SkinEmpty = false;
    BroadcastSkinMessage(SKINMSG_CHANGED);
    BroadcastSkinMessage(SKINMSG_AFTERCHANGE);
}

void TspSkinData::ReadSkinSections(const TMemIniFile& ini) {
    ReadFormInfo(ini);
    PopupWindowDef.LoadFromIni(ini);
    HintWindowDef.LoadFromIni(ini);
    ReadAreas(ini);
    ReadObjects(ini);
    ReadControls(ini);
}

void TspSkinData::ReadFormInfo(const TMemIniFile& ini) {
    TSkinIniIo io(ini, "FORMINFO");
    io.CornerPoints("", lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint);
    io.Rect("clientrect", clientrect);
    io.Integer("bgpictureindex", bgpictureindex, -1);
    io.Integer("mdibgpictureindex", mdibgpictureindex, -1);
    io.StretchFlags(leftstretch, rightstretch, topstretch, bottomstretch);
    io.Rect("buttonsrect", buttonsrect);
    io.Rect("captionrect", captionrect);
    io.Coordinate("buttonsoffset", buttonsoffset);
    io.Boolean("buttonsinleft", buttonsinleft);
    io.Rect("maskrectarea", maskrectarea);
    io.CornerPoints("hittest", hittestlefttoppoint, hittestrighttoppoint, hittestleftbottompoint,
                    hittestrightbottompoint);
    io.Point("rollupleftpoint", rollupleftpoint);
    io.Point("rolluprightpoint", rolluprightpoint);
    io.Rect("mainmenurect", mainmenurect);
    io.Rect("iconrect", iconrect);
    io.Boolean("mainmenupopupup", mainmenupopupup);
    io.Coordinate("borderwidth", borderwidth);
    io.Integer("cursorindex", cursorindex, -1);
    io.Boolean("autorenderinginactiveimage", autorenderinginactiveimage);
    io.InactiveEffect("inactiveeffect", inactiveeffect);

    // The mask area covers at least the client area; unset hit-test points take the
    // corner points.
    if (!MaskFileName.empty()) {
        if (IsRectEmpty(maskrectarea)) {
            maskrectarea = clientrect;
        } else {
            maskrectarea.Left = std::min(maskrectarea.Left, clientrect.Left);
            maskrectarea.Top = std::min(maskrectarea.Top, clientrect.Top);
            maskrectarea.Right = std::max(maskrectarea.Right, clientrect.Right);
            maskrectarea.Bottom = std::max(maskrectarea.Bottom, clientrect.Bottom);
        }
        auto unset = [](TPoint p) { return p.X == 0 || p.Y == 0; };
        if (unset(hittestlefttoppoint)) hittestlefttoppoint = lefttoppoint;
        if (unset(hittestrighttoppoint)) hittestrighttoppoint = righttoppoint;
        if (unset(hittestleftbottompoint)) hittestleftbottompoint = leftbottompoint;
        if (unset(hittestrightbottompoint)) hittestrightbottompoint = rightbottompoint;
    }
    // Corner points are kept inside the client rectangle.
    if (rightbottompoint.X != lefttoppoint.X && rightbottompoint.Y != lefttoppoint.Y) {
        const TRect& c = clientrect;
        lefttoppoint.X = std::max(lefttoppoint.X, c.Left);
        lefttoppoint.Y = std::max(lefttoppoint.Y, c.Top);
        righttoppoint.X = std::min(righttoppoint.X, c.Right);
        righttoppoint.Y = std::max(righttoppoint.Y, c.Top);
        leftbottompoint.X = std::max(leftbottompoint.X, c.Left);
        leftbottompoint.Y = std::min(leftbottompoint.Y, c.Bottom);
        rightbottompoint.X = std::min(rightbottompoint.X, c.Right);
        rightbottompoint.Y = std::min(rightbottompoint.Y, c.Bottom);
    }
}

namespace {

// Entry numbers 0 … count-1 of a list section, bounded by the section's size.
int ListCount(const TMemIniFile& ini, const std::string& section) {
    const int32_t count = ini.ReadInteger(section, "count", 0);
    return count <= 0 ? 0 : std::min(count, SkinSectionSize(ini, section));
}

}  // namespace

void TspSkinData::ReadAreas(const TMemIniFile& ini) {
    const int count = ListCount(ini, "SKINAREAS");
    for (int i = 0; i < count; ++i) {
        std::string name, rest;
        if (!SplitNameType(ini.ReadString("SKINAREAS", std::to_string(i), ""), name, rest))
            continue;
        AreaDefs.push_back(
            std::make_unique<TspDataSkinArea>(name, ClampSkinRect(ParseSkinRect(rest))));
    }
}

void TspSkinData::ReadObjects(const TMemIniFile& ini) {
    const int count = ListCount(ini, "SKINOBJECTS");
    for (int i = 0; i < count; ++i) {
        std::string name, type;
        SplitNameType(ini.ReadString("SKINOBJECTS", std::to_string(i), ""), name, type);
        auto def = CreateSkinObjectDef(type, name);
        if (!def) continue;
        ObjectDefs.push_back(std::move(def));
        ObjectDefs.back()->LoadFromIni(ini);
    }
}

namespace {

// A rectangle that sizes a control must lie inside the control's picture, as a frame
// object's rectangles must lie inside theirs: one that does not (or names no picture) is
// read as absent, and the control draws its default look for it. So no control takes a
// size from its skin that the skin's pictures (which the picture budget bounds) cannot
// fill.
void KeepInside(TRect& r, const TBitmap* picture) {
    if (IsRectEmpty(r)) return;
    if (picture && r.Left >= 0 && r.Top >= 0 && r.Right <= picture->Width() &&
        r.Bottom <= picture->Height())
        return;
    r = {};
}

}  // namespace

void TspSkinData::ReadControls(const TMemIniFile& ini) {
    const int count = ListCount(ini, "SKINCONTROLS");
    for (int i = 0; i < count; ++i) {
        std::string name, type;
        SplitNameType(ini.ReadString("SKINCONTROLS", std::to_string(i), ""), name, type);
        auto def = CreateSkinControlDef(type, name);
        if (!def) continue;
        def->LoadFromIni(ini);
        const TBitmap* picture = ActivePicture(def->PictureIndex);
        KeepInside(def->SkinRect, picture);
        if (auto* ex = dynamic_cast<TspDataSkinExPanelControl*>(def.get())) {
            KeepInside(ex->RollHSkinRect, picture);
            KeepInside(ex->RollVSkinRect, picture);
        }
        if (auto* tab = dynamic_cast<TspDataSkinTabControl*>(def.get())) {
            for (TRect* r :
                 {&tab->TabRect, &tab->ActiveTabRect, &tab->FocusTabRect, &tab->MouseInTabRect})
                KeepInside(*r, picture);
        }
        ControlDefs.push_back(std::move(def));
    }
}

int TspSkinData::GetObjectDefIndex(const std::string& name) const {
    for (size_t i = 0; i < ObjectDefs.size(); ++i)
        if (ObjectDefs[i]->IDName == name) return static_cast<int>(i);
    return -1;
}

int TspSkinData::GetControlDefIndex(const std::string& name) const {
    for (size_t i = 0; i < ControlDefs.size(); ++i)
        if (ControlDefs[i]->IDName == name) return static_cast<int>(i);
    return -1;
}

int TspSkinData::GetAreaDefIndex(const std::string& name) const {
    for (size_t i = 0; i < AreaDefs.size(); ++i)
        if (AreaDefs[i]->IDName == name) return static_cast<int>(i);
    return -1;
}

TBitmap* TspSkinData::ActivePicture(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= ActivePictureList.size()) return nullptr;
    return ActivePictureList[static_cast<size_t>(index)].get();
}
