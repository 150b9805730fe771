#include "SkinDemoForm.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "ui/Label.h"

TSkinDemoForm::TSkinDemoForm(TComponent* owner) : TForm(owner) {
    SetCaption("Puzzlebin skin demo");
    Position = poScreenCenter;
    frame_ = AttachSkinnedFrame(*this);
    SetClientWidth(kSkinDemoClientWidth);
    SetClientHeight(kSkinDemoClientHeight);

    auto* label = new TLabel(this);
    label->SetParent(this);
    label->SetTransparent(true);
    label->Font().Height = -14;
    label->FontChanged();
    label->SetAutoSize(true);
    label->SetCaption("The skinned frame: drag the caption to move, the borders to size.");
    label->SetLeft(16);
    label->SetTop(16);

    // PB_SKINDEMO_TRACE=1: every paint of the window reports its time and size on stderr
    // (bench/live_resize_skindemo.sh counts the resize steps that reach the screen).
    if (std::getenv("PB_SKINDEMO_TRACE")) {
        OnPaint = [this](TComponent*) {
            using namespace std::chrono;
            const auto ms =
                duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count() /
                1000.0;
            std::fprintf(stderr, "paint %.3f %d %d\n", ms, Width(), Height());
        };
    }
}
