#include "ui/WindowOpacity.h"

#include "platform/Platform.h"
#include "ui/Controls.h"

void SetWindowAlpha(TWinControl& window, uint8_t alpha) { window.SetWindowOpacity(alpha); }

bool LayeredWindowsSupported() {
    return platform::HasCurrent() && platform::Current().IsCompositing();
}
