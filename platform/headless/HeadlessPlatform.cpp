#include "platform/headless/HeadlessPlatform.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

#include "base/Messages.h"
#include "platform/GLibHandles.h"

namespace platform {
namespace {

// Bounds posted-task processing so a task that always re-posts itself cannot hang a test.
constexpr int kMaxTasksPerBatch = 100000;

uint32_t ButtonBit(MouseButton b) {
    switch (b) {
        case MouseButton::Left:
            return MK_LBUTTON;
        case MouseButton::Right:
            return MK_RBUTTON;
        case MouseButton::Middle:
            return MK_MBUTTON;
        case MouseButton::None:
            break;
    }
    return 0;
}

template <class T>
void Erase(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

// Decodes UTF-8 into code points; malformed bytes become U+FFFD.
std::vector<uint32_t> DecodeUtf8(const std::string& s) {
    std::vector<uint32_t> out;
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80         ? 0
                          : (c >> 5) == 6  ? 1
                          : (c >> 4) == 14 ? 2
                          : (c >> 3) == 30 ? 3
                                           : -1;
        uint32_t cp = extra <= 0 ? c : (c & (0x3Fu >> extra));
        bool ok = extra >= 0 && i + static_cast<size_t>(extra) < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            ok = (cc & 0xC0) == 0x80;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

}  // namespace

// ---------------------------------------------------------------- HeadlessNativeView

HeadlessNativeView::~HeadlessNativeView() {
    if (window_) Erase(window_->views_, this);
}

// ---------------------------------------------------------------- HeadlessWindow

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, const WindowParams& params)
    : platform_(platform),
      platformAlive_(platform.alive_),
      params_(params),
      bounds_(params.screenBounds),
      title_(params.title) {
    ResizeImage();
}

HeadlessWindow::~HeadlessWindow() {
    for (HeadlessNativeView* v : views_) v->Detach();
    if (!platformAlive_.expired()) platform_.RemoveWindow(this);
}

void HeadlessWindow::ResizeImage() {
    const int w = std::max(0, bounds_.Width());
    const int h = std::max(0, bounds_.Height());
    std::vector<uint32_t> fresh(static_cast<size_t>(w) * static_cast<size_t>(h), 0xFFFFFF);
    // Keep the overlapping top-left part, as a real window keeps its contents on resize.
    const int cw = std::min(w, imageWidth_), ch = std::min(h, imageHeight_);
    for (int y = 0; y < ch; ++y) {
        std::memcpy(fresh.data() + static_cast<size_t>(y) * static_cast<size_t>(w),
                    image_.data() + static_cast<size_t>(y) * static_cast<size_t>(imageWidth_),
                    static_cast<size_t>(cw) * sizeof(uint32_t));
    }
    image_.swap(fresh);
    imageWidth_ = w;
    imageHeight_ = h;
}

void HeadlessWindow::SetBounds(const TRect& screenBounds) {
    const bool resized =
        screenBounds.Width() != bounds_.Width() || screenBounds.Height() != bounds_.Height();
    bounds_ = screenBounds;
    if (resized) ResizeImage();
}

void HeadlessWindow::Show(bool visible) {
    if (platformAlive_.expired()) return;
    if (visible_ == visible) return;
    visible_ = visible;
    if (visible) {
        platform_.RaiseWindow(this);
        Invalidate(Rect(0, 0, bounds_.Width(), bounds_.Height()));
    } else {
        framePresented_ = false;
        Erase(platform_.zorder_, this);
        if (platform_.inputGrabAnchor_ == this) platform_.EndInputGrab(true);
        if (platform_.focused_ == this) platform_.SetFocus(nullptr);
        if (platform_.grab_ == this) platform_.grab_ = nullptr;
        if (platform_.implicitGrab_ == this) platform_.implicitGrab_ = nullptr;
        if (platform_.hover_ == this) platform_.hover_ = nullptr;
    }
}

void HeadlessWindow::Present(const ImageView& image, const TRect& dirty) {
    ++presentCount_;
    lastPresent_ = dirty;
    if (visible_ && !framePresented_ && !platformAlive_.expired()) {
        framePresented_ = true;
        for (auto& callback : afterFirstFrame_) platform_.Post(std::move(callback));
        afterFirstFrame_.clear();
    }
    if (!image.pixels) return;
    const TRect area = IntersectRect(IntersectRect(dirty, Rect(0, 0, image.width, image.height)),
                                     Rect(0, 0, imageWidth_, imageHeight_));
    if (IsRectEmpty(area)) return;
    for (int y = area.Top; y < area.Bottom; ++y) {
        const uint32_t* src = image.pixels +
                              static_cast<size_t>(y) * static_cast<size_t>(image.strideWords) +
                              area.Left;
        uint32_t* dst =
            image_.data() + static_cast<size_t>(y) * static_cast<size_t>(imageWidth_) + area.Left;
        std::memcpy(dst, src, static_cast<size_t>(area.Width()) * sizeof(uint32_t));
    }
}

void HeadlessWindow::AfterFirstFrame(std::function<void()> callback) {
    if (platformAlive_.expired()) return;
    if (framePresented_)
        platform_.Post(std::move(callback));
    else
        afterFirstFrame_.push_back(std::move(callback));
}

void HeadlessWindow::Invalidate(const TRect& dirty) {
    if (platformAlive_.expired()) return;
    pendingExpose_ = UnionRect(pendingExpose_, dirty);
    if (exposeQueued_) return;
    exposeQueued_ = true;
    std::weak_ptr<int> alive = alive_;
    platform_.Post([this, alive] {
        if (alive.expired()) return;
        exposeQueued_ = false;
        const TRect r = pendingExpose_;
        pendingExpose_ = {};
        if (params_.sink && !IsRectEmpty(r)) params_.sink->OnExpose(r);
    });
}

void HeadlessWindow::SetShape(const TRegion* region) {
    if (region)
        shape_ = *region;
    else
        shape_.reset();
}

bool HeadlessWindow::GrabPointer() {
    if (platformAlive_.expired()) return false;
    platform_.grab_ = this;
    return true;
}

void HeadlessWindow::UngrabPointer() {
    if (platformAlive_.expired()) return;
    if (platform_.grab_ == this) platform_.grab_ = nullptr;
}

bool HeadlessWindow::Grabbed() const {
    return !platformAlive_.expired() && platform_.grab_ == this;
}
bool HeadlessWindow::Focused() const {
    return !platformAlive_.expired() && platform_.focused_ == this;
}

void HeadlessWindow::Activate() {
    if (platformAlive_.expired()) return;
    if (!visible_ || !params_.takesFocus) return;
    platform_.RaiseWindow(this);
    platform_.SetFocus(this);
}

void HeadlessWindow::Minimize() {
    if (platformAlive_.expired()) return;
    if (minimized_) return;
    minimized_ = true;
    if (platform_.focused_ == this) platform_.SetFocus(nullptr);
    std::weak_ptr<int> alive = alive_;
    platform_.Post([this, alive] {
        if (!alive.expired() && params_.sink) params_.sink->OnIconified(true);
    });
}

void HeadlessWindow::Restore() {
    if (platformAlive_.expired()) return;
    if (!minimized_) return;
    minimized_ = false;
    std::weak_ptr<int> alive = alive_;
    platform_.Post([this, alive] {
        if (!alive.expired() && params_.sink) params_.sink->OnIconified(false);
    });
    Invalidate(Rect(0, 0, bounds_.Width(), bounds_.Height()));
}

std::unique_ptr<NativeView> HeadlessWindow::CreateNativeView(void* nativeWidget) {
    auto view = std::make_unique<HeadlessNativeView>(this, nativeWidget);
    views_.push_back(view.get());
    return view;
}

void HeadlessWindow::SetAccessibleSource(AccessibleSource* source) {
    accessibleSource_ = source;
    published_ = {};
}

void HeadlessWindow::AccessibleChanged() {
    if (!recordAccessible_ || !accessibleSource_) return;
    AccessibleNode now = accessibleSource_->AccessibleTree();
    for (AccessibleChange& c : DiffAccessibleTrees(published_, now))
        accessibleChanges_.push_back(std::move(c));
    published_ = std::move(now);
}

const AccessibleNode& HeadlessWindow::AccessibleTree() {
    static const AccessibleNode kNone;
    return accessibleSource_ ? accessibleSource_->AccessibleTree() : kNone;
}

bool HeadlessWindow::DoAccessibleAction(AccessibleRole role, const std::string& name,
                                        const std::string& action) {
    if (!accessibleSource_) return false;
    const AccessibleNode* node = accessibleSource_->AccessibleTree().FindByName(role, name);
    if (!node) return false;
    const std::string id = node->id;
    return RunAccessibleAction(*accessibleSource_, id, node->ActionIndex(action));
}

bool HeadlessWindow::SelectAccessibleChild(const std::string& containerId, int childIndex) {
    return accessibleSource_ &&
           platform::SelectAccessibleChild(*accessibleSource_, containerId, childIndex);
}

void HeadlessWindow::RecordAccessibleChanges() {
    recordAccessible_ = true;
    if (accessibleSource_) published_ = accessibleSource_->AccessibleTree();
}

TColor HeadlessWindow::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= imageWidth_ || y >= imageHeight_) return -1;
    const uint32_t p =
        image_[static_cast<size_t>(y) * static_cast<size_t>(imageWidth_) + static_cast<size_t>(x)];
    return static_cast<TColor>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

bool HeadlessWindow::ContainsWindowPoint(TPoint p) const {
    if (!PtInRect(Rect(0, 0, bounds_.Width(), bounds_.Height()), p)) return false;
    return !shape_ || shape_->Contains(p);
}

// ---------------------------------------------------------------- HeadlessTrayIcon

HeadlessTrayIcon::~HeadlessTrayIcon() {
    if (platform_) Erase(platform_->trayIcons_, this);
}

// ---------------------------------------------------------------- HeadlessPlatform

HeadlessPlatform::HeadlessPlatform() { SetScreenSize(screenSize_); }

HeadlessPlatform::~HeadlessPlatform() {
    for (HeadlessTrayIcon* t : trayIcons_) t->platform_ = nullptr;
    // Windows still alive belong to framework objects; they must not call back into us.
    for (HeadlessWindow* w : windows_) w->params_.sink = nullptr;
}

std::unique_ptr<Window> HeadlessPlatform::CreateWindow(const WindowParams& params) {
    auto w = std::make_unique<HeadlessWindow>(*this, params);
    windows_.push_back(w.get());
    return w;
}

void HeadlessPlatform::RemoveWindow(HeadlessWindow* window) {
    if (inputGrabAnchor_ == window) EndInputGrab(true);
    Erase(windows_, window);
    Erase(zorder_, window);
    if (focused_ == window) focused_ = nullptr;
    if (grab_ == window) grab_ = nullptr;
    if (implicitGrab_ == window) implicitGrab_ = nullptr;
    if (hover_ == window) hover_ = nullptr;
}

void HeadlessPlatform::RaiseWindow(HeadlessWindow* window) {
    Erase(zorder_, window);
    if (!window->visible_) return;
    // Popups stay above top-level windows.
    if (window->params_.kind == WindowKind::TopLevel) {
        auto firstPopup = std::find_if(zorder_.begin(), zorder_.end(), [](HeadlessWindow* w) {
            return w->params_.kind == WindowKind::Popup;
        });
        zorder_.insert(firstPopup, window);
    } else {
        zorder_.push_back(window);
    }
}

void HeadlessPlatform::SetFocus(HeadlessWindow* window) {
    if (focused_ == window) return;
    HeadlessWindow* old = focused_;
    focused_ = window;
    if (old && old->params_.sink) old->params_.sink->OnFocusChanged(false);
    if (window && focused_ == window && window->params_.sink)
        window->params_.sink->OnFocusChanged(true);
}

TimerId HeadlessPlatform::SetTimer(uint32_t intervalMs, std::function<void()> callback) {
    const uint32_t interval = std::max<uint32_t>(1, intervalMs);
    TimerEntry e{nextTimerId_++, interval, now_ + interval, timerSeq_++,
                 std::make_shared<std::function<void()>>(std::move(callback))};
    timers_.push_back(std::move(e));
    return timers_.back().id;
}

void HeadlessPlatform::KillTimer(TimerId id) {
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                                 [id](const TimerEntry& e) { return e.id == id; }),
                  timers_.end());
}

