#include "skin/controls/SkinFormFrame.h"

#include "ui/Component.h"

ISkinFormFrame* SkinFormFrameOf(const TCustomForm* form) {
    if (!form) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        if (auto* frame = dynamic_cast<ISkinFormFrame*>(form->Components(i))) return frame;
    }
    return nullptr;
}
