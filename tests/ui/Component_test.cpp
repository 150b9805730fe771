#include "ui/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Exceptions.h"

namespace {

// Records its destruction and keeps a non-owning reference that removal notices clear.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::vector<std::string>* log, const std::string& name)
        : TComponent(owner), log_(log) {
        SetName(name);
    }
    ~Probe() override {
        // Our children die while we are still a Probe, so their notices reach our override.
        DestroyComponents();
        if (log_) log_->push_back("~" + Name());
    }
    void SetRef(TComponent* ref) {
        ref_ = ref;
        if (ref) ref->FreeNotification(this);
    }
    TComponent* Ref() const { return ref_; }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == ref_) {
            ref_ = nullptr;
            if (log_) log_->push_back(Name() + " drops ref");
        }
        if (log_ && operation == opInsert) log_->push_back(Name() + " got insert");
    }

private:
    std::vector<std::string>* log_;
    TComponent* ref_ = nullptr;
};

TEST(Component, OwnedComponentsAreFreedNewestFirstWithTheirOwner) {
    std::vector<std::string> log;
    {
        Probe root(nullptr, &log, "Root");
        auto* a = new Probe(&root, &log, "A");
        new Probe(a, &log, "A1");
        new Probe(&root, &log, "B");
        new Probe(&root, &log, "C");
        EXPECT_EQ(root.ComponentCount(), 3);
        log.clear();
    }
    std::vector<std::string> expected{"~C", "~B", "~A1", "~A", "~Root"};
    EXPECT_EQ(log, expected);
}

TEST(Component, RemovalNoticesClearReferencesBetweenSiblingsAndAcrossOwners) {
    std::vector<std::string> log;
    Probe root(nullptr, &log, "Root");
    auto* a = new Probe(&root, &log, "A");
    auto* b = new Probe(&root, &log, "B");
    // A (older) refers to B (newer), B refers to A: during reverse-order destruction B dies
    // first, and A must not be left with a dangling pointer (and vice versa).
    a->SetRef(b);
    b->SetRef(a);
    Probe other(nullptr, &log, "Other");  // not owned by root: only FreeNotification tells it
    other.SetRef(b);
    log.clear();
    delete b;
    EXPECT_EQ(a->Ref(), nullptr);
    EXPECT_EQ(other.Ref(), nullptr);
    EXPECT_EQ(root.ComponentCount(), 1);
    EXPECT_EQ(root.FindComponent("B"), nullptr);
    // A free-notification link is two-sided: A dies later and Other must not touch B's ghost.
    other.SetRef(a);
    delete a;
    EXPECT_EQ(other.Ref(), nullptr);
    EXPECT_EQ(root.ComponentCount(), 0);
}

TEST(Component, SiblingsAreToldWhileTheOwnerDestroysThem) {
    std::vector<std::string> log;
    {
        Probe root(nullptr, &log, "Root");
        auto* a = new Probe(&root, &log, "A");
        auto* b = new Probe(&root, &log, "B");
        a->SetRef(b);
        log.clear();
    }
    // B goes first; A hears about it before A itself is destroyed.
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "~B");
    EXPECT_EQ(log[1], "A drops ref");
    EXPECT_EQ(log[2], "~A");
}

TEST(Component, DestroyingFlagIsSetOnTheWholeTreeBeforeAnyoneDies) {
    struct Watch : TComponent {
        Watch(TComponent* o, bool* sawFlag) : TComponent(o), saw(sawFlag) {}
        ~Watch() override { *saw = Owner() == nullptr || Owner()->IsDestroying(); }
        bool* saw;
    };
    bool saw = false;
    {
        TComponent root(nullptr);
        new Watch(new TComponent(&root), &saw);
    }
    EXPECT_TRUE(saw);
}

TEST(Component, NamesAreUniquePerOwnerIgnoringCaseAndMustBeIdentifiers) {
    TComponent root(nullptr);
    auto* a = new TComponent(&root);
    a->SetName("Panel1");
    auto* b = new TComponent(&root);
    try {
        b->SetName("PANEL1");
        FAIL() << "duplicate accepted";
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "A component named PANEL1 already exists");
    }
    try {
        b->SetName("1abc");
        FAIL() << "bad name accepted";
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "'1abc' is not a valid component name");
    }
    EXPECT_THROW(b->SetName("a b"), EComponentError);
    EXPECT_THROW(b->SetName("Caf\xC3\xA9"), EComponentError);
    EXPECT_TRUE(b->Name().empty());
    b->SetName("_x9");
    a->SetName("PANEL1");  // renaming itself in another case is not a clash
    EXPECT_EQ(root.FindComponent("panel1"), a);
    EXPECT_EQ(root.FindComponent("_X9"), b);
    EXPECT_EQ(root.FindComponent(""), nullptr);
    // The same name under different owners is fine.
    auto* c = new TComponent(a);
    c->SetName("_x9");
    EXPECT_EQ(a->FindComponent("_x9"), c);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(root.ComponentIndex(), -1);
}

TEST(Component, InsertComponentMovesOwnershipAndRejectsClashesAndCycles) {
    std::vector<std::string> log;
    Probe first(nullptr, &log, "First");
    Probe second(nullptr, &log, "Second");
    auto* x = new TComponent(&first);
    x->SetName("X");
    log.clear();
    second.InsertComponent(x);
    EXPECT_EQ(x->Owner(), &second);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.Components(0), x);
    EXPECT_EQ(log, std::vector<std::string>{"Second got insert"});

    auto* y = new TComponent(&first);
    y->SetName("x");
    EXPECT_THROW(second.InsertComponent(y), EComponentError);
    EXPECT_EQ(y->Owner(), &first);  // unchanged after the failed move

    EXPECT_THROW(x->InsertComponent(&second), EComponentError);
    EXPECT_THROW(x->InsertComponent(x), EComponentError);
}

TEST(Component, LoadedClearsLoadingOnly) {
    TComponent c(nullptr);
    c.SetComponentState(csLoading | csReading, true);
    EXPECT_TRUE(c.IsLoading());
    c.Loaded();
    EXPECT_FALSE(c.IsLoading());
    EXPECT_EQ(c.ComponentState(), static_cast<uint32_t>(csReading));
}

}  // namespace
