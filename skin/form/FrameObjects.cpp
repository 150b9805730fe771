// The frame's objects and the mouse routed to them (TspFrameObjects, FrameObjects.h).
#include "skin/form/FrameObjects.h"

#include <algorithm>
#include <optional>

#include "base/Region.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjectDefs.h"
#include "skin/draw/RectUtils.h"
#include "skin/form/FrameMainMenuKeys.h"
#include "skin/form/FrameObjectKinds.h"
#include "skin/form/ObjectHints.h"
#include "skin/form/SkinForm.h"
#include "ui/Canvas.h"
#include "ui/Menus.h"
#include "ui/Screen.h"
#include "ui/Timer.h"

namespace {

constexpr uint32_t kMorphInterval = 20;
constexpr uint32_t kAnimateInterval = 25;
constexpr uint32_t kMouseInterval = 50;

// Largest caption font the frame draws; a larger one is a damaged definition.
constexpr int kMaxCaptionFontHeight = 512;
// Frame strips and glyph tables longer than this are damaged definitions.
constexpr int32_t kMaxFrames = 4096;

bool InCoordinateRange(int64_t v) { return v >= -kMaxSkinCoordinate && v <= kMaxSkinCoordinate; }
bool InRange(TPoint p) { return InCoordinateRange(p.X) && InCoordinateRange(p.Y); }

// Every rectangle of the definition lies in the picture it is drawn from, and its numbers
// stay within what the frame can place and draw.
bool Usable(const TspSkinData& skin, const TspDataSkinObject* def) {
    const TBitmap* active = skin.ActivePicture(def->ActivePictureIndex);
    const TBitmap* main = def->RollUp ? &skin.RollUpPicture : &skin.MainPicture;
    if (!SkinRectInPicture(def->SkinRect, def->SkinRectInAPicture ? active : main)) return false;
    auto inActive = [active](const TRect& r) { return SkinRectInPicture(r, active); };
    if (!inActive(def->ActiveSkinRect)) return false;
    if (auto* b = dynamic_cast<const TspDataSkinButton*>(def)) {
        if (!inActive(b->DownRect) || !inActive(b->DisableSkinRect)) return false;
    }
    if (auto* b = dynamic_cast<const TspDataSkinStdButton*>(def)) {
        if (!inActive(b->RestoreRect) || !inActive(b->RestoreActiveRect) ||
            !inActive(b->RestoreDownRect))
            return false;
    }
    if (auto* c = dynamic_cast<const TspDataSkinCaption*>(def)) {
        if (!inActive(c->FrameRect) || !inActive(c->ActiveFrameRect)) return false;
        if (!SkinRectUsable(c->TextRect) || !SkinRectUsable(c->FrameTextRect)) return false;
        if (c->FontHeight < -kMaxCaptionFontHeight || c->FontHeight > kMaxCaptionFontHeight)
            return false;
        if (c->FrameLeftOffset < 0 || c->FrameRightOffset < 0 ||
            c->FrameLeftOffset > kMaxSkinCoordinate || c->FrameRightOffset > kMaxSkinCoordinate) {
            return false;
        }
    }
    if (auto* t = dynamic_cast<const TspDataSkinTrackBar*>(def)) {
        if (!inActive(t->ButtonRect) || !inActive(t->ActiveButtonRect)) return false;
        if (!InRange(t->BeginPoint) || !InRange(t->EndPoint)) return false;
    }
    if (auto* l = dynamic_cast<const TspDataSkinLabel*>(def)) {
        if (l->FontHeight < -kMaxCaptionFontHeight || l->FontHeight > kMaxCaptionFontHeight)
            return false;
    }
    if (auto* b = dynamic_cast<const TspDataSkinBitLabel*>(def)) {
        if (b->SymbolWidth < 0 || b->SymbolHeight < 0 || !InCoordinateRange(b->SymbolWidth) ||
            !InCoordinateRange(b->SymbolHeight)) {
            return false;
        }
    }
    if (auto* a = dynamic_cast<const TspDataSkinAnimate*>(def)) {
        if (a->CountFrames > kMaxFrames) return false;
    }
    if (auto* g = dynamic_cast<const TspDataSkinFrameGaugeObject*>(def)) {
        if (g->CountFrames > kMaxFrames) return false;
    }
    if (auto* r = dynamic_cast<const TspDataSkinFrameRegulatorObject*>(def)) {
        if (r->CountFrames > kMaxFrames) return false;
    }
    return true;
}

// The frame object a definition makes, or nullptr: menu items belong to menus and menu
// bars; the frame's main-menu items come from the form's main menu, not from here.
std::unique_ptr<TspActiveSkinObject> MakeObject(TspSkinForm* form, const TspDataSkinObject* def) {
    // An object with coordinates beyond the window's range is a damaged definition: left out.
    if (!Usable(*form->SkinData(), def)) return nullptr;
    if (dynamic_cast<const TspDataSkinMenuItem*>(def) ||
        dynamic_cast<const TspDataSkinMainMenuItem*>(def) ||
        dynamic_cast<const TspDataSkinMainMenuBarButton*>(def)) {
        return nullptr;
    }
    if (auto* d = dynamic_cast<const TspDataSkinGauge*>(def))
        return std::make_unique<TspSkinGaugeObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinStdButton*>(def))
        return std::make_unique<TspSkinStdButtonObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinButton*>(def))
        return std::make_unique<TspSkinButtonObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinCaption*>(def))
        return std::make_unique<TspSkinCaptionObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataUserObject*>(def))
        return std::make_unique<TspUserObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinSwitch*>(def))
        return std::make_unique<TspSkinSwitchObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinTrackBar*>(def))
        return std::make_unique<TspSkinTrackBarObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinLabel*>(def))
        return std::make_unique<TspSkinLabelObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinAnimate*>(def))
        return std::make_unique<TspSkinAnimateObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinBitLabel*>(def))
        return std::make_unique<TspSkinBitLabelObject>(form, d);
    if (auto* d = dynamic_cast<const TspDataSkinFrameRegulatorObject*>(def)) {
        return std::make_unique<TspSkinFrameRegulatorObject>(form, d);
    }
    if (auto* d = dynamic_cast<const TspDataSkinFrameGaugeObject*>(def)) {
        return std::make_unique<TspSkinFrameGaugeObject>(form, d);
    }
    return nullptr;
}

