// The framework's page control with skinned painting, from the skin's "tab" section: a
// skin frame around the page area and one image per tab (normal, active, focused,
// mouse-over; turned for tabs on the left or right), the tab under the mouse, and a small
// skinned up-down scroller that exists only while single-line tabs do not fit. The
// framework keeps tab layout, selection, keys and scrolling; this class adjusts two of its
// geometry answers (item rectangles and the page area) and draws.
#pragma once

#include <string>

#include "skin/data/SkinControlDefs.h"
#include "skin/data/SkinnedControl.h"
#include "ui/Bitmap.h"
#include "ui/PageControl.h"

class TspSkinUpDown;

class TspSkinPageControl : public TPageControl, public ISkinnedControl {
public:
    explicit TspSkinPageControl(TComponent* owner);
    ~TspSkinPageControl() override;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinPageControl"; }

    // ---- Published ----
    [[nodiscard]] TspSkinData* SkinData() const override { return skinData_; }
    // Stores the component; a loaded skin is applied at once (outside design time).
    void SetSkinData(TspSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(const std::string& value) { skinDataName_ = value; }
    [[nodiscard]] bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value) { useSkinFont_ = value; }
    [[nodiscard]] const TFont& DefaultFont() const { return defaultFont_; }
    [[nodiscard]] TFont& DefaultFont() { return defaultFont_; }
    void SetDefaultFont(const TFont& font) { defaultFont_ = font; }
    // The tab height without a skin; also the scroller's size.
    [[nodiscard]] int DefaultItemHeight() const { return defaultItemHeight_; }
    void SetDefaultItemHeight(int value);

    // ---- Skin ----
    void ResetSkinIndex() override {
        hasSection_ = false;
        imageDirty_ = true;
    }
    void ApplySkin() override { ApplyTabSkin(); }
    // Reads the section, takes the font and tab height from it (or the defaults), lays the
    // tabs out again and re-creates the scroller.
    void ApplyTabSkin();
    void ReadSkinSection();
    [[nodiscard]] bool HasSection() const { return hasSection_; }
    // The section's values from the last read.
    [[nodiscard]] const TspDataSkinTabControl& Section() const { return section_; }
    // The section's picture and background picture (none: nullptr), from the last read.
    [[nodiscard]] const TBitmap* SectionPicture() const { return picture_; }
    [[nodiscard]] const TBitmap* BackgroundPicture() const { return bgPicture_; }

    // ---- Geometry (the framework's answers, adjusted for the skin) ----
    [[nodiscard]] TRect GetItemRect(int tabIndex) const override;
    [[nodiscard]] TRect DisplayRect() const override;

    // ---- Tab tracking and overflow ----
    // The visible tab under the mouse, -1 when none.
    [[nodiscard]] int HotTab() const { return hotTab_; }
    [[nodiscard]] TspSkinUpDown* Scroller() const { return scroller_; }
    // Visible tabs cut at the row's right end (before the scroller) or scrolled out.
    [[nodiscard]] int HiddenTabCount() const;
    // Visible tabs scrolled out before the first one shown.
    [[nodiscard]] int ScrolledOutCount() const;

    void Change() override;
    void Loaded() override;
    // Every repaint request also drops the kept image.
    void Invalidate() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void ActivePageChanged() override;

private:
    void DrawDefaultFrame(TBitmap& bitmap);
    void DrawSkinFrame(TBitmap& bitmap);
    void DrawSkinnedTab(const TTabSheet& page, const TRect& rect, TCanvas& canvas, bool mouseOver,
                        bool active);
    void TrackHotTab(TPoint p);
    void RedrawTab(int tabIndex, bool mouseOver);
    void UpdateScroller();
    void DestroyScroller();
    void ScrollerChanged();
    void SyncScrollerPosition();
    // What a switch of tabs does besides the user's event: the scroller follows and the
    // control repaints.
    void TabsChanged();
    // Sheets paint the page area themselves.
    [[nodiscard]] TRect FrameBands() const;

    TspSkinData* skinData_ = nullptr;
    std::string skinDataName_ = "tab";
    bool useSkinFont_ = true;
    TFont defaultFont_;
    int defaultItemHeight_ = 20;

    bool hasSection_ = false;
    TspDataSkinTabControl section_{""};
    const TBitmap* picture_ = nullptr;
    const TBitmap* bgPicture_ = nullptr;

    int hotTab_ = -1;
    int hotPage_ = -1;
    int oldHotTab_ = -1;
    int oldHotPage_ = -1;
    TspSkinUpDown* scroller_ = nullptr;  // owned (as a component) while it exists
    // The control's image, kept between paints while nothing drawn in it changed.
    TBitmap offscreen_;
    bool imageDirty_ = true;
    const TspDataSkinControl* imageSection_ = nullptr;
    const TspDataSkinControl* sectionDef_ = nullptr;  // the definition last read
};
