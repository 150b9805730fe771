#include "skin/controls/SkinUpDown.h"

#include "skin/controls/SkinHotPalette.h"
#include "skin/data/SkinData.h"
#include "skin/draw/Glyphs.h"
#include "skin/draw/RectUtils.h"
#include "ui/Canvas.h"

TspSkinUpDown::TspSkinUpDown(TComponent* owner) : TspSkinCustomControl(owner) {
    SetSkinDataName("hupdown");
    SetBounds(Left(), Top(), 25, 50);
}

TspSkinUpDown::~TspSkinUpDown() { KillTimer(kRepeatTimer); }

// ---- Published ----

void TspSkinUpDown::SetOrientation(TUDOrientation value) {
    orientation_ = value;
    if (IsDesigning() && !IsLoading()) SetSkinDataName(value == udVertical ? "vupdown" : "hupdown");
    LayoutButtons();
    Invalidate();
}

void TspSkinUpDown::SetMin(int value) {
    min_ = value;
    if (position_ < min_) position_ = min_;
    Invalidate();
}

void TspSkinUpDown::SetMax(int value) {
    max_ = value;
    if (position_ > max_) position_ = max_;
    Invalidate();
}

void TspSkinUpDown::SetPosition(int value) {
    if (value < min_ || value > max_) return;
    position_ = value;
    if (OnChange && !IsDesigning()) OnChange(this);
}

// ---- Section and layout ----

void TspSkinUpDown::ReadSkinSection() {
    TspSkinCustomControl::ReadSkinSection();
    if (auto* def = dynamic_cast<TspDataSkinCustomControl*>(SectionDef())) {
        // Always a fixed element of the skin rectangle's size.
        geometry_.LT = geometry_.RT = geometry_.LB = geometry_.RB = {};
        def->ClientRect = {};
        mode_ = ResizeModeOf(skinRect_, geometry_);
        newGeometry_ = geometry_;
    }
    LayoutButtons();
}

void TspSkinUpDown::LayoutButtons() {
    if (const auto* def = dynamic_cast<const TspDataSkinUpDownControl*>(SectionDef())) {
        buttons_[kUpButton].rect = def->UpButtonRect;
        buttons_[kDownButton].rect = def->DownButtonRect;
        return;
    }
    const int w = Width(), h = Height();
    if (orientation_ == udVertical) {
        buttons_[kUpButton].rect = Rect(0, 0, w, h / 2);
        buttons_[kDownButton].rect = Rect(0, h / 2, w, h);
    } else {
        buttons_[kDownButton].rect = Rect(0, 0, w / 2, h);
        buttons_[kUpButton].rect = Rect(w / 2, 0, w, h);
    }
}

// ---- Painting ----

void TspSkinUpDown::PaintSkinImage(TBitmap& bitmap) {
    TspSkinCustomControl::PaintSkinImage(bitmap);
    const auto* def = dynamic_cast<const TspDataSkinUpDownControl*>(SectionDef());
    if (def == nullptr || picture_ == nullptr) return;
    TCanvas& canvas = bitmap.Canvas();
    for (int i : {kUpButton, kDownButton}) {
        const Button& b = buttons_[static_cast<size_t>(i)];
        if (!b.active) continue;
        const TRect active = i == kUpButton ? def->ActiveUpButtonRect : def->ActiveDownButtonRect;
        TRect pressed = i == kUpButton ? def->DownUpButtonRect : def->DownDownButtonRect;
        if (IsNullRect(pressed)) pressed = active;
        const TRect& piece = b.pressed ? pressed : active;
        if (!IsNullRect(piece)) canvas.CopyRect(b.rect, *picture_, piece);
    }
}

void TspSkinUpDown::PaintDefaultImage(TBitmap& bitmap) {
    TspSkinCustomControl::PaintDefaultImage(bitmap);
    LayoutButtons();
    TCanvas& canvas = bitmap.Canvas();
    for (int i : {kUpButton, kDownButton}) {
        const Button& b = buttons_[static_cast<size_t>(i)];
        const TColor frame = b.active ? kHotFrame : clBtnShadow;
        const TColor fill = b.active ? (b.pressed ? kPressedFill : kHotFill) : clBtnFace;
        canvas.FillSolid(b.rect, frame);
        canvas.FillSolid(InflateRect(b.rect, -1, -1), fill);
        int kind = i == kUpButton ? akRight : akLeft;
        if (orientation_ == udVertical) kind = i == kUpButton ? akUp : akDown;
        DrawArrow(canvas, b.rect, clBlack, kind);
    }
}

