// TspFrameObjects: the frame's objects and the mouse routed to them. It makes the objects
// from the skin's definitions (or the default frame's six buttons) and the frame's
// main-menu items from the form's main menu (with their keyboard handling,
// TspFrameMainMenuKeys, registered with the form while they exist), applies the border-icon rules,
// places the objects (the corner rule, the caption-button row, the main-menu area), keeps which
// object is under the mouse (the active one) and which holds it (the capture), and runs the three
// timers: morphing, animations, and the mouse tracking that finds the object under the
// cursor while the window gets no mouse messages for it.
//
// It owns its state; the form holds it and forwards its object methods here. What it uses:
// - of the form: Form(), SkinData(), SkinSupport(), SupportNCArea(), MainMenu(),
//   BorderIcons(), ShowIcon(), HideCaptionButtons, DraggAble, UseSkinCursors,
//   ShowObjectHint/SkinHint(), OnActivateCustomObject, IsFormActive(), WindowMaximized(),
//   GetRollUpState(), MaximizedMDIChild(), CaptionDoubleClick(), OpenWindowMenu(),
//   ScreenToWindow(), DrawSkinObject(), SetFrameMainMenuKeys(), KeyboardMenuMode(),
//   MainMenuKeys(), LeaveKeyboardMenuMode(), and the component's free notifications for the
//   menu items it shows;
// - of the rooms: Geometry() (the rectangles, CalcObjectRect), Mover() (the client-mode
//   dragging, the size-move loop), Painter().SendNcPaint().
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Types.h"
#include "ui/Controls.h"

class TBitmap;
class TComponent;
class TTimer;
class TspActiveSkinObject;
class TspFrameMainMenuKeys;
class TspSkinCaptionObject;
class TspSkinForm;
struct TMessage;

class TspFrameObjects {
public:
    // Makes the three timers (stopped), owned through the form's component list.
    explicit TspFrameObjects(TspSkinForm& form);
    ~TspFrameObjects();
    TspFrameObjects(const TspFrameObjects&) = delete;
    TspFrameObjects& operator=(const TspFrameObjects&) = delete;

    // ---- The objects ----
    [[nodiscard]] int Count() const { return static_cast<int>(objects_.size()); }
    [[nodiscard]] TspActiveSkinObject* At(int index) const {
        return objects_.at(static_cast<size_t>(index)).get();
    }
    // The first object with the name, or nullptr.
    [[nodiscard]] TspActiveSkinObject* Find(const std::string& idName) const;
    // The skin's objects (and main-menu items); none without a skin.
    void CreateObjects();
    // The default frame's six buttons.
    void CreateDefaultButtons();
    // The default frame's buttons with the border icons applied, when there are no objects.
    void EnsureDefaultButtons();
    void ApplyBorderIcons();
    void ClearObjects();
    // The objects' looks back to normal (a switch keeps its state).
    void ResetObjects();
    // The caption objects' look follows activation.
    void UpdateCaptionObjects(bool draw);
    // A window with a frame of its own repaints it and its default captions show the owner's
    // caption (drawn now when the frame paint does not draw their text).
    void TakeCaptionText();
    // WM_ACTIVATE: the frame repaints and, in non-client mode, the hover ends and the looks
    // reset; the captions follow (not drawn for a maximised MDI child).
    void FollowActivation();
    // WM_NCACTIVATE: the frame and the captions follow (a window without a frame of its own
    // only sets the captions' look).
    void FollowNcActivation();
    // A main-menu item the frame shows is going: its object shows nothing from now on.
    void MenuItemGone(const TComponent* item);
    // Whether an object belongs to the current roll state. In non-client mode a skin that
    // defines no objects of its own for the rolled-up frame keeps its caption and buttons.
    [[nodiscard]] bool InRollState(const TspActiveSkinObject& object) const;
    [[nodiscard]] bool OnCaptionObject(TPoint p) const;
    // Places the objects for the frame's current rectangles.
    void ArrangeObjects();
    // Copy of the window icon at small-icon size (empty when the form has none).
    [[nodiscard]] const TBitmap& SmallIcon();

    // ---- The mouse ----
    [[nodiscard]] int ActiveObject() const { return activeObject_; }
    [[nodiscard]] int MouseCaptureObject() const { return mouseCaptureObject_; }
    // No object is under the mouse or holds it.
    void ForgetActive() { activeObject_ = mouseCaptureObject_ = -1; }
    // The object holding the mouse lets it go (without hearing of it).
    void ForgetCapture() { mouseCaptureObject_ = -1; }
    void TestActive(int x, int y, bool track);
    void MouseDown(TMouseButton button, int x, int y);
    void MouseUp(TMouseButton button, int x, int y);
    void MouseMove(int x, int y);
    void DblClick();
    // Starts the mouse tracking from a window point (WM_NCHITTEST), unless it runs.
    void TrackFrom(TPoint p);

    // ---- The timers ----
    [[nodiscard]] TTimer& MorphTimer() const { return *morphTimer_; }
    [[nodiscard]] TTimer& AnimateTimer() const { return *animateTimer_; }
    [[nodiscard]] TTimer& MouseTimer() const { return *mouseTimer_; }
    void StopTimers();
    // The mouse tracking runs again (a window that exists).
    void StartMouseTimer();
    // The form's components went, the timers with them.
    void TimersGone();

    // ---- Messages after the previous procedure (the form's message table) ----
    void OnNcMouseMove(const TMessage& m);
    void OnNcButtonDown(TMouseButton button, const TMessage& m);
    void OnNcButtonUp(TMouseButton button, const TMessage& m);
    void OnNcButtonDblClick(TMouseButton button, const TMessage& m);
    void OnMouseMove(const TMessage& m);
    void OnButtonDown(TMouseButton button, const TMessage& m);
    void OnButtonUp(TMouseButton button, const TMessage& m);
    void OnButtonDblClick(TMouseButton button, const TMessage& m);

private:
    void CreateMainMenuItems();
    void ArrangeMainMenuItems();
    void ArrangeCaptionButtons();
    [[nodiscard]] TspSkinCaptionObject* FirstCaptionObject() const;
    [[nodiscard]] bool Valid(int index) const { return index >= 0 && index < Count(); }
    void OnMorphTimer();
    void OnAnimateTimer();
    void OnMouseTimer();
    void ApplySkinCursor();

    TspSkinForm& form_;
    std::vector<std::unique_ptr<TspActiveSkinObject>> objects_;
    // The keyboard main-menu mode of the main-menu items, registered with the form while
    // there are such items.
    std::unique_ptr<TspFrameMainMenuKeys> mainMenuKeys_;
    bool mainMenuKeysSet_ = false;
    bool rollUpObjects_ = false;  // the skin has objects for the rolled-up frame
    int activeObject_ = -1, mouseCaptureObject_ = -1;
    TTimer* morphTimer_ = nullptr;  // owned through the form's component list
    TTimer* animateTimer_ = nullptr;
    TTimer* mouseTimer_ = nullptr;
    std::unique_ptr<TBitmap> smallIcon_;
};
