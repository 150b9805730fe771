#include "tests/ui/Controls_TestSupport.h"

namespace {

class WindowProcTest : public ControlsTest {};

TEST_F(WindowProcTest, HooksChainAndUnhookRestoresThePrevious) {
    TWinControl c(nullptr);
    std::vector<std::string> order;
    // First hook: swallows WM_USER, passes everything else on.
    auto original = c.WindowProc;
    c.WindowProc = [&](TMessage& m) {
        order.push_back("first");
        if (m.Msg == WM_USER) {
            m.Result = 7;
            return;
        }
        original(m);
    };
    auto afterFirst = c.WindowProc;
    c.WindowProc = [&](TMessage& m) {
        order.push_back("second");
        afterFirst(m);
        if (m.Msg == WM_NCHITTEST) m.Result = HTCAPTION;  // overrides the default answer
    };
    EXPECT_EQ(c.Perform(WM_USER, 0, 0), 7);
    EXPECT_EQ(order, (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(c.Perform(WM_NCHITTEST, 0, 0), HTCAPTION);

    c.WindowProc = afterFirst;  // unhook the second
    EXPECT_EQ(c.Perform(WM_NCHITTEST, 0, 0), HTCLIENT);
    c.WindowProc = original;  // unhook the first
    EXPECT_EQ(c.Perform(WM_USER, 0, 0), 0);
}

TEST_F(WindowProcTest, SetCaptionGoesThroughWmSetTextAndAnnouncesTheChange) {
    TWinControl c(nullptr);
    MessageLog log(c, {WM_SETTEXT, CM_TEXTCHANGED});
    c.SetCaption("Hello");
    c.SetCaption("Hello");  // unchanged: no second notice
    EXPECT_EQ(c.Caption(), "Hello");
    EXPECT_EQ(log.Messages(), (std::vector<uint32_t>{WM_SETTEXT, CM_TEXTCHANGED, WM_SETTEXT}));
}

TEST_F(WindowProcTest, ParentFontAndColorFollowUntilSetOwn) {
    TWinControl parent(nullptr);
    TWinControl child(nullptr);
    TGraphicControl grandchild(nullptr);
    child.SetParent(&parent);
    grandchild.SetParent(&child);
    TFont f = parent.Font();
    f.Name = "Courier";
    parent.SetFont(f);
    parent.SetColor(clRed);
    EXPECT_EQ(grandchild.Font().Name, "Courier");
    EXPECT_EQ(grandchild.Color(), clRed);
    // A control with its own font keeps it.
    TFont own = child.Font();
    own.Height = -20;
    child.SetFont(own);
    f.Name = "Times";
    parent.SetFont(f);
    EXPECT_FALSE(child.ParentFont());
    EXPECT_EQ(child.Font().Name, "Courier");
    EXPECT_EQ(grandchild.Font().Height, -20);
    child.SetParentFont(true);
    EXPECT_EQ(grandchild.Font().Name, "Times");
}

TEST_F(WindowProcTest, PostedMessageToDestroyedControlIsDropped) {
    auto c = std::make_unique<TWinControl>(nullptr);
    int received = 0;
    c->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_USER + 1) ++received;
    };
    PostMessage(c.get(), WM_USER + 1, 0, 0);
    PostMessage(c.get(), WM_USER + 1, 0, 0);
    P().ProcessPending();
    EXPECT_EQ(received, 2);
    PostMessage(c.get(), WM_USER + 1, 0, 0);
    c.reset();
    P().ProcessPending();  // must not touch the freed control
    EXPECT_EQ(received, 2);
    EXPECT_EQ(SendMessage(nullptr, WM_USER, 0, 0), 0);
}

TEST_F(WindowProcTest, ExceptionInPostedHandlerReachesTheErrorHandler) {
    TWinControl c(nullptr);
    c.WindowProc = [](TMessage& m) {
        if (m.Msg == WM_USER) throw Exception("broken handler");
    };
    PostMessage(&c, WM_USER, 0, 0);
    P().ProcessPending();
    ASSERT_EQ(P().MessageBoxes().size(), 1u);
    EXPECT_EQ(P().MessageBoxes()[0].text, "broken handler");
    EXPECT_EQ(P().MessageBoxes()[0].title, "Test");
}

TEST_F(WindowProcTest, MainWindowHooksSeeMessagesFirst) {
    TForm form(nullptr);
    Application().SetMainForm(&form);
    int seen = 0;
    const int id = Application().HookMainWindow([&](TMessage& m) {
        if (m.Msg != WM_USER) return false;
        ++seen;
        m.Result = 42;
        return true;
    });
    EXPECT_EQ(form.Perform(WM_USER, 0, 0), 42);
    Application().UnhookMainWindow(id);
    EXPECT_EQ(form.Perform(WM_USER, 0, 0), 0);
    EXPECT_EQ(seen, 1);
}

}  // namespace
