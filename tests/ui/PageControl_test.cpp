#include "ui/PageControl.h"

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"
#include "ui/Exceptions.h"
#include "ui/Forms.h"
#include "ui/TextLayout.h"

namespace {

// Opens the protected input handlers, as the framework's message dispatch calls them.
class TestPageControl : public TPageControl {
public:
    using TPageControl::TPageControl;
    using TPageControl::KeyDown;
    using TPageControl::MouseDown;
    using TPageControl::ScrollButtonRect;
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
