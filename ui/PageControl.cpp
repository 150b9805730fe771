#include "ui/PageControl.h"

#include <algorithm>

#include "base/Exceptions.h"
#include "ui/Accelerators.h"
#include "ui/Forms.h"
#include "ui/ImageList.h"
#include "ui/TextLayout.h"

namespace {

using tab_layout::Horizontal;
using tab_layout::kImageGap;
using tab_layout::kStripMargin;

// Tab sizes of the plain strip, as the platform's tab control measures them.
constexpr int kTabPaddingX = 6;  // each side of a caption
constexpr int kTabPaddingY = 6;  // added to the font's line height

// Sets a flag for the lifetime of the guard (exception-safe re-entrancy guard).
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
};

}  // namespace

// ---------------------------------------------------------------------------------------
// TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    ControlStyle |= csAcceptsControls;
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
    if (pageControl == pageControl_) return;
    FlagGuard guard(settingPageControl_);
    if (pageControl_) pageControl_->RemovePage(this);
    TWinControl::SetParent(pageControl);
    if (pageControl) pageControl->InsertPage(this);
}

void TTabSheet::SetParent(TWinControl* parent) {
    if (settingPageControl_) {
        TWinControl::SetParent(parent);
        return;
    }
    auto* pageControl = dynamic_cast<TPageControl*>(parent);
    if (pageControl == pageControl_) {
        TWinControl::SetParent(parent);
        return;
    }
    SetPageControl(pageControl);
    if (!pageControl && parent) TWinControl::SetParent(parent);
}

void TTabSheet::SetParentComponent(TComponent* parent) {
    if (auto* pageControl = dynamic_cast<TPageControl*>(parent))
        SetPageControl(pageControl);
    else
        TWinControl::SetParentComponent(parent);
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    const auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
    if (pageControl_) pageControl_->MovePage(this, index);
}

int TTabSheet::TabIndex() const {
    if (!pageControl_ || !tabVisible_) return -1;
    int tab = 0;
    for (const TTabSheet* page : pageControl_->pages_) {
        if (page == this) return tab;
        if (page->tabVisible_) ++tab;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool visible) {
    if (tabVisible_ == visible) return;
    tabVisible_ = visible;
    if (pageControl_) pageControl_->TabVisibilityChanged(this);
}

void TTabSheet::SetImageIndex(int index) {
    if (imageIndex_ == index) return;
    imageIndex_ = index;
    if (pageControl_) pageControl_->UpdateLayout();
}

void TTabSheet::WndProc(TMessage& message) {
    TWinControl::WndProc(message);
    if (message.Msg == CM_TEXTCHANGED && pageControl_) pageControl_->UpdateLayout();
}

// ---------------------------------------------------------------------------------------
// TPageControl: pages

TPageControl::TPageControl(TComponent* owner)
    : TCustomControl(owner), shortCutForm_(dynamic_cast<TCustomForm*>(owner)) {
    ControlStyle |= csAcceptsControls;
    TabStop = true;
    SetBounds(0, 0, 289, 193);
    if (shortCutForm_)
        shortCutHandler_ = shortCutForm_->AddShortCutHandler(
            [this](uint32_t sc) { return HandleFormShortCut(sc); });
}

namespace {

// The direction a page-switching short cut moves in: 1 forward, -1 back, 0 none (Ctrl+Tab,
// Ctrl+Shift+Tab, Ctrl+Page Down, Ctrl+Page Up).
int PageStep(uint16_t key, bool ctrl, bool shift, bool alt) {
    if (!ctrl || alt) return 0;
    if (key == VK_TAB) return shift ? -1 : 1;
    if (shift) return 0;
    if (key == VK_NEXT) return 1;
    if (key == VK_PRIOR) return -1;
    return 0;
}

}  // namespace

bool TPageControl::HandleFormShortCut(uint32_t shortCut) {
    const int step = PageStep(static_cast<uint16_t>(shortCut & 0xFF), (shortCut & scCtrl) != 0,
                              (shortCut & scShift) != 0, (shortCut & scAlt) != 0);
    if (step == 0) return false;
    TCustomForm* form = GetParentForm(this);
    if (!form || !form->ActiveControl() || !ContainsControl(form->ActiveControl())) return false;
    SelectNextPage(step > 0);
    return true;
}

TPageControl::~TPageControl() {
    // Sheets may outlive the control (they belong to the form) or be freed with it; either
    // way they must no longer point here.
    for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
    if (images_) images_->RemoveFreeNotification(this);
    // A form being destroyed no longer dispatches short cuts (its handler list may be gone).
    if (shortCutForm_ && !shortCutForm_->IsDestroying())
        shortCutForm_->RemoveShortCutHandler(shortCutHandler_);
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount())
        throw EListError("Page index out of bounds (" + std::to_string(index) + ")");
    return pages_[static_cast<size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    // The first page with a tab is shown; others wait hidden until selected.
    if (!activePage_ && page->tabVisible_)
        ChangeActivePage(page);
    else
        page->SetVisible(false);
    UpdateLayout();
}

void TPageControl::RemovePage(TTabSheet* page) {
    TTabSheet* next = FindNextPage(page, true, true);
    if (next == page) next = nullptr;
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    page->pageControl_ = nullptr;
    if (activePage_ == page) {
        activePage_ = nullptr;
        if (!IsDestroying()) ChangeActivePage(next);
    }
    if (!IsDestroying()) UpdateLayout();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    pages_.erase(it);
    index = std::clamp(index, 0, PageCount());
    pages_.insert(pages_.begin() + index, page);
    UpdateLayout();
}

void TPageControl::TabVisibilityChanged(TTabSheet* page) {
    if (page == activePage_ && !page->tabVisible_) {
        TTabSheet* next = FindNextPage(page, true, true);
        ChangeActivePage(next == page ? nullptr : next);
    } else if (!activePage_ && page->tabVisible_) {
        ChangeActivePage(page);
    }
    UpdateLayout();
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->pageControl_ != this) return;
    ChangeActivePage(page);
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr);
}