void HeadlessPlatform::Post(std::function<void()> task) { tasks_.push_back(std::move(task)); }

void HeadlessPlatform::RunTasksOnce() {
    int budget = kMaxTasksPerBatch;
    while (!tasks_.empty() && budget-- > 0) {
        auto task = std::move(tasks_.front());
        tasks_.pop_front();
        if (task) task();
    }
}

void HeadlessPlatform::ProcessPending() { RunTasksOnce(); }

bool HeadlessPlatform::FireNextTimer(uint64_t limit) {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->due > limit) continue;
        if (next == timers_.end() || it->due < next->due ||
            (it->due == next->due && it->seq < next->seq))
            next = it;
    }
    if (next == timers_.end()) return false;
    now_ = std::max(now_, next->due);
    next->due += next->interval;
    next->seq = timerSeq_++;
    auto callback = next->callback;  // the timer may be killed by its own callback
    (*callback)();
    RunTasksOnce();
    return true;
}

void HeadlessPlatform::AdvanceTime(uint64_t ms) {
    RunTasksOnce();
    const uint64_t target = now_ + ms;
    while (FireNextTimer(target)) {
    }
    now_ = target;
    RunTasksOnce();
}

void HeadlessPlatform::Run() {
    ++runDepth_;
    const uint64_t start = now_;
    while (true) {
        RunTasksOnce();
        if (quit_) break;
        if (!tasks_.empty()) continue;
        uint64_t nextDue = UINT64_MAX;
        for (const auto& t : timers_) nextDue = std::min(nextDue, t.due);
        if (nextDue == UINT64_MAX || nextDue - start > RunGuardMs) {
            guardTripped_ = true;
            break;
        }
        FireNextTimer(nextDue);
        if (quit_) break;
    }
    quit_ = false;
    --runDepth_;
}

