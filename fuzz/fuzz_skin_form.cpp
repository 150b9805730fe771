// A skinned form on a skin whose definition text is the input (pictures of the compiled-in
// skin, with a roll-up picture and mask added): the frame is laid out, shaped, painted,
// hit-tested and resized, and taken through the window commands (maximise, minimise,
// roll-up, the window menu, a magnetic move) in both modes, so geometry from a damaged or
// hostile skin can never crash, hang or exhaust memory.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/Exceptions.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/StoredSkin.h"
#include "skin/form/SkinForm.h"
#include "skins/DefaultSkin.h"
#include "ui/Application.h"
#include "ui/Forms.h"

namespace {

// The compiled-in skin's pictures, loaded once.
const TSkinPictures& DefaultPictures() {
    static TSkinPictures pictures = [] {
        TSkinPictures p;
        TspCompressedStoredSkin container(nullptr);
        container.SetCompressedData(DefaultSkinCompressedData());
        TspSkinData data(nullptr);
        data.LoadFromCompressedContainer(container);
        p.Optional[0] = data.MainPicture;
        p.Optional[1] = data.MaskPicture;
        for (const auto& a : data.ActivePictureList) p.Active.push_back(std::make_unique<TBitmap>(*a));
        // A roll-up picture and mask for skins that name them.
        if (data.ActivePictureList.size() > 5) {
            p.Optional[2] = *data.ActivePictureList[2];
            p.Optional[3] = *data.ActivePictureList[5];
        }
        return p;
    }();
    return pictures;
}

}  // namespace

namespace {

// The window commands on a shown skinned form.
void RunCommands(HeadlessPlatform& platform, TForm& form, TspSkinForm& frame) {
    frame.SetWindowState(kSkinStateMaximized);
    frame.SetRollUpState(true);
    form.Update();
    frame.RestoreWindow();
    frame.SetWindowState(kSkinStateMinimized);
    form.Update();
    frame.CaptionDoubleClick();
    frame.SetRollUpState(true);
    frame.CaptionDoubleClick();
    frame.SetWindowState(kSkinStateNormal);
    frame.SetRollUpState(false);
    frame.OpenWindowMenu(Rect(40, 40, 40, 40));
    platform.ProcessPending();
    platform.KeyPress(VK_ESCAPE);
    frame.OpenWindowMenuFromKeyboard();
    platform.ProcessPending();
    platform.KeyPress(VK_ESCAPE);
    frame.Magnetic = true;
    platform.Drag(form.Left() + form.Width() / 2, form.Top() + 12, 7, 5, 3);
    form.Update();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static HeadlessPlatform& platform = [] () -> HeadlessPlatform& {
        HeadlessPlatform& p = InstallHeadlessPlatform();
        // A small screen keeps the maximised window (and each run) cheap.
        p.SetScreenSize({640, 480});
        Application().Initialize();
        return p;
    }();
    const TSkinPictures& pictures = DefaultPictures();
    TStringList lines;
    lines.SetText(std::string(reinterpret_cast<const char*>(data), size));

    auto form = std::make_unique<TForm>(nullptr);
    form->SetCaption("Fuzz");
    form->SetBounds(10, 10, 300, 200);
    auto* skinForm = new TspSkinForm(form.get());
    skinForm->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp);
    // The skin from the input, owned by the form.
    auto makeStored = [&lines, &pictures](TComponent* owner) {
        auto* stored = new TspStoredSkin(owner);
        stored->SetIniStrings(lines);
        for (size_t i = 0; i < pictures.Optional.size(); ++i) stored->Pictures().Optional[i] = pictures.Optional[i];
        for (const auto& a : pictures.Active) stored->Pictures().Active.push_back(std::make_unique<TBitmap>(*a));
        return stored;
    };
    auto* skin = new TspSkinData(form.get());
    TspStoredSkin* stored = makeStored(form.get());
    skinForm->SetSkinData(skin);
    try {
        skin->SetStoredSkin(stored);
    } catch (const Exception&) {
        return 0;  // rejected by the reader: nothing of the form's to exercise
    }
    form->Show();
    platform.ProcessPending();
    form->Update();
    for (const TSize s : {TSize{640, 480}, TSize{120, 30}, TSize{300, 200}}) {
        form->SetBounds(10, 10, s.cx, s.cy);
        for (int y = -2; y < s.cy + 2; y += 7) {
            for (int x = -2; x < s.cx + 2; x += 11) form->Perform(WM_NCHITTEST, 0, MakeLParam(10 + x, 10 + y));
        }
        platform.MoveMouse(10 + s.cx - 20, 10 + 15);
        platform.AdvanceTime(60);
        form->Update();
    }
    platform.Click(10 + 280, 25);
    platform.AdvanceTime(300);
    if (form->Visible()) RunCommands(platform, *form, *skinForm);
    form.reset();
    platform.ProcessPending();

    // Client mode on the same skin: the whole image in the client area, rolled up to the
    // roll-up picture.
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(10, 10, 300, 200);
    skinForm = new TspSkinForm(form.get());
    skinForm->SetSupportNCArea(false);
    skinForm->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp);
    form->RecreateWnd();
    skin = new TspSkinData(form.get());
    stored = makeStored(form.get());
    skinForm->SetSkinData(skin);
    try {
        skin->SetStoredSkin(stored);
    } catch (const Exception&) {
        return 0;
    }
    form->Show();
    platform.ProcessPending();
    RunCommands(platform, *form, *skinForm);
    form.reset();
    platform.ProcessPending();
    return 0;
}
