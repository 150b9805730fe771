#include "ui/Component.h"

#include <algorithm>

#include "base/AsciiText.h"
#include "base/Exceptions.h"

namespace {

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }

bool IsValidIdent(const std::string& s) {
    if (s.empty() || !IsIdentStart(s[0])) return false;
    return std::all_of(s.begin() + 1, s.end(), IsIdentChar);
}

void EraseOne(std::vector<TComponent*>& list, TComponent* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end()) list.erase(it);
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    state_ |= csDestroying;
    DestroyComponents();
    // Tell everyone holding a free-notification link; the pair is unlinked before the call so
    // an override that does not call the base class cannot make us loop.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        EraseOne(other->freeNotifies_, this);
        other->Notification(this, opRemove);
    }
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
    // Mark the whole owned tree first so that components notified below can tell that
    // their neighbours are going away too.
    SetComponentState(csDestroying, true);
    std::vector<TComponent*> stack(components_.begin(), components_.end());
    while (!stack.empty()) {
        TComponent* c = stack.back();
        stack.pop_back();
        c->state_ |= csDestroying;
        stack.insert(stack.end(), c->components_.begin(), c->components_.end());
    }
    // Newest first. Each child removes itself from our list in its destructor, which also
    // tells the remaining siblings (through Notification) so that their references to it
    // are cleared before it is gone.
    while (!components_.empty()) {
        TComponent* child = components_.back();
        delete child;
        // A child always unlinks itself; guard anyway against an endless loop.
        if (!components_.empty() && components_.back() == child) components_.pop_back();
    }
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    const auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_) {
        if (SameTextAscii(c->name_, name)) return c;
    }
    return nullptr;
}

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (!name.empty() && !IsValidIdent(name)) {
        throw EComponentError("'" + name + "' is not a valid component name");
    }
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EComponentError("A component named " + name + " already exists");
    }
    name_ = name;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component) return;
    // An owner cycle would make destruction recurse forever.
    for (const TComponent* o = this; o; o = o->owner_) {
        if (o == component) throw EComponentError("A component cannot own itself or its owner");
    }
    if (component->owner_ == this) return;
    if (!component->name_.empty()) {
        TComponent* other = FindComponent(component->name_);
        if (other && other != component) {
            throw EComponentError("A component named " + component->name_ + " already exists");
        }
    }
    if (component->owner_) component->owner_->RemoveComponent(component);
    Insert(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->owner_ != this) return;
    // Unlink first: the notification then reaches the remaining components only, never the
    // one being removed (which may be half destroyed).
    Remove(component);
    Notification(component, opRemove);
}

void TComponent::SetComponentState(uint32_t flags, bool on) {
    if (on) {
        state_ |= flags;
    } else {
        state_ &= ~flags;
    }
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    // The link is kept on both sides so that whichever dies first unlinks the other.
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) ==
        other->freeNotifies_.end()) {
        other->freeNotifies_.push_back(this);
    }
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
        freeNotifies_.push_back(other);
    }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other || other == this) return;
    EraseOne(freeNotifies_, other);
    EraseOne(other->freeNotifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // Pass the news on to the owned components, so that siblings holding references to a
    // removed component can drop them.
    NotifyAll(component, operation);
}

void TComponent::Loaded() { state_ &= ~static_cast<uint32_t>(csLoading); }

void TComponent::SetParentComponent(TComponent* /*parent*/) {}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    EraseOne(components_, component);
    component->owner_ = nullptr;
}

void TComponent::NotifyAll(TComponent* component, TOperation operation) {
    // The list may change while we walk it (a notified component may free another one).
    for (size_t i = components_.size(); i-- > 0;) {
        if (i >= components_.size()) continue;
        TComponent* c = components_[i];
        if (c != component) c->Notification(component, operation);
    }
}
