// Hints of frame objects: shown when the pointer enters an object with a hint while the
// form's ShowObjectHint and SkinHint are set, hidden when it leaves, on clicks and moves.
// The one place that talks to the hint component.
#pragma once

class TspActiveSkinObject;
class TspSkinForm;

void ShowObjectHint(TspSkinForm& form, const TspActiveSkinObject& object);
void HideObjectHint(TspSkinForm& form);
