// TspWindowMover: moving and sizing a skinned window. Each step of the framework's move loop
// (WM_MOVING) in both modes keeps a maximised window where it is and, with Magnetic, snaps
// the window to its work area's edges (an MDI child to its parent's MDI client area's); in
// client mode the room drags the window itself on
// the mouse timer. It also follows the framework's size-move loop, during which the frame
// objects hear nothing and a live resize repaints the frame from WM_SIZING.
//
// It owns its state; the form holds it and forwards its moving methods here. What it uses:
// - of the form: Form(), SupportNCArea(), SkinSupport(), WindowMaximized(), Magnetic,
//   MagneticSize, IsMDIChildForm(), MDIClientArea() (of the MDI room);
// - of the rooms: FrameObjects() (the objects' looks, the hover and capture, the mouse
//   timer), Geometry().TakeFormSize(), Painter().SendNcPaint().
#pragma once

#include "base/Types.h"

class TspPreviousProc;
class TspSkinForm;
struct TMessage;

class TspWindowMover {
public:
    explicit TspWindowMover(TspSkinForm& form) : form_(form) {}
    TspWindowMover(const TspWindowMover&) = delete;
    TspWindowMover& operator=(const TspWindowMover&) = delete;

    // The rectangle a move step proposes (WM_MOVING).
    void MovingRect(TRect& proposed);

    // ---- Client-mode dragging ----
    void StartDragging();
    void StopDragging() { dragging_ = false; }
    [[nodiscard]] bool Dragging() const { return dragging_; }
    // One step on the mouse timer: the window follows the cursor.
    void DragStep();

    // ---- The framework's size-move loop ----
    // From its start to the first frame press after it (the press that began it, or the
    // next one).
    [[nodiscard]] bool SizeMoveActive() const { return inSizeMove_; }
    // The window is being sized with its contents shown: the frame follows WM_SIZING.
    [[nodiscard]] bool LiveSizing() const { return inSizeMove_ && fullDrag_; }
    // A frame press (WM_NCLBUTTONDOWN) that the loop takes: no object gets it.
    [[nodiscard]] bool TakesPress();

    // ---- Messages (the form's message table) ----
    void OnMoving(TMessage& m);
    void OnEnterSizeMove();
    void OnExitSizeMove();

private:
    // Where the window snaps to, in the coordinates of its Left and Top.
    [[nodiscard]] TRect SnapArea() const;

    TspSkinForm& form_;
    bool dragging_ = false;
    TPoint dragStart_{};
    bool inSizeMove_ = false;
    bool fullDrag_ = true;
    bool loopRunning_ = false;         // between WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE
    bool loopStartedByClick_ = false;  // the running loop began with a frame press
};