void HeadlessPlatform::Quit() { quit_ = true; }

std::vector<Monitor> HeadlessPlatform::Monitors() const { return monitors_; }

void HeadlessPlatform::SetScreenSize(TSize size, TRect workArea) {
    screenSize_ = size;
    Monitor m;
    m.bounds = Rect(0, 0, size.cx, size.cy);
    m.workArea = IsRectEmpty(workArea) ? m.bounds : workArea;
    m.primary = true;
    monitors_ = {m};
}

void HeadlessPlatform::SetMonitors(std::vector<Monitor> monitors) {
    monitors_ = std::move(monitors);
    TRect all{};
    for (const auto& m : monitors_) all = UnionRect(all, m.bounds);
    screenSize_ = {all.Right, all.Bottom};
}

MessageBoxResult HeadlessPlatform::ShowMessageBox(const std::string& title, const std::string& text,
                                                  MessageBoxKind kind, MessageBoxButtons buttons) {
    messageBoxes_.push_back({title, text, kind, buttons});
    return MessageBoxAnswer;
}

std::unique_ptr<TrayIcon> HeadlessPlatform::CreateTrayIcon() {
    if (TrayIconFactory) return TrayIconFactory();
    auto icon = std::make_unique<HeadlessTrayIcon>(this);
    trayIcons_.push_back(icon.get());
    return icon;
}

