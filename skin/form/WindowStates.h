// TspWindowStates: the emulated window states of a skinned window (normal, minimised to a
// frame-only strip, maximised to the work area or the monitor) and rolling the window up to
// its frame. The platform's own window state is never used: the window stays a normal
// window whose bounds the room sets, and it remembers the bounds to come back to, the
// height before a roll-up and, in client mode, the children hidden while rolled up.
//
// Two rules keep the roll-up consistent with the state: maximising a window rolled up in
// the normal state unrolls it first, and restoring a window that was rolled up while
// maximised brings it back unrolled. Without them the window would be flagged rolled up at
// a full size (client area shown, no borders to size it, no way to unroll it).
//
// It owns its state; the form holds it and forwards its state methods here. What it uses:
// - of the form: Form(), SkinData(), SkinSupport(), SupportNCArea(), BorderIcons(),
//   Sizeable, MinWidth/MinHeight, MaximizeOnFullScreen, GetMinWidth()/GetMinHeight(),
//   IsMDIChildForm(), UpdateFrame(), TestActive(), OnChangeRollUpState, and for an MDI
//   child the form's MDI steps (NotifyMDIParent, MaximizeMDIChild, MDIMinimizedPlace: a
//   friend for these alone);
// - of the rooms: Geometry() (the picture's size, NudgeWidth, the frame size), Shape()
//   (the roll-up region), FrameObjects() (the roll-up objects, the timers), Painter()
//   (SendNcPaint).
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "base/Liveness.h"
#include "base/Types.h"

class TControl;
class TspSkinForm;

// The emulated window state (independent of the platform's).
enum : uint8_t { kSkinStateNormal = 0, kSkinStateMinimized = 1, kSkinStateMaximized = 2 };

class TspWindowStates {
public:
    explicit TspWindowStates(TspSkinForm& form) : form_(form) {}
    TspWindowStates(const TspWindowStates&) = delete;
    TspWindowStates& operator=(const TspWindowStates&) = delete;

    [[nodiscard]] uint8_t State() const { return state_; }
    [[nodiscard]] bool Maximized() const { return state_ == kSkinStateMaximized; }
    [[nodiscard]] bool Minimized() const { return state_ == kSkinStateMinimized; }
    [[nodiscard]] bool RolledUp() const { return rolledUp_; }
    [[nodiscard]] bool RolledUpWhileMaximized() const { return rolledUpWhileMaximized_; }
    // The bounds the window returns to (empty in the normal state).
    [[nodiscard]] TRect RestoreBounds() const { return restoreBounds_; }

    void SetWindowState(uint8_t state);
    // The restore command: unrolls a window rolled up while maximised or in the normal
    // state, else restores the normal state.
    void RestoreWindow();
    void SetRollUpState(bool value);
    // The caption double click (non-client and client mode rules).
    void CaptionDoubleClick();
    // The state becomes the normal one with no change to the window (an MDI child going).
    void DropState() { state_ = kSkinStateNormal; }

    // ---- A new skin in client mode ----
    // Without a roll-up picture the window unrolls (its children shown again).
    void UnrollForSkinWithoutRollUp();
    // A window still rolled up takes the new skin's roll-up picture and shape.
    void RollUpAgainForSkin();

private:
    void RestoreNormal();
    void Minimize();
    void Maximize();
    void RollNonClient(bool up);
    void RollClient(bool up);
    void RollClientUp();
    void RollClientDown();
    void HideControls();
    void ShowHiddenControls();
    void ClearHover();
    void RollUpStateChanged();

    TspSkinForm& form_;
    uint8_t state_ = kSkinStateNormal;
    bool rolledUp_ = false;
    bool rolledUpWhileMaximized_ = false;
    TRect restoreBounds_{};
    int oldHeight_ = 0;       // the height before the roll-up
    int rollUpOldWidth_ = 0;  // client mode: the width a fixed-width roll-up picture replaced
    // Children hidden while rolled up in client mode, with their liveness (a child freed
    // meanwhile is not shown again).
    std::vector<std::pair<TControl*, TLivenessWatch>> hiddenControls_;
};
