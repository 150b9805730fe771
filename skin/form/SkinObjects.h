// Active skin objects: the pieces of a skinned frame (caption, caption buttons) that are not
// windows. Each is built from one object definition of the skin, knows its place on the
// window (ObjectRect), draws itself on a canvas it is given, and reacts to the mouse calls
// the skinned form routes to it. The form owns them.
#pragma once

#include <cstdint>
#include <string>

#include "base/Types.h"
#include "skin/data/SkinIniValues.h"
#include "ui/Controls.h"

class TBitmap;
class TCanvas;
class TMenuItem;
class TspDataSkinObject;
class TspDataSkinButton;
class TspDataSkinStdButton;
class TspDataSkinCaption;
class TspSkinData;
class TspSkinForm;

// What kind of object a frame piece is, for the form's routing and placing rules.
enum class TspObjectKind {
    Base,
    Button,
    StdButton,
    Caption,
    UserObject,
    Switch,
    TrackBar,
    Gauge,
    Label,
    Animate,
    BitLabel,
    FrameGauge,
    FrameRegulator,
    MainMenuItem
};

class TspActiveSkinObject {
public:
    // def may be null (the default frame's buttons have no definition).
    TspActiveSkinObject(TspSkinForm* parent, const TspDataSkinObject* def);
    virtual ~TspActiveSkinObject() = default;
    TspActiveSkinObject(const TspActiveSkinObject&) = delete;
    TspActiveSkinObject& operator=(const TspActiveSkinObject&) = delete;

    [[nodiscard]] virtual TspObjectKind Kind() const { return TspObjectKind::Base; }

    // The eight overridable operations.
    virtual void Draw(TCanvas& canvas, bool upDate);
    virtual void DblClick() {}
    virtual void MouseDown(int x, int y, TMouseButton button);
    virtual void MouseUp(int x, int y, TMouseButton button);
    virtual void MouseMove(int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    [[nodiscard]] virtual bool CanMorphing() const;

    // Morphing objects start the form's morph timer; others draw now.
    void ReDraw();
    // One morph step (0.1 toward the look the object is in), then a draw.
    void DoMorph();
    // Stores k clamped to 0..1.
    void SetMorphKf(double k);
    // Whether a morph between the two looks is under way.
    [[nodiscard]] bool MorphUnderWay() const;

    TspSkinForm* Parent;
    double MorphKf = 0;
    bool MouseIn = false;
    TBitmap* Picture = nullptr;
    TBitmap* ActivePicture = nullptr;
    TspSkinData* SkinData = nullptr;
    std::string IDName;
    std::string Hint;
    TRect SkinRect{};
    TRect ActiveSkinRect{};
    bool Morphing = false;
    TspMorphStyle MorphKind = mkDefault;
    TRect ObjectRect{};
    bool Active = false;
    bool Enabled = true;
    int CursorIndex = -1;
    bool RollUp = false;
    bool Visible = true;
    bool SkinRectInAPicture = false;

protected:
    // Copies a rectangle of a picture into ObjectRect (stretched when sizes differ).
    void CopyToObject(TCanvas& canvas, const TBitmap* picture, const TRect& source) const;
    // Draws the morph between two images (each stretched to ObjectRect's size) at MorphKf.
    void DrawMorph(TCanvas& canvas, const TBitmap* normalPicture, const TRect& normalRect,
                   const TBitmap* activePicture, const TRect& activeRect) const;
    [[nodiscard]] const TBitmap* NormalPicture() const {
        return SkinRectInAPicture ? ActivePicture : Picture;
    }
};

// Carries out a caption-button command on the form (close, maximise, minimise, roll-up,
// tray); "cmsysmenu" and "cmdefault" do nothing here.
void RunFrameCommand(TspSkinForm& form, TspButtonCommand command);

class TspSkinButtonObject : public TspActiveSkinObject {
public:
    TspSkinButtonObject(TspSkinForm* parent, const TspDataSkinButton* def);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::Button; }

    void Draw(TCanvas& canvas, bool upDate) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void SetDown(bool value);

    bool Down = false;
    TRect DownRect{};
    TRect DisableSkinRect{};
    int GroupIndex = -1;
    TMenuItem* MenuItem = nullptr;

protected:
    // Opens MenuItem's sub-items below the button.
    void OpenMenu();
};

// A caption button: carries out one window command.
class TspSkinStdButtonObject : public TspSkinButtonObject {
public:
    TspSkinStdButtonObject(TspSkinForm* parent, const TspDataSkinStdButton* def);
    // A default-frame button without a definition.
    TspSkinStdButtonObject(TspSkinForm* parent, const std::string& idName,
                           TspButtonCommand command);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::StdButton; }

    void Draw(TCanvas& canvas, bool upDate) override;
    void DblClick() override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    [[nodiscard]] bool CanMorphing() const override;

    bool HasDefinition = false;
    TspButtonCommand Command = cmDefault;
    TRect RestoreRect{};
    TRect RestoreActiveRect{};
    TRect RestoreDownRect{};

private:
    void DrawDefaultLook(TCanvas& canvas) const;
    [[nodiscard]] bool RestoreLook() const;
    [[nodiscard]] bool ShowsIcon() const;
};

class TspSkinCaptionObject : public TspActiveSkinObject {
public:
    TspSkinCaptionObject(TspSkinForm* parent, const TspDataSkinCaption* def);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::Caption; }

    void Draw(TCanvas& canvas, bool upDate) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // The text box in window coordinates of the current ObjectRect (before the origin of
    // the drawing is added).
    [[nodiscard]] TRect TextBox() const;
    // Draws the caption text in the active or inactive look with the canvas' origin at
    // (x0, y0) relative to the text box.
    void DrawCaptionText(TCanvas& canvas, int x0, int y0, bool activeLook) const;

    std::string Text;
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = taCenter;
    TRect TextRct{};
    bool DefaultCaption = false;
    TRect FrameRect{};
    TRect ActiveFrameRect{};
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect{};

private:
    // The caption image of a source rectangle at ObjectRect's size.
    void ComposeCaptionImage(TBitmap& target, const TBitmap* picture, const TRect& source) const;
    // The caption image of a look with its text, the inactive effect applied when wanted.
    void MakeLookImage(TBitmap& target, const TBitmap* picture, const TRect& source,
                       bool activeLook) const;
};
