// The screen: forms in creation order, the active form and control, monitors and work
// areas (from the platform), the cursor.
#pragma once

#include <vector>

#include "base/Types.h"
#include "ui/Controls.h"

class TCustomForm;

struct TMonitor {
    int MonitorNum = 0;
    TRect BoundsRect;
    TRect WorkareaRect;
    bool Primary = false;
    [[nodiscard]] int Left() const { return BoundsRect.Left; }
    [[nodiscard]] int Top() const { return BoundsRect.Top; }
    [[nodiscard]] int Width() const { return BoundsRect.Width(); }
    [[nodiscard]] int Height() const { return BoundsRect.Height(); }
};

class TScreen {
public:
    [[nodiscard]] int FormCount() const { return static_cast<int>(forms_.size()); }
    [[nodiscard]] TCustomForm* Forms(int index) const {
        return forms_.at(static_cast<size_t>(index));
    }
    [[nodiscard]] TCustomForm* ActiveForm() const { return activeForm_; }
    [[nodiscard]] TWinControl* ActiveControl() const;

    // Monitors as the platform reports them (refreshed on every call).
    [[nodiscard]] int MonitorCount() const;
    [[nodiscard]] TMonitor Monitors(int index) const;
    [[nodiscard]] TMonitor PrimaryMonitor() const;
    // The monitor holding most of the rectangle / the point (the primary when none).
    [[nodiscard]] TMonitor MonitorFromRect(const TRect& screenRect) const;
    [[nodiscard]] TMonitor MonitorFromPoint(TPoint screenPoint) const;
    // The primary monitor's work area.
    [[nodiscard]] TRect WorkAreaRect() const;
    [[nodiscard]] int Width() const;
    [[nodiscard]] int Height() const;
    [[nodiscard]] TPoint CursorPos() const;

    // A cursor for the whole application (crDefault: each control's own).
    [[nodiscard]] TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    // Framework bookkeeping.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form) { activeForm_ = form; }

private:
    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    TCursor cursor_ = crDefault;
};

TScreen& Screen();