// A caption button drawn from an active picture: it moves with the caption-button row
// (buttons painted into the frame picture keep their corner-rule places).
struct TRowButton {
    TspActiveSkinObject* object;
    TspButtonCommand command;
    TSize size;
};

// The row's buttons in their order from the row's end (close, maximise, minimise, roll-up,
// tray, then the custom buttons), and the system-menu button, which sits apart.
struct TButtonRow {
    std::vector<TRowButton> order;
    std::optional<TRowButton> sysMenu;
};

TButtonRow RowButtons(const std::vector<std::unique_ptr<TspActiveSkinObject>>& objects,
                      bool showIcon) {
    std::vector<TRowButton> dynamic;
    for (const auto& o : objects) {
        TspButtonCommand command = cmDefault;
        bool buttonStyle = false;
        if (!o->Visible || !o->SkinRectInAPicture || !CaptionCommandOf(*o, command, buttonStyle))
            continue;
        const TSize size = command == cmSysMenu && showIcon
                               ? TspSkinForm::SmallIconSize()
                               : TSize{RectWidth(o->SkinRect), RectHeight(o->SkinRect)};
        dynamic.push_back({o.get(), command, size});
    }
    auto firstWith = [&dynamic](TspButtonCommand command) -> const TRowButton* {
        for (const auto& b : dynamic) {
            if (b.command == command) return &b;
        }
        return nullptr;
    };
    TButtonRow row;
    for (TspButtonCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray}) {
        if (const TRowButton* b = firstWith(command)) row.order.push_back(*b);
    }
    for (const auto& b : dynamic) {
        if (b.command == cmDefault) row.order.push_back(b);
    }
    if (const TRowButton* b = firstWith(cmSysMenu)) row.sysMenu = *b;
    return row;
}

