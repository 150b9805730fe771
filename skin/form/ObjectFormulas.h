// The value arithmetic of the frame's value objects (track bars, gauges, frame gauges and
// frame regulators), kept apart from drawing so it can be checked on its own. Values are
// computed wide, so skins with extreme minimum and maximum values cannot overflow.
#pragma once

#include <cstdint>

#include "base/Types.h"

// The integer nearest to x; an exact half goes to the even neighbour.
[[nodiscard]] int64_t NearestEven(double x);

// A track: the thumb position for the lowest value (begin) and for the highest (end), in
// the object's own coordinates. It is vertical when its vertical extent is at least its
// horizontal one.
struct TTrackGeometry {
    TPoint Begin{};
    TPoint End{};
    int32_t MinValue = 0;
    int32_t MaxValue = 0;
    [[nodiscard]] bool Vertical() const;
};

// Where the thumb of a value sits. A track whose minimum equals its maximum keeps the
// thumb at the begin point.
[[nodiscard]] TPoint TrackValueToPosition(const TTrackGeometry& track, int32_t value);
// The value a thumb position stands for.
[[nodiscard]] int32_t TrackPositionToValue(const TTrackGeometry& track, TPoint position);
// A position kept on the track: x within begin.X … end.X (horizontal, y = begin.Y) or y
// within end.Y … begin.Y (vertical, x = begin.X), whichever way round the points lie.
[[nodiscard]] TPoint ClampToTrack(const TTrackGeometry& track, TPoint position);

// Width (horizontal) or height (vertical) of the filled part of a gauge `extent` pixels
// long: nearest((value - min) / (max - min) * extent), 0 when max equals min.
[[nodiscard]] int32_t GaugeFilledExtent(int32_t minValue, int32_t maxValue, int32_t value,
                                        int32_t extent);

// Height of the unfilled top part of a vertical gauge `extent` pixels high (it fills from
// the bottom): nearest(extent * (1 - fraction)), the whole extent when max equals min.
[[nodiscard]] int32_t GaugeEmptyTop(int32_t minValue, int32_t maxValue, int32_t value,
                                    int32_t extent);

// The frame (1-based) a value shows on a strip of `count` frames: 1 below two frames, else
// |value - min| div ((max - min) div (count - 1)) + 1 (1 when that divisor is 0), never
// past the last frame.
[[nodiscard]] int32_t FrameForValue(int32_t minValue, int32_t maxValue, int32_t value,
                                    int32_t count);

// `value` kept within min … max (a range given the wrong way round is taken as it lies).
[[nodiscard]] int32_t ClampValue(int32_t value, int32_t minValue, int32_t maxValue);
