#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "base/Region.h"
#include "platform/LaunchPolicy.h"
#include "platform/Log.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

using platform::HeadlessPlatform;
using platform::HeadlessWindow;
using platform::ImageView;
using platform::LaunchPolicy;
using platform::LogCapture;
using platform::LogLine;
using platform::LogSink;
using platform::MayLeaveProgram;
using platform::MouseEvent;
using platform::MouseEventKind;
using platform::SetLogSink;
using platform::WindowParams;

// Records what the platform delivers to a window.
class RecordingSink : public platform::WindowSink {
public:
    void OnExpose(const TRect& dirty) override { exposes.push_back(dirty); }
    void OnMouse(const MouseEvent& e) override { mouse.push_back(e); }
    void OnKey(const platform::KeyEvent& e) override { keys.push_back(e); }
    void OnConfigured(const TRect&) override {}
    void OnFocusChanged(bool f) override { focus.push_back(f); }
    void OnCloseRequest() override { ++closeRequests; }
    void OnIconified(bool i) override { iconified.push_back(i); }
    void OnGrabBroken() override { ++grabBroken; }
    std::vector<TRect> exposes;
    std::vector<MouseEvent> mouse;
    std::vector<platform::KeyEvent> keys;
    std::vector<bool> focus;
    std::vector<bool> iconified;
    int closeRequests = 0;
    int grabBroken = 0;
};

std::unique_ptr<platform::Window> MakeWindow(
    HeadlessPlatform& p, RecordingSink& sink, TRect bounds,
    platform::WindowKind kind = platform::WindowKind::TopLevel) {
    WindowParams params;
    params.kind = kind;
    params.screenBounds = bounds;
    params.sink = &sink;
    auto w = p.CreateWindow(params);
    w->Show(true);
    return w;
}

// Presents a window filled with one pixel value.
void Fill(platform::Window& w, uint32_t pixel) {
    const TRect b = w.Bounds();
    std::vector<uint32_t> image(static_cast<size_t>(b.Width() * b.Height()), pixel);
    w.Present(ImageView{image.data(), b.Width(), b.Height(), b.Width()},
              Rect(0, 0, b.Width(), b.Height()));
}

TEST(HeadlessTest, TimersFireInTimeOrderAndCanKillThemselves) {
    HeadlessPlatform p;
    std::vector<std::string> log;
    platform::TimerId slow =
        p.SetTimer(30, [&] { log.push_back("slow@" + std::to_string(p.NowMs())); });
    platform::TimerId fast = 0;
    fast = p.SetTimer(20, [&] {
        log.push_back("fast@" + std::to_string(p.NowMs()));
        if (p.NowMs() >= 40) p.KillTimer(fast);
        p.Post([&] { log.push_back("task"); });
    });
    p.AdvanceTime(70);
    EXPECT_EQ(log, (std::vector<std::string>{"fast@20", "task", "slow@30", "fast@40", "task",
                                             "slow@60"}));
    EXPECT_EQ(p.NowMs(), 70u);
    p.KillTimer(slow);
    EXPECT_EQ(p.ActiveTimerCount(), 0u);
}

TEST(HeadlessTest, RunStopsOnQuitAndTheGuardStopsAnIdleLoop) {
    HeadlessPlatform p;
    p.SetTimer(100, [&] { p.Quit(); });
    p.Run();
    EXPECT_EQ(p.NowMs(), 100u);
    EXPECT_FALSE(p.RunGuardTripped());

    HeadlessPlatform idle;
    idle.Run();  // nothing will ever quit it
    EXPECT_TRUE(idle.RunGuardTripped());

    HeadlessPlatform busy;
    busy.RunGuardMs = 5000;
    busy.SetTimer(1000, [] {});
    busy.Run();
    EXPECT_TRUE(busy.RunGuardTripped());
    EXPECT_LE(busy.NowMs(), 5000u);
}

