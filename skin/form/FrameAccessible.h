// The frame's parts as assistive technology sees them: the caption buttons as push buttons
// named by their command, with a "click" action that runs it. Added to the form's own
// accessible node when WM_GETOBJECT passes the skinned form's procedure.
#pragma once

#include "ui/Accessibility.h"

class TspSkinForm;

void AddFrameAccessibleParts(TspSkinForm& form, TAccessibleNode& node);
