// The frame's value objects: the track bar, the gauge, and the gauge and regulator drawn as
// frames of a picture strip.
#include <algorithm>
#include <cstdlib>

#include "skin/data/SkinObjectDefs.h"
#include "skin/draw/Blit.h"
#include "skin/draw/RectUtils.h"
#include "skin/form/FrameObjectKinds.h"
#include "skin/form/SkinForm.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"

// ---------------------------------------------------------------- track bar

TspSkinTrackBarObject::TspSkinTrackBarObject(TspSkinForm* parent, const TspDataSkinTrackBar* def)
    : TspActiveSkinObject(parent, def) {
    ButtonRect = def->ButtonRect;
    ActiveButtonRect = def->ActiveButtonRect;
    Track = TTrackGeometry{def->BeginPoint, def->EndPoint, def->MinValue, def->MaxValue};
    MouseDownChangeValue = def->MouseDownChangeValue;
    Vertical = Track.Vertical();
    value_ = Track.MinValue;
    buttonPos_ = TrackValueToPosition(Track, value_);
    if (!ActivePicture) ButtonRect = ActiveButtonRect = {};
}

TRect TspSkinTrackBarObject::ButtonPlace() const {
    const int w = RectWidth(ButtonRect), h = RectHeight(ButtonRect);
    return Bounds(buttonPos_.X - w / 2, buttonPos_.Y - h / 2, w, h);
}

