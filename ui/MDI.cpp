// MDI forms: a parent form with an MDI client area and child forms living inside it. The
// children are framework controls of the client area; the parent activates one of them at
// a time (the active child's frame is drawn active while the parent is), arranges them
// (cascade, tile, icons along the bottom), keeps maximised ones fitted to the client area
// and lists them in its window menu.
#include <algorithm>
#include <cmath>
#include <utility>

#include "base/Exceptions.h"
#include "ui/Application.h"
#include "ui/MDIClient.h"
#include "ui/Menus.h"

namespace {

// Size of a minimised child of the default frame: a caption bar.
constexpr int kIconWidth = 160;
// The smallest step between cascaded children.
constexpr int kMinCascadeStep = 20;
const char* const kChildItemSuffix = "_MDICHILDITEM";

}  // namespace

// ---------------------------------------------------------------- client area

TMDIClient::TMDIClient(TCustomForm* form) : TWinControl(form), form_(*form) {
    SetParentColor(false);
    SetColor(clAppWorkSpace);
}

void TMDIClient::WndProc(TMessage& m) {
    TWinControl::WndProc(m);
    if (m.Msg == WM_SIZE) form_.RefitMaximizedMDIChildren();
}

TCustomForm* MDIChildOf(TControl* control) {
    for (TControl* c = control; c; c = c->Parent()) {
        auto* form = dynamic_cast<TCustomForm*>(c);
        if (form && form->IsMDIChild() && form->Parent()) return form;
    }
    return nullptr;
}

// ---------------------------------------------------------------- style and parent

TMDIState& TCustomForm::MDI() {
    if (!mdi_) mdi_ = std::make_unique<TMDIState>();
    return *mdi_;
}

void TCustomForm::SetFormStyle(TFormStyle style) {
    if (style == formStyle_) return;
    if (formStyle_ == fsMDIChild || formStyle_ == fsMDIForm) {
        throw EInvalidOperation("An MDI form cannot change its form style");
    }
    formStyle_ = style;
    if (IsLoading()) return;  // applied when reading ends
    if (style == fsMDIForm) {
        if (!MDI().client) {
            MDI().client = new TMDIClient(this);
            MDI().client->SetParent(this);
            MDI().client->SetAlign(alClient);
            MDI().client->SendToBack();
        }
    } else if (style == fsMDIChild) {
        AttachToMDIParent();
    }
}

void TCustomForm::AttachToMDIParent() {
    TCustomForm* main = Application().MainForm();
    if (!main || main == this || main->formStyle_ != fsMDIForm || !main->MDIClient()) {
        throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    }
    SetParent(main->MDIClient());
    main->MDI().children.push_back(this);
}

TMDIClient* TCustomForm::MDIClient() const { return mdi_ ? mdi_->client : nullptr; }

TCustomForm* TCustomForm::MDIParent() const {
    if (formStyle_ != fsMDIChild) return nullptr;
    auto* client = dynamic_cast<TMDIClient*>(Parent());
    return client ? &client->Form() : nullptr;
}

int TCustomForm::MDIChildCount() const {
    return mdi_ ? static_cast<int>(mdi_->children.size()) : 0;
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
    if (!mdi_ || index < 0 || index >= static_cast<int>(mdi_->children.size())) return nullptr;
    return mdi_->children[static_cast<size_t>(index)];
}

TCustomForm* TCustomForm::ActiveMDIChild() const { return mdi_ ? mdi_->active : nullptr; }

void TCustomForm::ForgetMDIChild(TCustomForm* child) {
    if (!mdi_) return;
    auto& list = mdi_->children;
    list.erase(std::remove(list.begin(), list.end(), child), list.end());
    if (mdi_->active == child) {
        mdi_->active = nullptr;
        // The child in front of the others takes over.
        if (!IsDestroying() && mdi_->client) {
            for (int i = mdi_->client->ControlCount() - 1; i >= 0; --i) {
                auto* next = dynamic_cast<TCustomForm*>(mdi_->client->Controls(i));
                if (next && next != child && next->Visible()) {
                    MDIActivate(next);
                    break;
                }
            }
        }
    }
    if (!IsDestroying()) UpdateWindowMenu();
}

// ---------------------------------------------------------------- showing and activation

