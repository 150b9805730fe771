// The framework's page control: a row of tabs over a page area, one tab sheet per tab.
// It lays its tabs out itself, as the platform's tab control did: item rectangles from the
// captions' widths (or a fixed item size), a single row that scrolls by a first-visible-tab
// index when the tabs do not fit, or several rows (the pure layout functions are in
// PageControlLayout.h, the plain painting in PageControlPaint.cpp). The skinned page control
// overrides the geometry answers (GetItemRect, DisplayRect) and the drawing (DrawTab, Paint); every
// other part (hit testing, sheet bounds, selection) goes through those virtuals.
//
// Indexes: a "page index" counts every sheet; a "tab index" counts only sheets whose tab is
// visible (TabVisible).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/PageControlLayout.h"

class TCustomImageList;
class TPageControl;

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

using TTabChangingEvent = std::function<void(TComponent* sender, bool& allowChange)>;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    [[nodiscard]] const char* ClassName() const override { return "TTabSheet"; }

    [[nodiscard]] TPageControl* PageControl() const { return pageControl_; }
    // Moves the sheet to another page control (or out of any with nullptr); the sheet
    // becomes a child of the page control.
    void SetPageControl(TPageControl* pageControl);
    [[nodiscard]] int PageIndex() const;
    void SetPageIndex(int index);
    // The sheet's index among the visible tabs, -1 when its tab is hidden.
    [[nodiscard]] int TabIndex() const;
    [[nodiscard]] bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool visible);
    [[nodiscard]] int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

    void SetParent(TWinControl* parent) override;
    void SetParentComponent(TComponent* parent) override;

protected:
    void WndProc(TMessage& message) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = -1;
    bool settingPageControl_ = false;
};

class TPageControl : public TCustomControl {
public:
    // Horizontal-scroll message: with the thumb-position code in the low word of WPARAM and
    // a tab index in the high word it scrolls the tab row so that tab is the first shown.
    static constexpr uint32_t kMsgHScroll = 0x0114;
    static constexpr uint16_t kSbThumbPosition = 4;

    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;
    [[nodiscard]] const char* ClassName() const override { return "TPageControl"; }

    // ---- Pages ----
    [[nodiscard]] int PageCount() const { return static_cast<int>(pages_.size()); }
    [[nodiscard]] TTabSheet* Pages(int index) const;
    [[nodiscard]] TTabSheet* ActivePage() const { return activePage_; }
    // Shows the sheet (a sheet of another control or nullptr selects nothing). Selecting by
    // code does not ask OnChanging and does not raise OnChange.
    void SetActivePage(TTabSheet* page);
    [[nodiscard]] int ActivePageIndex() const;
    // An index outside the pages selects nothing.
    void SetActivePageIndex(int index);
    // The next (or previous) page with a visible tab after the active one, wrapping around;
    // nullptr when there is none.
    [[nodiscard]] TTabSheet* FindNextPage(TTabSheet* current, bool goForward,
                                          bool checkTabVisible) const;
    // Selects the next page as the user would: asks CanChange and raises Change.
    void SelectNextPage(bool goForward, bool checkTabVisible = true);

    // ---- Tabs (visible tabs only) ----
    [[nodiscard]] int TabCount() const;
    [[nodiscard]] TTabSheet* TabPage(int tabIndex) const;
    [[nodiscard]] int TabIndex() const { return activePage_ ? activePage_->TabIndex() : -1; }
    void SetTabIndex(int tabIndex);
    // Item rectangle of a visible tab in client coordinates; empty for a tab scrolled out of
    // the row, an index out of range, or a control without room.
    [[nodiscard]] TRect TabRect(int tabIndex) const { return GetItemRect(tabIndex); }
    [[nodiscard]] virtual TRect GetItemRect(int tabIndex) const;
    // The visible tab whose item rectangle holds the point, or -1.
    [[nodiscard]] int IndexOfTabAt(int x, int y) const;
    // The page area (client coordinates) the sheets fill.
    [[nodiscard]] virtual TRect DisplayRect() const;
    // Thickness of the tab strip: rows x item height plus the 2-pixel margin.
    [[nodiscard]] virtual int TabAreaHeight() const;
    // Rows of tabs (1 unless MultiLine wraps them).
    [[nodiscard]] int RowCount() const;

