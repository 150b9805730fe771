#include "skin/form/SkinFormClasses.h"

#include "tests/skin_form/SkinFormTestSupport.h"
#include "ui/UiClasses.h"

namespace {

TEST_F(SkinFormTest, DescriptionHoldsASkinnedFrame) {
    RegisterUiClasses();
    RegisterSkinFormClasses();
    form = std::make_unique<TForm>(nullptr);
    form->CreateFromDescription(R"(object Form1: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  Caption = 'Described'
  object spSkinForm1: TspSkinForm
    SkinData = spSkinData1
    MenusSkinData = spSkinData1
    BorderIcons = [biSystemMenu, biMinimize]
    MinHeight = 80
    Sizeable = False
  end
  object spSkinData1: TspSkinData
  end
end
)");
    auto* frame = dynamic_cast<TspSkinForm*>(form->FindComponent("spSkinForm1"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->SkinData(), form->FindComponent("spSkinData1"));
    EXPECT_EQ(frame->BorderIcons(), biSystemMenu | biMinimize);
    EXPECT_EQ(frame->MinHeight, 80);
    EXPECT_FALSE(frame->Sizeable);
    // Hooked: without a skin loaded, the default frame answers.
    EXPECT_EQ(form->ClientRectInWindow(), Rect(3, 22, 397, 297));
    EXPECT_EQ(frame->GetMinHeight(), 80);
}

}  // namespace
