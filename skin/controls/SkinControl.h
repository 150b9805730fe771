// The base of every skinned windowed control: a link to the skin data component and to one
// control section of the loaded skin by name, a paint pipeline that draws the whole control
// into an offscreen picture (from the section, or in the control's default look) and copies
// it in one step, optionally blended with what lies behind the control, and mouse enter
// and leave events. The section is looked up again at every paint, so the control always
// draws from the current skin.
#pragma once

#include <cstdint>
#include <string>

#include "skin/data/SkinnedControl.h"
#include "ui/Bitmap.h"
#include "ui/Controls.h"

class TspDataSkinControl;

class TspSkinControl : public TCustomControl, public ISkinnedControl {
public:
    explicit TspSkinControl(TComponent* owner);
    ~TspSkinControl() override;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinControl"; }

    // ---- Published ----
    [[nodiscard]] TspSkinData* SkinData() const override { return skinData_; }
    // Stores the component; a component holding a loaded skin is applied at once (outside
    // design time).
    virtual void SetSkinData(TspSkinData* value);
    [[nodiscard]] const std::string& SkinDataName() const { return skinDataName_; }
    // Stores the name only; the next read of the section uses it.
    virtual void SetSkinDataName(const std::string& value) { skinDataName_ = value; }
    [[nodiscard]] bool DrawDefault() const { return drawDefault_; }
    void SetDrawDefault(bool value);
    // A skin area in which a skinned form places the control; the control does not use it.
    std::string AreaName;
    [[nodiscard]] bool AlphaBlend() const { return alphaBlend_; }
    virtual void SetAlphaBlend(bool value);
    [[nodiscard]] uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
    virtual void SetAlphaBlendValue(uint8_t value);
    [[nodiscard]] bool UseSkinCursor() const { return useSkinCursor_; }
    void SetUseSkinCursor(bool value) { useSkinCursor_ = value; }
    // OnMouseEnter and OnMouseLeave are TControl's (not fired at design time).

    // ---- Skin ----
    void ResetSkinIndex() override {
        skinIndex_ = -1;
        imageDirty_ = true;
    }
    // Reads the section, takes the cursor from it and repaints.
    void ApplySkin() override;
    // Looks the section up by exact name: the index, or -1 without a loaded skin or section.
    virtual void ReadSkinSection();
    [[nodiscard]] int SkinIndex() const { return skinIndex_; }
    // Whether a section is in use (the index selects a control definition).
    [[nodiscard]] bool HasSection() const;

    void Notification(TComponent* component, TOperation operation) override;
    // Every repaint request also drops the kept image.
    void Invalidate() override;

protected:
    void WndProc(TMessage& message) override;
    // The pipeline: read the section, draw the skin or default image offscreen, copy it
    // (blended with the background when AlphaBlend is on).
    void Paint() override;
    virtual void PaintDefaultImage(TBitmap& bitmap);
    virtual void PaintSkinImage(TBitmap& bitmap);
    // What is drawn without a usable section: the default image, or (with DrawDefault off)
    // the picture as a new one is.
    void PaintWithoutSkin(TBitmap& bitmap);
    // The definition the index selects, or nullptr.
    [[nodiscard]] TspDataSkinControl* SectionDef() const;
    // The skin's cursor for the section, or the default cursor (with UseSkinCursor).
    void ApplySkinCursor();
    // The control's image is composed again at the next paint. A repaint request does this
    // itself; state that is drawn but changes without one (a button lit up and drawn
    // straight onto the control, a setter that repaints only in the default look) calls it.
    void MarkImageDirty() { imageDirty_ = true; }

    int skinIndex_ = -1;
    int cursorIndex_ = -1;

private:
    TspSkinData* skinData_ = nullptr;
    std::string skinDataName_;
    bool drawDefault_ = true;
    bool alphaBlend_ = false;
    uint8_t alphaBlendValue_ = 200;
    bool useSkinCursor_ = false;
    // The control's image, kept between paints: a repaint of an unchanged control (an
    // expose, a sibling's change) copies it again without composing it.
    TBitmap offscreen_;
    bool imageDirty_ = true;
    const TspDataSkinControl* imageSection_ = nullptr;
    TSize imageSize_{};
    TBitmap background_;
};