// Buttons from the row's right end leftwards; the system-menu button at the caption's left,
// centred on it; the caption between them.
void PlaceFromRight(const TButtonRow& buttons, const TspFrameRects& n, const TRect& row,
                    TspSkinCaptionObject* caption) {
    const int y = row.Top;
    int x = row.Right;
    for (const auto& b : buttons.order) {
        b.object->ObjectRect = Rect(x - b.size.cx, y, x, y + b.size.cy);
        x -= b.size.cx + n.ButtonsOffset;
    }
    if (IsNullRect(n.Buttons) && caption) caption->ObjectRect.Right = x + n.ButtonsOffset;
    if (!buttons.sysMenu) return;
    const TSize s = buttons.sysMenu->size;
    const int left = n.Caption.Left;
    const int top = RectHeight(n.Caption) / 2 + n.Caption.Top - s.cy / 2;
    buttons.sysMenu->object->ObjectRect = Rect(left, top, left + s.cx, top + s.cy);
    if (caption) caption->ObjectRect.Left = left + s.cx;
}

// Buttons from the row's left end rightwards; without a button row the system-menu button
// follows them and the caption begins after it.
void PlaceFromLeft(const TButtonRow& buttons, const TspFrameRects& n, const TRect& row,
                   TspSkinCaptionObject* caption) {
    const int y = row.Top;
    int x = row.Left;
    for (const auto& b : buttons.order) {
        b.object->ObjectRect = Rect(x, y, x + b.size.cx, y + b.size.cy);
        x += b.size.cx + n.ButtonsOffset;
    }
    if (!IsNullRect(n.Buttons)) return;
    if (buttons.sysMenu) {
        const TSize s = buttons.sysMenu->size;
        buttons.sysMenu->object->ObjectRect = Rect(x, y, x + s.cx, y + s.cy);
        x += s.cx + n.ButtonsOffset;
    }
    if (caption) caption->ObjectRect.Left = x + n.ButtonsOffset;
}

TPoint ScreenPointOf(const TMessage& m) { return {GetXParam(m.LParam), GetYParam(m.LParam)}; }
TPoint ClientPointOf(const TMessage& m) { return {GetXParam(m.LParam), GetYParam(m.LParam)}; }

}  // namespace

TspFrameObjects::TspFrameObjects(TspSkinForm& form)
    : form_(form), mainMenuKeys_(std::make_unique<TspFrameMainMenuKeys>(form)) {
    morphTimer_ = MakeStoppedTimer(&form, kMorphInterval, [this] { OnMorphTimer(); });
    animateTimer_ = MakeStoppedTimer(&form, kAnimateInterval, [this] { OnAnimateTimer(); });
    mouseTimer_ = MakeStoppedTimer(&form, kMouseInterval, [this] { OnMouseTimer(); });
}

TspFrameObjects::~TspFrameObjects() = default;

// ---------------------------------------------------------------- the objects

TspActiveSkinObject* TspFrameObjects::Find(const std::string& idName) const {
    for (const auto& o : objects_) {
        if (o->IDName == idName) return o.get();
    }
    return nullptr;
}

TspSkinCaptionObject* TspFrameObjects::FirstCaptionObject() const {
    for (const auto& o : objects_) {
        if (o->Kind() == TspObjectKind::Caption) return static_cast<TspSkinCaptionObject*>(o.get());
    }
    return nullptr;
}

bool TspFrameObjects::InRollState(const TspActiveSkinObject& object) const {
    const bool rolledUp = form_.GetRollUpState();
    return object.RollUp == rolledUp ||
           (rolledUp && form_.SupportNCArea() && !rollUpObjects_ && !object.RollUp);
}

bool TspFrameObjects::OnCaptionObject(TPoint p) const {
    for (const auto& o : objects_) {
        if (o->Kind() == TspObjectKind::Caption && InRollState(*o) && PtInRect(o->ObjectRect, p))
            return true;
    }
    return false;
}

