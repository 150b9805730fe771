// The skinned menu engine on the headless screen: geometry and pixels of both looks,
// scrolling, placement, the submenu delay, executing items, keys, the grab, and closing.
#include <algorithm>

#include "PopupTestSupport.h"
#include "ui/Canvas.h"

using platform::MouseButton;

namespace {

TColor Rgb(TColor c) { return ColorToRGB(c); }

}  // namespace

TEST_F(PopupTest, DefaultLookHasTwentyPixelItemsAndFourPixelDividers) {
    Add(Items(), "&Open");
    Add(Items(), "-");
    Add(Items(), "Save &as");
    Open(200, 150);
    ASSERT_EQ(engine->PopupCount(), 1);
    TspSkinPopupWindow* root = Level(0);
    EXPECT_FALSE(root->UsesSkin());
    const auto& items = root->Items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0]->ObjectRect, Rect(3, 3, root->Width() - 3, 23));
    EXPECT_EQ(items[1]->ObjectRect.Height(), 4);
    EXPECT_EQ(items[2]->ObjectRect, Rect(3, 27, root->Width() - 3, 47));
    EXPECT_EQ(root->Height(), 20 + 4 + 20 + 6);
    EXPECT_EQ(root->BoundsRect().TopLeft(), (TPoint{200, 150}));

    // Pixels: the outer frame, the glyph column, the highlighted first item and the divider.
    platform::HeadlessWindow* w = WindowOf(root);
    ASSERT_TRUE(w->Visible());
    EXPECT_EQ(w->Kind(), platform::WindowKind::Popup);
    EXPECT_FALSE(w->Params().takesFocus);
    EXPECT_EQ(w->PixelAt(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(w->PixelAt(1, 10), Rgb(clWindow));
    EXPECT_EQ(w->PixelAt(3, 3), 0x800000);         // active item's frame
    EXPECT_EQ(w->PixelAt(6, 5), 0xD2BDB6);         // and its fill
    EXPECT_EQ(w->PixelAt(4, 35), Rgb(clBtnFace));  // glyph column of the normal item
    EXPECT_EQ(w->PixelAt(root->Width() - 6, 35), Rgb(clWindow));
    EXPECT_EQ(w->PixelAt(3 + 19, 23 + 2), Rgb(clBtnShadow));  // divider line
    EXPECT_EQ(w->PixelAt(3 + 18, 23 + 2), Rgb(clBtnFace));
}

TEST_F(PopupTest, SkinnedLookFollowsThePopupAndItemDefinitions) {
    LoadSkin();
    Add(Items(), "&Restore");
    Add(Items(), "-");
    Add(Items(), "&Close")->ShortCut = TextToShortCut("Alt+F4");
    Open(300, 200);
    TspSkinPopupWindow* root = Level(0);
    ASSERT_TRUE(root->UsesSkin());
    // Items 22 pixels high (skinrect), the divider 5 (dividerrect); window = items + 7.
    EXPECT_EQ(root->Height(), 22 + 5 + 22 + 7);
    EXPECT_EQ(root->ItemsRect(), Rect(3, 4, root->Width() - 3, root->Height() - 3));
    EXPECT_EQ(root->Items()[2]->ObjectRect, Rect(3, 31, root->Width() - 3, 53));
    // The frame's corners come from the window picture.
    const TBitmap& pw = *skin->ActivePicture(0);
    platform::HeadlessWindow* w = WindowOf(root);
    EXPECT_EQ(w->PixelAt(0, 0), pw.GetPixel(0, 0));
    EXPECT_EQ(w->PixelAt(root->Width() - 1, root->Height() - 1),
              pw.GetPixel(pw.Width() - 1, pw.Height() - 1));
    // The highlighted first item shows the active skin rectangle, the last the normal one.
    const TBitmap& mi = *skin->ActivePicture(1);
    EXPECT_EQ(w->PixelAt(3, 4), mi.GetPixel(0, 0));
    EXPECT_EQ(w->PixelAt(3, 31), mi.GetPixel(0, 22));
    // The short cut text sits right-aligned: ink right of the middle of the last item.
    bool ink = false;
    for (int x = root->Width() / 2; x < root->Width() - 20 && !ink; ++x)
        for (int y = 33; y < 51 && !ink; ++y) ink = w->PixelAt(x, y) == 0;
    EXPECT_TRUE(ink);
}

TEST_F(PopupTest, TallMenuScrollsOneItemPer100msFromTheBottomMarker) {
    screen->SetScreenSize({1280, 400});
    for (int i = 0; i < 40; ++i) Add(Items(), "Item " + std::to_string(i));
    Open(100, 300);
    TspSkinPopupWindow* root = Level(0);
    ASSERT_TRUE(root->Scrolling());
    EXPECT_EQ(root->Top(), 0);
    EXPECT_EQ(root->Height(), 400);
    // Items start below the top marker.
    EXPECT_EQ(root->Items()[0]->ObjectRect.Top, 3 + kScrollMarkerHeight);
    const int visible = root->VisibleCount();
    EXPECT_EQ(visible, (400 - 6 - 2 * kScrollMarkerHeight) / 20);
    EXPECT_FALSE(root->Items()[visible]->Visible);
    // Markers: the top one in the inactive colour (nothing hidden above is not a reason to
    // change it), arrows centred.
    platform::HeadlessWindow* w = WindowOf(root);
    const int cx = 3 + (root->Width() - 6) / 2;
    EXPECT_EQ(w->PixelAt(cx, 400 - 10 + 3), Rgb(clBtnShadow));

    // Hover the bottom marker: scrolling starts, one item per 100 ms of virtual time.
    Hover({root->Left() + cx, root->Top() + 400 - 3 - 5});
    EXPECT_EQ(root->ScrollDirection(), 2);
    EXPECT_EQ(w->PixelAt(cx, 400 - 10 + 3), Rgb(clBtnText));
    screen->AdvanceTime(100);
    EXPECT_EQ(root->FirstVisibleIndex(), 1);
    screen->AdvanceTime(99);
    EXPECT_EQ(root->FirstVisibleIndex(), 1);
    screen->AdvanceTime(1);
    EXPECT_EQ(root->FirstVisibleIndex(), 2);
    screen->AdvanceTime(100 * 60);
    EXPECT_EQ(root->FirstVisibleIndex(), 40 - visible);
    EXPECT_TRUE(root->Items()[39]->Visible);
    EXPECT_EQ(root->ScrollDirection(), 0);  // stopped at the end
    // Leaving the marker area for an item keeps the position; the top marker scrolls back.
    Hover({root->Left() + cx, root->Top() + 3 + 5});
    EXPECT_EQ(root->ScrollDirection(), 1);
    screen->AdvanceTime(100);
    EXPECT_EQ(root->FirstVisibleIndex(), 40 - visible - 1);
}

TEST_F(PopupTest, RootPopupNearTheBottomRightCornerOpensAboveAndMovesLeft) {
    Add(Items(), "First");
    Add(Items(), "Second");
    Open(1275, 1015);
    TspSkinPopupWindow* root = Level(0);
    EXPECT_EQ(root->Left() + root->Width(), 1280);
    EXPECT_EQ(root->Top() + root->Height(), 1015);
}

TEST_F(PopupTest, SubmenuThatDoesNotFitOpensOnTheLeftOnePixelApart) {
    TMenuItem* more = Add(Items(), "More");
    Add(*more, "Inner one");
    Add(*more, "Inner two");
    Open(1275, 100);
    TspSkinPopupWindow* root = Level(0);
    ASSERT_EQ(root->Left() + root->Width(), 1280);
    screen->Click(ItemCentre(root, 0).X, ItemCentre(root, 0).Y);
    ASSERT_EQ(engine->PopupCount(), 2);
    TspSkinPopupWindow* sub = Level(1);
    const TRect item = root->ItemScreenRect(0);
    EXPECT_EQ(sub->Left() + sub->Width(), item.Left - 1);
    EXPECT_EQ(sub->Top(), item.Top - sub->ItemsRect().Top);
}

TEST_F(PopupTest, HoverOpensASubmenuAfter500msAndAClickAtOnce) {
    Add(Items(), "Plain");
    TMenuItem* more = Add(Items(), "More");
    Add(*more, "Deeper");
    Open(100, 100);
    TspSkinPopupWindow* root = Level(0);
    Hover(ItemCentre(root, 1));
    EXPECT_EQ(root->ActiveIndex(), 1);
    EXPECT_TRUE(engine->SubMenuPending());
    screen->AdvanceTime(499);
    EXPECT_EQ(engine->PopupCount(), 1);
    screen->AdvanceTime(1);
    ASSERT_EQ(engine->PopupCount(), 2);
    EXPECT_TRUE(root->Items()[1]->SubMenuOpen);
    EXPECT_EQ(Level(1)->Left(), root->ItemScreenRect(1).Right + 1);

    // Back to the plain item: the submenu closes and shows its item closed.
    Hover(ItemCentre(root, 0));
    EXPECT_EQ(engine->PopupCount(), 1);
    EXPECT_FALSE(root->Items()[1]->SubMenuOpen);
    // Leaving before the delay is up opens nothing.
    Hover(ItemCentre(root, 1));
    screen->AdvanceTime(200);
    Hover(ItemCentre(root, 0));
    screen->AdvanceTime(1000);
    EXPECT_EQ(engine->PopupCount(), 1);
    // A click opens it at once.
    screen->Click(ItemCentre(root, 1).X, ItemCentre(root, 1).Y);
    EXPECT_EQ(engine->PopupCount(), 2);
}

TEST_F(PopupTest, ExecutedItemClosesEveryLevelThenClicksThenSends1229) {
    std::vector<std::string> log;
    std::vector<uint32_t> messages;
    auto* opener = new TRecordingControl(form.get());
    opener->SetParent(form.get());
    opener->log = &messages;
    TMenuItem* more = Add(Items(), "More");
    TMenuItem* leaf = Add(*more, "Leaf");
    leaf->OnClick = [&](TComponent*) {
        log.push_back("click, levels open: " + std::to_string(engine->PopupCount()));
        messages.push_back(0);
    };
    Open(100, 100, opener);
    screen->Click(ItemCentre(Level(0), 0).X, ItemCentre(Level(0), 0).Y);
    ASSERT_EQ(engine->PopupCount(), 2);
    screen->Click(ItemCentre(Level(1), 0).X, ItemCentre(Level(1), 0).Y);
    EXPECT_EQ(engine->PopupCount(), 0);
    EXPECT_FALSE(engine->MenuOpen());
    EXPECT_FALSE(engine->HasInputGrab());
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "click, levels open: 0");
    // Closed (to the opener), then the click, then the command message.
    EXPECT_EQ(messages, (std::vector<uint32_t>{SKINMSG_MENUCLOSED, 0, SKINMSG_MENUCOMMAND}));
    // The popups are gone from the screen.
    for (platform::HeadlessWindow* w : screen->Windows())
        EXPECT_FALSE(w->Visible() && w->Kind() == platform::WindowKind::Popup);
}