std::vector<HeadlessWindow*> HeadlessPlatform::Windows() const { return windows_; }

std::vector<HeadlessWindow*> HeadlessPlatform::ZOrder() const {
    std::vector<HeadlessWindow*> out(zorder_.rbegin(), zorder_.rend());
    return out;
}

HeadlessWindow* HeadlessPlatform::WindowAt(TPoint p) const {
    for (auto it = zorder_.rbegin(); it != zorder_.rend(); ++it) {
        HeadlessWindow* w = *it;
        if (!w->visible_ || w->minimized_) continue;
        if (w->ContainsWindowPoint({p.X - w->bounds_.Left, p.Y - w->bounds_.Top})) return w;
    }
    return nullptr;
}

HeadlessWindow* HeadlessPlatform::FindWindow(const std::string& title) const {
    for (HeadlessWindow* w : windows_) {
        if (w->title_ == title) return w;
    }
    return nullptr;
}

// ---------------------------------------------------------------- input grabs

class HeadlessInputGrab final : public InputGrab {
public:
    HeadlessInputGrab(HeadlessPlatform& platform, std::weak_ptr<int> alive, uint64_t serial)
        : platform_(platform), alive_(std::move(alive)), serial_(serial) {}
    ~HeadlessInputGrab() override {
        if (!alive_.expired() && platform_.inputGrabSerial_ == serial_)
            platform_.EndInputGrab(false);
    }
    HeadlessInputGrab(const HeadlessInputGrab&) = delete;
    HeadlessInputGrab& operator=(const HeadlessInputGrab&) = delete;

private:
    HeadlessPlatform& platform_;
    std::weak_ptr<int> alive_;
    uint64_t serial_;
};