void TspFrameObjects::ClearObjects() {
    if (mainMenuKeysSet_) {
        // The items the keyboard mode walks are going: the mode ends with them.
        if (form_.KeyboardMenuMode() && form_.MainMenuKeys() == mainMenuKeys_.get())
            form_.LeaveKeyboardMenuMode();
        form_.SetFrameMainMenuKeys(nullptr);
        mainMenuKeysSet_ = false;
    }
    mainMenuKeys_->Forget();
    if (mouseCaptureObject_ != -1) form_.Form()->SetMouseCapture(false);
    for (auto& o : objects_) {
        if (o->Kind() != TspObjectKind::MainMenuItem) continue;
        if (TMenuItem* item = static_cast<TspSkinMainMenuItem&>(*o).MenuItem)
            form_.RemoveFreeNotification(item);
    }
    objects_.clear();
    rollUpObjects_ = false;
    ForgetActive();
}

void TspFrameObjects::CreateObjects() {
    ClearObjects();
    TspSkinData* skin = form_.SkinData();
    if (!skin) return;
    for (const auto& def : skin->ObjectDefs) {
        if (auto object = MakeObject(&form_, def.get())) objects_.push_back(std::move(object));
    }
    rollUpObjects_ =
        std::any_of(objects_.begin(), objects_.end(), [](const auto& o) { return o->RollUp; });
    CreateMainMenuItems();
}

void TspFrameObjects::CreateMainMenuItems() {
    TspSkinData* skin = form_.SkinData();
    if (!form_.MainMenu() || !skin) return;
    const int index = skin->GetObjectDefIndex("MAINMENUITEM");
    if (index < 0) return;
    const auto* def = dynamic_cast<const TspDataSkinMainMenuItem*>(
        skin->ObjectDefs[static_cast<size_t>(index)].get());
    if (!def || !SkinRectInPicture(def->SkinRect, skin->ActivePicture(def->ActivePictureIndex)) ||
        !SkinRectUsable(def->TextRect) || def->FontHeight < -512 || def->FontHeight > 512) {
        return;
    }
    TMenuItem& root = form_.MainMenu()->Items();
    for (int i = 0; i < root.Count(); ++i) {
        TMenuItem* item = root.Items(i);
        if (!item->Visible()) continue;
        objects_.push_back(std::make_unique<TspSkinMainMenuItem>(&form_, def, item));
        form_.FreeNotification(item);
        mainMenuKeysSet_ = true;
    }
    if (mainMenuKeysSet_) form_.SetFrameMainMenuKeys(mainMenuKeys_.get());
}

void TspFrameObjects::MenuItemGone(const TComponent* item) {
    for (auto& o : objects_) {
        if (o->Kind() == TspObjectKind::MainMenuItem &&
            static_cast<TspSkinMainMenuItem&>(*o).MenuItem == item) {
            static_cast<TspSkinMainMenuItem&>(*o).MenuItem = nullptr;
        }
    }
}

void TspFrameObjects::CreateDefaultButtons() {
    ClearObjects();
    static const struct {
        const char* name;
        TspButtonCommand command;
    } kButtons[] = {{"closebutton", cmClose},     {"maxbutton", cmMaximize},
                    {"minbutton", cmMinimize},    {"rollupbutton", cmRollUp},
                    {"sysmenubutton", cmSysMenu}, {"traybutton", cmMinimizeToTray}};
    for (const auto& b : kButtons)
        objects_.push_back(std::make_unique<TspSkinStdButtonObject>(&form_, b.name, b.command));
}

void TspFrameObjects::EnsureDefaultButtons() {
    if (!objects_.empty()) return;
    CreateDefaultButtons();
    ApplyBorderIcons();
}

