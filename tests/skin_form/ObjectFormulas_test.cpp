// The value arithmetic of track bars, gauges and strip-frame objects: rounding of halves
// to the even neighbour, both directions of the track formulas, the gauge's filled part
// and the frame a value selects, including the degenerate ranges a skin can give.
#include "skin/form/ObjectFormulas.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ObjectFormulas, HalvesRoundToTheEvenNeighbour) {
    EXPECT_EQ(NearestEven(0.5), 0);
    EXPECT_EQ(NearestEven(1.5), 2);
    EXPECT_EQ(NearestEven(2.5), 2);
    EXPECT_EQ(NearestEven(3.5), 4);
    EXPECT_EQ(NearestEven(-0.5), 0);
    EXPECT_EQ(NearestEven(-1.5), -2);
    EXPECT_EQ(NearestEven(-2.5), -2);
    EXPECT_EQ(NearestEven(2.49), 2);
    EXPECT_EQ(NearestEven(2.51), 3);
    EXPECT_EQ(NearestEven(-2.51), -3);
}

TEST(ObjectFormulas, EqualExtentsMakeATrackVertical) {
    EXPECT_TRUE((TTrackGeometry{{0, 0}, {10, 10}, 0, 1}.Vertical()));
    EXPECT_TRUE((TTrackGeometry{{10, 0}, {0, 10}, 0, 1}.Vertical()));
    EXPECT_FALSE((TTrackGeometry{{0, 0}, {10, 9}, 0, 1}.Vertical()));
    EXPECT_TRUE((TTrackGeometry{{5, 5}, {5, 5}, 0, 1}.Vertical()));  // a point: both extents 0
}

TEST(ObjectFormulas, HorizontalTrackMapsValuesAndPositionsWithEvenRounding) {
    // 100 pixels for 200 values: every odd value falls on a half pixel.
    const TTrackGeometry t{{10, 7}, {110, 7}, 0, 200};
    EXPECT_EQ(TrackValueToPosition(t, 0), (TPoint{10, 7}));
    EXPECT_EQ(TrackValueToPosition(t, 200), (TPoint{110, 7}));
    EXPECT_EQ(TrackValueToPosition(t, 1).X, 10);  // 0.5 -> 0
    EXPECT_EQ(TrackValueToPosition(t, 3).X, 12);  // 1.5 -> 2
    EXPECT_EQ(TrackValueToPosition(t, 5).X, 12);  // 2.5 -> 2
    EXPECT_EQ(TrackValueToPosition(t, 7).X, 14);  // 3.5 -> 4
    EXPECT_EQ(TrackPositionToValue(t, {10, 7}), 0);
    EXPECT_EQ(TrackPositionToValue(t, {11, 7}), 2);
    EXPECT_EQ(TrackPositionToValue(t, {110, 0}), 200);  // y plays no part
    // 4 pixels for 1 value: the middle is a half.
    const TTrackGeometry half{{0, 0}, {4, 0}, 0, 1};
    EXPECT_EQ(TrackPositionToValue(half, {2, 0}), 0);
    const TTrackGeometry threeHalves{{0, 0}, {4, 0}, 0, 3};
    EXPECT_EQ(TrackPositionToValue(threeHalves, {2, 0}), 2);  // 1.5 -> 2
    // Negative ranges work the same way.
    const TTrackGeometry negative{{0, 0}, {100, 0}, -50, 50};
    EXPECT_EQ(TrackPositionToValue(negative, {50, 0}), 0);
    EXPECT_EQ(TrackValueToPosition(negative, -50).X, 0);
}

TEST(ObjectFormulas, VerticalTrackHasItsMinimumAtTheBeginPoint) {
    const TTrackGeometry t{{5, 100}, {5, 0}, 0, 100};
    ASSERT_TRUE(t.Vertical());
    EXPECT_EQ(TrackValueToPosition(t, 0), (TPoint{5, 100}));
    EXPECT_EQ(TrackValueToPosition(t, 100), (TPoint{5, 0}));
    EXPECT_EQ(TrackValueToPosition(t, 25), (TPoint{5, 75}));
    EXPECT_EQ(TrackPositionToValue(t, {5, 75}), 25);
    for (int v = 0; v <= 100; ++v)
        EXPECT_EQ(TrackPositionToValue(t, TrackValueToPosition(t, v)), v) << v;
    EXPECT_EQ(ClampToTrack(t, {40, -20}), (TPoint{5, 0}));
    EXPECT_EQ(ClampToTrack(t, {40, 500}), (TPoint{5, 100}));
}

