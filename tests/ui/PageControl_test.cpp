#include "ui/PageControl.h"

#include <gtest/gtest.h>

#include "base/Exceptions.h"
#include "platform/headless/HeadlessPlatform.h"
#include "ui/Bitmap.h"
#include "ui/DescriptionReader.h"
#include "ui/Forms.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/Menus.h"
#include "ui/PropertyHelpers.h"
#include "ui/TextLayout.h"
#include "ui/UiClasses.h"

namespace {

// Opens the protected input handlers, as the framework's message dispatch calls them.
class TestPageControl : public TPageControl {
public:
    using TPageControl::KeyDown;
    using TPageControl::MouseDown;
    using TPageControl::ScrollButtonRect;
    using TPageControl::TPageControl;
};

class PageControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallHeadlessPlatform();
        form = std::make_unique<TForm>(nullptr);
        pc = new TestPageControl(form.get());
        pc->SetParent(form.get());
        pc->SetBounds(0, 0, 300, 200);
        pc->Font().Name = "Liberation Sans";
        pc->Font().Height = -12;
        pc->FontChanged();
    }

    TTabSheet* AddSheet(const std::string& caption) {
        auto* sheet = new TTabSheet(form.get());
        sheet->SetCaption(caption);
        sheet->SetPageControl(pc);
        return sheet;
    }

    int TextWidth(const std::string& s) const { return MeasureText(pc->Font(), s).cx; }

    std::unique_ptr<TForm> form;
    TestPageControl* pc = nullptr;
};

}  // namespace

TEST_F(PageControlTest, TabsAreLaidOutFromCaptionWidthsAndFixedSizes) {
    AddSheet("A");
    AddSheet("&Wide tab");
    AddSheet("中文");
    const int h = pc->ItemHeight();
    EXPECT_EQ(h, MeasureText(pc->Font(), "Ag").cy + 6);
    const TRect t0 = pc->TabRect(0), t1 = pc->TabRect(1), t2 = pc->TabRect(2);
    EXPECT_EQ(t0, Rect(2, 2, 2 + TextWidth("A") + 12, 2 + h));
    EXPECT_EQ(t1.Left, t0.Right);
    EXPECT_EQ(t1.Width(), TextWidth("Wide tab") + 12) << "the accelerator mark takes no room";
    EXPECT_EQ(t2.Left, t1.Right);
    EXPECT_GT(t2.Width(), 12);
    EXPECT_EQ(pc->TabRect(3), TRect{});
    EXPECT_EQ(pc->TabRect(-1), TRect{});
    EXPECT_EQ(pc->DisplayRect(), Rect(4, h + 6, 296, 196));
    EXPECT_EQ(pc->IndexOfTabAt(t1.Left, t1.Top), 1);
    EXPECT_EQ(pc->IndexOfTabAt(t1.Right, t1.Top), 2) << "right edges are exclusive";
    EXPECT_EQ(pc->IndexOfTabAt(t2.Right + 1, t2.Top), -1);
    EXPECT_EQ(pc->IndexOfTabAt(t0.Left, t0.Bottom), -1);

    // Fixed sizes; the page area follows the tab height.
    pc->SetTabWidth(50);
    pc->SetTabHeight(25);
    EXPECT_EQ(pc->TabRect(2), Rect(102, 2, 152, 27));
    EXPECT_EQ(pc->DisplayRect(), Rect(4, 31, 296, 196));
    // A skin's item size leaves the stored properties alone.
    pc->SetItemSize(0, 20);
    EXPECT_EQ(pc->TabHeight(), 25);
    EXPECT_EQ(pc->TabRect(0).Height(), 20);

    pc->SetItemSize(40, 20);
    pc->SetTabPosition(tpBottom);
    EXPECT_EQ(pc->TabRect(1), Rect(42, 178, 82, 198));
    EXPECT_EQ(pc->DisplayRect(), Rect(4, 4, 296, 174));
    pc->SetTabPosition(tpLeft);
    EXPECT_EQ(pc->TabRect(1), Rect(2, 42, 22, 82));
    EXPECT_EQ(pc->DisplayRect().Left, 26);
    pc->SetTabPosition(tpRight);
    EXPECT_EQ(pc->TabRect(0), Rect(278, 2, 298, 42));
    EXPECT_EQ(pc->DisplayRect().Right, 274);

    // A control too small for its tabs still answers a non-negative page area.
    pc->SetBounds(0, 0, 10, 10);
    EXPECT_FALSE(pc->DisplayRect().Width() < 0 || pc->DisplayRect().Height() < 0);
}

