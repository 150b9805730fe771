// Forms: top-level windows. A form owns one undecorated platform window that covers its
// whole bounds; the framework asks WM_NCCALCSIZE for the client rectangle, paints the frame
// with WM_NCPAINT and routes input through WM_NCHITTEST. Without a hooked window procedure
// the form draws a plain default frame (3-pixel border, 19-pixel caption band).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : uint32_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = uint32_t;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
// How Tile arranges MDI children: one above another (horizontal) or side by side.
enum TTileMode { tbHorizontal, tbVertical };

using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TComponent* sender, bool& canClose)>;
// Short cuts: key is a ShortCut value (virtual key | scShift/scCtrl/scAlt bits); set handled.
using TShortCutEvent = std::function<void(uint32_t shortCut, bool& handled)>;

// Short-cut modifier bits (a ShortCut is the virtual key plus these).
enum : uint32_t { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };

// Default frame metrics of a form nobody else frames.
constexpr int kDefaultFrameBorder = 3;
constexpr int kDefaultCaptionHeight = 19;
constexpr int kDefaultToolCaptionHeight = 15;

class TMenuItem;
class TMDIClient;
struct TMDIState;

class TCustomForm : public TCustomControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    [[nodiscard]] const char* ClassName() const override { return "TCustomForm"; }

    // Reads the form's stored description (ui/DescriptionReader.h) into this form, then
    // applies the stored client size and runs OnCreate. An exception from OnCreate goes to
    // the application's error handler; the form stays usable. Reading errors propagate.
    void CreateFromDescription(const std::string& utf8Text);
    // Runs OnCreate (exceptions go to Application().HandleException).
    void DoCreate();

    // ---- Window ----
    void Show();
    void Hide();
    void Close();
    // Asks OnCloseQuery (and the children forms' queries); true when the form may close.
    virtual bool CloseQuery();
    void Release();  // frees the form from the message loop (posted)
    void BringToFront();
    [[nodiscard]] bool Active() const { return active_; }

    [[nodiscard]] TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    [[nodiscard]] TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    [[nodiscard]] TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);
    TPosition Position = poDesigned;
    // fsMDIForm gives the form an MDI client area (an alClient child holding the MDI
    // children); fsMDIChild makes the form a child window inside the main form's MDI
    // client area (ui/MDI.cpp). Read from a description, the style applies when reading ends.
    [[nodiscard]] TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    bool KeyPreview = false;
    // Bounds to restore from the maximised state.
    [[nodiscard]] TRect RestoredBounds() const { return restoreBounds_; }

    // Client size: while the description is being read the stored value is kept and
    // applied when reading ends, after every component (including frame hooks) exists.
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;
    [[nodiscard]] TRect ClientRect() const override;
    [[nodiscard]] TPoint ClientOffset() const override { return clientRectInWindow_.TopLeft(); }
    // Client rectangle inside the window image (the WM_NCCALCSIZE answer).
    [[nodiscard]] TRect ClientRectInWindow() const { return clientRectInWindow_; }

    // The "window device context": a canvas over the whole window image. Drawing on it
    // outside a paint pass is presented at the next idle step.
    TCanvas& WindowCanvas();

    // The focused control of this form.
    [[nodiscard]] TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Moves the focus between controls (does not activate the window).
    void FocusControl(TWinControl* control);

    // Short cuts: OnShortCut first, then the registered short-cut handlers (menus).
    virtual bool IsShortCut(uint32_t shortCut);
    // Menus add themselves here; returns an id for RemoveShortCutHandler.
    int AddShortCutHandler(std::function<bool(uint32_t shortCut)> handler);
    void RemoveShortCutHandler(int id);

    // Icon (optional) shown by the platform; without one the window shows the
    // application's icon.
    void SetIcon(const TBitmap& icon);
    [[nodiscard]] const TBitmap* Icon() const { return icon_.get(); }
    // Hands the icon the window shows (its own, else the application's) to the platform.
    void ApplyWindowIcon();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;
    int ModalResult = 0;

    // ---- MDI (ui/MDI.cpp) ----
    // The MDI client area of an fsMDIForm form (nullptr for other forms).
    [[nodiscard]] TMDIClient* MDIClient() const;
    // An MDI child: the MDI parent it lives in (the main form), else nullptr.
    [[nodiscard]] bool IsMDIChild() const { return formStyle_ == fsMDIChild; }
    [[nodiscard]] TCustomForm* MDIParent() const;
    // The MDI parent's children, in the order they were shown first; the active one.
    [[nodiscard]] int MDIChildCount() const;
    [[nodiscard]] TCustomForm* MDIChildren(int index) const;
    [[nodiscard]] TCustomForm* ActiveMDIChild() const;
    // Activates a shown child (brings it to the front of the MDI client area).
    void MDIActivate(TCustomForm* child);
    // Activates the next (or previous) child in the front-to-back order.
    void Next();
    void Previous();
    // Arrangements of the children that are neither minimised nor hidden; Cascade and Tile
    // restore maximised children first. ArrangeIcons stacks the minimised ones along the
    // bottom of the client area.
    void Cascade();
    void Tile();
    void ArrangeIcons();
    TTileMode TileMode = tbHorizontal;
    // The menu item under which the framework lists the shown children ("_MDICHILDITEM"
    // items, the active one checked), unless WindowMenuChildItems is off (a skinned frame
    // keeps its own list).
    [[nodiscard]] TMenuItem* WindowMenu() const;
    void SetWindowMenu(TMenuItem* item);
    bool WindowMenuChildItems = true;
    // Rebuilds the framework's child items of the window menu.
    void UpdateWindowMenu();

    // Default frame (used when nobody answers WM_NCCALCSIZE/WM_NCPAINT/WM_NCHITTEST).
    [[nodiscard]] int DefaultCaptionHeight() const;
    [[nodiscard]] bool HasBorder() const { return borderStyle_ != bsNone; }

    void Loaded() override;
    void SetVisible(bool visible) override;
    void Notification(TComponent* component, TOperation operation) override;
    // A frame (an MDI child: a panel) named by the caption.
    void GetAccessible(platform::AccessibleNode& node) override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    [[nodiscard]] bool IsFormWindow() const override { return true; }
    void CreateWnd() override;
    void BoundsChanged() override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoClose(TCloseAction& action);

