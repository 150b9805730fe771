// Shared set-up for the skinned form tests: a fresh headless platform per test and a form
// framed by a TspSkinForm on the compiled-in skin.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/headless/HeadlessPlatform.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skins/DefaultSkin.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Forms.h"
#include "ui/Screen.h"
#include "ui/Timer.h"

class SkinFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform_ = &InstallHeadlessPlatform();
        Application().Initialize();
        Application().SetMainForm(nullptr);
        Application().OnException = nullptr;
    }
    void TearDown() override {
        form.reset();
        Application().SetMainForm(nullptr);
    }
    HeadlessPlatform& P() { return *platform_; }
    platform::HeadlessWindow& Window() {
        return *static_cast<platform::HeadlessWindow*>(form->PlatformWindow());
    }

    // A form at (100, 100) of w x h with a skinned frame; with `skinned` the compiled-in
    // skin is loaded, otherwise the frame is the default one. The program's border icons
    // ([biSystemMenu]) unless others are given.
    void MakeForm(int w, int h, bool skinned = true, TspBorderIcons icons = biSystemMenu,
                  bool show = true) {
        form = std::make_unique<TForm>(nullptr);
        form->SetCaption("Puzzlebin V1.0.0");
        form->SetBounds(100, 100, w, h);
        skinForm = new TspSkinForm(form.get());
        skinForm->SetBorderIcons(icons);
        data = new TspSkinData(form.get());
        stored = new TspCompressedStoredSkin(form.get());
        stored->SetCompressedData(DefaultSkinCompressedData());
        skinForm->SetSkinData(data);
        if (skinned) data->SetCompressedStoredSkin(stored);
        if (show) {
            form->Show();
            P().ProcessPending();
        }
    }
    // Everything painted and presented.
    void Settle() {
        P().ProcessPending();
        form->Update();
        P().ProcessPending();
    }
    // Presented pixel at a window point (0x00BBGGRR).
    TColor Pixel(int x, int y) { return Window().PixelAt(x, y); }
    TPoint Screen(int x, int y) const { return {form->Left() + x, form->Top() + y}; }
    void MoveTo(int x, int y) { P().MoveMouse(form->Left() + x, form->Top() + y); }
    int HitAt(int x, int y) {
        return static_cast<int>(
            form->Perform(WM_NCHITTEST, 0, MakeLParam(form->Left() + x, form->Top() + y)));
    }
    TspActiveSkinObject& Object(const std::string& name) {
        TspActiveSkinObject* o = skinForm->FindObject(name);
        if (!o) throw std::runtime_error("no object " + name);
        return *o;
    }

    HeadlessPlatform* platform_ = nullptr;
    std::unique_ptr<TForm> form;
    TspSkinForm* skinForm = nullptr;
    TspSkinData* data = nullptr;
    TspCompressedStoredSkin* stored = nullptr;
};

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

// A compressed skin built from the compiled-in skin's files (or those of another folder of
// skins/) with its definition text changed by `edit`; `addFiles` may put further pictures
// into the skin's folder.
inline std::vector<uint8_t> ModifiedSkin(
    const std::function<void(std::string& ini)>& edit,
    const std::function<void(const std::string& folder)>& addFiles = {},
    const std::string& skinFolder = "default") {
    namespace fs = std::filesystem;
    char pattern[] = "/tmp/pb_skinform_XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) throw std::runtime_error("mkdtemp failed");
    const fs::path dir(made);
    const fs::path source = fs::path(PB_SOURCE_DIR) / "skins" / skinFolder;
    for (const auto& entry : fs::directory_iterator(source))
        fs::copy_file(entry.path(), dir / entry.path().filename());
    std::string ini;
    {
        std::ifstream in(dir / "skin.ini", std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        ini = ss.str();
    }
    edit(ini);
    if (addFiles) addFiles(dir.string());
    {
        std::ofstream out(dir / "skin.ini", std::ios::binary | std::ios::trunc);
        out << ini;
    }
    TspCompressedStoredSkin container(nullptr);
    container.BuildFromSkinFile((dir / "skin.ini").string());
    std::vector<uint8_t> bytes = container.CompressedData();
    fs::remove_all(dir);
    return bytes;
}

// Replaces the first occurrence of `from` (which must be there).
inline void ReplaceOnce(std::string& text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    if (at == std::string::npos) throw std::runtime_error("not in the skin text: " + from);
    text.replace(at, from.size(), to);
}