TEST_F(PageControlTest, HiddenTabsTakeNoPlaceAndMultiLineWraps) {
    pc->SetItemSize(100, 20);
    TTabSheet* a = AddSheet("a");
    TTabSheet* b = AddSheet("b");
    TTabSheet* c = AddSheet("c");
    b->SetTabVisible(false);
    EXPECT_EQ(pc->TabCount(), 2);
    EXPECT_EQ(c->TabIndex(), 1);
    EXPECT_EQ(b->TabIndex(), -1);
    EXPECT_EQ(pc->TabPage(1), c);
    EXPECT_EQ(pc->TabRect(1).Left, 102);
    b->SetTabVisible(true);
    for (int i = 0; i < 2; ++i) AddSheet("x");
    EXPECT_EQ(pc->RowCount(), 1);
    pc->SetMultiLine(true);
    // 296 pixels of row hold two 100-pixel tabs.
    EXPECT_EQ(pc->RowCount(), 3);
    EXPECT_EQ(pc->TabRect(2), Rect(2, 22, 102, 42));
    EXPECT_EQ(pc->TabRect(4), Rect(2, 42, 102, 62));
    EXPECT_EQ(pc->TabAreaHeight(), 62);
    EXPECT_EQ(pc->DisplayRect().Top, 66);
    EXPECT_EQ(a->BoundsRect(), pc->DisplayRect()) << "sheets follow the page area";
    EXPECT_EQ(c->BoundsRect(), pc->DisplayRect()) << "hidden sheets too";
}

TEST_F(PageControlTest, ASingleRowScrollsByItsFirstVisibleTab) {
    pc->SetItemSize(40, 20);
    for (int i = 0; i < 6; ++i) AddSheet("t" + std::to_string(i));
    pc->SetBounds(0, 0, 150, 100);  // 146 pixels of row: three whole tabs
    EXPECT_TRUE(pc->TabsOverflow());
    pc->SetFirstVisibleTab(2);
    EXPECT_EQ(pc->FirstVisibleTab(), 2);
    EXPECT_TRUE(IsRectEmpty(pc->TabRect(0)));
    EXPECT_TRUE(IsRectEmpty(pc->TabRect(1)));
    EXPECT_EQ(pc->TabRect(2), Rect(2, 2, 42, 22));
    EXPECT_EQ(pc->TabRect(5), Rect(122, 2, 162, 22)) << "the last tab is cut at the edge";
    EXPECT_EQ(pc->IndexOfTabAt(5, 5), 2);
    pc->SetFirstVisibleTab(99);
    EXPECT_EQ(pc->FirstVisibleTab(), 5);
    pc->SetFirstVisibleTab(-3);
    EXPECT_EQ(pc->FirstVisibleTab(), 0);

    // The horizontal-scroll message with the thumb-position code scrolls too.
    pc->Perform(TPageControl::kMsgHScroll, (3u << 16) | TPageControl::kSbThumbPosition, 0);
    EXPECT_EQ(pc->FirstVisibleTab(), 3);
    pc->Perform(TPageControl::kMsgHScroll, (1u << 16) | 1u, 0);
    EXPECT_EQ(pc->FirstVisibleTab(), 3) << "other scroll codes do nothing";

    // Selecting a tab to the left brings it back into view; one to the right scrolls until
    // it ends before the scroll buttons.
    pc->SetActivePageIndex(1);
    EXPECT_EQ(pc->FirstVisibleTab(), 1);
    pc->SetActivePageIndex(5);
    EXPECT_LE(pc->TabRect(5).Right, pc->ScrollButtonRect(false).Left);
    EXPECT_GE(pc->TabRect(5).Left, 2);

    // Clicking the scroll buttons moves the row one tab at a time.
    const int first = pc->FirstVisibleTab();
    const TRect left = pc->ScrollButtonRect(false);
    pc->MouseDown(mbLeft, ssLeft, left.Left + 2, left.Top + 2);
    EXPECT_EQ(pc->FirstVisibleTab(), first - 1);
    EXPECT_EQ(pc->ActivePageIndex(), 5) << "buttons do not select tabs";

    // Wide enough again: the row scrolls back so no room is wasted.
    pc->SetBounds(0, 0, 400, 100);
    EXPECT_EQ(pc->FirstVisibleTab(), 0);
    EXPECT_FALSE(pc->TabsOverflow());
}

