#include "skin/popup/MenuPlacement.h"

#include <algorithm>

TPoint PlaceMenuWindow(const TMenuPlacement& p) {
    const TRect& R = p.anchor;
    const TRect& A = p.workArea;
    const int W = p.size.cx;
    const int H = p.size.cy;
    const int IT = p.itemsTop;
    const int halfway = A.Top + A.Height() / 2;
    bool side = false;
    int y = 0;
    if (p.scrolling) {
        y = A.Top;
    } else if (p.submenu) {
        if (R.Top + H - IT <= A.Bottom)
            y = R.Top - IT;
        else if (R.Top < halfway)
            y = A.Bottom - H;
        else
            y = std::max(R.Bottom + IT - H, A.Top);
    } else if (p.up) {
        if (R.Top - H >= A.Top) {
            y = R.Top - H;
        } else if (R.Top < halfway && R.Bottom + H <= A.Bottom) {
            y = R.Bottom;
        } else {
            side = true;
            y = R.Top < halfway ? A.Bottom - H : A.Top;
        }
    } else {
        if (R.Bottom + H <= A.Bottom) {
            y = R.Bottom;
        } else if (R.Top >= halfway && R.Top - H >= A.Top) {
            y = R.Top - H;
        } else {
            side = true;
            y = R.Top < halfway ? A.Bottom - H : A.Top;
        }
    }
    int x = 0;
    if (p.submenu || p.scrolling || side) {
        x = R.Right + W + 1 <= A.Right ? R.Right + 1 : R.Left - W - 1;
    } else {
        x = R.Left;
        if (x + W > A.Right)
            x = A.Right - W;
        else if (x < A.Left)
            x = A.Left;
    }
    return {x, y};
}