void TCustomForm::ShowMDIChild(bool visible) {
    TCustomForm* parent = MDIParent();
    if (!parent) return;
    if (visible) {
        Perform(WM_SHOWWINDOW, 1, 0);
        if (!positioned_) {
            positioned_ = true;
            if (Position == poDefault || Position == poDefaultPosOnly) {
                const int step = std::max(kMinCascadeStep, ClientOffset().Y);
                const TRect area = parent->MDIClient()->ClientRect();
                int& slot = parent->MDI().cascadeSlot;
                if ((slot + 1) * step + Width() > area.Width() ||
                    (slot + 1) * step + Height() > area.Height())
                    slot = 0;
                SetBounds(slot * step, slot * step, Width(), Height());
                ++slot;
            }
        }
        TCustomControl::SetVisible(true);
        DoShow();
        if (windowState_ == wsMaximized) SetBoundsRect(parent->MDIClient()->ClientRect());
        if (windowState_ == wsMinimized) SetBoundsRect(parent->MDIIconPlace(*this));
        parent->MDIActivate(this);
        UpdateNativeViews();
    } else {
        Perform(WM_SHOWWINDOW, 0, 0);
        DoHide();
        TCustomControl::SetVisible(false);
        UpdateNativeViews();
        if (parent->MDI().active == this) {
            SetMDIChildActive(false);
            parent->MDI().active = nullptr;
            for (int i = parent->MDIClient()->ControlCount() - 1; i >= 0; --i) {
                auto* next = dynamic_cast<TCustomForm*>(parent->MDIClient()->Controls(i));
                if (next && next != this && next->Visible()) {
                    parent->MDIActivate(next);
                    break;
                }
            }
        }
    }
    parent->UpdateWindowMenu();
}

void TCustomForm::MDIActivate(TCustomForm* child) {
    if (!mdi_) return;
    if (child && (child->MDIParent() != this || !child->Visible())) return;
    TCustomForm* old = mdi_->active;
    if (child) child->TControl::BringToFront();
    if (child == old) return;
    mdi_->active = child;
    if (old) old->SetMDIChildActive(false);
    if (child) child->SetMDIChildActive(true);
    UpdateWindowMenu();
}

