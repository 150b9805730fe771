#include <gtest/gtest.h>

#include <string>

#include "tests/gtk/GtkTestSupport.h"

using gtktest::WaitFor;
using platform::Current;

TEST(GtkLoop, TimersRepeatUntilKilledEvenFromTheirOwnCallback) {
    auto& p = Current();
    int fired = 0;
    platform::TimerId self = 0;
    const uint64_t start = p.NowMs();
    uint64_t firstAt = 0;
    self = p.SetTimer(15, [&] {
        if (++fired == 1) firstAt = p.NowMs();
        if (fired == 3) p.KillTimer(self);
    });
    int witness = 0;
    const platform::TimerId other = p.SetTimer(15, [&] { ++witness; });
    ASSERT_TRUE(WaitFor([&] { return witness >= 8; }));
    p.KillTimer(other);
    EXPECT_EQ(fired, 3);
    EXPECT_GE(firstAt - start, 14u);  // never before its interval
    p.KillTimer(self);                // killing twice is harmless
    p.KillTimer(123456);
}

TEST(GtkLoop, PostedTasksRunInOrderAndRepostsWaitForTheNextRound) {
    auto& p = Current();
    std::string order;
    p.Post([&] {
        order += 'a';
        p.Post([&] { order += 'c'; });
    });
    p.Post([&] { order += 'b'; });
    ASSERT_TRUE(WaitFor([&] { return order.size() == 3; }));
    EXPECT_EQ(order, "abc");
}

TEST(GtkLoop, ProcessPendingReturnsWhileATaskKeepsRepostingItself) {
    auto& p = Current();
    int runs = 0;
    bool stop = false;
    std::function<void()> again = [&] {
        ++runs;
        if (!stop) p.Post(again);
    };
    p.Post(again);
    p.ProcessPending();
    EXPECT_GT(runs, 1);
    stop = true;
    p.ProcessPending();  // runs the last repost, which no longer posts
}

TEST(GtkLoop, QuitBeforeRunAndNestedLoops) {
    auto& p = Current();
    p.Quit();
    p.Run();  // returns at once: the quit was asked for before the loop started

    std::string trace;
    p.Post([&] {
        trace += "outer>";
        p.Post([&] {
            trace += "inner>";
            p.Quit();
        });
        p.Run();
        trace += "<inner";
        p.Quit();
    });
    p.Run();
    trace += "<outer";
    EXPECT_EQ(trace, "outer>inner><inner<outer");
}

TEST(GtkScreen, MonitorsAndScreenAgree) {
    auto& p = Current();
    const TSize screen = p.ScreenSize();
    ASSERT_GT(screen.cx, 0);
    const auto monitors = p.Monitors();
    ASSERT_FALSE(monitors.empty());
    int primaries = 0;
    TRect all;
    for (const auto& m : monitors) {
        primaries += m.primary;
        all = UnionRect(all, m.bounds);
        EXPECT_EQ(IntersectRect(m.workArea, m.bounds), m.workArea);
        EXPECT_FALSE(IsRectEmpty(m.workArea));
    }
    EXPECT_EQ(primaries, 1);
    EXPECT_EQ(all, Rect(0, 0, screen.cx, screen.cy));
    EXPECT_GT(p.DoubleClickTimeMs(), 0u);
    const TPoint cursor = p.CursorPos();
    EXPECT_TRUE(PtInRect(Rect(0, 0, screen.cx, screen.cy), cursor));
}

TEST(GtkScreen, CaptureOutsideTheScreenIsBlack) {
    auto& p = Current();
    const TSize screen = p.ScreenSize();
    const std::vector<uint32_t> corner = p.CaptureScreen(Rect(-2, -2, 2, 2));
    ASSERT_EQ(corner.size(), 16u);
    EXPECT_EQ(corner[0], 0u);
    EXPECT_EQ(corner[4 * 1 + 3], 0u);
    const std::vector<uint32_t> inside = p.CaptureScreen(Rect(0, 0, 2, 2));
    EXPECT_EQ(corner[4 * 2 + 2], inside[0]);
    EXPECT_EQ(corner[4 * 3 + 3], inside[3]);
    EXPECT_EQ(p.CaptureScreen(Rect(screen.cx, 0, screen.cx + 3, 1)), std::vector<uint32_t>(3, 0));
    EXPECT_TRUE(p.CaptureScreen(Rect(5, 5, 5, 9)).empty());
}