TEST_F(PageControlTest, UserSelectionAsksOnChangingAndRaisesOnChange) {
    pc->SetItemSize(40, 20);
    TTabSheet* a = AddSheet("a");
    TTabSheet* b = AddSheet("b");
    TTabSheet* c = AddSheet("c");
    int changes = 0;
    bool allow = false;
    std::vector<int> seenDuringChanging;
    pc->OnChanging = [&](TComponent*, bool& allowChange) {
        seenDuringChanging.push_back(pc->ActivePageIndex());
        allowChange = allow;
    };
    pc->OnChange = [&](TComponent*) { ++changes; };

    EXPECT_EQ(pc->ActivePage(), a) << "the first sheet is shown";
    const TRect tb = pc->TabRect(1);
    pc->MouseDown(mbLeft, ssLeft, tb.Left + 3, tb.Top + 3);
    EXPECT_EQ(pc->ActivePage(), a) << "OnChanging refused";
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(seenDuringChanging, (std::vector<int>{0}));

    allow = true;
    pc->MouseDown(mbRight, ssRight, tb.Left + 3, tb.Top + 3);
    EXPECT_EQ(pc->ActivePage(), a) << "only the left button selects";
    pc->MouseDown(mbLeft, ssLeft, tb.Left + 3, tb.Top + 3);
    EXPECT_EQ(pc->ActivePage(), b);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(b->Visible());
    EXPECT_FALSE(a->Visible());
    EXPECT_FALSE(c->Visible());
    // Pressing the selected tab again changes nothing and asks nobody.
    pc->MouseDown(mbLeft, ssLeft, tb.Left + 3, tb.Top + 3);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seenDuringChanging.size(), 2u);

    // Selection by code asks no one.
    pc->SetActivePage(c);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(c->Visible());
    EXPECT_FALSE(b->Visible());
}

TEST_F(PageControlTest, KeyboardSelectionWrapsWithCtrlTabButNotWithArrows) {
    TTabSheet* a = AddSheet("a");
    TTabSheet* b = AddSheet("b");
    TTabSheet* c = AddSheet("c");
    b->SetTabVisible(false);
    int changes = 0;
    pc->OnChange = [&](TComponent*) { ++changes; };

    uint16_t key = VK_TAB;
    pc->KeyDown(key, ssCtrl);
    EXPECT_EQ(key, 0) << "the key is consumed";
    EXPECT_EQ(pc->ActivePage(), c) << "the hidden tab is skipped";
    key = VK_TAB;
    pc->KeyDown(key, ssCtrl);
    EXPECT_EQ(pc->ActivePage(), a) << "wraps to the first";
    key = VK_TAB;
    pc->KeyDown(key, ssCtrl | ssShift);
    EXPECT_EQ(pc->ActivePage(), c) << "backwards wraps to the last";
    EXPECT_EQ(changes, 3);

    key = VK_RIGHT;
    pc->KeyDown(key, 0);
    EXPECT_EQ(pc->ActivePage(), c) << "arrows stop at the last tab";
    key = VK_LEFT;
    pc->KeyDown(key, 0);
    EXPECT_EQ(pc->ActivePage(), a);
    key = VK_UP;
    pc->KeyDown(key, 0);
    EXPECT_EQ(pc->ActivePage(), a);
    EXPECT_EQ(changes, 4);

    pc->OnChanging = [](TComponent*, bool& allow) { allow = false; };
    key = VK_TAB;
    pc->KeyDown(key, ssCtrl);
    EXPECT_EQ(pc->ActivePage(), a);
    EXPECT_EQ(changes, 4);
    // A plain Tab is not the page control's.
    key = VK_TAB;
    pc->KeyDown(key, 0);
    EXPECT_EQ(key, VK_TAB);
}

