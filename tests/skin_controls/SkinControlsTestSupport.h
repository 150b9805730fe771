// Shared set-up for the skinned control tests: a fresh headless platform, a shown
// borderless white form, small skins made by the tests (definition text plus pictures whose
// every pixel tells where it came from), the compiled-in skin, and the tree walk a skinned
// form does on a skin change.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "skin/controls/SkinControlsClasses.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinnedControl.h"
#include "skin/data/StoredSkin.h"
#include "skins/DefaultSkin.h"
#include "tests/skin_draw/TestPictures.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Forms.h"
#include "ui/Strings.h"

// The sections every skin has, then the given control sections ("name:type" entries and
// the sections' own text).
inline TStringList SkinText(const std::vector<std::string>& entries, const std::string& sections) {
    std::string text =
        "[VERSION]\nskinname=test\n[PICTURES]\nactivepicturescount=0\n[FORMINFO]\n"
        "[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=" +
        std::to_string(entries.size()) + "\n";
    for (size_t i = 0; i < entries.size(); ++i) text += std::to_string(i) + "=" + entries[i] + "\n";
    text += sections;
    TStringList lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.Add(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.Add(line);
    return lines;
}

// The word a numbered picture has at (x, y), as the window shows it.
inline uint32_t PictureWord(int32_t x, int32_t y) { return Numbered(x, y); }

class SkinControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform_ = &InstallHeadlessPlatform();
        platform_->SetScreenSize({1280, 1024});
        Application().Initialize();
        RegisterSkinControlsClasses();
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(clWhite);
        form->Show();
        data = new TspSkinData(form.get());
        stored = new TspStoredSkin(form.get());
        P().ProcessPending();
    }
    void TearDown() override { form.reset(); }

    HeadlessPlatform& P() { return *platform_; }
    platform::HeadlessWindow& W() {
        return *static_cast<platform::HeadlessWindow*>(form->PlatformWindow());
    }
    // The presented pixel at a window point as a picture word (0x00RRGGBB).
    uint32_t Px(int x, int y) { return ColorToPixel(W().PixelAt(x, y)); }
    TColor Color(int x, int y) { return W().PixelAt(x, y); }
    void Paint() { P().ProcessPending(); }

    // Loads a skin of the given control sections; the pictures become active pictures 0, 1 ...
    void LoadSkin(const std::vector<std::string>& entries, const std::string& sections,
                  const std::vector<TBitmap>& pictures = {NumberedPicture(200, 200)}) {
        stored->SetIniStrings(SkinText(entries, sections));
        stored->Pictures().Active.clear();
        for (const TBitmap& p : pictures)
            stored->Pictures().Active.push_back(std::make_unique<TBitmap>(p));
        data->SetStoredSkin(stored);
    }
    // Loads the compiled-in skin.
    void LoadDefaultSkin() {
        auto* container = new TspCompressedStoredSkin(form.get());
        container->SetCompressedData(DefaultSkinCompressedData());
        data->SetCompressedStoredSkin(container);
    }

    // What a skinned form does with the skin change messages: before the change every
    // skinned control of its tree forgets its section, after it every one applies the skin.
    void ApplySkinToTree() { Walk(*form, false); }
    void ResetTree() { Walk(*form, true); }
    // A skin change as the form sees it: reset, load, apply.
    template <class Load>
    void ChangeSkin(Load load) {
        ResetTree();
        load();
        ApplySkinToTree();
    }

    std::unique_ptr<TForm> form;
    TspSkinData* data = nullptr;
    TspStoredSkin* stored = nullptr;

private:
    static void Walk(TWinControl& control, bool reset) {
        for (int i = 0; i < control.ControlCount(); ++i) {
            TControl* c = control.Controls(i);
            if (auto* skinned = dynamic_cast<ISkinnedControl*>(c)) {
                if (reset)
                    skinned->ResetSkinIndex();
                else
                    skinned->ApplySkin();
            }
            if (auto* w = dynamic_cast<TWinControl*>(c)) Walk(*w, reset);
        }
    }
    HeadlessPlatform* platform_ = nullptr;
};
