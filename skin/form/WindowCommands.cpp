#include "skin/form/WindowCommands.h"

#include "skin/form/SkinForm.h"
#include "skin/form/SkinObjects.h"

void CloseSkinnedWindow(TspSkinForm& form) { form.Form()->Close(); }

void OpenObjectMenu(TspSkinForm& form, TspActiveSkinObject& object, TMenuItem& item) {
    form.OpenObjectMenu(object, item);
}

void OpenButtonWindowMenu(TspSkinForm& form, TspActiveSkinObject& object) {
    if (object.Kind() == TspObjectKind::StdButton)
        form.OpenWindowMenuBelow(static_cast<TspSkinStdButtonObject&>(object));
    else
        form.OpenWindowMenu(form.ObjectScreenRect(object));
}
