// The further kinds of active skin objects a skin may put on the frame besides the caption
// and its buttons: areas the application paints, switches, track bars, gauges, labels,
// animations, labels in a bitmap font, and gauges and regulators drawn as frames of a
// picture strip. Each differs from the base object only where said here; the form creates
// them from the skin's object definitions, places them by the corner rule and routes the
// mouse to them like every other object.
#pragma once

#include <cstdint>
#include <string>

#include "skin/controls/MenuItemLook.h"
#include "skin/form/ObjectFormulas.h"
#include "skin/form/SkinObjects.h"
#include "ui/Strings.h"

class TspDataUserObject;
class TspDataSkinSwitch;
class TspDataSkinTrackBar;
class TspDataSkinGauge;
class TspDataSkinLabel;
class TspDataSkinAnimate;
class TspDataSkinBitLabel;
class TspDataSkinFrameGaugeObject;
class TspDataSkinFrameRegulatorObject;
class TspDataSkinMainMenuItem;

// An area the application paints through the form's OnPaintEvent.
class TspUserObject : public TspActiveSkinObject {
public:
    TspUserObject(TspSkinForm* parent, const TspDataUserObject* def);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::UserObject; }
    void Draw(TCanvas& canvas, bool upDate) override;
};

enum TSwitchState { swsOn = 0, swsOff = 1 };

// A two-state switch: each left press toggles it; its look follows the state, not the
// mouse.
class TspSkinSwitchObject : public TspActiveSkinObject {
public:
    TspSkinSwitchObject(TspSkinForm* parent, const TspDataSkinSwitch* def);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::Switch; }
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Sets the state from the program: the look follows, the change event fires.
    void SetState(TSwitchState state);

    TSwitchState State = swsOff;
};

// A thumb moved along a track between two points; the value follows the thumb.
class TspSkinTrackBarObject : public TspActiveSkinObject {
public:
    TspSkinTrackBarObject(TspSkinForm* parent, const TspDataSkinTrackBar* def);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::TrackBar; }
    void Draw(TCanvas& canvas, bool upDate) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void MouseMove(int x, int y) override;

    // A new thumb position (object coordinates): stored with its value, drawn now, and the
    // change event fires. The same position does nothing.
    void SetButtonPos(TPoint position);
    // Sets the value from the program (kept within the range): the thumb moves to it and
    // the object is drawn; no change event.
    void SetValue(int32_t value);
    [[nodiscard]] int32_t Value() const { return value_; }
    [[nodiscard]] TPoint ButtonPos() const { return buttonPos_; }
    // The thumb's rectangle in object coordinates: ButtonRect's size centred on the thumb.
    [[nodiscard]] TRect ButtonPlace() const;
    [[nodiscard]] bool Dragging() const { return dragging_; }

    TRect ButtonRect{};
    TRect ActiveButtonRect{};
    TTrackGeometry Track;
    bool MouseDownChangeValue = false;
    bool Vertical = false;

private:
    [[nodiscard]] TPoint Local(int x, int y) const {
        return {x - ObjectRect.Left, y - ObjectRect.Top};
    }
    int32_t value_ = 0;
    TPoint buttonPos_{};
    bool dragging_ = false;
    TPoint anchor_{};
};

// A bar filled from the minimum up to the value.
class TspSkinGaugeObject : public TspActiveSkinObject {
public:
    TspSkinGaugeObject(TspSkinForm* parent, const TspDataSkinGauge* def);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::Gauge; }
    void Draw(TCanvas& canvas, bool upDate) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Kept within the range; a change is drawn now.
    void SetValue(int32_t value);
    [[nodiscard]] int32_t Value() const { return Value_; }

    int32_t MinValue = 0;
    int32_t MaxValue = 0;
    bool Vertical = false;

private:
    int32_t Value_ = 0;
};

// A text in the skin's font on the object's normal or active image.
class TspSkinLabelObject : public TspActiveSkinObject {
public:
    TspSkinLabelObject(TspSkinForm* parent, const TspDataSkinLabel* def);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::Label; }
    void Draw(TCanvas& canvas, bool upDate) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Stores the text and draws the label now.
    void SetText(const std::string& text);

    std::string Text;
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int32_t FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TAlignment Alignment = taCenter;

private:
    [[nodiscard]] bool HoverChangesLook() const;
};

// Frames of a picture strip shown one after another: on a timer, or, in button style,
// forward while the mouse is over it and backward when it leaves.
class TspSkinAnimateObject : public TspActiveSkinObject {
public:
    TspSkinAnimateObject(TspSkinForm* parent, const TspDataSkinAnimate* def);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::Animate; }
    void Draw(TCanvas& canvas, bool upDate) override;
    void DblClick() override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // Runs forward (or backward) from the current frame on the form's animation timer.
    void Start(bool forward = true);
    void Stop() { Active = false; }
    [[nodiscard]] bool Running() const { return Active; }
    // One tick of the animation timer (25 ms): counts the time until the frame's interval
    // has passed, then shows the next frame.
    void Step();
    // Back to the first frame, stopped, mouse outside (the form's reset of its objects).
    void Reset();
    [[nodiscard]] int32_t Frame() const { return frame_; }
    [[nodiscard]] bool Forward() const { return forward_; }
    // Frame n (1-based) in the active picture.
    [[nodiscard]] TRect FrameRect(int32_t n) const;

    int32_t CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int32_t TimerInterval = 50;
    TspButtonCommand Command = cmDefault;
    // Opened by a "cmdefault" button-style animation when assigned.
    TMenuItem* MenuItem = nullptr;