std::unique_ptr<InputGrab> HeadlessPlatform::GrabInput(Window& anchor, InputGrabSink& sink) {
    auto* window = dynamic_cast<HeadlessWindow*>(&anchor);
    if (!window || !window->visible_) return nullptr;
    // A newer grab replaces an older one, as on the display server.
    if (inputGrabSink_) EndInputGrab(true);
    inputGrabSink_ = &sink;
    inputGrabAnchor_ = window;
    implicitGrab_ = nullptr;
    return std::make_unique<HeadlessInputGrab>(*this, alive_, ++inputGrabSerial_);
}

void HeadlessPlatform::EndInputGrab(bool notify) {
    InputGrabSink* sink = inputGrabSink_;
    inputGrabSink_ = nullptr;
    inputGrabAnchor_ = nullptr;
    ++inputGrabSerial_;
    if (notify && sink) sink->OnGrabEnded();
}

void HeadlessPlatform::DeliverMouse(MouseEventKind kind, MouseButton button, int wheel) {
    if (inputGrabSink_) {
        MouseEvent e;
        e.kind = kind;
        e.button = button;
        e.screenPos = cursor_;
        const TRect anchor = inputGrabAnchor_ ? inputGrabAnchor_->bounds_ : TRect{};
        e.pos = {cursor_.X - anchor.Left, cursor_.Y - anchor.Top};
        e.modifiers = modifiers_;
        e.buttonsDown = buttons_;
        e.wheelDelta = wheel;
        inputGrabSink_->OnGrabbedMouse(e);
        RunTasksOnce();
        return;
    }
    HeadlessWindow* target = grab_ ? grab_ : implicitGrab_ ? implicitGrab_ : WindowAt(cursor_);
    if (!grab_ && !implicitGrab_ && hover_ != target) {
        if (hover_ && hover_->params_.sink) {
            MouseEvent leave;
            leave.kind = MouseEventKind::Leave;
            leave.screenPos = cursor_;
            leave.pos = {cursor_.X - hover_->bounds_.Left, cursor_.Y - hover_->bounds_.Top};
            leave.modifiers = modifiers_;
            leave.buttonsDown = buttons_;
            hover_->params_.sink->OnMouse(leave);
        }
        hover_ = target;
    }
    if (target && target->params_.sink) {
        MouseEvent e;
        e.kind = kind;
        e.button = button;
        e.screenPos = cursor_;
        e.pos = {cursor_.X - target->bounds_.Left, cursor_.Y - target->bounds_.Top};
        e.modifiers = modifiers_;
        e.buttonsDown = buttons_;
        e.wheelDelta = wheel;
        target->params_.sink->OnMouse(e);
    }
    RunTasksOnce();
}

void HeadlessPlatform::MoveMouse(int x, int y) {
    cursor_ = {x, y};
    DeliverMouse(MouseEventKind::Move, MouseButton::None);
}

void HeadlessPlatform::PressButton(MouseButton button) {
    buttons_ |= ButtonBit(button);
    if (!grab_ && !implicitGrab_ && !inputGrabSink_) implicitGrab_ = WindowAt(cursor_);
    DeliverMouse(MouseEventKind::Down, button);
}