TEST(HeadlessTest, InputGoesToTheTopmostWindowAndStaysWithThePressedOne) {
    HeadlessPlatform p;
    RecordingSink a, b;
    auto wa = MakeWindow(p, a, Rect(0, 0, 100, 100));
    auto wb = MakeWindow(p, b, Rect(50, 50, 150, 150));
    p.MoveMouse(60, 60);
    ASSERT_EQ(b.mouse.size(), 1u);
    EXPECT_EQ(b.mouse[0].pos, (TPoint{10, 10}));
    EXPECT_TRUE(a.mouse.empty());
    // A shape with a hole lets the lower window through.
    const TRegion shape(Rect(20, 20, 100, 100));
    wb->SetShape(&shape);
    p.MoveMouse(60, 61);
    EXPECT_EQ(a.mouse.size(), 1u);
    EXPECT_EQ(b.mouse.back().kind, MouseEventKind::Leave);
    // Pressed in a, dragged over b: a keeps the events.
    p.PressButton();
    p.MoveMouse(120, 120);
    p.ReleaseButton();
    EXPECT_EQ(a.mouse.back().kind, MouseEventKind::Up);
    EXPECT_EQ(a.mouse.back().pos, (TPoint{120, 120}));
    // Double click: down, up, double click, up.
    p.DoubleClick(10, 10);
    std::vector<MouseEventKind> kinds;
    for (size_t i = a.mouse.size() - 4; i < a.mouse.size(); ++i) kinds.push_back(a.mouse[i].kind);
    EXPECT_EQ(kinds,
              (std::vector<MouseEventKind>{MouseEventKind::Down, MouseEventKind::Up,
                                           MouseEventKind::DoubleClick, MouseEventKind::Up}));
}

TEST(HeadlessTest, ScreenCompositesInZOrderWithShapesAndOpacity) {
    HeadlessPlatform p;
    p.SetScreenSize({200, 100});
    RecordingSink a, b;
    auto wa = MakeWindow(p, a, Rect(0, 0, 100, 100));
    auto wb = MakeWindow(p, b, Rect(50, 0, 150, 100));
    Fill(*wa, 0xFF0000);
    Fill(*wb, 0x0000FF);
    TRegion shape(Rect(0, 0, 10, 100));
    wb->SetShape(&shape);
    auto pixels = p.CaptureScreen(Rect(45, 0, 125, 1));
    EXPECT_EQ(pixels[0], 0xFF0000u);   // x 45: only a
    EXPECT_EQ(pixels[5], 0x0000FFu);   // x 50: b's shape
    EXPECT_EQ(pixels[15], 0xFF0000u);  // x 60: outside b's shape, a shows
    EXPECT_EQ(pixels[75], 0u);         // x 120: in b's bounds, outside its shape, beyond a: black
    wb->SetShape(nullptr);
    wb->SetOpacity(128);
    pixels = p.CaptureScreen(Rect(55, 0, 56, 1));
    EXPECT_EQ(pixels[0], 0x7F0080u);
    p.SetCompositing(false);  // without compositing opacity does nothing
    EXPECT_EQ(p.CaptureScreen(Rect(55, 0, 56, 1))[0], 0x0000FFu);
    // Outside the screen is black.
    EXPECT_EQ(p.CaptureScreen(Rect(-5, -5, -4, -4))[0], 0u);
}

TEST(HeadlessTest, FocusKeysAndRecords) {
    HeadlessPlatform p;
    RecordingSink a, b;
    auto wa = MakeWindow(p, a, Rect(0, 0, 100, 100));
    auto wb = MakeWindow(p, b, Rect(200, 0, 300, 100));
    wa->Activate();
    wb->Activate();
    EXPECT_EQ(a.focus, (std::vector<bool>{true, false}));
    p.KeyPress('Q', platform::kModControl, 'q');
    ASSERT_EQ(b.keys.size(), 4u);  // ctrl down, q down, q up, ctrl up
    EXPECT_EQ(b.keys[1].modifiers, platform::kModControl);
    EXPECT_EQ(b.keys[1].virtualKey, 'Q');
    p.Type("\xE4\xBD\xA0");  // one CJK character
    EXPECT_EQ(b.keys[4].unicodeChar, 0x4F60u);

    p.MessageBoxAnswer = platform::MessageBoxResult::No;
    EXPECT_EQ(p.ShowMessageBox("T", "text", platform::MessageBoxKind::Question,
                               platform::MessageBoxButtons::YesNo),
              platform::MessageBoxResult::No);
    ASSERT_EQ(p.MessageBoxes().size(), 1u);
    EXPECT_EQ(p.MessageBoxes()[0].text, "text");
    p.OpenUri("https://example.org/");
    EXPECT_EQ(p.OpenedUris(), (std::vector<std::string>{"https://example.org/"}));
    {
        auto tray = p.CreateTrayIcon();
        tray->SetTooltip("tip");
        ASSERT_EQ(p.TrayIcons().size(), 1u);
        EXPECT_EQ(p.TrayIcons()[0]->Tooltip(), "tip");
    }
    EXPECT_TRUE(p.TrayIcons().empty());

    wb->Minimize();
    p.ProcessPending();
    EXPECT_EQ(b.iconified, (std::vector<bool>{true}));
    EXPECT_EQ(p.WindowAt({250, 50}), nullptr);
}