void TPageControl::ChangeActivePage(TTabSheet* page) {
    if (page == activePage_) return;
    TTabSheet* old = activePage_;
    activePage_ = page;
    if (page) {
        page->SetBoundsRect(DisplayRect());
        page->BringToFront();
        page->SetVisible(true);
        MakeTabVisible(page->TabIndex());
    }
    if (old) {
        // The focus must not stay on a control that is about to be hidden.
        TCustomForm* form = GetParentForm(this);
        if (form && form->ActiveControl() && old->ContainsControl(form->ActiveControl())) {
            // The page control takes it when it could hold it (a hidden form still keeps
            // its active control).
            bool focusable = true;
            for (const TControl* c = this; c && c != form; c = c->Parent())
                focusable = focusable && c->Visible() && c->Enabled();
            form->FocusControl(focusable ? this : nullptr);
        }
        old->SetVisible(false);
        if (old->OnHide) old->OnHide(old);
    }
    if (page && page->OnShow) page->OnShow(page);
    ActivePageChanged();
    Invalidate();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward,
                                      bool checkTabVisible) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    auto it = std::find(pages_.begin(), pages_.end(), current);
    int start =
        it == pages_.end() ? (goForward ? count - 1 : 0) : static_cast<int>(it - pages_.begin());
    int i = start;
    for (int step = 0; step < count; ++step) {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* page = pages_[static_cast<size_t>(i)];
        if (!checkTabVisible || page->tabVisible_) return page;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
    TTabSheet* page = FindNextPage(activePage_, goForward, checkTabVisible);
    if (!page || page == activePage_ || !CanChange()) return;
    ChangeActivePage(page);
    Change();
}

