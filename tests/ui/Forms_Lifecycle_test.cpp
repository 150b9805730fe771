#include "tests/ui/Controls_TestSupport.h"
#include "ui/ClassRegistry.h"
#include "ui/PropertyHelpers.h"
#include "ui/Timer.h"
#include "ui/UiClasses.h"

namespace {

class LifecycleTest : public ControlsTest {};

// ---- Activation ----

TEST_F(LifecycleTest, ShowActivatesAndClickingAnotherFormSwitches) {
    TForm a(nullptr), b(nullptr);
    a.SetBounds(0, 0, 200, 200);
    b.SetBounds(400, 0, 200, 200);
    MessageLog logA(a, {WM_SHOWWINDOW, WM_NCACTIVATE, WM_ACTIVATE});
    int activated = 0, deactivated = 0;
    a.OnActivate = [&](TComponent*) { ++activated; };
    a.OnDeactivate = [&](TComponent*) { ++deactivated; };
    a.Show();
    EXPECT_EQ(Screen().ActiveForm(), &a);
    EXPECT_EQ(logA.Messages(), (std::vector<uint32_t>{WM_SHOWWINDOW, WM_NCACTIVATE, WM_ACTIVATE}));
    EXPECT_EQ(logA.entries[1].WParam, 1u);
    EXPECT_EQ(logA.entries[2].WParam, static_cast<uintptr_t>(WA_ACTIVE));

    b.Show();
    EXPECT_EQ(Screen().ActiveForm(), &b);
    EXPECT_FALSE(a.Active());
    EXPECT_EQ(logA.entries[3].Msg, static_cast<uint32_t>(WM_NCACTIVATE));
    EXPECT_EQ(logA.entries[3].WParam, 0u);
    EXPECT_EQ(logA.entries[4].WParam, static_cast<uintptr_t>(WA_INACTIVE));

    MessageLog clickLog(a, {WM_ACTIVATE, WM_LBUTTONDOWN});
    P().Click(100, 100);
    EXPECT_EQ(Screen().ActiveForm(), &a);
    ASSERT_EQ(clickLog.entries.size(), 2u);
    EXPECT_EQ(clickLog.entries[0].WParam,
              static_cast<uintptr_t>(WA_CLICKACTIVE));  // before the click itself
    EXPECT_EQ(clickLog.entries[1].Msg, static_cast<uint32_t>(WM_LBUTTONDOWN));
    EXPECT_TRUE(W(a).Focused());
    EXPECT_EQ(activated, 2);
    EXPECT_EQ(deactivated, 1);
}

// ---- Closing ----

TEST_F(LifecycleTest, CloseQueryCanRefuseAndOnCloseChoosesTheAction) {
    TForm form(nullptr);
    form.Show();
    bool allow = false;
    std::vector<std::string> calls;
    form.OnCloseQuery = [&](TComponent*, bool& canClose) {
        calls.push_back("query");
        canClose = allow;
    };
    TCloseAction next = caNone;
    form.OnClose = [&](TComponent*, TCloseAction& action) {
        calls.push_back("close");
        EXPECT_EQ(action, caHide);
        action = next;
    };
    form.Close();
    EXPECT_TRUE(form.Visible());
    allow = true;
    form.Close();  // caNone: stays
    EXPECT_TRUE(form.Visible());
    next = caMinimize;
    form.Close();
    EXPECT_EQ(form.WindowState(), wsMinimized);
    next = caHide;
    form.Perform(WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.PlatformWindow()->Visible());
    EXPECT_EQ(calls, (std::vector<std::string>{"query", "query", "close", "query", "close", "query",
                                               "close"}));
}

TEST_F(LifecycleTest, ClosingTheMainFormEndsTheLoop) {
    auto* form = Application().CreateForm<TForm>();
    ASSERT_EQ(Application().MainForm(), form);
    // Close from a timer once the loop runs.
    TTimer timer(nullptr);
    timer.SetInterval(100);
    timer.OnTimer = [&](TComponent*) { form->Close(); };
    Application().Run();
    EXPECT_TRUE(Application().Terminated());
    EXPECT_FALSE(P().RunGuardTripped());
    EXPECT_EQ(P().NowMs(), 100u);
    EXPECT_TRUE(form->Visible());  // the loop ended; the form was not hidden first
    delete form;
    EXPECT_EQ(Application().MainForm(), nullptr);
}

TEST_F(LifecycleTest, ReleasedFormIsFreedFromTheLoopAndLeavesTheScreenList) {
    TComponent owner(nullptr);
    auto* form = new TForm(&owner);
    const int before = Screen().FormCount();
    form->OnClose = [](TComponent*, TCloseAction& action) { action = caFree; };
    form->Show();
    form->Close();
    EXPECT_EQ(owner.ComponentCount(), 1);
    P().ProcessPending();
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(Screen().FormCount(), before - 1);
}

TEST_F(LifecycleTest, ApplicationMinimizeAndRestoreTakeEveryVisibleForm) {
    TForm a(nullptr), b(nullptr), hidden(nullptr);
    a.Show();
    b.Show();
    hidden.HandleNeeded();
    MessageLog log(a, {WM_SIZE});
    Application().Minimize();
    P().ProcessPending();
    EXPECT_TRUE(W(a).Minimized());
    EXPECT_TRUE(W(b).Minimized());
    EXPECT_FALSE(W(hidden).Minimized());
    EXPECT_EQ(a.WindowState(), wsMinimized);
    ASSERT_FALSE(log.entries.empty());
    EXPECT_EQ(log.entries.back().WParam, static_cast<uintptr_t>(SIZE_MINIMIZED));
    Application().Restore();
    P().ProcessPending();
    EXPECT_FALSE(W(a).Minimized());
    EXPECT_EQ(a.WindowState(), wsNormal);
    EXPECT_EQ(log.entries.back().WParam, static_cast<uintptr_t>(SIZE_RESTORED));
}

// ---- Keys ----

TEST_F(LifecycleTest, AltF4ClosesAndLoneAltOpensTheKeyMenu) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    form.Show();
    MessageLog log(form, {WM_SYSCOMMAND, WM_CLOSE});
    P().KeyPress(VK_F4, platform::kModAlt);
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0].WParam, static_cast<uintptr_t>(SC_CLOSE));
    EXPECT_EQ(log.entries[1].Msg, static_cast<uint32_t>(WM_CLOSE));
    EXPECT_FALSE(form.Visible());

    form.Show();
    log.entries.clear();
    P().KeyDown(VK_MENU);
    P().KeyUp(VK_MENU);
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries[0].WParam, static_cast<uintptr_t>(SC_KEYMENU));
    // Alt with another key in between is not a lone Alt.
    log.entries.clear();
    P().KeyDown(VK_MENU);
    P().KeyPress('X');
    P().KeyUp(VK_MENU);
    EXPECT_TRUE(log.entries.empty());
}

