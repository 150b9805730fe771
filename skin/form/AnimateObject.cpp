// The animation: frames of a strip in the active picture, stepped on the form's 25 ms
// animation timer; in button style it runs forward under the mouse, backward when the
// mouse leaves, and carries out a caption-button command on a click.
#include <algorithm>

#include "skin/data/SkinObjectDefs.h"
#include "skin/draw/RectUtils.h"
#include "skin/form/FrameObjectKinds.h"
#include "skin/form/SkinForm.h"
#include "skin/form/WindowCommands.h"
#include "ui/Timer.h"

namespace {
constexpr int32_t kAnimateTick = 25;
}  // namespace

TspSkinAnimateObject::TspSkinAnimateObject(TspSkinForm* parent, const TspDataSkinAnimate* def)
    : TspActiveSkinObject(parent, def) {
    CountFrames = std::max(1, def->CountFrames);
    Cycle = def->Cycle;
    ButtonStyle = def->ButtonStyle;
    TimerInterval = std::max(kAnimateTick, def->TimerInterval);
    Command = def->Command;
}

TRect TspSkinAnimateObject::FrameRect(int32_t n) const {
    const int64_t w = RectWidth(SkinRect), h = RectHeight(SkinRect);
    const int64_t left = ActiveSkinRect.Left + (int64_t{n} - 1) * w;
    if (left + w > INT32_MAX || left < INT32_MIN) return {};
    return Bounds(static_cast<int32_t>(left), ActiveSkinRect.Top, static_cast<int32_t>(w),
                  static_cast<int32_t>(h));
}

void TspSkinAnimateObject::Draw(TCanvas& canvas, bool upDate) {
    if (!ActivePicture || IsNullRect(ActiveSkinRect)) {
        TspActiveSkinObject::Draw(canvas, upDate);
        return;
    }
    CopyToObject(canvas, ActivePicture, FrameRect(frame_));
}

void TspSkinAnimateObject::Start(bool forward) {
    forward_ = forward;
    // A finished run without repetition starts over from the first frame.
    if (forward && !Cycle && frame_ >= CountFrames) {
        frame_ = 1;
        Parent->DrawSkinObject(*this);
    }
    Active = true;
    TTimer& timer = Parent->GetAnimateTimer();
    if (!timer.Enabled()) timer.SetEnabled(true);
}

void TspSkinAnimateObject::Step() {
    if (!Active) return;
    if (elapsed_ < TimerInterval) {
        elapsed_ += kAnimateTick;
        return;
    }
    // A run that is already at its end stops there rather than wrapping round first (a
    // backward run that begins on frame 1, a forward run without repetition on the last).
    if (forward_ ? (!Cycle && frame_ >= CountFrames) : frame_ <= 1) {
        Active = false;
        return;
    }
    if (forward_)
        frame_ = frame_ >= CountFrames ? 1 : frame_ + 1;
    else
        frame_ = frame_ <= 1 ? CountFrames : frame_ - 1;
    Parent->DrawSkinObject(*this);
    elapsed_ = kAnimateTick;
    if ((forward_ && !Cycle && frame_ == CountFrames) || (!forward_ && frame_ == 1)) Active = false;
}

void TspSkinAnimateObject::Reset() {
    MouseIn = false;
    Active = false;
    frame_ = 1;
    elapsed_ = 0;
}

void TspSkinAnimateObject::MouseEnter() {
    MouseIn = true;
    if (ButtonStyle) Start(true);
    if (Parent->OnMouseEnterEvent) Parent->OnMouseEnterEvent(IDName);
}

void TspSkinAnimateObject::MouseLeave() {
    if (!MouseIn) return;
    MouseIn = false;
    if (ButtonStyle) {
        forward_ = false;
        Active = true;
        TTimer& timer = Parent->GetAnimateTimer();
        if (!timer.Enabled()) timer.SetEnabled(true);
    }
    if (Parent->OnMouseLeaveEvent) Parent->OnMouseLeaveEvent(IDName);
}

void TspSkinAnimateObject::MouseUp(int x, int y, TMouseButton button) {
    TspActiveSkinObject::MouseUp(x, y, button);
    if (!MouseIn || !ButtonStyle || button != mbLeft) return;
    switch (Command) {
        case cmSysMenu:
            OpenButtonWindowMenu(*Parent, *this);
            break;
        case cmDefault:
            if (MenuItem) OpenObjectMenu(*Parent, *this, *MenuItem);
            break;
        default:
            RunFrameCommand(*Parent, Command);
            break;
    }
}

void TspSkinAnimateObject::DblClick() {
    if (Command == cmSysMenu) CloseSkinnedWindow(*Parent);
}

bool CaptionCommandOf(const TspActiveSkinObject& object, TspButtonCommand& command,
                      bool& buttonStyle) {
    if (object.Kind() == TspObjectKind::StdButton) {
        command = static_cast<const TspSkinStdButtonObject&>(object).Command;
        buttonStyle = true;
        return true;
    }
    if (object.Kind() == TspObjectKind::Animate) {
        const auto& a = static_cast<const TspSkinAnimateObject&>(object);
        command = a.Command;
        buttonStyle = a.ButtonStyle;
        return true;
    }
    return false;
}