TEST(HeadlessTest, SavesPngSnapshots) {
    HeadlessPlatform p;
    p.SetScreenSize({40, 30});
    RecordingSink a;
    auto wa = MakeWindow(p, a, Rect(0, 0, 20, 10));
    Fill(*wa, 0x336699);
    const std::string path = ::testing::TempDir() + "headless_snapshot.png";
    ASSERT_TRUE(p.SavePng(*static_cast<HeadlessWindow*>(wa.get()), path));
    std::ifstream in(path, std::ios::binary);
    char magic[8] = {};
    in.read(magic, 8);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");
    EXPECT_TRUE(p.SaveScreenPng(path));
    std::remove(path.c_str());
}

TEST(HeadlessTest, WindowOutlivingThePlatformIsHarmless) {
    auto p = std::make_unique<HeadlessPlatform>();
    RecordingSink a;
    auto wa = MakeWindow(*p, a, Rect(0, 0, 20, 10));
    p.reset();
    wa->Show(false);
    wa.reset();
    SUCCEED();
}

// ---- The program's log and the launch policy ----

TEST(ProgramLog, OneCallIsOneLineOfBoundedLength) {
    LogCapture log;
    LogLine("first\nsecond\r\tthird\x7f");
    LogLine(std::string(5000, 'x'));
    LogLine(std::string(999, 'x') + "\xC3\xA9\xC3\xA9");
    ASSERT_EQ(log.Lines().size(), 3u);
    EXPECT_EQ(log.Lines()[0], "first?second??third?");
    EXPECT_EQ(log.Lines()[1], std::string(1000, 'x') + "...");
    EXPECT_EQ(log.Lines()[2], std::string(999, 'x') + "...") << "no character cut in two";
}

TEST(ProgramLog, ACaptureEndsWithItsScope) {
    std::vector<std::string> outer;
    LogSink previous = SetLogSink([&](const std::string& line) { outer.push_back(line); });
    {
        LogCapture inner;
        LogLine("inner");
        EXPECT_EQ(inner.Lines().size(), 1u);
    }
    LogLine("outer");
    EXPECT_EQ(outer, std::vector<std::string>{"outer"});
    SetLogSink(std::move(previous));
}

TEST(LaunchPolicyRules, WhatMayLeaveTheProgram) {
    for (const char* ok : {"http://a", "https://example.org/x?y#z", "HtTpS://EXAMPLE.org",
                           "mailto:a@b.example", "MAILTO:?subject=x"})
        EXPECT_TRUE(MayLeaveProgram(ok)) << ok;
    for (const char* no : {"",
                           "ssh://host",
                           "file:///etc/passwd",
                           "javascript:alert(1)",
                           "data:text/html,x",
                           "x-scheme-handler:y",
                           "steam://run/1",
                           "http:",
                           "http:/x",
                           "http:///x",
                           "https://?q",
                           "http ://x",
                           " http://x",
                           "http://x y",
                           "http://x\ty",
                           "mailto:",
                           "1http://x",
                           "://x",
                           "httpx://x",
                           "about:blank",
                           "puzzlebin://site/x"})
        EXPECT_FALSE(MayLeaveProgram(no)) << no;
    EXPECT_FALSE(MayLeaveProgram("https://x/" + std::string(9000, 'a'))) << "too long";
}

TEST(LaunchPolicyRules, OneLaunchPerGestureThroughThePlatform) {
    HeadlessPlatform& p = platform::InstallHeadlessPlatform();
    LogCapture log;
    LaunchPolicy policy;
    EXPECT_EQ(policy.Request("https://a.example/", true, "page"), LaunchPolicy::Verdict::Refused);
    policy.UserGesture();
    EXPECT_EQ(policy.Request("https://a.example/", false, "page"), LaunchPolicy::Verdict::Refused);
    EXPECT_EQ(policy.Request("https://a.example/", true, "page"), LaunchPolicy::Verdict::Launched);
    EXPECT_EQ(policy.Request("https://b.example/", true, "page"), LaunchPolicy::Verdict::Refused);
    EXPECT_EQ(p.OpenedUris(), std::vector<std::string>{"https://a.example/"});
    EXPECT_EQ(policy.Launches(), 1u);
    EXPECT_EQ(policy.Refusals(), 3u);
    ASSERT_EQ(log.Lines().size(), 3u);
    EXPECT_NE(log.Lines()[2].find("\"https://b.example/\""), std::string::npos) << log.Lines()[2];
    EXPECT_NE(log.Lines()[2].find("asked by \"page\""), std::string::npos) << log.Lines()[2];
}

}  // namespace