TEST_F(PopupTest, KeysWrapAroundSkippingDividersAndDisabledItems) {
    std::vector<std::string> clicks;
    Add(Items(), "&Alpha", &clicks);
    Add(Items(), "-");
    Add(Items(), "&Beta", &clicks)->SetEnabled(false);
    Add(Items(), "&Gamma", &clicks);
    TMenuItem* sub = Add(Items(), "&Sub");
    Add(*sub, "&Inner", &clicks);
    Open(100, 100);
    TspSkinPopupWindow* root = Level(0);
    EXPECT_EQ(root->ActiveIndex(), 0);  // the first selectable item is highlighted at opening
    screen->KeyPress(VK_DOWN);
    EXPECT_EQ(root->ActiveIndex(), 3);
    EXPECT_FALSE(root->Items()[0]->Active);
    screen->KeyPress(VK_DOWN);
    EXPECT_EQ(root->ActiveIndex(), 4);
    screen->KeyPress(VK_DOWN);
    EXPECT_EQ(root->ActiveIndex(), 0);  // wrapped
    screen->KeyPress(VK_UP);
    EXPECT_EQ(root->ActiveIndex(), 4);
    // Right opens the submenu with its first item highlighted; Left closes it again.
    screen->KeyPress(VK_RIGHT);
    ASSERT_EQ(engine->PopupCount(), 2);
    EXPECT_EQ(Level(1)->ActiveIndex(), 0);
    screen->KeyPress(VK_LEFT);
    EXPECT_EQ(engine->PopupCount(), 1);
    EXPECT_FALSE(root->Items()[4]->SubMenuOpen);
    // Left on the last level does nothing; an accelerator of a disabled item runs nothing.
    screen->KeyPress(VK_LEFT);
    EXPECT_EQ(engine->PopupCount(), 1);
    screen->KeyPress('B', 0, 'b');
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(engine->PopupCount(), 1);
    // An accelerator runs its item.
    screen->KeyPress('G', 0, 'g');
    EXPECT_EQ(clicks, (std::vector<std::string>{"&Gamma"}));
    EXPECT_FALSE(engine->MenuOpen());
}

