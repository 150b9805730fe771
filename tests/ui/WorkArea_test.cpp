#include "ui/WorkArea.h"

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"

TEST(GetWorkArea, NearestMonitorOrTheWholeScreen) {
    auto& headless = InstallHeadlessPlatform();
    headless.SetScreenSize({1000, 700}, Rect(0, 0, 1000, 660));
    EXPECT_EQ(GetWorkArea(Rect(10, 10, 200, 200), true), Rect(0, 0, 1000, 660));
    EXPECT_EQ(GetWorkArea(Rect(10, 10, 200, 200), false), Rect(0, 0, 1000, 700));
    headless.SetMonitors({{Rect(0, 0, 1000, 700), Rect(0, 0, 1000, 660), true},
                          {Rect(1000, 0, 2280, 1024), Rect(1000, 30, 2280, 1024), false}});
    // Mostly on the second monitor.
    EXPECT_EQ(GetWorkArea(Rect(900, 100, 1400, 300), true), Rect(1000, 30, 2280, 1024));
    EXPECT_EQ(GetWorkArea(Rect(900, 100, 1400, 300), false), Rect(1000, 0, 2280, 1024));
    // On neither: the closest one.
    EXPECT_EQ(GetWorkArea(Rect(2400, 100, 2500, 200), false), Rect(1000, 0, 2280, 1024));
    EXPECT_EQ(GetWorkArea(Rect(-300, 800, -100, 900), true), Rect(0, 0, 1000, 660));
}