void TspFrameObjects::ApplyBorderIcons() {
    const TspBorderIcons icons = form_.BorderIcons();
    for (auto& o : objects_) {
        TspButtonCommand command = cmDefault;
        bool buttonStyle = false;
        if (!CaptionCommandOf(*o, command, buttonStyle)) continue;
        auto disable = [&o] {
            o->Enabled = false;
            // A button painted into the frame picture stays, disabled; one drawn from an
            // active picture disappears.
            o->Visible = !o->SkinRectInAPicture;
        };
        if (form_.HideCaptionButtons) {
            disable();
            continue;
        }
        if (!buttonStyle) continue;
        switch (command) {
            case cmDefault: {
                bool objectVisible = false;
                if (form_.OnActivateCustomObject)
                    form_.OnActivateCustomObject(o->IDName, objectVisible);
                o->Visible = objectVisible;
                break;
            }
            case cmMinimizeToTray:
                if (!(icons & biMinimizeToTray)) disable();
                break;
            case cmRollUp:
                if (!(icons & biRollUp)) disable();
                break;
            case cmMaximize:
                if (!(icons & biMaximize)) disable();
                break;
            case cmMinimize:
                if (!(icons & biMinimize)) disable();
                break;
            case cmSysMenu:
                if (!(icons & biSystemMenu)) disable();
                break;
            case cmClose:
                break;
        }
    }
    // The first caption marked as the default one shows the owner's caption; without a
    // mark the first caption is the default one.
    TspSkinCaptionObject* chosen = nullptr;
    for (auto& o : objects_) {
        if (o->Kind() == TspObjectKind::Caption &&
            static_cast<TspSkinCaptionObject&>(*o).DefaultCaption) {
            chosen = static_cast<TspSkinCaptionObject*>(o.get());
            break;
        }
    }
    if (!chosen) chosen = FirstCaptionObject();
    if (chosen) {
        chosen->DefaultCaption = true;
        chosen->Text = form_.Form()->Caption();
    }
}

void TspFrameObjects::ResetObjects() {
    for (auto& o : objects_) {
        switch (o->Kind()) {
            case TspObjectKind::Caption:
                continue;
            case TspObjectKind::Animate:
                static_cast<TspSkinAnimateObject&>(*o).Reset();
                continue;
            case TspObjectKind::Switch:
                // A switch's look is its state, which no activation change alters.
                o->MouseIn = false;
                o->MorphKf = o->Active ? 1 : 0;
                continue;
            default:
                o->Active = false;
                o->MouseIn = false;
                o->MorphKf = 0;
        }
    }
}

void TspFrameObjects::UpdateCaptionObjects(bool draw) {
    const bool active = form_.IsFormActive();
    for (auto& o : objects_) {
        if (o->Kind() != TspObjectKind::Caption) continue;
        o->Active = active;
        const bool drawIt =
            draw && InRollState(*o) && (!form_.SupportNCArea() || !IsNullRect(o->ActiveSkinRect));
        if (drawIt) {
            o->ReDraw();
        } else if (o->Morphing) {
            // Not redrawn: the look is set at once, so the morph timer never steps (and
            // redraws) a caption whose frame paint already shows its text.
            o->MorphKf = active ? 1 : 0;
        }
    }
}

void TspFrameObjects::TakeCaptionText() {
    if (!form_.Form()->HasBorder() || form_.MaximizedMDIChild()) return;
    form_.Painter().SendNcPaint();
    for (auto& o : objects_) {
        if (o->Kind() != TspObjectKind::Caption) continue;
        auto& caption = static_cast<TspSkinCaptionObject&>(*o);
        if (!caption.DefaultCaption) continue;
        caption.Text = form_.Form()->Caption();
        // Without an active image the frame paint just drew the text.
        if (!form_.SupportNCArea() || !IsNullRect(caption.ActiveSkinRect))
            form_.DrawSkinObject(caption);
    }
}

void TspFrameObjects::FollowActivation() {
    const bool nonClient = form_.SupportNCArea();
    if (nonClient) form_.Painter().SendNcPaint();
    if (form_.MaximizedMDIChild()) {
        UpdateCaptionObjects(false);
        return;
    }
    if (nonClient) {
        TestActive(-1, -1, false);
        ResetObjects();
    }
    UpdateCaptionObjects(true);
}

void TspFrameObjects::FollowNcActivation() {
    if (!form_.Form()->HasBorder() || form_.MaximizedMDIChild()) {
        UpdateCaptionObjects(false);
        return;
    }
    form_.Painter().SendNcPaint();
    UpdateCaptionObjects(true);
}

const TBitmap& TspFrameObjects::SmallIcon() {
    if (!smallIcon_) {
        smallIcon_ = std::make_unique<TBitmap>();
        if (const TBitmap* icon = form_.Form()->Icon(); icon && !icon->Empty()) {
            const TSize s = TspSkinForm::SmallIconSize();
            smallIcon_->SetSize(s.cx, s.cy);
            smallIcon_->Canvas().StretchDraw(Rect(0, 0, s.cx, s.cy), *icon);
        }
    }
    return *smallIcon_;
}

