// The component model: components own the components they create and free them in reverse
// order when destroyed; other references are non-owning and are cleared when the referenced
// component announces its removal (Notification with opRemove).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum TComponentStateFlag : uint32_t {
    csLoading = 0x01,
    csReading = 0x02,
    csWriting = 0x04,
    csDestroying = 0x08,
    csDesigning = 0x10,
};
enum TOperation { opInsert, opRemove };

class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // The registered class name ("TspSkinPanel"); every registered class overrides it.
    [[nodiscard]] virtual const char* ClassName() const { return "TComponent"; }

    [[nodiscard]] const std::string& Name() const { return name_; }
    // Raises EComponentError when another component of the same owner has the name
    // (compared without regard to letter case) or the name is not an identifier.
    void SetName(const std::string& name);
    [[nodiscard]] TComponent* Owner() const { return owner_; }
    [[nodiscard]] int ComponentCount() const { return static_cast<int>(components_.size()); }
    [[nodiscard]] TComponent* Components(int index) const {
        return components_.at(static_cast<size_t>(index));
    }
    [[nodiscard]] int ComponentIndex() const;
    [[nodiscard]] TComponent* FindComponent(const std::string& name) const;
    // Moves the component to another owner (removes it from the old one's list).
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    [[nodiscard]] uint32_t ComponentState() const { return state_; }
    [[nodiscard]] bool IsLoading() const { return state_ & csLoading; }
    [[nodiscard]] bool IsDestroying() const { return state_ & csDestroying; }
    [[nodiscard]] bool IsDesigning() const { return state_ & csDesigning; }
    void SetComponentState(uint32_t flags, bool on);

    // Ask to be told (Notification opRemove) when `other` is destroyed, though not owned.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);
    // Called for insertions into and removals from the owner, and for free notifications.
    // The default passes the notice on to every owned component (so siblings can drop
    // references) and, for opRemove, unlinks a free-notification pair. opInsert arrives
    // from the new component's TComponent constructor, before its derived parts exist: an
    // override must not look beyond TComponent at that moment.
    virtual void Notification(TComponent* component, TOperation operation);

    // The end-of-loading step, run after all stored properties and references are set.
    virtual void Loaded();
    // Stored descriptions nest objects; the reader calls this with the enclosing object so
    // that controls can take it as their parent. The default does nothing.
    virtual void SetParentComponent(TComponent* parent);
    [[nodiscard]] virtual TComponent* GetParentComponent() const { return nullptr; }

    intptr_t Tag = 0;

protected:
    // Frees the owned components, newest first. ~TComponent calls it, but by then the
    // derived parts of this object are gone; a derived class whose Notification or members
    // are needed while its children die calls it first thing in its own destructor.
    // Calling it more than once is harmless.
    void DestroyComponents();

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void NotifyAll(TComponent* component, TOperation operation);

    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;    // owned, in creation order
    std::vector<TComponent*> freeNotifies_;  // non-owning, told on removal
    uint32_t state_ = 0;
};