// ---- Mouse and repeat ----

void TspSkinUpDown::HitTest(TPoint p) {
    int hit = -1;
    for (int i : {kUpButton, kDownButton})
        if (RectContainsPoint(buttons_[static_cast<size_t>(i)].rect, p)) hit = hit < 0 ? i : hit;
    if (pressedButton_ >= 0 && hit != pressedButton_) hit = -1;
    if (hit == activeButton_) return;
    oldActiveButton_ = activeButton_;
    if (oldActiveButton_ >= 0) {
        Button& old = buttons_[static_cast<size_t>(oldActiveButton_)];
        old.active = false;
        if (Increment != 0 && old.pressed) KillTimer(kRepeatTimer);
    }
    activeButton_ = hit;
    if (hit >= 0) {
        Button& b = buttons_[static_cast<size_t>(hit)];
        b.active = true;
        buttons_[static_cast<size_t>(1 - hit)].active = false;
        if (Increment != 0 && b.pressed) SetTimer(kRepeatTimer, kResumeRepeatMs);
    }
    Invalidate();
}

void TspSkinUpDown::MouseDownAt(TPoint p) {
    HitTest(p);
    if (activeButton_ < 0) return;
    buttons_[static_cast<size_t>(1 - activeButton_)].active = false;
    pressedButton_ = activeButton_;
    Button& b = buttons_[static_cast<size_t>(pressedButton_)];
    b.active = true;
    b.pressed = true;
    Invalidate();
    if (Increment != 0) {
        repeat_ = pressedButton_ == kUpButton ? rdUp : rdDown;
        firstTick_ = true;
        SetTimer(kRepeatTimer, kFirstRepeatMs);
    }
}

void TspSkinUpDown::MouseUpAt() {
    if (pressedButton_ < 0) return;
    const int index = pressedButton_;
    Button& b = buttons_[static_cast<size_t>(index)];
    b.pressed = false;
    if (activeButton_ != index) b.active = false;
    Invalidate();
    StopRepeat();
    pressedButton_ = -1;
    TLivenessWatch alive = LivenessWatch();
    if (index == kUpButton) {
        if (Increment != 0) Step(rdUp);
        if (alive.Alive() && OnUpButtonClick) OnUpButtonClick(this);
    } else {
        if (Increment != 0) Step(rdDown);
        if (alive.Alive() && OnDownButtonClick) OnDownButtonClick(this);
    }
}

void TspSkinUpDown::Step(RepeatDirection direction) {
    SetPosition(direction == rdUp ? position_ + Increment : position_ - Increment);
}

void TspSkinUpDown::StopRepeat() {
    KillTimer(kRepeatTimer);
    repeat_ = rdNone;
}

void TspSkinUpDown::TimerTick() {
    if (firstTick_) {
        firstTick_ = false;
        SetTimer(kRepeatTimer, kRepeatMs);
        return;
    }
    if (repeat_ != rdNone) Step(repeat_);
}

void TspSkinUpDown::WndProc(TMessage& message) {
    const TPoint p{GetXParam(message.LParam), GetYParam(message.LParam)};
    switch (message.Msg) {
        case WM_MOUSEMOVE:
            HitTest(p);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            MouseDownAt(p);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            MouseUpAt();
            break;
        case WM_TIMER:
            if (message.WParam == kRepeatTimer) {
                TimerTick();
                return;
            }
            break;
        case WM_SIZE:
            LayoutButtons();
            break;
        case CM_MOUSEENTER:
            if (message.LParam == 0) activeButton_ = oldActiveButton_ = -1;
            break;
        case CM_MOUSELEAVE:
            if (message.LParam == 0) {
                bool changed = false;
                for (Button& b : buttons_) {
                    changed = changed || b.active;
                    b.active = false;
                }
                if (changed) Invalidate();
            }
            break;
        default:
            break;
    }
    TspSkinCustomControl::WndProc(message);
}