// ---------------------------------------------------------------- placing

void TspFrameObjects::ArrangeObjects() {
    for (auto& o : objects_) o->ObjectRect = form_.Geometry().CalcObjectRect(o->SkinRect);
    ArrangeMainMenuItems();
    ArrangeCaptionButtons();
}

void TspFrameObjects::ArrangeMainMenuItems() {
    const TRect area = form_.Geometry().Rects().MainMenu;
    int x = area.Left;
    for (auto& o : objects_) {
        if (o->Kind() != TspObjectKind::MainMenuItem) continue;
        auto& item = static_cast<TspSkinMainMenuItem&>(*o);
        const int w = item.LayoutWidth();
        // Items past the area's right end are not shown.
        item.Visible = item.MenuItem && x + w <= area.Right;
        item.ObjectRect = item.Visible ? Rect(x, area.Top, x + w, area.Bottom) : TRect{};
        if (item.Visible) x += w;
    }
}

void TspFrameObjects::ArrangeCaptionButtons() {
    const TspFrameRects& n = form_.Geometry().Rects();
    const TRect row = !IsNullRect(n.Buttons) ? n.Buttons : n.Caption;
    if (IsNullRect(row)) return;
    const TButtonRow buttons = RowButtons(objects_, form_.ShowIcon());
    if (n.ButtonsInLeft)
        PlaceFromLeft(buttons, n, row, FirstCaptionObject());
    else
        PlaceFromRight(buttons, n, row, FirstCaptionObject());
}

// ---------------------------------------------------------------- mouse routing

void TspFrameObjects::TestActive(int x, int y, bool track) {
    if (objects_.empty() || !(form_.IsFormActive() || !form_.SupportNCArea())) return;
    int oldActive = activeObject_;
    int hit = -1;
    for (size_t i = 0; i < objects_.size(); ++i) {
        const TspActiveSkinObject& o = *objects_[i];
        if (InRollState(o) && o.Enabled && o.Visible && PtInRect(o.ObjectRect, {x, y})) {
            hit = static_cast<int>(i);
            break;
        }
    }
    activeObject_ = track ? hit : -1;
    // While a button is held, no other object lights up.
    if (mouseCaptureObject_ != -1 && activeObject_ != -1 && activeObject_ != mouseCaptureObject_)
        activeObject_ = -1;
    if (!Valid(activeObject_)) activeObject_ = -1;
    if (!Valid(oldActive)) oldActive = -1;
    if (activeObject_ == oldActive) return;
    const bool hints = form_.ShowObjectHint && form_.SkinHint();
    if (oldActive != -1) {
        TspActiveSkinObject& old = *objects_[static_cast<size_t>(oldActive)];
        if (old.Enabled && old.Visible) {
            old.MouseLeave();
            if (hints && !old.Hint.empty()) HideObjectHint(form_);
        }
    }
    if (activeObject_ != -1) {
        TspActiveSkinObject& now = *objects_[static_cast<size_t>(activeObject_)];
        if (now.Enabled && now.Visible) {
            now.MouseEnter();
            if (form_.IsFormActive() && hints && !now.Hint.empty()) ShowObjectHint(form_, now);
        }
    }
}

void TspFrameObjects::MouseMove(int x, int y) {
    if (!form_.SupportNCArea() && form_.IsDragging()) return;
    const int target = mouseCaptureObject_ != -1 ? mouseCaptureObject_ : activeObject_;
    if (Valid(target)) objects_[static_cast<size_t>(target)]->MouseMove(x, y);
}

void TspFrameObjects::MouseDown(TMouseButton button, int x, int y) {
    if (form_.SupportNCArea()) {
        if (!Valid(activeObject_)) return;
        TspActiveSkinObject& o = *objects_[static_cast<size_t>(activeObject_)];
        if (o.Kind() != TspObjectKind::Caption) form_.Form()->SetMouseCapture(true);
        mouseCaptureObject_ = activeObject_;
        o.MouseDown(x, y, button);
        return;
    }
    form_.Mover().StopDragging();
    TestActive(x, y, true);
    if (Valid(activeObject_)) {
        mouseCaptureObject_ = activeObject_;
        objects_[static_cast<size_t>(activeObject_)]->MouseDown(x, y, button);
    } else if (button == mbLeft && !form_.WindowMaximized() && form_.DraggAble) {
        form_.Mover().StartDragging();
    }
}

