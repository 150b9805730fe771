// Screen pixels: what lies on the screen under a popup before it shows.
#pragma once

#include <cstdint>

class TBitmap;

// Copies the screen block at (x, y) of the bitmap's size into the bitmap.
void CopyScreenArea(int32_t x, int32_t y, TBitmap& bitmap);
