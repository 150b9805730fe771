#include "app/FlatPageControl.h"

#include <algorithm>

#include "ui/ClassRegistry.h"

TRect TFlatPageControl::DisplayRect() const {
    if (TabPosition() != tpTop) return TPageControl::DisplayRect();
    TRect r = Rect(1, TabAreaHeight() - 1, Width() - 1, Height() - 1);
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

void RegisterFlatPageControlClass() {
    static bool done = false;
    if (done) return;
    done = true;
    TClassRegistry::Instance().Register("TFlatPageControl", "TPageControl",
                                        [](TComponent* owner) { return new TFlatPageControl(owner); });
}