void HeadlessPlatform::ReleaseButton(MouseButton button) {
    buttons_ &= ~ButtonBit(button);
    DeliverMouse(MouseEventKind::Up, button);
    if (buttons_ == 0) implicitGrab_ = nullptr;
}

void HeadlessPlatform::Click(int x, int y, MouseButton button) {
    MoveMouse(x, y);
    PressButton(button);
    ReleaseButton(button);
}

void HeadlessPlatform::DoubleClick(int x, int y, MouseButton button) {
    Click(x, y, button);
    buttons_ |= ButtonBit(button);
    if (!grab_ && !implicitGrab_ && !inputGrabSink_) implicitGrab_ = WindowAt(cursor_);
    DeliverMouse(MouseEventKind::DoubleClick, button);
    ReleaseButton(button);
}

void HeadlessPlatform::Wheel(int x, int y, int delta) {
    cursor_ = {x, y};
    DeliverMouse(MouseEventKind::Wheel, MouseButton::None, delta);
}

void HeadlessPlatform::Drag(int x1, int y1, int x2, int y2, int steps) {
    MoveMouse(x1, y1);
    PressButton(MouseButton::Left);
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i)
        MoveMouse(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps);
    ReleaseButton(MouseButton::Left);
}

void HeadlessPlatform::BreakGrab() {
    if (inputGrabSink_) EndInputGrab(true);
    HeadlessWindow* w = grab_;
    grab_ = nullptr;
    if (w && w->params_.sink) w->params_.sink->OnGrabBroken();
    RunTasksOnce();
}

void HeadlessPlatform::RequestClose(HeadlessWindow& window) {
    if (window.params_.sink) window.params_.sink->OnCloseRequest();
    RunTasksOnce();
}

void HeadlessPlatform::DeliverKey(bool down, uint16_t vk, uint32_t ch) {
    if (inputGrabSink_) {
        KeyEvent e;
        e.down = down;
        e.virtualKey = vk;
        e.unicodeChar = ch;
        e.modifiers = modifiers_;
        inputGrabSink_->OnGrabbedKey(e);
    } else if (focused_ && focused_->params_.sink) {
        KeyEvent e;
        e.down = down;
        e.virtualKey = vk;
        e.unicodeChar = ch;
        e.modifiers = modifiers_;
        focused_->params_.sink->OnKey(e);
    }
    RunTasksOnce();
}

void HeadlessPlatform::KeyDown(uint16_t virtualKey, uint32_t unicodeChar) {
    DeliverKey(true, virtualKey, unicodeChar);
    if (virtualKey == VK_SHIFT) modifiers_ |= kModShift;
    if (virtualKey == VK_CONTROL) modifiers_ |= kModControl;
    if (virtualKey == VK_MENU) modifiers_ |= kModAlt;
}

void HeadlessPlatform::KeyUp(uint16_t virtualKey) {
    if (virtualKey == VK_SHIFT) modifiers_ &= ~kModShift;
    if (virtualKey == VK_CONTROL) modifiers_ &= ~kModControl;
    if (virtualKey == VK_MENU) modifiers_ &= ~kModAlt;
    DeliverKey(false, virtualKey, 0);
}

void HeadlessPlatform::KeyPress(uint16_t virtualKey, uint32_t modifiers, uint32_t unicodeChar) {
    if (modifiers & kModControl) KeyDown(VK_CONTROL);
    if (modifiers & kModShift) KeyDown(VK_SHIFT);
    if (modifiers & kModAlt) KeyDown(VK_MENU);
    KeyDown(virtualKey, unicodeChar);
    KeyUp(virtualKey);
    if (modifiers & kModAlt) KeyUp(VK_MENU);
    if (modifiers & kModShift) KeyUp(VK_SHIFT);
    if (modifiers & kModControl) KeyUp(VK_CONTROL);
}

