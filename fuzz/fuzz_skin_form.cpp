// A skinned form on a skin whose definition text is the input (pictures of the compiled-in
// skin, with a roll-up picture and mask added): the frame is laid out, shaped, painted,
// hit-tested and resized, and taken through the window commands (maximise, minimise,
// roll-up, the window menu, a magnetic move) in both modes, so geometry from a damaged or
// hostile skin can never crash, hang or exhaust memory.
// Bytes after the first NUL are a script run on the shown form in both modes: opening
// menus, moving, clicking, keys and resizing mixed with freeing menus, menu items,
// skin-placed children and the skin itself in the middle, so nothing the user does after
// such a loss can reach freed memory.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/Exceptions.h"
#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinnedControl.h"
#include "skin/data/StoredSkin.h"
#include "skin/form/SkinForm.h"
#include "skin/popup/SkinMenuHost.h"
#include "skin/popup/SkinPopupMenu.h"
#include "skins/DefaultSkin.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

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
        for (const auto& a : data.ActivePictureList)
            p.Active.push_back(std::make_unique<TBitmap>(*a));
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

// Knows which of the script's components are still alive (the component model tells it of
// each one freed, including those freed with their menu or parent).
class TTracker : public TComponent {
public:
    TTracker() : TComponent(nullptr) {}
    ~TTracker() override {
        for (TComponent* c : live_) RemoveFreeNotification(c);
    }
    template <class T>
    T* Track(T* c) {
        live_.push_back(c);
        FreeNotification(c);
        return c;
    }
    // The index-th live component of type T (wrapping), or nullptr.
    template <class T>
    T* Pick(uint8_t index) const {
        std::vector<T*> of;
        for (TComponent* c : live_)
            if (auto* t = dynamic_cast<T*>(c)) of.push_back(t);
        return of.empty() ? nullptr : of[index % of.size()];
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation != opRemove) return;
        for (size_t i = 0; i < live_.size(); ++i) {
            if (live_[i] == component) {
                live_.erase(live_.begin() + static_cast<std::ptrdiff_t>(i));
                return;
            }
        }
    }

private:
    std::vector<TComponent*> live_;
};

// A control the skin places on one of its areas ([SKINAREAS] "slot0" .. "slot2").
class TSlotControl : public TCustomControl, public ISkinnedControl {
public:
    TSlotControl(TComponent* owner, std::string area)
        : TCustomControl(owner), area_(std::move(area)) {}
    TspSkinData* SkinData() const override { return nullptr; }
    void ResetSkinIndex() override {}
    void ApplySkin() override {}
    std::string AreaName() const override { return area_; }

private:
    std::string area_;
};

// The script's world: a main menu, a skinned popup menu, skin-placed children and a second
// skin, all owned by the form.
struct TScriptWorld {
    TTracker tracker;
    TspSkinData* skin = nullptr;
    TspStoredSkin* stored = nullptr;
};

void MakeItems(TTracker& tracker, TComponent* owner, TMenuItem& parent, int depth) {
    for (int i = 0; i < 3; ++i) {
        auto* item = tracker.Track(new TMenuItem(owner));
        item->SetCaption(i == 1 ? "-" : "&Item" + std::to_string(depth) + std::to_string(i));
        parent.Add(item);
        if (depth < 2 && i == 0) MakeItems(tracker, owner, *item, depth + 1);
    }
}

void BuildWorld(TScriptWorld& world, TForm& form, TspSkinForm& frame) {
    TTracker& t = world.tracker;
    auto* mainMenu = t.Track(new TMainMenu(&form));
    MakeItems(t, &form, mainMenu->Items(), 0);
    frame.SetMainMenu(mainMenu);
    auto* popup = t.Track(new TspSkinPopupMenu(&form));
    MakeItems(t, popup, popup->Items(), 1);
    for (int i = 0; i < 3; ++i) {
        auto* child = t.Track(new TSlotControl(&form, "slot" + std::to_string(i)));
        child->SetParent(&form);
        child->SetBounds(5 + 20 * i, 40, 15, 15);
    }
    t.Track(world.skin);
    t.Track(world.stored);
}

// The same skin text read again (it was read once without an error).
void Reload(TspSkinData& skin, TspStoredSkin& stored) {
    try {
        skin.SetStoredSkin(nullptr);
        skin.SetStoredSkin(&stored);
    } catch (const Exception&) {
    }
}

