// Whether an object still exists after code that may have freed it: an event handler, a
// nested message loop, a posted callback, a menu that runs a command. The object owns a
// TLiveness; the caller takes a TLivenessWatch before the call and asks it afterwards, or
// keeps one beside a plain pointer it does not own.
#pragma once

#include <memory>

class TLivenessWatch {
public:
    TLivenessWatch() = default;

    // True while the watched object lives (false for a default-made watch).
    [[nodiscard]] bool Alive() const { return !token_.expired(); }
    void Reset() { token_.reset(); }

private:
    friend class TLiveness;
    explicit TLivenessWatch(std::weak_ptr<const char> token) : token_(std::move(token)) {}

    std::weak_ptr<const char> token_;
};

class TLiveness {
public:
    TLiveness() : token_(std::make_shared<const char>(0)) {}
    // Copying an object must not copy its life: the copy gets one of its own.
    TLiveness(const TLiveness&) : TLiveness() {}
    TLiveness& operator=(const TLiveness&) { return *this; }

    [[nodiscard]] TLivenessWatch Watch() const { return TLivenessWatch(token_); }
    // Ends the life before the object is destroyed (a control that is closed first): every
    // watch reports it gone from now on.
    void End() { token_.reset(); }
    // Ends the current life and starts a new one: for content replaced in place (a skin
    // reloaded into the same object), so that watches taken on the old content report it gone.
    void Renew() { token_ = std::make_shared<const char>(0); }
    [[nodiscard]] bool Ended() const { return !token_; }

private:
    std::shared_ptr<const char> token_;
};
