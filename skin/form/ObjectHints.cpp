// Stand-in until the skinned hint component exists: with no hint component to show them
// in, object hints show nothing.
#include "skin/form/ObjectHints.h"

void ShowObjectHint(TspSkinForm&, const TspActiveSkinObject&) {}

void HideObjectHint(TspSkinForm&) {}
