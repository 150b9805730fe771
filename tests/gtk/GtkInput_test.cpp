#include "platform/gtk/GtkInput.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include "base/Messages.h"
#include "platform/gtk/GtkBackend.h"

using namespace platform;
using namespace platform::gtk;

TEST(GtkInput, VirtualKeysFollowThePlatformCodes) {
    // Letters are upper case whichever keyval level arrives; digits are ASCII.
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_a), 'A');
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_Z), 'Z');
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_0), '0');
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_9), '9');
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_F1), VK_F1);
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_F4), VK_F4);
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_F24), 0x87);
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_Alt_L), VK_MENU);
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_Alt_R), VK_MENU);
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_ISO_Left_Tab), VK_TAB);  // Shift+Tab
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_KP_Enter), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_KP_5), 0x65);
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_KP_Left), VK_LEFT);  // keypad without Num Lock
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_Page_Down), VK_NEXT);
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_minus), 0xBD);
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_exclam), 0);  // shifted symbols are not keys
    EXPECT_EQ(VirtualKeyFromKeyval(GDK_KEY_VoidSymbol), 0);
}

TEST(GtkInput, TypedCharacters) {
    EXPECT_EQ(CharFromKeyval(GDK_KEY_a, 0), 'a');
    EXPECT_EQ(CharFromKeyval(GDK_KEY_A, kModShift), 'A');
    EXPECT_EQ(CharFromKeyval(GDK_KEY_eacute, 0), 0xE9u);
    EXPECT_EQ(CharFromKeyval(GDK_KEY_Return, 0), 0x0Du);
    EXPECT_EQ(CharFromKeyval(GDK_KEY_BackSpace, 0), 0x08u);
    EXPECT_EQ(CharFromKeyval(GDK_KEY_Escape, 0), 0x1Bu);
    EXPECT_EQ(CharFromKeyval(GDK_KEY_Delete, 0), 0u);
    EXPECT_EQ(CharFromKeyval(GDK_KEY_Left, 0), 0u);
    EXPECT_EQ(CharFromKeyval(GDK_KEY_F4, kModAlt), 0u);
    // Control turns letters into control characters, but not with AltGr-style Ctrl+Alt.
    EXPECT_EQ(CharFromKeyval(GDK_KEY_a, kModControl), 1u);
    EXPECT_EQ(CharFromKeyval(GDK_KEY_Z, kModControl | kModShift), 26u);
    EXPECT_EQ(CharFromKeyval(GDK_KEY_a, kModControl | kModAlt), 'a');
    EXPECT_EQ(CharFromKeyval(GDK_KEY_1, kModControl), '1');
}

TEST(GtkInput, ModifiersAndButtonsAfterTheEvent) {
    EXPECT_EQ(ModifiersFromState(GDK_SHIFT_MASK | GDK_MOD1_MASK), kModShift | kModAlt);
    EXPECT_EQ(ModifiersFromState(GDK_CONTROL_MASK | GDK_BUTTON1_MASK), kModControl);
    // A press adds its own button to the state GDK reports from before the press.
    EXPECT_EQ(ButtonsDownAfter(0, 1, true), MK_LBUTTON);
    EXPECT_EQ(ButtonsDownAfter(GDK_BUTTON1_MASK, 3, true), MK_LBUTTON | MK_RBUTTON);
    // A release removes it.
    EXPECT_EQ(ButtonsDownAfter(GDK_BUTTON1_MASK | GDK_BUTTON2_MASK, 1, false), MK_MBUTTON);
    EXPECT_EQ(ButtonsDownAfter(GDK_BUTTON3_MASK, 0, false), MK_RBUTTON);
    EXPECT_EQ(ButtonFromGdk(2), MouseButton::Middle);
    EXPECT_EQ(ButtonFromGdk(8), MouseButton::None);
}

TEST(GtkInput, DoubleClicksNeedSameButtonTimeAndPlace) {
    ClickTracker clicks(400, 4);
    EXPECT_FALSE(clicks.Press(1, 1000, 10, 10));
    EXPECT_TRUE(clicks.Press(1, 1400, 14, 6));   // at both limits
    EXPECT_FALSE(clicks.Press(1, 1500, 14, 6));  // the pair was consumed: a new click
    EXPECT_TRUE(clicks.Press(1, 1600, 14, 6));

    EXPECT_FALSE(clicks.Press(1, 2000, 10, 10));
    EXPECT_FALSE(clicks.Press(1, 2401, 10, 10));  // too slow; starts a new click
    EXPECT_TRUE(clicks.Press(1, 2500, 10, 10));

    EXPECT_FALSE(clicks.Press(1, 3000, 10, 10));
    EXPECT_FALSE(clicks.Press(3, 3100, 10, 10));  // another button
    EXPECT_FALSE(clicks.Press(1, 3200, 15, 10));  // too far from the right press
    EXPECT_FALSE(clicks.Press(1, 4000, 15, 10));
    clicks.Reset();
    EXPECT_FALSE(clicks.Press(1, 4100, 15, 10));
}

TEST(GtkInput, EveryCursorShapeHasAName) {
    for (int s = static_cast<int>(CursorShape::Default); s <= static_cast<int>(CursorShape::Hidden);
         ++s) {
        const char* name = CursorName(static_cast<CursorShape>(s));
        ASSERT_NE(name, nullptr);
        EXPECT_GT(std::string(name).size(), 0u);
    }
    EXPECT_STREQ(CursorName(CursorShape::SizeNWSE), "nwse-resize");
    EXPECT_STREQ(CursorName(CursorShape::Hidden), "none");
}

TEST(GtkMessageBox, ClosingTheBoxGivesItsCancellingAnswer) {
    EXPECT_EQ(ResultFromResponse(GTK_RESPONSE_YES, MessageBoxButtons::YesNo),
              MessageBoxResult::Yes);
    EXPECT_EQ(ResultFromResponse(GTK_RESPONSE_DELETE_EVENT, MessageBoxButtons::Ok),
              MessageBoxResult::Ok);
    EXPECT_EQ(ResultFromResponse(GTK_RESPONSE_DELETE_EVENT, MessageBoxButtons::OkCancel),
              MessageBoxResult::Cancel);
    EXPECT_EQ(ResultFromResponse(GTK_RESPONSE_DELETE_EVENT, MessageBoxButtons::YesNo),
              MessageBoxResult::No);
    EXPECT_EQ(ResultFromResponse(GTK_RESPONSE_NONE, MessageBoxButtons::YesNoCancel),
              MessageBoxResult::Cancel);
}