void TspFrameObjects::MouseUp(TMouseButton button, int x, int y) {
    if (!form_.SupportNCArea()) form_.Mover().StopDragging();
    if (!Valid(mouseCaptureObject_)) {
        mouseCaptureObject_ = -1;
        return;
    }
    TspActiveSkinObject& o = *objects_[static_cast<size_t>(mouseCaptureObject_)];
    if (form_.SupportNCArea() && o.Kind() != TspObjectKind::Caption)
        form_.Form()->SetMouseCapture(false);
    // Cleared first: the object's command may change the objects or close the window.
    mouseCaptureObject_ = -1;
    o.MouseUp(x, y, button);
}

void TspFrameObjects::DblClick() {
    if (Valid(activeObject_)) objects_[static_cast<size_t>(activeObject_)]->DblClick();
}

void TspFrameObjects::TrackFrom(TPoint p) {
    if (mouseTimer_->Enabled()) return;
    TestActive(p.X, p.Y, true);
    mouseTimer_->SetEnabled(true);
}

// ---------------------------------------------------------------- timers

void TspFrameObjects::StopTimers() {
    morphTimer_->SetEnabled(false);
    animateTimer_->SetEnabled(false);
    mouseTimer_->SetEnabled(false);
}

void TspFrameObjects::StartMouseTimer() {
    if (form_.Form()->HandleAllocated()) mouseTimer_->SetEnabled(true);
}

void TspFrameObjects::TimersGone() { morphTimer_ = animateTimer_ = mouseTimer_ = nullptr; }

void TspFrameObjects::OnMorphTimer() {
    bool stepped = false;
    // By index: a step draws, and drawing never changes the list.
    for (size_t i = 0; i < objects_.size(); ++i) {
        TspActiveSkinObject& o = *objects_[i];
        if (o.Morphing && o.CanMorphing()) {
            o.DoMorph();
            stepped = true;
        }
    }
    if (!stepped) morphTimer_->SetEnabled(false);
}

void TspFrameObjects::OnAnimateTimer() {
    bool running = false;
    // By index: a step draws, and drawing never changes the list.
    for (size_t i = 0; i < objects_.size(); ++i) {
        if (objects_[i]->Kind() != TspObjectKind::Animate) continue;
        auto& a = static_cast<TspSkinAnimateObject&>(*objects_[i]);
        a.Step();
        running = running || a.Running();
    }
    if (!running) animateTimer_->SetEnabled(false);
}

void TspFrameObjects::OnMouseTimer() {
    if (!form_.SkinSupport() && !form_.SupportNCArea()) return;
    TCustomForm& form = *form_.Form();
    const TPoint cursor = Screen().CursorPos();
    if (form_.SupportNCArea()) {
        if (form_.SizeMoveActive()) {
            mouseTimer_->SetEnabled(false);
            return;
        }
        const TPoint p = form_.ScreenToWindow(cursor);
        const TRect client =
            form_.SkinSupport() ? form_.Geometry().Rects().Client : form.ClientRectInWindow();
        if (!PtInRect(client, p))
            TestActive(p.X, p.Y, true);
        else if (activeObject_ != -1)
            TestActive(-1, -1, true);
        return;
    }
    if (form_.IsDragging()) {
        form_.Mover().DragStep();
        return;
    }
    const TPoint w = form_.ScreenToWindow(cursor);
    const bool overOwner = PtInRect(Rect(0, 0, form.Width(), form.Height()), w) &&
                           (!form.WindowRegion() || form.WindowRegion()->Contains(w));
    if (overOwner) {
        const TPoint c = form.ScreenToClient(cursor);
        TestActive(c.X, c.Y, true);
    } else {
        TestActive(-1, -1, false);
        mouseTimer_->SetEnabled(false);
    }
    ApplySkinCursor();
}

