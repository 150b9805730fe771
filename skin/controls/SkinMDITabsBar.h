// TspSkinMDITabsBar: one skinned tab ("tab" section) per shown MDI child of its form. A
// click on a tab brings its child forward (restoring it when minimised); tabs can be
// dragged along the bar to a new place.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/controls/SkinControl.h"
#include "ui/GraphicsObjects.h"

class TCustomForm;
class TspMDITab;
class TspSkinMDITabsBar;

class TspMDITab {
public:
    TspMDITab(TspSkinMDITabsBar* bar, TCustomForm* child) : TabsBar(bar), Child(child) {}
    TspSkinMDITabsBar* TabsBar;
    bool Active = false;
    bool MouseIn = false;
    TRect ObjectRect{};
    TCustomForm* Child;
};

using TspMDITabEvent = std::function<void(TspMDITab* tab)>;
using TspMDITabMouseEvent =
    std::function<void(TMouseButton button, TShiftState shift, TspMDITab* tab)>;

class TspSkinMDITabsBar : public TspSkinControl {
public:
    explicit TspSkinMDITabsBar(TComponent* owner);
    ~TspSkinMDITabsBar() override;
    [[nodiscard]] const char* ClassName() const override { return "TspSkinMDITabsBar"; }

    // ---- Published ----
    [[nodiscard]] int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int value);
    [[nodiscard]] const TFont& DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const TFont& font);
    [[nodiscard]] int DefaultTabWidth() const { return defaultTabWidth_; }
    void SetDefaultTabWidth(int value);
    TspMDITabEvent OnTabMouseEnter;
    TspMDITabEvent OnTabMouseLeave;
    TspMDITabMouseEvent OnTabMouseDown;
    TspMDITabMouseEvent OnTabMouseUp;

    // ---- What the MDI children's skinned frames tell it ----
    void AddTab(TCustomForm* child);
    void RemoveTab(TCustomForm* child);
    // Every tab's Active := (its child is the active child); repaints.
    void SetActiveChild(TCustomForm* child);
    // A child's caption changed.
    void ChildChanged(TCustomForm* child);

    // ---- State ----
    [[nodiscard]] int TabCount() const { return static_cast<int>(tabs_.size()); }
    [[nodiscard]] TspMDITab* Tabs(int index) const {
        return tabs_.at(static_cast<size_t>(index)).get();
    }
    [[nodiscard]] TspMDITab* TabOf(const TCustomForm* child) const;
    [[nodiscard]] TspMDITab* HoverTab() const { return hover_; }
    [[nodiscard]] bool Dragging() const { return dragging_; }
    // The tab under a point (bar coordinates; edges inclusive), or nullptr.
    [[nodiscard]] TspMDITab* TabAt(TPoint p) const;
    // Lays the tabs out for the current width (a dragged tab moved by the drag distance).
    void ArrangeTabs();

    // Accessibility (SkinAccessible.cpp).
    void GetAccessible(platform::AccessibleNode& node) override;

protected:
    void WndProc(TMessage& message) override;
    void PaintSkinImage(TBitmap& bitmap) override;
    void PaintDefaultImage(TBitmap& bitmap) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void ApplySkin() override;

private:
    void PaintTabs(TBitmap& bitmap, bool skinned);
    void SetHover(TspMDITab* tab);
    void FitHeight();
    [[nodiscard]] int IndexOf(const TspMDITab* tab) const;

    int defaultHeight_ = 21;
    TFont defaultFont_;
    int defaultTabWidth_ = 100;
    std::vector<std::unique_ptr<TspMDITab>> tabs_;
    TspMDITab* hover_ = nullptr;
    int dragIndex_ = -1;
    int dragStartX_ = 0;
    int dragDistance_ = 0;
    bool buttonDown_ = false;
    bool dragging_ = false;
};