TEST_F(LifecycleTest, KeysReachTheFocusedControlAfterShortCuts) {
    TForm form(nullptr);
    TWinControl edit1(nullptr), edit2(nullptr);
    for (TWinControl* e : {&edit1, &edit2}) {
        e->TabStop = true;
        e->SetBounds(0, 0, 10, 10);
        e->SetParent(&form);
    }
    form.Show();
    edit1.SetFocus();
    std::string typed;
    edit1.OnKeyPress = [&](TComponent*, uint32_t& ch) { typed += static_cast<char>(ch); };
    bool shortCutSeen = false;
    form.OnShortCut = [&](uint32_t sc, bool& handled) {
        if (sc == (scCtrl | 'S')) handled = shortCutSeen = true;
    };
    int ctrlSKeys = 0;
    edit1.OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState shift) {
        if (key == 'S' && (shift & ssCtrl)) ++ctrlSKeys;
    };
    P().Type("ab");
    P().KeyPress('S', platform::kModControl);
    EXPECT_EQ(typed, "ab");
    EXPECT_TRUE(shortCutSeen);
    EXPECT_EQ(ctrlSKeys, 0);  // the short cut took it

    MessageLog focus1(edit1, {WM_KILLFOCUS}), focus2(edit2, {WM_SETFOCUS});
    P().KeyPress(VK_TAB);
    EXPECT_EQ(Screen().ActiveControl(), &edit2);
    EXPECT_EQ(focus1.Count(WM_KILLFOCUS), 1);
    EXPECT_EQ(focus2.Count(WM_SETFOCUS), 1);
    edit1.SetEnabled(false);
    P().KeyPress(VK_TAB);  // the disabled control is skipped
    EXPECT_EQ(Screen().ActiveControl(), &edit2);
    EXPECT_THROW(edit1.SetFocus(), EInvalidOperation);
}