private:
    friend class TWindowHost;
    friend class TScreen;
    void DefaultNcCalcSize(TRect& r) const;
    void DefaultNcPaint(TCanvas& canvas);
    [[nodiscard]] int DefaultHitTest(TPoint windowPoint) const;

    // Caption buttons of the default frame (ui/FormCaptionButtons.cpp). hit is the
    // WM_NCHITTEST code of the button (HTCLOSE, HTMAXBUTTON, HTMINBUTTON).
    struct CaptionButton {
        int hit;
        TRect rect;  // window coordinates
        bool enabled;
    };
    [[nodiscard]] std::vector<CaptionButton> DefaultCaptionButtons() const;
    // The hit code of the button under a window point, or HTNOWHERE.
    [[nodiscard]] int DefaultCaptionButtonAt(TPoint windowPoint) const;
    void DrawDefaultCaptionButtons(TCanvas& canvas);
    // A left press on a button: shows it pressed and tracks the mouse until release.
    void PressCaptionButton(int hit);
    // While a button is tracked: mouse moves, the release and capture loss. True when the
    // message was consumed.
    bool TrackCaptionButton(TMessage& message);
    void SetCaptionButtonPressed(bool pressed);
    void EndCaptionButtonTracking();
    void RecalcClientRect();
    void SetActive(bool active, uint32_t how);
    void ApplyPosition();
    // MDI (ui/MDI.cpp).
    TMDIState& MDI();
    void AttachToMDIParent();
    void ShowMDIChild(bool visible);
    void SetMDIChildActive(bool active);
    void SetMDIChildWindowState(TWindowState state, TWindowState old);
    void ForgetMDIChild(TCustomForm* child);
    void RefitMaximizedMDIChildren();
    [[nodiscard]] TRect MDIIconPlace(const TCustomForm& child) const;

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TWindowState windowState_ = wsNormal;
    TRect restoreBounds_{};
    TRect clientRectInWindow_{};
    bool active_ = false;
    bool positioned_ = false;
    bool closing_ = false;
    int trackedButton_ = 0;  // hit code of the caption button being pressed, 0 when none
    bool trackedPressed_ = false;
    int pendingClientWidth_ = 0;
    int pendingClientHeight_ = 0;
    TWinControl* activeControl_ = nullptr;
    std::map<int, std::function<bool(uint32_t)>> shortCutHandlers_;
    int nextShortCutId_ = 1;
    std::unique_ptr<TBitmap> icon_;
    TFormStyle formStyle_ = fsNormal;
    std::unique_ptr<TMDIState> mdi_;
    std::unique_ptr<TCanvas> frameCanvas_;  // an MDI child's "window device context"
    friend class TApplication;
    friend class TWinControl;
    friend class TMDIClient;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
    [[nodiscard]] const char* ClassName() const override { return "TForm"; }
};