TEST_F(PageControlTest, SheetsComeAndGoThroughEitherRoute) {
    TTabSheet* a = AddSheet("a");
    auto* b = new TTabSheet(form.get());
    b->SetParent(pc);  // parenting a sheet makes it a page
    EXPECT_EQ(b->PageControl(), pc);
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_FALSE(b->Visible());
    auto* c = new TTabSheet(form.get());
    c->SetParentComponent(pc);  // as a stored description nests it
    EXPECT_EQ(c->PageIndex(), 2);

    c->SetPageIndex(0);
    EXPECT_EQ(pc->Pages(0), c);
    EXPECT_EQ(a->PageIndex(), 1);
    EXPECT_THROW((void)pc->Pages(3), EListError);

    // Removing the shown sheet shows the next one.
    pc->SetActivePage(a);
    delete a;
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage(), b);
    EXPECT_TRUE(b->Visible());
    // Hiding the shown sheet's tab moves to the next tab (wrapping).
    b->SetTabVisible(false);
    EXPECT_EQ(pc->ActivePage(), c);
    c->SetTabVisible(false);
    EXPECT_EQ(pc->ActivePage(), nullptr) << "no tab left to show";
    EXPECT_FALSE(c->Visible());
    c->SetTabVisible(true);
    EXPECT_EQ(pc->ActivePage(), c);

    // Moving a sheet elsewhere takes it out of this control.
    b->SetParent(form.get());
    EXPECT_EQ(b->PageControl(), nullptr);
    EXPECT_EQ(b->Parent(), form.get());
    EXPECT_EQ(pc->PageCount(), 1);

    // A sheet of another control is not selected.
    auto* other = new TestPageControl(form.get());
    other->SetParent(form.get());
    auto* foreign = new TTabSheet(form.get());
    foreign->SetPageControl(other);
    pc->SetActivePage(foreign);
    EXPECT_EQ(pc->ActivePage(), c);
    pc->SetActivePageIndex(7);
    EXPECT_EQ(pc->ActivePage(), nullptr);

    // Freeing a page control leaves no sheet pointing at it (whether its sheets go with it
    // or outlive it).
    delete other;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        if (auto* sheet = dynamic_cast<TTabSheet*>(form->Components(i))) {
            EXPECT_TRUE(sheet->PageControl() == nullptr || sheet->PageControl() == pc);
        }
    }
}

TEST_F(PageControlTest, PlatformClicksAndKeysReachThePageControl) {
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 300, 200);
    pc->SetItemSize(50, 20);
    AddSheet("a");
    TTabSheet* b = AddSheet("b");
    TTabSheet* c = AddSheet("c");
    int changes = 0;
    pc->OnChange = [&](TComponent*) { ++changes; };
    form->Show();
    auto& plat = static_cast<platform::HeadlessPlatform&>(platform::Current());
    plat.ProcessPending();
    const TPoint origin = pc->ClientToScreen(Point(0, 0));
    const TRect tb = pc->TabRect(1);
    plat.Click(origin.X + tb.Left + 5, origin.Y + tb.Top + 5);
    EXPECT_EQ(pc->ActivePage(), b);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(pc->Focused()) << "a tab press focuses the control";
    plat.KeyPress(VK_TAB, platform::kModControl);
    EXPECT_EQ(pc->ActivePage(), c);
    plat.KeyPress(VK_LEFT);
    EXPECT_EQ(pc->ActivePage(), b);
    EXPECT_EQ(changes, 3);
}

TEST_F(PageControlTest, PlainLookRaisesTheSelectedTabOverThePageFrame) {
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 300, 200);
    pc->SetItemSize(50, 20);
    AddSheet("a");
    AddSheet("b");
    form->Show();
    auto& plat = static_cast<platform::HeadlessPlatform&>(platform::Current());
    plat.ProcessPending();
    platform::HeadlessWindow* window = plat.Windows().front();
    const TPoint o = form->ClientRectInWindow().TopLeft();
    auto px = [&](int x, int y) { return window->PixelAt(o.X + x, o.Y + y); };
    const TColor hi = ColorToRGB(clBtnHighlight), face = ColorToRGB(clBtnFace);
    // Selected tab 0 (2..52) stands 2 pixels higher than tab 1 (52..102).
    EXPECT_EQ(px(20, 0), hi);
    EXPECT_EQ(px(70, 0), face);
    EXPECT_EQ(px(70, 2), hi);
    // The page frame's top line runs under tab 1 but not under the selected tab.
    EXPECT_EQ(px(70, 22), hi);
    EXPECT_EQ(px(20, 22), face);
    // Left edge of the frame below the tabs.
    EXPECT_EQ(px(0, 100), hi);
    EXPECT_EQ(px(299, 100), ColorToRGB(cl3DDkShadow));
}