// ---- Creation from a description ----

class TLifecycleForm : public TForm {
public:
    explicit TLifecycleForm(TComponent* owner) : TForm(owner) {}
    [[nodiscard]] const char* ClassName() const override { return "TLifecycleForm"; }
    void FormCreate(TComponent*) {
        created = true;
        throw Exception("Navigation failed");
    }
    bool created = false;
};

TEST_F(LifecycleTest, ExceptionInOnCreateReachesTheHandlerAndTheFormStillShows) {
    RegisterUiClasses();
    TClassRegistry::Instance().Register("TLifecycleForm", "TForm", nullptr);
    RegisterMethod<TLifecycleForm>("TLifecycleForm", "FormCreate", &TLifecycleForm::FormCreate);
    auto* form = new TLifecycleForm(&Application());
    Application().FormCreated(form);
    form->CreateFromDescription(
        "object Form1: TLifecycleForm\n"
        "  Caption = 'Puzzlebin V1.0.0'\n"
        "  ClientWidth = 777\n"
        "  ClientHeight = 491\n"
        "  Position = poScreenCenter\n"
        "  Color = clBtnFace\n"
        "  Font.Name = 'MS Sans Serif'\n"
        "  Font.Height = -11\n"
        "  OldCreateOrder = False\n"
        "  PixelsPerInch = 96\n"
        "  TextHeight = 13\n"
        "  OnCreate = FormCreate\n"
        "  object Panel1: TPanel\n"
        "    Align = alClient\n"
        "  end\n"
        "end\n");
    EXPECT_TRUE(form->created);
    ASSERT_EQ(P().MessageBoxes().size(), 1u);
    EXPECT_EQ(P().MessageBoxes()[0].text, "Navigation failed");
    EXPECT_EQ(P().MessageBoxes()[0].kind, platform::MessageBoxKind::Error);
    EXPECT_EQ(form->ClientWidth(), 777);
    EXPECT_EQ(form->ClientHeight(), 491);
    EXPECT_EQ(form->Caption(), "Puzzlebin V1.0.0");
    ASSERT_EQ(form->ControlCount(), 1);
    EXPECT_EQ(form->Controls(0)->BoundsRect(), Rect(0, 0, 777, 491));
    form->Show();
    EXPECT_TRUE(form->PlatformWindow()->Visible());
    EXPECT_EQ(form->Left(), (1920 - form->Width()) / 2);
    delete form;
}

TEST_F(LifecycleTest, FormStoredAsVisibleIsShownOnceAfterItsOnCreate) {
    RegisterUiClasses();
    TClassRegistry::Instance().Register("TLifecycleForm", "TForm", nullptr);
    RegisterMethod<TLifecycleForm>("TLifecycleForm", "FormCreate", &TLifecycleForm::FormCreate);
    TLifecycleForm shown(nullptr), hidden(nullptr);
    int shows = 0;
    bool createdBeforeShow = false;
    shown.OnShow = [&](TComponent*) {
        ++shows;
        createdBeforeShow = shown.created;
    };
    shown.CreateFromDescription(
        "object F: TLifecycleForm\n  Visible = True\n  OnCreate = FormCreate\nend\n");
    ASSERT_NE(shown.PlatformWindow(), nullptr);
    EXPECT_TRUE(shown.PlatformWindow()->Visible());
    EXPECT_EQ(shows, 1);
    EXPECT_TRUE(createdBeforeShow);
    // The program showing it again (as the loop does for the main form) changes nothing.
    shown.Show();
    EXPECT_EQ(shows, 1);

    hidden.CreateFromDescription("object F: TLifecycleForm\n  Visible = False\nend\n");
    EXPECT_FALSE(hidden.Visible());
    EXPECT_TRUE(hidden.PlatformWindow() == nullptr || !hidden.PlatformWindow()->Visible());
}

}  // namespace
