#include "SkinDemoForm.h"

#include "ui/Label.h"

TSkinDemoForm::TSkinDemoForm(TComponent* owner) : TForm(owner) {
    SetCaption("Puzzlebin skin demo");
    Position = poScreenCenter;
    frame_ = AttachSkinnedFrame(*this);
    SetClientWidth(kSkinDemoClientWidth);
    SetClientHeight(kSkinDemoClientHeight);

    auto* label = new TLabel(this);
    label->SetParent(this);
    label->SetTransparent(true);
    label->Font().Height = -14;
    label->FontChanged();
    label->SetAutoSize(true);
    label->SetCaption("The skinned frame: drag the caption to move, the borders to size.");
    label->SetLeft(16);
    label->SetTop(16);
}