TEST_F(PopupTest, EnterRunsTheActiveItemAndEscapeClosesTheTopLevel) {
    std::vector<std::string> clicks;
    TMenuItem* sub = Add(Items(), "Sub");
    Add(*sub, "Inner", &clicks);
    Add(Items(), "Other", &clicks);
    Open(100, 100);
    screen->KeyPress(VK_RETURN);  // the active item has sub-items: opens them
    ASSERT_EQ(engine->PopupCount(), 2);
    screen->KeyPress(VK_ESCAPE);
    EXPECT_EQ(engine->PopupCount(), 1);
    EXPECT_TRUE(engine->MenuOpen());
    screen->KeyPress(VK_DOWN);
    screen->KeyPress(VK_RETURN);
    EXPECT_EQ(clicks, (std::vector<std::string>{"Other"}));
    Open(100, 100);
    screen->KeyPress(VK_ESCAPE);
    EXPECT_EQ(engine->PopupCount(), 0);
    EXPECT_FALSE(engine->MenuOpen());
}

TEST_F(PopupTest, ClickOutsideClosesTheMenuAndReachesNothingElse) {
    std::vector<uint32_t> messages;
    form->Show();
    auto* target = new TRecordingControl(form.get());
    target->SetParent(form.get());
    target->SetBounds(0, 0, 200, 150);
    target->log = &messages;
    screen->ProcessPending();
    std::vector<std::string> clicks;
    Add(Items(), "Item", &clicks);
    Open(600, 600);
    ASSERT_TRUE(engine->HasInputGrab());
    const TPoint onTarget = target->ClientToScreen({50, 50});
    screen->Click(onTarget.X, onTarget.Y);
    EXPECT_FALSE(engine->MenuOpen());
    EXPECT_EQ(engine->PopupCount(), 0);
    EXPECT_TRUE(clicks.empty());
    EXPECT_TRUE(messages.empty()) << "the click reached the control below";
    // With the menu gone the next click reaches the control again.
    screen->Click(onTarget.X, onTarget.Y);
    EXPECT_FALSE(messages.empty());
}