private:
    int32_t frame_ = 1;
    int32_t elapsed_ = 0;
    bool forward_ = true;
};

// One item of the form's main menu drawn in the frame's main-menu area: pressed, it opens
// its sub-items below itself; an item without sub-items is clicked on release.
class TspSkinMainMenuItem : public TspActiveSkinObject, public TspMenuItemLook {
public:
    TspSkinMainMenuItem(TspSkinForm* parent, const TspDataSkinMainMenuItem* def, TMenuItem* item);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::MainMenuItem; }
    void Draw(TCanvas& canvas, bool upDate) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    // The item's width in the frame: its text with the picture's margins around it.
    [[nodiscard]] int LayoutWidth() const;
    // Opens the item's sub-items below it (closing an open menu first); an item without
    // sub-items is clicked instead. The keyboard main-menu mode's press.
    void Press();

    TMenuItem* MenuItem;
    bool Down = false;
    bool KeyboardHighlight = false;  // highlighted by the keyboard main-menu mode
    TRect DownRect{};
};

// Standard buttons and animations carry a caption-button command: true for those, with the
// command (and whether an animation is in button style; a standard button always is).
[[nodiscard]] bool CaptionCommandOf(const TspActiveSkinObject& object, TspButtonCommand& command,
                                    bool& buttonStyle);

// A text drawn with a bitmap font: a table of text lines gives each character's cell.
class TspSkinBitLabelObject : public TspActiveSkinObject {
public:
    TspSkinBitLabelObject(TspSkinForm* parent, const TspDataSkinBitLabel* def);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::BitLabel; }
    void Draw(TCanvas& canvas, bool upDate) override;
    // Stores the text and draws the label now.
    void SetText(const std::string& text);
    // The cell (column, row) of a character in the glyph table: the first line holding it
    // gives the row, its position in that line the column; false when no line holds it.
    [[nodiscard]] bool GlyphCell(char c, int& column, int& row) const;

    std::string Text;
    int32_t SymbolWidth = 0;
    int32_t SymbolHeight = 0;
    TStringList Symbols;
};

// The base of the strip-frame objects: frame n of a strip of equal frames in the active
// picture, side by side from ActiveSkinRect's top-left (or one below the other).
class TspSkinFrameObject : public TspActiveSkinObject {
public:
    TspSkinFrameObject(TspSkinForm* parent, const TspDataSkinObject* def, int32_t countFrames,
                       bool vertical);
    void Draw(TCanvas& canvas, bool upDate) override;
    // Frame n (1-based) in the active picture.
    [[nodiscard]] TRect FrameRect(int32_t n) const;
    [[nodiscard]] int32_t FrameNumber() const { return frame_; }

    int32_t FrameWidth = 0;
    int32_t FrameHeight = 0;
    int32_t FramesCount = 0;
    bool Vertical = false;

protected:
    int32_t frame_ = 1;
};

// A gauge shown as the frame its value selects.
class TspSkinFrameGaugeObject : public TspSkinFrameObject {
public:
    TspSkinFrameGaugeObject(TspSkinForm* parent, const TspDataSkinFrameGaugeObject* def);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::FrameGauge; }
    void MouseEnter() override;
    void MouseLeave() override;
    // Kept within the range; the frame follows and is drawn now.
    void SetValue(int32_t value);
    [[nodiscard]] int32_t Value() const { return value_; }

    int32_t MinValue = 0;
    int32_t MaxValue = 0;

private:
    int32_t value_ = 0;
};

// A knob turned by dragging: each step of the pointer changes the value by one frame.
class TspSkinFrameRegulatorObject : public TspSkinFrameObject {
public:
    TspSkinFrameRegulatorObject(TspSkinForm* parent, const TspDataSkinFrameRegulatorObject* def);
    [[nodiscard]] TspObjectKind Kind() const override { return TspObjectKind::FrameRegulator; }
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void MouseMove(int x, int y) override;
    // A value within the range that differs is stored and drawn now, and the change event
    // fires.
    void SetValue(int32_t value);
    [[nodiscard]] int32_t Value() const { return value_; }
    [[nodiscard]] bool Dragging() const { return dragging_; }

    int32_t MinValue = 0;
    int32_t MaxValue = 0;
    // 0 diagonal (right and up turn it up), 1 horizontal, 2 vertical.
    int32_t DragKind = 0;

private:
    [[nodiscard]] int64_t Measure(int x, int y) const;
    int32_t value_ = 0;
    int32_t startValue_ = 0;
    int64_t anchor_ = 0;
    bool dragging_ = false;
};