void TCustomForm::SetMDIChildActive(bool active) {
    active_ = active;
    TCustomForm* parent = MDIParent();
    // The active child's frame looks active while the parent window is.
    Perform(WM_NCACTIVATE, active && parent && parent->Active() ? 1 : 0, 0);
    Perform(WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
    if (active) {
        Activate();
        // The keyboard goes to the child's first control (or nowhere), never to a control
        // of another child.
        if (parent) {
            if (parent->ActiveControl() && !ContainsControl(parent->ActiveControl()))
                parent->FocusControl(nullptr);
            if (!parent->ActiveControl()) {
                if (TWinControl* first = FindNextControl(nullptr, true, true, false))
                    parent->FocusControl(first);
            }
        }
    } else {
        Deactivate();
    }
}

void TCustomForm::Next() {
    if (!mdi_ || !mdi_->active) return;
    TCustomForm* current = mdi_->active;
    current->SendToBack();
    TMDIClient* client = mdi_->client;
    for (int i = client->ControlCount() - 1; i >= 0; --i) {
        auto* next = dynamic_cast<TCustomForm*>(client->Controls(i));
        if (next && next->Visible()) {
            MDIActivate(next);
            return;
        }
    }
}

void TCustomForm::Previous() {
    if (!mdi_ || !mdi_->active) return;
    TMDIClient* client = mdi_->client;
    for (int i = 0; i < client->ControlCount(); ++i) {
        auto* previous = dynamic_cast<TCustomForm*>(client->Controls(i));
        if (previous && previous->Visible()) {
            MDIActivate(previous);
            return;
        }
    }
}

// ---------------------------------------------------------------- window states

void TCustomForm::SetMDIChildWindowState(TWindowState state, TWindowState old) {
    TCustomForm* parent = MDIParent();
    if (!parent) return;
    if (old == wsNormal) restoreBounds_ = BoundsRect();
    switch (state) {
        case wsMaximized:
            SetBoundsRect(parent->MDIClient()->ClientRect());
            break;
        case wsMinimized:
            SetBoundsRect(parent->MDIIconPlace(*this));
            break;
        case wsNormal:
            if (!IsRectEmpty(restoreBounds_)) SetBoundsRect(restoreBounds_);
            break;
    }
    Invalidate();
}

void TCustomForm::RefitMaximizedMDIChildren() {
    if (!mdi_ || !mdi_->client) return;
    const TRect area = mdi_->client->ClientRect();
    for (TCustomForm* child : mdi_->children) {
        if (child->windowState_ == wsMaximized && child->BoundsRect() != area)
            child->SetBoundsRect(area);
    }
}

TRect TCustomForm::MDIIconPlace(const TCustomForm& child) const {
    const TRect area = mdi_ && mdi_->client ? mdi_->client->ClientRect() : TRect{};
    const int w = kIconWidth, h = child.DefaultCaptionHeight() + 2 * kDefaultFrameBorder;
    auto taken = [&](int x, int y) {
        for (const TCustomForm* other : mdi_->children) {
            if (other != &child && other->Visible() && other->windowState_ == wsMinimized &&
                other->Left() == x && other->Top() == y) {
                return true;
            }
        }
        return false;
    };
    int x = area.Left, y = area.Bottom - h;
    while (taken(x, y)) {
        x += w;
        if (x + w > area.Right) {
            x = area.Left;
            y -= h;
        }
        if (y < area.Top)
            return Bounds(area.Left, area.Bottom - h, w, h);  // rows ran out: the first place
    }
    return Bounds(x, y, w, h);
}

// ---------------------------------------------------------------- arrangements

namespace {

std::vector<TCustomForm*> ArrangedChildren(const TMDIState& mdi) {
    std::vector<TCustomForm*> out;
    for (TCustomForm* child : mdi.children) {
        if (child->Visible() && child->WindowState() != wsMinimized) out.push_back(child);
    }
    return out;
}

bool AnyIcon(const TMDIState& mdi) {
    return std::any_of(mdi.children.begin(), mdi.children.end(), [](TCustomForm* c) {
        return c->Visible() && c->WindowState() == wsMinimized;
    });
}

}  // namespace

void TCustomForm::Cascade() {
    if (!mdi_ || !mdi_->client) return;
    std::vector<TCustomForm*> children = ArrangedChildren(*mdi_);
    if (children.empty()) return;
    // The active child ends on top.
    if (mdi_->active) {
        auto it = std::find(children.begin(), children.end(), mdi_->active);
        if (it != children.end()) std::rotate(it, it + 1, children.end());
    }
    for (TCustomForm* child : children) {
        if (child->WindowState() == wsMaximized) child->SetWindowState(wsNormal);
    }
    const TRect area = mdi_->client->ClientRect();
    const int n = static_cast<int>(children.size());
    const int step = std::max(kMinCascadeStep, children.front()->ClientOffset().Y);
    const int w = std::max(area.Width() - (n - 1) * step, area.Width() / 2);
    const int h = std::max(area.Height() - (n - 1) * step, area.Height() / 2);
    const int roomX = std::max(1, area.Width() - w + 1), roomY = std::max(1, area.Height() - h + 1);
    for (int i = 0; i < n; ++i) {
        const int offset = i * step;
        children[static_cast<size_t>(i)]->SetBounds(area.Left + offset % roomX,
                                                    area.Top + offset % roomY, w, h);
        children[static_cast<size_t>(i)]->TControl::BringToFront();
    }
    mdi_->cascadeSlot = n;
}

void TCustomForm::Tile() {
    if (!mdi_ || !mdi_->client) return;
    std::vector<TCustomForm*> children = ArrangedChildren(*mdi_);
    if (children.empty()) return;
    for (TCustomForm* child : children) {
        if (child->WindowState() == wsMaximized) child->SetWindowState(wsNormal);
    }
    TRect area = mdi_->client->ClientRect();
    // Minimised children keep a row along the bottom.
    if (AnyIcon(*mdi_)) area.Bottom -= DefaultCaptionHeight() + 2 * kDefaultFrameBorder;
    const int n = static_cast<int>(children.size());
    // Up to three in one row (or column), then a grid as square as it goes; the last
    // lines take one more child each when the count does not divide evenly.
    const int lines = n <= 3 ? n : static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
    const int base = n / lines, extra = n % lines;
    const bool rows = TileMode == tbHorizontal;  // horizontal: children one above another
    const int extent = rows ? area.Height() : area.Width();
    int index = 0;
    for (int line = 0; line < lines; ++line) {
        const int inLine = base + (line >= lines - extra ? 1 : 0);
        const int a0 = line * extent / lines, a1 = (line + 1) * extent / lines;
        const int across = rows ? area.Width() : area.Height();
        for (int k = 0; k < inLine; ++k, ++index) {
            const int b0 = k * across / inLine, b1 = (k + 1) * across / inLine;
            TCustomForm* child = children[static_cast<size_t>(index)];
            if (rows)
                child->SetBoundsRect(
                    Rect(area.Left + b0, area.Top + a0, area.Left + b1, area.Top + a1));
            else
                child->SetBoundsRect(
                    Rect(area.Left + a0, area.Top + b0, area.Left + a1, area.Top + b1));
        }
    }
}

void TCustomForm::ArrangeIcons() {
    if (!mdi_ || !mdi_->client) return;
    std::vector<TCustomForm*> icons;
    for (TCustomForm* child : mdi_->children) {
        if (child->Visible() && child->WindowState() == wsMinimized) icons.push_back(child);
    }
    // Placed one after another: each takes the first free place.
    for (TCustomForm* icon : icons) icon->SetBounds(-32768, -32768, icon->Width(), icon->Height());
    for (TCustomForm* icon : icons) icon->SetBoundsRect(MDIIconPlace(*icon));
}

// ---------------------------------------------------------------- window menu

TMenuItem* TCustomForm::WindowMenu() const { return mdi_ ? mdi_->windowMenu : nullptr; }

void TCustomForm::SetWindowMenu(TMenuItem* item) {
    TMDIState& mdi = MDI();
    if (mdi.windowMenu == item) return;
    // The old menu loses the framework's items.
    const bool own = WindowMenuChildItems;
    WindowMenuChildItems = false;
    UpdateWindowMenu();
    WindowMenuChildItems = own;
    if (mdi.windowMenu) RemoveFreeNotification(mdi.windowMenu);
    mdi.windowMenu = item;
    if (item) FreeNotification(item);
    UpdateWindowMenu();
}

void TCustomForm::UpdateWindowMenu() {
    if (!mdi_ || !mdi_->windowMenu) return;
    TMenuItem& menu = *mdi_->windowMenu;
    std::vector<TCustomForm*> listed;
    if (WindowMenuChildItems) {
        for (TCustomForm* child : mdi_->children) {
            if (child->Visible()) listed.push_back(child);
        }
    }
    // The slot is cleared before the item goes: deleting it notifies this form, which
    // would otherwise edit the list being walked.
    auto drop = [&menu](TMenuItem*& slot) {
        TMenuItem* item = std::exchange(slot, nullptr);
        menu.Remove(item);
        delete item;
    };
    // Items of children no longer listed go.
    auto& items = mdi_->windowMenuItems;
    for (size_t i = 0; i < items.size();) {
        if (std::find(listed.begin(), listed.end(), items[i].first) == listed.end()) {
            TMenuItem* item = items[i].second;
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
            drop(item);
        } else {
            ++i;
        }
    }
    // A divider parts the children from the menu's own items, when there are both.
    const int own =
        menu.Count() - static_cast<int>(items.size()) - (mdi_->windowMenuSeparator ? 1 : 0);
    const bool divider = !listed.empty() && own > 0;
    if (!divider && mdi_->windowMenuSeparator) drop(mdi_->windowMenuSeparator);
    if (divider && !mdi_->windowMenuSeparator) {
        mdi_->windowMenuSeparator = new TMenuItem(this);
        mdi_->windowMenuSeparator->SetCaption("-");
        menu.Insert(own, mdi_->windowMenuSeparator);
    }
    for (TCustomForm* child : listed) {
        auto it = std::find_if(items.begin(), items.end(),
                               [child](const auto& p) { return p.first == child; });
        TMenuItem* item = nullptr;
        if (it == items.end()) {
            item = new TMenuItem(this);
            if (!child->Name().empty() && !FindComponent(child->Name() + kChildItemSuffix)) {
                item->SetName(child->Name() + kChildItemSuffix);
            }
            item->OnClick = [this, child](TComponent*) {
                if (child->WindowState() == wsMinimized) child->SetWindowState(wsNormal);
                if (!child->Visible()) child->Show();
                MDIActivate(child);
            };
            menu.Add(item);
            items.emplace_back(child, item);
        } else {
            item = it->second;
        }
        item->SetCaption(child->Caption());
        item->SetChecked(child == mdi_->active);
    }
}
