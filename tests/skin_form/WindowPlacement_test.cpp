// Where the window commands put a window: maximised bounds, minimised places and magnetic
// snapping, on rectangles alone.
#include "skin/form/WindowPlacement.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

TEST(MaximizedBounds, AWorkAreaAsLargeAsTheMonitorLeavesAOnePixelGapAndFullScreenCoversIt) {
    const TRect monitor = Rect(0, 0, 1920, 1080);
    EXPECT_EQ(MaximizedBounds(monitor, monitor, false), Rect(1, 1, 1919, 1079));
    EXPECT_EQ(MaximizedBounds(monitor, monitor, true), monitor);
    // A panel reserves space: the work area as it is, no gap.
    const TRect work = Rect(0, 0, 1920, 1040);
    EXPECT_EQ(MaximizedBounds(monitor, work, false), work);
    EXPECT_EQ(MaximizedBounds(monitor, work, true), monitor);
    // A second monitor to the left of the primary one.
    const TRect left = Rect(-1280, 0, 0, 1024);
    EXPECT_EQ(MaximizedBounds(left, left, false), Rect(-1279, 1, -1, 1023));
}

// Places taken by earlier strips, as the form's search sees them.
struct Taken {
    std::set<std::pair<int, int>> places;
    bool operator()(TPoint p) const { return places.count({p.X, p.Y}) != 0; }
    void Add(TPoint p) { places.insert({p.X, p.Y}); }
};

TEST(MinimizedPlace, StripsStackRightwardsThenUpwardsAndFallBackToTheBottomLeftWhenRowsRunOut) {
    // 500 x 100 holds two 204 x 46 strips per row (a third would end at 612) and two rows
    // (tops 54 and 8; a third row would start above the top).
    const TRect area = Rect(0, 0, 500, 100);
    const TSize strip{204, 46};
    Taken taken;
    const TPoint expected[] = {{0, 54}, {204, 54}, {0, 8}, {204, 8}};
    for (const TPoint& e : expected) {
        const TPoint p = MinimizedPlace(area, strip, std::ref(taken));
        EXPECT_EQ(p, e);
        taken.Add(p);
    }
    // Every place taken: the bottom-left one again.
    EXPECT_EQ(MinimizedPlace(area, strip, std::ref(taken)), Point(0, 54));
}

TEST(MinimizedPlace, AGapInTheRowIsFilledAndAnAreaAwayFromTheOriginIsRespected) {
    const TRect area = Rect(100, 200, 1000, 700);
    const TSize strip{204, 46};
    Taken taken;
    taken.Add({100, 654});
    taken.Add({508, 654});  // the third place; the second is free
    EXPECT_EQ(MinimizedPlace(area, strip, std::ref(taken)), Point(304, 654));
    taken.Add({304, 654});
    // 712 + 204 = 916 fits in the area's right edge (1000).
    EXPECT_EQ(MinimizedPlace(area, strip, std::ref(taken)), Point(712, 654));
    taken.Add({712, 654});
    EXPECT_EQ(MinimizedPlace(area, strip, std::ref(taken)), Point(100, 608));
}

TEST(MinimizedPlace, AStripWiderThanTheAreaOrOfNoSizeNeverLoops) {
    Taken taken;
    taken.Add({0, 54});
    // One strip per row: the next place is a row up.
    EXPECT_EQ(MinimizedPlace(Rect(0, 0, 150, 100), {204, 46}, std::ref(taken)), Point(0, 8));
    // Nothing to move by: the first place, taken or not.
    EXPECT_EQ(MinimizedPlace(Rect(0, 0, 150, 100), {0, 46}, [](TPoint) { return true; }),
              Point(0, 54));
    EXPECT_EQ(MinimizedPlace(Rect(0, 0, 150, 100), {204, 0}, [](TPoint) { return true; }),
              Point(0, 100));
}

TEST(MagneticSnap, AnEdgeNineAwaySnapsTenAwayDoesNot) {
    const TRect area = Rect(0, 0, 1920, 1040);
    const TSize size{400, 300};
    EXPECT_EQ(MagneticSnap({9, 500}, size, area, 10), Point(0, 500));
    EXPECT_EQ(MagneticSnap({10, 500}, size, area, 10), Point(10, 500));
    EXPECT_EQ(MagneticSnap({-9, 500}, size, area, 10), Point(0, 500));
    EXPECT_EQ(MagneticSnap({-10, 500}, size, area, 10), Point(-10, 500));
    EXPECT_EQ(MagneticSnap({700, 9}, size, area, 10), Point(700, 0));
    EXPECT_EQ(MagneticSnap({700, 10}, size, area, 10), Point(700, 10));
    // Right and bottom edges: the window's far side within the distance.
    EXPECT_EQ(MagneticSnap({1920 - 400 - 9, 500}, size, area, 10), Point(1520, 500));
    EXPECT_EQ(MagneticSnap({1920 - 400 + 9, 500}, size, area, 10), Point(1520, 500));
    EXPECT_EQ(MagneticSnap({1920 - 400 - 10, 500}, size, area, 10), Point(1510, 500));
    EXPECT_EQ(MagneticSnap({700, 1040 - 300 + 5}, size, area, 10), Point(700, 740));
    // A corner snaps on both axes.
    EXPECT_EQ(MagneticSnap({3, -4}, size, area, 10), Point(0, 0));
}

TEST(MagneticSnap, TheFarEdgesWinWhenTheWindowNearlyFillsTheArea) {
    // 1915 wide: left at 3 snaps to 0, then its right edge (1915) is within 10 of 1920 and
    // wins, so the window ends flush right.
    EXPECT_EQ(MagneticSnap({3, 100}, {1915, 300}, Rect(0, 0, 1920, 1040), 10), Point(5, 100));
    // The distance is the skin form's MagneticSize; 0 snaps nothing, not even an edge on it.
    EXPECT_EQ(MagneticSnap({0, 0}, {400, 300}, Rect(0, 0, 1920, 1040), 0), Point(0, 0));
    EXPECT_EQ(MagneticSnap({1, 1}, {400, 300}, Rect(0, 0, 1920, 1040), 0), Point(1, 1));
}

}  // namespace