namespace {

class TDescribedForm : public TForm {
public:
    explicit TDescribedForm(TComponent* owner) : TForm(owner) {}
    [[nodiscard]] const char* ClassName() const override { return "TDescribedForm"; }
    void ItemClick(TComponent*) { ++clicks; }
    void PagesChange(TComponent*) { ++changes; }
    int clicks = 0;
    int changes = 0;
};

const char* kDescription = R"(object DescribedForm: TDescribedForm
  Caption = 'Pages'
  object Pages: TPageControl
    Left = 0
    Top = 0
    Width = 300
    Height = 200
    ActivePage = Sheet2
    TabHeight = 22
    Images = Images1
    OnChange = PagesChange
    object Sheet1: TTabSheet
      Caption = 'One'
    end
    object Sheet2: TTabSheet
      Caption = 'Two'
      ImageIndex = 0
      object Label1: TLabel
        Left = 168
        Top = 8
        Width = 385
        Height = 22
        Caption = #27426#36814
        Transparent = True
        Font.Name = 'Liberation Sans'
        Font.Height = -19
      end
    end
  end
  object Menu1: TPopupMenu
    Images = Images1
    object CloseItem: TMenuItem
      Caption = '&Close'
      ShortCut = 32883
      OnClick = ItemClick
    end
    object Radio1: TMenuItem
      Caption = 'One'
      RadioItem = True
      GroupIndex = 1
      Checked = True
    end
  end
  object Images1: TImageList
    Width = 20
  end
end
)";

}  // namespace

TEST(StdControlDescriptions, BuildPagesLabelsAndMenus) {
    InstallHeadlessPlatform();
    RegisterUiClasses();
    TClassRegistry::Instance().Register("TDescribedForm", "TForm", nullptr);
    RegisterMethod<TDescribedForm>("TDescribedForm", "ItemClick", &TDescribedForm::ItemClick);
    RegisterMethod<TDescribedForm>("TDescribedForm", "PagesChange", &TDescribedForm::PagesChange);
    TDescribedForm form(nullptr);
    ReadComponentDescription(kDescription, form);

    auto* pages = dynamic_cast<TPageControl*>(form.FindComponent("Pages"));
    auto* sheet1 = dynamic_cast<TTabSheet*>(form.FindComponent("Sheet1"));
    auto* sheet2 = dynamic_cast<TTabSheet*>(form.FindComponent("Sheet2"));
    auto* label = dynamic_cast<TLabel*>(form.FindComponent("Label1"));
    auto* menu = dynamic_cast<TPopupMenu*>(form.FindComponent("Menu1"));
    auto* images = dynamic_cast<TImageList*>(form.FindComponent("Images1"));
    ASSERT_TRUE(pages && sheet1 && sheet2 && label && menu && images);

    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), sheet2);
    EXPECT_FALSE(sheet1->Visible());
    EXPECT_TRUE(sheet2->Visible());
    EXPECT_EQ(pages->TabRect(0).Height(), 22);
    EXPECT_EQ(pages->Images(), images);
    EXPECT_EQ(sheet2->BoundsRect(), pages->DisplayRect());
    EXPECT_EQ(label->Parent(), sheet2);
    EXPECT_EQ(label->Caption(), "欢迎");
    EXPECT_EQ(label->Width(), MeasureText(label->Font(), "欢迎").cx) << "auto-sized after loading";

    EXPECT_EQ(menu->Items().Count(), 2);
    EXPECT_EQ(menu->Images(), images);
    EXPECT_EQ(images->Width(), 20);
    TMenuItem* close = menu->Items().Items(0);
    EXPECT_EQ(close->ShortCutText(), "Alt+F4");
    EXPECT_TRUE(menu->Items().Items(1)->Checked());
    EXPECT_TRUE(menu->IsShortCut(TextToShortCut("Alt+F4")));
    EXPECT_EQ(form.clicks, 1);

    pages->SelectNextPage(true);
    EXPECT_EQ(form.changes, 1);
    EXPECT_EQ(pages->ActivePage(), sheet1);
}