// With UseSkinCursors the owner shows the active object's cursor, else the skin's.
void TspFrameObjects::ApplySkinCursor() {
    const TspSkinData* skin = form_.SkinData();
    if (!form_.UseSkinCursors || !skin) return;
    int index = skin->cursorindex;
    if (Valid(activeObject_) && objects_[static_cast<size_t>(activeObject_)]->CursorIndex != -1) {
        index = objects_[static_cast<size_t>(activeObject_)]->CursorIndex;
    }
    const TCursor cursorNumber = index == -1 ? crDefault : skin->StartCursorIndex + index;
    TCustomForm& form = *form_.Form();
    if (form.Cursor != cursorNumber) form.Cursor = cursorNumber;
}

// ---------------------------------------------------------------- mouse messages

void TspFrameObjects::OnNcMouseMove(const TMessage& m) {
    if (!form_.SupportNCArea()) return;
    const TPoint p = form_.ScreenToWindow(ScreenPointOf(m));
    MouseMove(p.X, p.Y);
}

void TspFrameObjects::OnNcButtonDown(TMouseButton button, const TMessage& m) {
    const bool onCaption = static_cast<int>(m.WParam) == HTCAPTION;
    if (!form_.SupportNCArea()) return;
    const TPoint p = form_.ScreenToWindow(ScreenPointOf(m));
    TestActive(p.X, p.Y, true);
    MouseDown(button, p.X, p.Y);
    if (!onCaption) return;
    mouseCaptureObject_ = -1;
    // A right click on the caption opens the window menu at the cursor.
    if (button == mbRight) {
        const TPoint s = ScreenPointOf(m);
        form_.OpenWindowMenu(Rect(s.X, s.Y, s.X, s.Y));
    }
}

void TspFrameObjects::OnNcButtonUp(TMouseButton button, const TMessage& m) {
    if (!form_.SupportNCArea()) return;
    const TPoint p = form_.ScreenToWindow(ScreenPointOf(m));
    MouseUp(button, p.X, p.Y);
}

void TspFrameObjects::OnNcButtonDblClick(TMouseButton button, const TMessage& m) {
    const bool onCaption = static_cast<int>(m.WParam) == HTCAPTION;
    if (!form_.SupportNCArea()) return;
    const TPoint p = form_.ScreenToWindow(ScreenPointOf(m));
    TestActive(p.X, p.Y, true);
    MouseDown(button, p.X, p.Y);
    if (button == mbLeft) DblClick();
    if (!onCaption) return;
    if (button == mbLeft) form_.CaptionDoubleClick();
    mouseCaptureObject_ = -1;
}

void TspFrameObjects::OnMouseMove(const TMessage& m) {
    if (!form_.SupportNCArea()) {
        const TPoint p = ClientPointOf(m);
        MouseMove(p.X, p.Y);
    } else if (mouseCaptureObject_ != -1) {
        // A frame object holding the mouse (a dragged track-bar thumb or regulator) hears
        // the moves, which the capture turns into client moves.
        const TPoint p = form_.ScreenToWindow(form_.Form()->ClientToScreen(ClientPointOf(m)));
        MouseMove(p.X, p.Y);
    }
}

void TspFrameObjects::OnButtonDown(TMouseButton button, const TMessage& m) {
    if (form_.SupportNCArea()) return;
    const TPoint p = ClientPointOf(m);
    MouseDown(button, p.X, p.Y);
}

void TspFrameObjects::OnButtonUp(TMouseButton button, const TMessage& m) {
    if (form_.SupportNCArea()) {
        MouseUp(button, -1, -1);
        return;
    }
    const TPoint p = ClientPointOf(m);
    MouseUp(button, p.X, p.Y);
}

// The right button's double click is a press; the left one's a double click too, which in
// client mode is also the caption's.
void TspFrameObjects::OnButtonDblClick(TMouseButton button, const TMessage& m) {
    const bool clientMode = !form_.SupportNCArea();
    const TPoint p = ClientPointOf(m);
    MouseDown(button, p.X, p.Y);
    if (button != mbLeft) return;
    DblClick();
    if (clientMode) form_.CaptionDoubleClick();
}