TEST_F(PopupTest, TheSystemTakingTheGrabClosesTheMenu) {
    Add(Items(), "Item");
    Open(100, 100);
    screen->BreakGrab();
    EXPECT_FALSE(engine->MenuOpen());
    EXPECT_EQ(engine->PopupCount(), 0);
}

TEST_F(PopupTest, OwnerFormDestroyedWhileTheMenuIsOpen) {
    TMenuItem* more = Add(Items(), "More");
    Add(*more, "Inner");
    Open(100, 100);
    screen->Click(ItemCentre(Level(0), 0).X, ItemCentre(Level(0), 0).Y);
    ASSERT_EQ(engine->PopupCount(), 2);
    screen->MoveMouse(ItemCentre(Level(1), 0).X, ItemCentre(Level(1), 0).Y);
    form.reset();               // frees the engine with both levels open
    screen->AdvanceTime(2000);  // timers of the gone popups must not fire
    screen->KeyPress(VK_DOWN);
    screen->Click(10, 10);
    EXPECT_EQ(screen->InputGrabWindow(), nullptr);
}

TEST_F(PopupTest, OpenerDestroyedWhileTheMenuIsOpenHearsNothing) {
    auto* opener = new TRecordingControl(form.get());
    opener->SetParent(form.get());
    std::vector<uint32_t> messages;
    opener->log = &messages;
    Add(Items(), "Item");
    Open(100, 100, opener);
    delete opener;
    screen->KeyPress(VK_ESCAPE);
    EXPECT_FALSE(engine->MenuOpen());
    EXPECT_EQ(engine->LastOpener(), nullptr);
}