void HeadlessPlatform::Type(const std::string& utf8) {
    for (uint32_t cp : DecodeUtf8(utf8)) {
        uint16_t vk = 0;
        if (cp >= 'a' && cp <= 'z')
            vk = static_cast<uint16_t>(cp - 'a' + 'A');
        else if ((cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9'))
            vk = static_cast<uint16_t>(cp);
        else if (cp == ' ')
            vk = VK_SPACE;
        else if (cp == '\r' || cp == '\n')
            vk = VK_RETURN;
        const bool shifted = cp >= 'A' && cp <= 'Z';
        if (shifted) KeyDown(VK_SHIFT);
        KeyDown(vk, cp == '\n' ? '\r' : cp);
        KeyUp(vk);
        if (shifted) KeyUp(VK_SHIFT);
    }
}

std::vector<uint32_t> HeadlessPlatform::ComposeScreen() {
    const int sw = std::max(0, screenSize_.cx), sh = std::max(0, screenSize_.cy);
    std::vector<uint32_t> screen(static_cast<size_t>(sw) * static_cast<size_t>(sh), 0);
    for (HeadlessWindow* w : zorder_) {
        if (!w->visible_ || w->minimized_) continue;
        const TRect b = w->bounds_;
        const TRect area = IntersectRect(b, Rect(0, 0, sw, sh));
        const uint32_t alpha = compositing_ ? w->opacity_ : 255;
        for (int y = area.Top; y < area.Bottom; ++y) {
            for (int x = area.Left; x < area.Right; ++x) {
                const TPoint wp{x - b.Left, y - b.Top};
                if (w->shape_ && !w->shape_->Contains(wp)) continue;
                const uint32_t src =
                    w->image_[static_cast<size_t>(wp.Y) * static_cast<size_t>(w->imageWidth_) +
                              static_cast<size_t>(wp.X)];
                uint32_t& dst = screen[static_cast<size_t>(y) * static_cast<size_t>(sw) +
                                       static_cast<size_t>(x)];
                if (alpha == 255) {
                    dst = src;
                } else {
                    uint32_t out = 0;
                    for (int shift = 0; shift <= 16; shift += 8) {
                        const uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
                        out |= (((s * alpha + d * (255 - alpha)) + 127) / 255) << shift;
                    }
                    dst = out;
                }
            }
        }
    }
    return screen;
}

std::vector<uint32_t> HeadlessPlatform::CaptureScreen(const TRect& screenRect) {
    const int w = std::max(0, screenRect.Width()), h = std::max(0, screenRect.Height());
    std::vector<uint32_t> out(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    const std::vector<uint32_t> screen = ComposeScreen();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int sx = screenRect.Left + x, sy = screenRect.Top + y;
            if (sx < 0 || sy < 0 || sx >= screenSize_.cx || sy >= screenSize_.cy) continue;
            out[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
                screen[static_cast<size_t>(sy) * static_cast<size_t>(screenSize_.cx) +
                       static_cast<size_t>(sx)];
        }
    }
    return out;
}

namespace {
bool WritePng(const uint32_t* pixels, int w, int h, const std::string& path) {
    if (w <= 0 || h <= 0) return false;
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, w);
    std::vector<unsigned char> data(static_cast<size_t>(stride) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        std::memcpy(data.data() + static_cast<size_t>(y) * static_cast<size_t>(stride),
                    pixels + static_cast<size_t>(y) * static_cast<size_t>(w),
                    static_cast<size_t>(w) * 4);
    }
    const CairoSurfacePtr s(
        cairo_image_surface_create_for_data(data.data(), CAIRO_FORMAT_RGB24, w, h, stride));
    return cairo_surface_write_to_png(s.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}
}  // namespace

bool HeadlessPlatform::SavePng(const HeadlessWindow& window, const std::string& path) const {
    return WritePng(window.image_.data(), window.imageWidth_, window.imageHeight_, path);
}

bool HeadlessPlatform::SaveScreenPng(const std::string& path) {
    const std::vector<uint32_t> screen = ComposeScreen();
    return WritePng(screen.data(), screenSize_.cx, screenSize_.cy, path);
}

HeadlessPlatform& InstallHeadlessPlatform() {
    auto p = std::make_unique<HeadlessPlatform>();
    HeadlessPlatform& ref = *p;
    SetCurrent(std::move(p));
    return ref;
}

}  // namespace platform
