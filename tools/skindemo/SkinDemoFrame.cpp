#include "SkinDemoFrame.h"

#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skins/DefaultSkin.h"
#include "ui/Forms.h"

SkinDemoFrame AttachSkinnedFrame(TCustomForm& form) {
    SkinDemoFrame frame;
    frame.skinForm = new TspSkinForm(&form);
    frame.skinForm->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    frame.skinData = new TspSkinData(&form);
    auto* stored = new TspCompressedStoredSkin(&form);
    stored->SetCompressedData(DefaultSkinCompressedData());
    frame.skinForm->SetSkinData(frame.skinData);
    frame.skinForm->SetMenusSkinData(frame.skinData);
    frame.skinData->SetCompressedStoredSkin(stored);
    return frame;
}