void TspSkinTrackBarObject::Draw(TCanvas& canvas, bool) {
    const int w = RectWidth(SkinRect), h = RectHeight(SkinRect);
    if (w < 1 || h < 1) return;
    TBitmap image(w, h);
    if (const TBitmap* normal = NormalPicture())
        BlitRect(image, Rect(0, 0, w, h), *normal, SkinRect);
    // The part of the track from the minimum to the thumb shows the active image.
    if (ActivePicture && !IsNullRect(ActiveSkinRect)) {
        const TRect& a = ActiveSkinRect;
        if (!Vertical) {
            const int cut = std::clamp(buttonPos_.X, 0, w);
            BlitRect(image, Rect(0, 0, cut, h), *ActivePicture,
                     Rect(a.Left, a.Top, a.Left + cut, a.Top + h));
        } else {
            const int cut = std::clamp(buttonPos_.Y, 0, h);
            BlitRect(image, Rect(0, cut, w, h), *ActivePicture,
                     Rect(a.Left, a.Top + cut, a.Left + w, a.Top + h));
        }
    }
    const TRect& thumb = dragging_ && !IsNullRect(ActiveButtonRect) ? ActiveButtonRect : ButtonRect;
    if (ActivePicture && !IsNullRect(thumb)) BlitRect(image, ButtonPlace(), *ActivePicture, thumb);
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

void TspSkinTrackBarObject::SetButtonPos(TPoint position) {
    if (position == buttonPos_) return;
    buttonPos_ = position;
    value_ = TrackPositionToValue(Track, position);
    Parent->DrawSkinObject(*this);
    if (Parent->OnTrackBarChangeValueEvent) Parent->OnTrackBarChangeValueEvent(IDName, value_);
}

void TspSkinTrackBarObject::SetValue(int32_t value) {
    value_ = ClampValue(value, Track.MinValue, Track.MaxValue);
    buttonPos_ = TrackValueToPosition(Track, value_);
    Parent->DrawSkinObject(*this);
}

void TspSkinTrackBarObject::MouseDown(int x, int y, TMouseButton button) {
    if (button == mbLeft) {
        const TPoint p = Local(x, y);
        if (PtInRect(ButtonPlace(), p)) {
            dragging_ = true;
            anchor_ = p;
            if (!IsNullRect(ActiveButtonRect)) Parent->DrawSkinObject(*this);
        } else if (MouseDownChangeValue) {
            SetButtonPos(ClampToTrack(Track, p));
        }
    }
    TspActiveSkinObject::MouseDown(x, y, button);
}

void TspSkinTrackBarObject::MouseMove(int x, int y) {
    if (dragging_) {
        const TPoint p = Local(x, y);
        // The thumb follows the pointer and stops at the ends of the track; the anchor
        // keeps the pointer's offset, so the thumb is back under the pointer when it
        // returns from beyond an end (and a fast move past an end still reaches it).
        if (!Vertical) {
            const int64_t c = int64_t{p.X} + buttonPos_.X - anchor_.X;
            const TPoint to = ClampToTrack(
                Track, {static_cast<int32_t>(std::clamp<int64_t>(c, INT32_MIN, INT32_MAX)), 0});
            anchor_ = {static_cast<int32_t>(p.X - (c - to.X)), p.Y};
            SetButtonPos(to);
        } else {
            const int64_t c = int64_t{p.Y} + buttonPos_.Y - anchor_.Y;
            const TPoint to = ClampToTrack(
                Track, {0, static_cast<int32_t>(std::clamp<int64_t>(c, INT32_MIN, INT32_MAX))});
            anchor_ = {p.X, static_cast<int32_t>(p.Y - (c - to.Y))};
            SetButtonPos(to);
        }
    }
    TspActiveSkinObject::MouseMove(x, y);
}

void TspSkinTrackBarObject::MouseUp(int x, int y, TMouseButton button) {
    if (button == mbLeft && dragging_) {
        dragging_ = false;
        if (!IsNullRect(ActiveButtonRect)) Parent->DrawSkinObject(*this);
    }
    TspActiveSkinObject::MouseUp(x, y, button);
}

// ---------------------------------------------------------------- gauge

TspSkinGaugeObject::TspSkinGaugeObject(TspSkinForm* parent, const TspDataSkinGauge* def)
    : TspActiveSkinObject(parent, def) {
    MinValue = def->MinValue;
    MaxValue = def->MaxValue;
    Vertical = def->Kind != gkHorizontal;
    Value_ = MinValue;
}

void TspSkinGaugeObject::Draw(TCanvas& canvas, bool upDate) {
    // At the minimum the frame picture already shows the empty gauge.
    if (Value_ == MinValue && !upDate) return;
    const int w = RectWidth(SkinRect), h = RectHeight(SkinRect);
    if (w < 1 || h < 1) return;
    TBitmap image(w, h);
    if (const TBitmap* normal = NormalPicture())
        BlitRect(image, Rect(0, 0, w, h), *normal, SkinRect);
    if (ActivePicture && !IsNullRect(ActiveSkinRect)) {
        const TRect& a = ActiveSkinRect;
        if (!Vertical) {
            const int p = GaugeFilledExtent(MinValue, MaxValue, Value_, w);
            BlitRect(image, Rect(0, 0, p, h), *ActivePicture,
                     Rect(a.Left, a.Top, a.Left + p, a.Top + h));
        } else {
            const int top = GaugeEmptyTop(MinValue, MaxValue, Value_, h);
            BlitRect(image, Rect(0, top, w, h), *ActivePicture,
                     Rect(a.Left, a.Top + top, a.Left + w, a.Top + h));
        }
    }
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

void TspSkinGaugeObject::SetValue(int32_t value) {
    value = ClampValue(value, MinValue, MaxValue);
    if (value == Value_) return;
    Value_ = value;
    Parent->DrawSkinObject(*this);
}

void TspSkinGaugeObject::MouseEnter() {
    MouseIn = true;
    Active = true;
}

void TspSkinGaugeObject::MouseLeave() {
    MouseIn = false;
    Active = false;
}

// ---------------------------------------------------------------- strip frames

TspSkinFrameObject::TspSkinFrameObject(TspSkinForm* parent, const TspDataSkinObject* def,
                                       int32_t countFrames, bool vertical)
    : TspActiveSkinObject(parent, def), FramesCount(countFrames), Vertical(vertical) {
    const int n = std::max(1, countFrames);
    FrameWidth = Vertical ? RectWidth(ActiveSkinRect) : RectWidth(ActiveSkinRect) / n;
    FrameHeight = Vertical ? RectHeight(ActiveSkinRect) / n : RectHeight(ActiveSkinRect);
}

TRect TspSkinFrameObject::FrameRect(int32_t n) const {
    const int step = n - 1;
    if (Vertical)
        return Bounds(ActiveSkinRect.Left, ActiveSkinRect.Top + step * FrameHeight, FrameWidth,
                      FrameHeight);
    return Bounds(ActiveSkinRect.Left + step * FrameWidth, ActiveSkinRect.Top, FrameWidth,
                  FrameHeight);
}

void TspSkinFrameObject::Draw(TCanvas& canvas, bool upDate) {
    if (!ActivePicture || FrameWidth < 1 || FrameHeight < 1) {
        TspActiveSkinObject::Draw(canvas, upDate);
        return;
    }
    CopyToObject(canvas, ActivePicture, FrameRect(frame_));
}

TspSkinFrameGaugeObject::TspSkinFrameGaugeObject(TspSkinForm* parent,
                                                 const TspDataSkinFrameGaugeObject* def)
    : TspSkinFrameObject(parent, def, def->CountFrames, def->FramesPlacement != fpHorizontal) {
    MinValue = def->MinValue;
    MaxValue = def->MaxValue;
    value_ = ClampValue(0, MinValue, MaxValue);
    frame_ = FrameForValue(MinValue, MaxValue, value_, FramesCount);
}

void TspSkinFrameGaugeObject::SetValue(int32_t value) {
    value = ClampValue(value, MinValue, MaxValue);
    if (value == value_) return;
    value_ = value;
    frame_ = FrameForValue(MinValue, MaxValue, value_, FramesCount);
    Parent->DrawSkinObject(*this);
}

void TspSkinFrameGaugeObject::MouseEnter() {
    MouseIn = true;
    Active = true;
}

void TspSkinFrameGaugeObject::MouseLeave() {
    MouseIn = false;
    Active = false;
}

// ---------------------------------------------------------------- frame regulator

TspSkinFrameRegulatorObject::TspSkinFrameRegulatorObject(TspSkinForm* parent,
                                                         const TspDataSkinFrameRegulatorObject* def)
    : TspSkinFrameObject(parent, def, def->CountFrames, def->FramesPlacement != fpHorizontal) {
    MinValue = def->MinValue;
    MaxValue = def->MaxValue;
    DragKind = def->Kind;
    value_ = ClampValue(0, MinValue, MaxValue);
    frame_ = FrameForValue(MinValue, MaxValue, value_, FramesCount);
}

int64_t TspSkinFrameRegulatorObject::Measure(int x, int y) const {
    const int64_t lx = int64_t{x} - ObjectRect.Left, ly = int64_t{y} - ObjectRect.Top;
    switch (DragKind) {
        case rkHorizontal:
            return lx;
        case rkVertical:
            return -ly;
        default:
            return lx - ly;
    }
}

void TspSkinFrameRegulatorObject::MouseDown(int x, int y, TMouseButton button) {
    dragging_ = true;
    startValue_ = value_;
    anchor_ = Measure(x, y);
    TspActiveSkinObject::MouseDown(x, y, button);
}

void TspSkinFrameRegulatorObject::MouseMove(int x, int y) {
    if (dragging_) {
        const int64_t steps = std::max(1, FramesCount - 1);
        const int64_t pixels = DragKind == rkHorizontal ? FrameWidth
                               : DragKind == rkVertical ? FrameHeight
                                                        : std::min(FrameWidth, FrameHeight);
        const int64_t s = std::max<int64_t>(1, pixels / steps);
        const int64_t v = std::max<int64_t>(1, (int64_t{MaxValue} - MinValue) / steps);
        const int64_t m = Measure(x, y);
        if (std::llabs(m - anchor_) >= s) {
            const int64_t next = startValue_ + (m < anchor_ ? -v : v);
            anchor_ = m;
            startValue_ =
                ClampValue(static_cast<int32_t>(std::clamp<int64_t>(next, INT32_MIN, INT32_MAX)),
                           MinValue, MaxValue);
            SetValue(startValue_);
        }
    }
    TspActiveSkinObject::MouseMove(x, y);
}

void TspSkinFrameRegulatorObject::MouseUp(int x, int y, TMouseButton button) {
    dragging_ = false;
    TspActiveSkinObject::MouseUp(x, y, button);
}

void TspSkinFrameRegulatorObject::SetValue(int32_t value) {
    const int32_t lo = std::min(MinValue, MaxValue), hi = std::max(MinValue, MaxValue);
    if (value == value_ || value < lo || value > hi) return;
    value_ = value;
    frame_ = FrameForValue(MinValue, MaxValue, value_, FramesCount);
    Parent->DrawSkinObject(*this);
    if (Parent->OnFrameRegulatorChangeValueEvent)
        Parent->OnFrameRegulatorChangeValueEvent(IDName, value_);
}
