// The application object: main form, message loop, error handler, hint settings.
#pragma once

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "base/Messages.h"
#include "ui/Bitmap.h"
#include "ui/Component.h"
#include "ui/Controls.h"

class TCustomForm;

using TExceptionEvent = std::function<void(TComponent* sender, const std::exception& e)>;
// Called for every message the loop dispatches (posted messages and input turned into
// messages) before its target sees it; set handled to stop it.
using TMessageEvent = std::function<void(TControl* target, TMessage& message, bool& handled)>;
// What a hint about to be shown is about; the show-hint event may change it.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos{};  // screen point of the hint window's top-left
    int HintMaxWidth = 0;
};
// Called before a control's hint is shown: may change the text or cancel the hint.
using TShowHintEvent =
    std::function<void(std::string& hintStr, bool& canShow, THintInfo& hintInfo)>;
// Builds the hint window (the skin replaces the plain one).
using THintWindowFactory = std::function<std::unique_ptr<THintWindow>(TComponent* owner)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;
    [[nodiscard]] const char* ClassName() const override { return "TApplication"; }

    // Prepares a run: clears the terminated flag.
    void Initialize();
    // Creates a form owned by the application; the first one becomes the main form.
    template <class TFormClass>
    TFormClass* CreateForm(TFormClass** reference = nullptr) {
        auto* form = new TFormClass(this);
        if (reference) *reference = form;
        FormCreated(form);
        return form;
    }
    // Registers an existing form as created by the application (first: main form).
    void FormCreated(TCustomForm* form);
    [[nodiscard]] TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* form);

    // Shows the main form (when ShowMainForm) and runs the loop until Terminate.
    void Run();
    void ProcessMessages();
    void Terminate();
    [[nodiscard]] bool Terminated() const { return terminated_; }

    // Shows the exception's message in a message box titled with Title, unless OnException
    // takes it.
    void HandleException(const std::exception& e);
    void ShowException(const std::exception& e);
    TExceptionEvent OnException;
    TMessageEvent OnMessage;

    // Minimises / restores every visible form.
    void Minimize();
    void Restore();
    [[nodiscard]] bool Minimized() const { return minimized_; }
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;

    // Hooks see the main form's messages before its window procedure; returning true
    // swallows the message. Returns an id for UnhookMainWindow.
    int HookMainWindow(std::function<bool(TMessage&)> hook);
    void UnhookMainWindow(int id);
    // Runs the hooks; true when one swallowed the message.
    bool RunMainWindowHooks(TMessage& message);

    // Hints.
    TColor HintColor = clInfoBk;
    int HintPause = 500;
    int HintHidePause = 2500;
    int HintShortPause = 50;
    bool ShowHint = true;
    THintWindowFactory HintWindowClass;
    TShowHintEvent OnShowHint;
    // Hides any hint being shown.
    void CancelHint();
    // Called by the input routing when the mouse rests on a control.
    void HintMouseMessage(TControl* control, TPoint screenPoint);
    [[nodiscard]] THintWindow* HintWindow() const { return hintWindow_.get(); }

    std::string Title = "Puzzlebin";
    bool ShowMainForm = true;
    // The application's icon: the program's own (ui/ProgramIcon.h) from the start. Forms
    // without an icon of their own show it on their windows, and a tray icon takes it when
    // it has none; setting it also updates the windows of such forms that exist.
    [[nodiscard]] const TBitmap& Icon() const { return icon_; }
    void SetIcon(const TBitmap& icon);

    // Message dispatch used by the loop (OnMessage first).
    void DispatchMessage(TControl* target, TMessage& message);

    void Notification(TComponent* component, TOperation operation) override;

private:
    void ShowHintNow();
    void StopHintTimer();

    TCustomForm* mainForm_ = nullptr;
    TBitmap icon_;
    bool terminated_ = false;
    bool minimized_ = false;
    bool running_ = false;
    std::map<int, std::function<bool(TMessage&)>> hooks_;
    int nextHookId_ = 1;
    std::unique_ptr<THintWindow> hintWindow_;
    TControl* hintControl_ = nullptr;
    TLivenessWatch hintControlAlive_;
    TPoint hintPoint_{};
    uint64_t hintTimer_ = 0;
    bool hintShown_ = false;
};

// The process-wide application object.
TApplication& Application();
