#include "skin/form/WindowCommands.h"

#include "skin/form/SkinForm.h"

void CloseSkinnedWindow(TspSkinForm& form) { form.Form()->Close(); }

void OpenObjectMenu(TspSkinForm& form, TspSkinButtonObject& button, TMenuItem& item) {
    form.OpenObjectMenu(button, item);
}

void OpenButtonWindowMenu(TspSkinForm& form, TspSkinStdButtonObject& button) { form.OpenWindowMenuBelow(button); }
