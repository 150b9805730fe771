#include "skin/form/ObjectHints.h"

#include "skin/form/SkinForm.h"
#include "skin/popup/SkinHint.h"

void ShowObjectHint(TspSkinForm& form, const TspActiveSkinObject& object) {
    if (TspSkinHint* hint = form.SkinHint(); hint && !object.Hint.empty())
        hint->ShowHintAtCursor(object.Hint);
}

void HideObjectHint(TspSkinForm& form) {
    if (TspSkinHint* hint = form.SkinHint()) hint->HideHint();
}
