// The gallery's MDI parent: a skinned frame with the skin's frame objects wired together
// (the track bar drives the gauge and the label, the switch starts the animation), the
// skinned main menu bar and MDI tab bar, a skinned hint and a tray icon, and the children
// made by GalleryChildren.cpp.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Forms.h"

class TMainMenu;
class TMenuItem;
class TspCompressedStoredSkin;
class TspSkinData;
class TspSkinForm;
class TspSkinMainMenuBar;
class TspSkinMDITabsBar;

// Lines "pbgallery-event: ..." on stderr when PB_GALLERY_EVENTS=1 (the end-to-end test).
void GalleryEvent(const std::string& text);

class TGalleryForm : public TForm {
public:
    explicit TGalleryForm(TComponent* owner);
    [[nodiscard]] const char* ClassName() const override { return "TGalleryForm"; }

    // The skin: a compiled-in one by name, or a skin file (raises what the load raises).
    void UseCompiledInSkin(const std::string& name);
    void UseSkinFile(const std::string& path);
    // Makes the MDI children (once the form is the application's main form).
    void MakeChildren();
    // Wires a skinned frame's objects: track bar -> gauge and label, switch -> animation.
    void WireFrameObjects(TspSkinForm& frame);
    // Reports where things are (window coordinates) for the end-to-end test.
    void ReportLayout();

    [[nodiscard]] TspSkinData* Skin() const { return skin_; }
    [[nodiscard]] TspSkinForm* Frame() const { return frame_; }

private:
    void BuildMenu();
    TMenuItem* AddItem(TMenuItem& parent, const std::string& caption,
                       std::function<void()> action = {});

    TspSkinData* skin_ = nullptr;
    TspCompressedStoredSkin* stored_ = nullptr;
    TspSkinForm* frame_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TMenuItem* windowMenu_ = nullptr;
    TspSkinMainMenuBar* bar_ = nullptr;
    TspSkinMDITabsBar* tabs_ = nullptr;
    int childCount_ = 0;
};

// The children (GalleryChildren.cpp): panels (check mode, glyph, roll-up) with an
// expanding panel, an overflowing page control with an up-down, and a page of notes.
TForm* MakePanelsChild(TGalleryForm& parent, const std::string& caption);
TForm* MakePagesChild(TGalleryForm& parent, const std::string& caption);
TForm* MakeNotesChild(TGalleryForm& parent, const std::string& caption);