TEST_F(PopupTest, NoVisibleItemsOpenNothing) {
    Add(Items(), "Hidden")->SetVisible(false);
    int updates = 0;
    Items().Items(0)->OnUpdate = [&](TMenuItem*) { ++updates; };
    Open(100, 100);
    EXPECT_EQ(updates, 1);  // the action update ran before visibility was looked at
    EXPECT_EQ(engine->PopupCount(), 0);
    EXPECT_FALSE(engine->MenuOpen());
    EXPECT_FALSE(engine->HasInputGrab());
}

TEST_F(PopupTest, MergedListsShowFirstThenSecondFromTheStartIndex) {
    TPopupMenu second(nullptr);
    Add(Items(), "A1");
    Add(Items(), "A2");
    Add(second.Items(), "B1");
    Add(second.Items(), "B2");
    engine->PopupMerged(nullptr, nullptr, false, second.Items(), Items(), Rect(50, 50, 50, 50), 1);
    ASSERT_EQ(engine->PopupCount(), 1);
    const auto& items = Level(0)->Items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0]->MenuItem->Caption(), "A2");
    EXPECT_EQ(items[1]->MenuItem->Caption(), "B1");
    engine->CloseAll();
    engine->PopupMerged(nullptr, nullptr, false, second.Items(), Items(), Rect(50, 50, 50, 50), 4);
    EXPECT_EQ(engine->PopupCount(), 0);
    TPopupMenu empty(nullptr);
    engine->PopupMerged(nullptr, nullptr, false, second.Items(), empty.Items(),
                        Rect(50, 50, 50, 50), 0);
    EXPECT_EQ(engine->PopupCount(), 0);
}

TEST_F(PopupTest, FadeInOnACompositingScreenAndTheScreenBlendWithoutOne) {
    engine->AlphaBlend = true;
    engine->AlphaBlendAnimation = true;
    engine->AlphaBlendValue = 9;
    Add(Items(), "Item");
    Open(100, 100);
    std::vector<uint8_t> expected{0, 2, 4, 6, 8, 9};
    EXPECT_EQ(WindowOf(Level(0))->OpacityCalls(), expected);
    engine->CloseAll();

    // Without compositing the popup is shown 100 ms later, blended with what was below.
    screen->SetCompositing(false);
    engine->AlphaBlendValue = 128;
    Open(100, 100);
    TspSkinPopupWindow* root = Level(0);
    ASSERT_NE(root, nullptr);
    EXPECT_FALSE(root->PopupWindowShown());
    screen->AdvanceTime(99);
    EXPECT_FALSE(root->PopupWindowShown());
    screen->AdvanceTime(1);
    screen->ProcessPending();
    ASSERT_TRUE(root->PopupWindowShown());
    EXPECT_TRUE(WindowOf(root)->OpacityCalls().empty());
    // The screen below is black: the frame and the highlighted item come out at about half
    // strength.
    const TColor frame = WindowOf(root)->PixelAt(0, 0);
    EXPECT_NEAR(GetRValue(frame), GetRValue(Rgb(clBtnShadow)) / 2, 1);
    const TColor c = WindowOf(root)->PixelAt(root->Width() - 5, root->Height() / 2);
    EXPECT_NEAR(GetRValue(c), 0xB6 / 2, 1);
    EXPECT_TRUE(engine->HasInputGrab());
}

TEST_F(PopupTest, MorphingMovesTheActiveItemTowardsItsLookInTenthsEvery20ms) {
    LoadSkin();
    int index = skin->GetObjectDefIndex("MENUITEM");
    ASSERT_GE(index, 0);
    skin->ObjectDefs[static_cast<size_t>(index)]->Morphing = true;
    Add(Items(), "One");
    Add(Items(), "Two");
    Open(100, 100);
    TspSkinPopupWindow* root = Level(0);
    Hover(ItemCentre(root, 1));
    const TspSkinMenuItem& two = *root->Items()[1];
    const double start = two.MorphKf;
    screen->AdvanceTime(20);
    EXPECT_NEAR(two.MorphKf, start + 0.1, 1e-9);
    screen->AdvanceTime(400);
    EXPECT_EQ(two.MorphKf, 1.0);
    EXPECT_EQ(root->Items()[0]->MorphKf, 0.0);
}