TEST(ObjectFormulas, DegenerateTracksAndRangesNeverDivideByZero) {
    const TTrackGeometry noRange{{0, 0}, {100, 0}, 7, 7};
    EXPECT_EQ(TrackValueToPosition(noRange, 7), (TPoint{0, 0}));
    EXPECT_EQ(TrackPositionToValue(noRange, {60, 0}), 7);
    // A track without length stands for its minimum.
    const TTrackGeometry point{{3, 3}, {3, 3}, 0, 10};
    EXPECT_EQ(TrackPositionToValue(point, {3, 3}), 0);
    EXPECT_EQ(TrackValueToPosition(point, 10), (TPoint{3, 3}));
    const TTrackGeometry wide{{0, 0}, {1000, 0}, INT32_MIN, INT32_MAX};
    EXPECT_EQ(TrackPositionToValue(wide, {1000, 0}), INT32_MAX);
    EXPECT_EQ(TrackPositionToValue(wide, {0, 0}), INT32_MIN);
    EXPECT_EQ(TrackValueToPosition(wide, INT32_MAX).X, 1000);
}

TEST(ObjectFormulas, GaugeFillsFromTheMinimumWithEvenRounding) {
    EXPECT_EQ(GaugeFilledExtent(0, 1000, 0, 100), 0);
    EXPECT_EQ(GaugeFilledExtent(0, 1000, 1000, 100), 100);
    EXPECT_EQ(GaugeFilledExtent(0, 1000, 5, 100), 0);   // 0.5
    EXPECT_EQ(GaugeFilledExtent(0, 1000, 15, 100), 2);  // 1.5
    EXPECT_EQ(GaugeFilledExtent(0, 1000, 25, 100), 2);  // 2.5
    EXPECT_EQ(GaugeFilledExtent(10, 10, 10, 100), 0);
    // Vertical: the empty top is nearest(h * (1 - f)).
    EXPECT_EQ(GaugeEmptyTop(0, 100, 0, 40), 40);
    EXPECT_EQ(GaugeEmptyTop(0, 100, 100, 40), 0);
    EXPECT_EQ(GaugeEmptyTop(0, 100, 25, 40), 30);
    EXPECT_EQ(GaugeEmptyTop(0, 1000, 25, 100), 98);  // 97.5 -> 98
}

TEST(ObjectFormulas, FrameForValueStaysOnTheStrip) {
    EXPECT_EQ(FrameForValue(0, 100, 100, 1), 1);
    EXPECT_EQ(FrameForValue(0, 100, 100, 0), 1);
    EXPECT_EQ(FrameForValue(0, 2, 2, 4), 1);  // divisor 2 div 3 = 0
    EXPECT_EQ(FrameForValue(0, 100, 0, 5), 1);
    EXPECT_EQ(FrameForValue(0, 100, 24, 5), 1);
    EXPECT_EQ(FrameForValue(0, 100, 25, 5), 2);
    EXPECT_EQ(FrameForValue(0, 100, 100, 5), 5);
    EXPECT_EQ(FrameForValue(-100, 100, 0, 5), 3);
    // 5 div 3 = 1: value 5 would select frame 6 of 4.
    EXPECT_EQ(FrameForValue(0, 5, 5, 4), 4);
    EXPECT_EQ(FrameForValue(INT32_MIN, INT32_MAX, INT32_MAX, 3), 3);
}

TEST(ObjectFormulas, ClampValueAcceptsEitherOrder) {
    EXPECT_EQ(ClampValue(5, 0, 10), 5);
    EXPECT_EQ(ClampValue(-5, 0, 10), 0);
    EXPECT_EQ(ClampValue(50, 10, 0), 10);
    EXPECT_EQ(ClampValue(INT32_MIN, INT32_MIN, INT32_MAX), INT32_MIN);
}