bool TPageControl::SelectTabByUser(int tabIndex) {
    TTabSheet* page = TabPage(tabIndex);
    if (!page || page == activePage_ || !CanChange()) return false;
    ChangeActivePage(page);
    Change();
    return true;
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

int TPageControl::TabCount() const {
    return static_cast<int>(std::count_if(pages_.begin(), pages_.end(),
                                          [](const TTabSheet* p) { return p->tabVisible_; }));
}

TTabSheet* TPageControl::TabPage(int tabIndex) const {
    if (tabIndex < 0) return nullptr;
    for (TTabSheet* page : pages_) {
        if (!page->tabVisible_) continue;
        if (tabIndex-- == 0) return page;
    }
    return nullptr;
}

void TPageControl::SetTabIndex(int tabIndex) {
    if (TTabSheet* page = TabPage(tabIndex)) ChangeActivePage(page);
}

// ---------------------------------------------------------------------------------------
// Geometry

int TPageControl::ItemHeight() const {
    if (itemHeight_ > 0) return itemHeight_;
    ComputeItems();
    return itemHeightUsed_;
}

TPageControl::LayoutKey TPageControl::CurrentLayoutKey() const {
    LayoutKey key;
    key.width = Width();
    key.height = Height();
    key.font = Font();
    key.itemWidth = itemWidth_;
    key.itemHeight = itemHeight_;
    key.position = tabPosition_;
    key.multiLine = multiLine_;
    if (images_) {
        key.imageWidth = images_->Width();
        key.imageHeight = images_->Height();
        key.imageCount = images_->Count();
    }
    for (const TTabSheet* page : pages_) {
        if (!page->tabVisible_) continue;
        key.captions.push_back(page->Caption());
        key.imageIndexes.push_back(page->imageIndex_);
    }
    return key;
}

int TPageControl::TabLength(const TTabSheet* page) const {
    if (itemWidth_ > 0) return itemWidth_;
    int length = MeasureText(Font(), StripHotkey(page->Caption())).cx + 2 * kTabPaddingX;
    if (images_ && page->imageIndex_ >= 0 && page->imageIndex_ < images_->Count())
        length += (Horizontal(tabPosition_) ? images_->Width() : images_->Height()) + kImageGap;
    return length;
}

int TPageControl::RowLength() const {
    return tab_layout::RowLength(tabPosition_, Width(), Height());
}

// Lays every visible tab out along the strip (unscrolled); rows_ gets the row count.
void TPageControl::ComputeItems() const {
    LayoutKey key = CurrentLayoutKey();
    if (key == layoutKey_) return;
    layoutKey_ = std::move(key);
    itemHeightUsed_ = itemHeight_ > 0 ? itemHeight_ : MeasureText(Font(), "Ag").cy + kTabPaddingY;
    tab_layout::Input in;
    in.position = tabPosition_;
    in.multiLine = multiLine_;
    in.width = Width();
    in.height = Height();
    in.itemHeight = itemHeightUsed_;
    for (const TTabSheet* page : pages_)
        if (page->tabVisible_) in.lengths.push_back(TabLength(page));
    tab_layout::Items items = tab_layout::LayoutItems(in);
    items_ = std::move(items.rects);
    rows_ = items.rows;
}

int TPageControl::RowCount() const {
    ComputeItems();
    return rows_;
}

int TPageControl::TabAreaHeight() const {
    return tab_layout::StripThickness(RowCount(), ItemHeight());
}

bool TPageControl::TabsOverflow() const {
    if (!tab_layout::RowScrolls(tabPosition_, multiLine_)) return false;
    ComputeItems();
    return tab_layout::RowOverflows(items_, firstVisibleTab_, Width());
}

TRect TPageControl::GetItemRect(int tabIndex) const {
    ComputeItems();
    return tab_layout::ScrolledItemRect(items_, tabIndex, firstVisibleTab_,
                                        tab_layout::RowScrolls(tabPosition_, multiLine_));
}

int TPageControl::IndexOfTabAt(int x, int y) const {
    const int count = TabCount();
    for (int i = 0; i < count; ++i)
        if (PtInRect(GetItemRect(i), Point(x, y))) return i;
    return -1;
}

TRect TPageControl::DisplayRect() const {
    return tab_layout::PageArea(tabPosition_, Width(), Height(), TabAreaHeight());
}

void TPageControl::AdjustClientRect(TRect& rect) const { rect = DisplayRect(); }

void TPageControl::SetFirstVisibleTab(int tabIndex) {
    tabIndex = std::clamp(tabIndex, 0, std::max(0, TabCount() - 1));
    if (tabIndex == firstVisibleTab_) return;
    firstVisibleTab_ = tabIndex;
    Invalidate();
}

void TPageControl::MakeTabVisible(int tabIndex) {
    if (tabIndex < 0 || !tab_layout::RowScrolls(tabPosition_, multiLine_)) return;
    ComputeItems();
    const int right =
        TabsOverflow() && ShowScrollButtons ? ScrollButtonRect(false).Left : Width() - kStripMargin;
    SetFirstVisibleTab(tab_layout::FirstVisibleToShow(items_, tabIndex, firstVisibleTab_, right));
}

TRect TPageControl::ScrollButtonRect(bool right) const {
    const TRect row = GetItemRect(std::max(firstVisibleTab_, 0));
    const int size = ItemHeight();
    const int r = Width() - kStripMargin - (right ? 0 : size);
    return Rect(r - size, row.Top, r, row.Top + size);
}

void TPageControl::UpdateLayout() {
    // A wider control shows tabs scrolled out before: scroll back while the row still fits.
    if (tab_layout::RowScrolls(tabPosition_, multiLine_) && firstVisibleTab_ > 0) {
        ComputeItems();
        firstVisibleTab_ =
            tab_layout::FirstVisibleAfterResize(items_, firstVisibleTab_, RowLength());
    }
    const TRect display = DisplayRect();
    // Hidden pages take the page area too (alignment skips hidden controls), so their
    // contents are laid out at their final size before they are first shown.
    for (TTabSheet* page : pages_)
        if (page->Align() == alNone || !page->Visible()) page->SetBoundsRect(display);
    Realign();
    Invalidate();
}

// ---------------------------------------------------------------------------------------
// Properties

void TPageControl::SetTabHeight(int value) {
    tabHeight_ = std::max(0, value);
    SetItemSize(itemWidth_, tabHeight_);
}

void TPageControl::SetTabWidth(int value) {
    tabWidth_ = std::max(0, value);
    SetItemSize(tabWidth_, itemHeight_);
}

void TPageControl::SetItemSize(int width, int height) {
    itemWidth_ = std::max(0, width);
    itemHeight_ = std::max(0, height);
    UpdateLayout();
}

void TPageControl::SetTabPosition(TTabPosition value) {
    if (tabPosition_ == value) return;
    tabPosition_ = value;
    firstVisibleTab_ = 0;
    UpdateLayout();
}

void TPageControl::SetMultiLine(bool value) {
    if (multiLine_ == value) return;
    multiLine_ = value;
    firstVisibleTab_ = 0;
    UpdateLayout();
}

void TPageControl::SetStyle(TTabStyle value) {
    if (style_ == value) return;
    style_ = value;
    Invalidate();
}

void TPageControl::SetImages(TCustomImageList* images) {
    if (images_ == images) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    UpdateLayout();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == images_) {
        images_ = nullptr;
        if (!IsDestroying()) UpdateLayout();
    }
}

