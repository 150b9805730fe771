// The demo form's own frame: a 24-pixel caption band and 4-pixel borders, answered through
// the form's hooked window procedure (client rectangle, hit codes, painting), so that the
// framework's own move and resize loop drives the undecorated window.
#pragma once

#include <functional>

#include "ui/Forms.h"

constexpr int kDemoCaptionHeight = 24;
constexpr int kDemoBorder = 4;
// Corners take this much of each edge, so diagonal resizing is easy to hit.
constexpr int kDemoCornerReach = 12;

// Hit code of a point in window coordinates of a window of the given size.
[[nodiscard]] int DemoFrameHitTest(TSize window, TPoint p);

class DemoFrame {
public:
    explicit DemoFrame(TCustomForm& form);
    ~DemoFrame();
    DemoFrame(const DemoFrame&) = delete;
    DemoFrame& operator=(const DemoFrame&) = delete;

private:
    void WndProc(TMessage& m);
    void Paint(TCanvas& canvas);

    TCustomForm& form_;
    std::function<void(TMessage&)> previous_;
};