    // Single-row scrolling: the tab shown first.
    [[nodiscard]] int FirstVisibleTab() const { return firstVisibleTab_; }
    void SetFirstVisibleTab(int tabIndex);
    // Whether the single row does not fit (the scroll buttons are shown).
    [[nodiscard]] bool TabsOverflow() const;

    // ---- Tab geometry properties ----
    [[nodiscard]] int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int value);
    [[nodiscard]] int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);
    // The item size used for layout (0: from the font and captions). TabHeight and TabWidth
    // set it; a skin may set it alone, keeping the stored properties.
    void SetItemSize(int width, int height);
    [[nodiscard]] int ItemWidth() const { return itemWidth_; }
    // The item height in use (the fixed one or font height plus padding).
    [[nodiscard]] int ItemHeight() const;
    [[nodiscard]] TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition value);
    [[nodiscard]] bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    // Style and HotTrack are kept for derived looks; the plain look draws every style as
    // tabs and does not track the mouse.
    [[nodiscard]] TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle value);
    [[nodiscard]] TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    bool HotTrack = false;

    // ---- Events ----
    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;
    // Asks OnChanging; false keeps the current page.
    [[nodiscard]] virtual bool CanChange();
    // After the user switched pages: raises OnChange.
    virtual void Change();

    // The tab strip and the sheets' bounds follow captions, fonts, sizes and visibility.
    void UpdateLayout();

    void AdjustClientRect(TRect& rect) const override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    // A page tab list with one page tab per visible tab (the selected one marked, "click"
    // selects it as the user would), each holding its page's content while it shows.
    void GetAccessible(platform::AccessibleNode& node) override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void BoundsChanged() override;

    // Draws one tab of the default look; `rect` is the tab's item rectangle (already grown
    // for the selected tab).
    virtual void DrawTab(TCanvas& canvas, int tabIndex, const TRect& rect, bool active);
    // After every switch of the shown page, by code or by the user (the skin's scroller
    // follows it here).
    virtual void ActivePageChanged() {}
    // The user picked a tab: CanChange, switch, Change. False when refused or unchanged.
    bool SelectTabByUser(int tabIndex);
    // The two scroll buttons of the plain look (left, right) while the row overflows; a
    // skinned control that shows its own scroller turns them off.
    [[nodiscard]] TRect ScrollButtonRect(bool right) const;
    bool ShowScrollButtons = true;

private:
    friend class TTabSheet;
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down and Ctrl+Page Up reach the form as short
    // cuts while the focus is on a control inside the page control.
    bool HandleFormShortCut(uint32_t shortCut);
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void TabVisibilityChanged(TTabSheet* page);
    void ChangeActivePage(TTabSheet* page);
    void MakeTabVisible(int tabIndex);
    // Raw item rectangles of every visible tab, before scrolling.
    void ComputeItems() const;
    [[nodiscard]] int TabLength(const TTabSheet* page) const;
    [[nodiscard]] int RowLength() const;

    TCustomForm* shortCutForm_ = nullptr;
    int shortCutHandler_ = 0;
    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    int firstVisibleTab_ = 0;
    int tabHeight_ = 0;
    int tabWidth_ = 0;
    int itemWidth_ = 0;
    int itemHeight_ = 0;
    TTabPosition tabPosition_ = tpTop;
    bool multiLine_ = false;
    TTabStyle style_ = tsTabs;
    TCustomImageList* images_ = nullptr;

    // Everything the tab layout depends on; the layout is measured again only when it
    // changes (text measuring is the expensive part, and hit testing runs per mouse move).
    struct LayoutKey {
        int width = -1, height = -1;
        TFont font;
        int itemWidth = 0, itemHeight = 0;
        TTabPosition position = tpTop;
        bool multiLine = false;
        int imageWidth = 0, imageHeight = 0, imageCount = 0;
        std::vector<std::string> captions;  // visible tabs only
        std::vector<int> imageIndexes;
        friend bool operator==(const LayoutKey&, const LayoutKey&) = default;
    };
    [[nodiscard]] LayoutKey CurrentLayoutKey() const;

    mutable LayoutKey layoutKey_;
    mutable std::vector<TRect> items_;  // by tab index, unscrolled
    mutable int rows_ = 1;
    mutable int itemHeightUsed_ = 0;
};
