// TScreen: forms in creation order, the active form, monitors from the platform.
#include "ui/Screen.h"

#include <algorithm>

#include "platform/Platform.h"
#include "ui/ControlsWindowHost.h"
#include "ui/Forms.h"

namespace {

std::vector<platform::Monitor> PlatformMonitors() {
    std::vector<platform::Monitor> list;
    if (platform::HasCurrent()) list = platform::Current().Monitors();
    if (list.empty()) {
        platform::Monitor m;
        const TSize s =
            platform::HasCurrent() ? platform::Current().ScreenSize() : TSize{1024, 768};
        m.bounds = m.workArea = Rect(0, 0, s.cx, s.cy);
        m.primary = true;
        list.push_back(m);
    }
    return list;
}

TMonitor ToMonitor(const platform::Monitor& m, int index) {
    TMonitor t;
    t.MonitorNum = index;
    t.BoundsRect = m.bounds;
    t.WorkareaRect = m.workArea;
    t.Primary = m.primary;
    return t;
}

int64_t Area(const TRect& r) {
    return IsRectEmpty(r) ? 0 : static_cast<int64_t>(r.Width()) * r.Height();
}

}  // namespace

TScreen& Screen() {
    static TScreen* screen = new TScreen();
    return *screen;
}

TWinControl* TScreen::ActiveControl() const {
    return activeForm_ ? activeForm_->ActiveControl() : nullptr;
}

int TScreen::MonitorCount() const { return static_cast<int>(PlatformMonitors().size()); }

TMonitor TScreen::Monitors(int index) const {
    const auto list = PlatformMonitors();
    return ToMonitor(list.at(static_cast<size_t>(index)), index);
}

TMonitor TScreen::PrimaryMonitor() const {
    const auto list = PlatformMonitors();
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].primary) return ToMonitor(list[i], static_cast<int>(i));
    }
    return ToMonitor(list.front(), 0);
}

TMonitor TScreen::MonitorFromRect(const TRect& r) const {
    const auto list = PlatformMonitors();
    int best = -1;
    int64_t bestArea = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        const int64_t a = Area(IntersectRect(list[i].bounds, r));
        if (a > bestArea) {
            bestArea = a;
            best = static_cast<int>(i);
        }
    }
    return best < 0 ? PrimaryMonitor() : ToMonitor(list[static_cast<size_t>(best)], best);
}

TMonitor TScreen::MonitorFromPoint(TPoint p) const {
    const auto list = PlatformMonitors();
    for (size_t i = 0; i < list.size(); ++i) {
        if (PtInRect(list[i].bounds, p)) return ToMonitor(list[i], static_cast<int>(i));
    }
    return PrimaryMonitor();
}

TRect TScreen::WorkAreaRect() const { return PrimaryMonitor().WorkareaRect; }
int TScreen::Width() const { return PrimaryMonitor().Width(); }
int TScreen::Height() const { return PrimaryMonitor().Height(); }

TPoint TScreen::CursorPos() const {
    return platform::HasCurrent() ? platform::Current().CursorPos() : TPoint{};
}

void TScreen::SetCursor(TCursor cursor) {
    cursor_ = cursor;
    if (!platform::HasCurrent()) return;
    for (TCustomForm* f : forms_) {
        if (f->PlatformWindow()) f->PlatformWindow()->SetCursor(CursorToShape(cursor));
    }
}

void TScreen::AddForm(TCustomForm* form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (activeForm_ == form) activeForm_ = nullptr;
}