// One step of the script; `at` points at the next unread byte.
void RunStep(HeadlessPlatform& platform, TForm& form, TspSkinForm& frame, TScriptWorld& world,
             const uint8_t*& at, const uint8_t* end) {
    auto next = [&at, end]() -> uint8_t { return at < end ? *at++ : 0; };
    const uint8_t op = next();
    const uint8_t arg = next();
    TTracker& t = world.tracker;
    const int x = form.Left() + (arg & 0x0F) * form.Width() / 15;
    const int y = form.Top() + (arg >> 4) * form.Height() / 15;
    switch (op % 14) {
        case 0:
            frame.OpenWindowMenu(Rect(x, y, x, y));
            break;
        case 1:
            if (auto* popup = t.Pick<TspSkinPopupMenu>(arg)) popup->Popup(x, y);
            break;
        case 2:
            delete t.Pick<TMenuItem>(arg);
            break;
        case 3:
            delete t.Pick<TspSkinPopupMenu>(arg);
            break;
        case 4:
            delete t.Pick<TMainMenu>(arg);
            break;
        case 5:
            delete t.Pick<TSlotControl>(arg);
            break;
        case 6:
            // The skin is read again from its container: every picture is replaced.
            if (world.skin && t.Pick<TspSkinData>(0) && t.Pick<TspStoredSkin>(0)) {
                Reload(*world.skin, *world.stored);
            }
            break;
        case 7:
            if (t.Pick<TspSkinData>(0)) {
                delete world.skin;
                world.skin = nullptr;
            }
            break;
        case 8:
            platform.MoveMouse(x, y);
            platform.AdvanceTime(60);
            break;
        case 9:
            platform.Click(x, y);
            break;
        case 10: {
            static const uint16_t keys[] = {VK_DOWN,   VK_UP,     VK_LEFT, VK_RIGHT,
                                            VK_RETURN, VK_ESCAPE, 'I',     VK_MENU};
            platform.KeyPress(keys[arg % 8]);
            break;
        }
        case 11:
            form.SetBounds(form.Left(), form.Top(), 60 + (arg & 0x0F) * 30, 40 + (arg >> 4) * 25);
            break;
        case 12:
            platform.AdvanceTime(static_cast<uint64_t>(arg) * 10);
            break;
        default:
            form.Hide();
            platform.ProcessPending();
            form.Show();
            break;
    }
    platform.ProcessPending();
    form.Update();
}

void RunScript(HeadlessPlatform& platform, TForm& form, TspSkinForm& frame, TspSkinData* skin,
               TspStoredSkin* stored, const uint8_t* script, const uint8_t* end) {
    if (script >= end) return;
    TScriptWorld world;
    world.skin = skin;
    world.stored = stored;
    BuildWorld(world, form, frame);
    // The children take their areas at the next skin load.
    Reload(*skin, *stored);
    platform.ProcessPending();
    // Bounded: a long input cannot make one run slow.
    for (int steps = 0; script < end && steps < 64; ++steps)
        RunStep(platform, form, frame, world, script, end);
    platform.KeyPress(VK_ESCAPE);
    platform.ProcessPending();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static HeadlessPlatform& platform = []() -> HeadlessPlatform& {
        HeadlessPlatform& p = InstallHeadlessPlatform();
        // A small screen keeps the maximised window (and each run) cheap.
        p.SetScreenSize({640, 480});
        Application().Initialize();
        return p;
    }();
    const TSkinPictures& pictures = DefaultPictures();
    const uint8_t* const end = data + size;
    const uint8_t* script = data;
    while (script < end && *script != 0) ++script;
    const size_t textSize = static_cast<size_t>(script - data);
    if (script < end) ++script;  // past the NUL
    TStringList lines;
    lines.SetText(std::string(reinterpret_cast<const char*>(data), textSize));

    auto form = std::make_unique<TForm>(nullptr);
    form->SetCaption("Fuzz");
    form->SetBounds(10, 10, 300, 200);
    auto* skinForm = new TspSkinForm(form.get());
    skinForm->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp);
    // The skin from the input, owned by the form.
    auto makeStored = [&lines, &pictures](TComponent* owner) {
        auto* stored = new TspStoredSkin(owner);
        stored->SetIniStrings(lines);
        for (size_t i = 0; i < pictures.Optional.size(); ++i)
            stored->Pictures().Optional[i] = pictures.Optional[i];
        for (const auto& a : pictures.Active)
            stored->Pictures().Active.push_back(std::make_unique<TBitmap>(*a));
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
            for (int x = -2; x < s.cx + 2; x += 11)
                form->Perform(WM_NCHITTEST, 0, MakeLParam(10 + x, 10 + y));
        }
        platform.MoveMouse(10 + s.cx - 20, 10 + 15);
        platform.AdvanceTime(60);
        form->Update();
    }
    platform.Click(10 + 280, 25);
    platform.AdvanceTime(300);
    if (form->Visible()) RunCommands(platform, *form, *skinForm);
    if (!form->Visible()) form->Show();
    RunScript(platform, *form, *skinForm, skin, stored, script, end);
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
    if (!form->Visible()) form->Show();
    RunScript(platform, *form, *skinForm, skin, stored, script, end);
    form.reset();
    platform.ProcessPending();
    return 0;
}
