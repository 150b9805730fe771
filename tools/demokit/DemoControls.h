// Controls the demo programs place in code rather than from a form description.
#pragma once

#include <string>

#include "skin/controls/SkinPanel.h"
#include "ui/Label.h"

// A skinned panel aligned in its parent; `size` is its height or width for edge alignments.
TspSkinPanel* AddSkinPanel(TWinControl* parent, TspSkinData* skin, TAlign align, int size);
// A transparent, auto-sized label in the installed sans font.
TLabel* AddTextLabel(TWinControl* parent, int left, int top, const std::string& text);