TEST(StdControlDescriptions, AMenuItemOutsideAMenuIsAClearError) {
    InstallHeadlessPlatform();
    RegisterUiClasses();
    TForm form(nullptr);
    try {
        ReadComponentDescription("object F: TForm\n  object Stray: TMenuItem\n  end\nend\n", form);
        FAIL() << "expected an error";
    } catch (const EFilerError& e) {
        EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("menu item"), std::string::npos) << e.what();
    }
}

TEST_F(PageControlTest, TheFocusLeavesASheetThatIsHidden) {
    TTabSheet* a = AddSheet("a");
    TTabSheet* b = AddSheet("b");
    auto* inner = new TWinControl(form.get());
    inner->SetParent(a);
    auto* other = new TWinControl(form.get());
    other->SetParent(b);
    form->FocusControl(inner);
    pc->SetActivePage(b);
    EXPECT_EQ(form->ActiveControl(), pc);
    form->FocusControl(other);
    pc->SetActivePage(a);
    EXPECT_EQ(form->ActiveControl(), pc);
    // Focus outside the page control is left alone.
    auto* outside = new TWinControl(form.get());
    outside->SetParent(form.get());
    form->FocusControl(outside);
    pc->SetActivePage(b);
    EXPECT_EQ(form->ActiveControl(), outside);
}

TEST_F(PageControlTest, LayoutFollowsCaptionsFontsAndImagesChangedLater) {
    TTabSheet* a = AddSheet("A");
    AddSheet("B");
    const int before = pc->TabRect(1).Left;
    a->SetCaption("A much longer caption");
    EXPECT_EQ(pc->TabRect(0).Width(), TextWidth("A much longer caption") + 12);
    EXPECT_EQ(pc->TabRect(1).Left, pc->TabRect(0).Right);
    EXPECT_GT(pc->TabRect(1).Left, before);

    const int height = pc->ItemHeight();
    pc->Font().Height = -24;
    pc->FontChanged();
    EXPECT_GT(pc->ItemHeight(), height);
    EXPECT_EQ(pc->DisplayRect().Top, pc->ItemHeight() + 6);

    // An image index counts only once the list holds that image.
    TImageList images(nullptr);
    images.SetSize(16, 16);
    pc->SetImages(&images);
    a->SetImageIndex(0);
    const int plain = pc->TabRect(0).Width();
    images.AddMasked(TBitmap(16, 16), clFuchsia);
    EXPECT_EQ(pc->TabRect(0).Width(), plain + 16 + 3);
    pc->SetImages(nullptr);
}

TEST_F(PageControlTest, CtrlTabSwitchesPagesWhileTheFocusIsInside) {
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 300, 200);
    TTabSheet* a = AddSheet("a");
    TTabSheet* b = AddSheet("b");
    auto* inner = new TWinControl(form.get());
    inner->SetParent(a);
    inner->TabStop = true;
    auto* outside = new TWinControl(form.get());
    outside->SetParent(form.get());
    outside->SetBounds(0, 210, 10, 10);
    form->Show();
    auto& plat = static_cast<platform::HeadlessPlatform&>(platform::Current());
    plat.ProcessPending();

    form->FocusControl(outside);
    plat.KeyPress(VK_TAB, platform::kModControl);
    EXPECT_EQ(pc->ActivePage(), a) << "focus outside: not the page control's key";
    form->FocusControl(inner);
    plat.KeyPress(VK_TAB, platform::kModControl);
    EXPECT_EQ(pc->ActivePage(), b);
    EXPECT_EQ(form->ActiveControl(), pc) << "the focus left the hidden sheet";
    plat.KeyPress(VK_TAB, platform::kModControl | platform::kModShift);
    EXPECT_EQ(pc->ActivePage(), a);
}