void TPageControl::Loaded() {
    TCustomControl::Loaded();
    UpdateLayout();
}

void TPageControl::BoundsChanged() {
    TCustomControl::BoundsChanged();
    UpdateLayout();
}

// ---------------------------------------------------------------------------------------
// Input

void TPageControl::WndProc(TMessage& message) {
    if (message.Msg == kMsgHScroll) {
        if (LoWord(message.WParam) == kSbThumbPosition) SetFirstVisibleTab(HiWord(message.WParam));
        message.Result = 0;
        return;
    }
    TCustomControl::WndProc(message);
    if (message.Msg == CM_FONTCHANGED) UpdateLayout();
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        if (ShowScrollButtons && TabsOverflow()) {
            if (PtInRect(ScrollButtonRect(false), Point(x, y))) {
                SetFirstVisibleTab(firstVisibleTab_ - 1);
                TCustomControl::MouseDown(button, shift, x, y);
                return;
            }
            if (PtInRect(ScrollButtonRect(true), Point(x, y))) {
                ComputeItems();
                // Only while the last tab is still (partly) hidden behind the buttons.
                const TRect last = GetItemRect(static_cast<int>(items_.size()) - 1);
                if (last.Right > ScrollButtonRect(false).Left)
                    SetFirstVisibleTab(firstVisibleTab_ + 1);
                TCustomControl::MouseDown(button, shift, x, y);
                return;
            }
        }
        const int tab = IndexOfTabAt(x, y);
        if (tab >= 0) {
            SelectTabByUser(tab);
            if (CanFocus() && !Focused()) SetFocus();
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TPageControl::KeyDown(uint16_t& key, TShiftState shift) {
    if (const int step =
            PageStep(key, (shift & ssCtrl) != 0, (shift & ssShift) != 0, (shift & ssAlt) != 0)) {
        SelectNextPage(step > 0);
        key = 0;
        return;
    }
    if (!(shift & (ssCtrl | ssAlt | ssShift))) {
        int step = 0;
        if (key == VK_LEFT || key == VK_UP) step = -1;
        if (key == VK_RIGHT || key == VK_DOWN) step = 1;
        if (step != 0) {
            // Arrows move to the neighbouring tab without wrapping.
            const int current = TabIndex();
            const int target = current < 0 ? 0 : current + step;
            if (target >= 0 && target < TabCount()) SelectTabByUser(target);
            key = 0;
            return;
        }
    }
    TCustomControl::KeyDown(key, shift);
}
