#include "toolkit/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestComponents.h"

namespace zelvora {
namespace {

std::vector<std::string> destroyed;

class TRecorded : public TComponent {
public:
    explicit TRecorded(TComponent* owner, std::string label) : TComponent(owner), label_(std::move(label)) {}
    ~TRecorded() override { destroyed.push_back(label_); }

private:
    std::string label_;
};

// Counts the whole components it is told were inserted beside it.
class TInsertWatcher : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<const TRecorded*> Seen;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opInsert)
            if (auto* recorded = dynamic_cast<const TRecorded*>(component)) Seen.push_back(recorded);
    }
};

TEST(Component, ANewComponentIsAnnouncedWholeToItsSiblings)
{
    TComponent owner(nullptr);
    TInsertWatcher& watcher = TComponent::Create<TInsertWatcher>(owner);
    TRecorded& first = TComponent::Create<TRecorded>(owner, "first");
    EXPECT_EQ(watcher.Seen, (std::vector<const TRecorded*>{&first}))
        << "seen as what it is, not a bare component";
    TComponent other(nullptr);
    TComponent::Create<TRecorded>(other, "elsewhere");
    EXPECT_EQ(watcher.Seen.size(), 1u) << "only the owner's own";
}

TEST(Component, OwnerFreesWhatItOwnsLastFirst)
{
    destroyed.clear();
    {
        TComponent owner(nullptr);
        TRecorded& a = TComponent::Create<TRecorded>(owner, "a");
        TComponent::Create<TRecorded>(a, "a1");
        TComponent::Create<TRecorded>(owner, "b");
        TComponent::Create<TRecorded>(owner, "c");
        EXPECT_EQ(owner.Components().size(), 3u);
    }
    EXPECT_EQ(destroyed, (std::vector<std::string>{"c", "b", "a", "a1"}));
}

TEST(Component, FreeingOneLeavesItsOwnersList)
{
    TComponent owner(nullptr);
    auto* first = &TComponent::Create<TComponent>(owner);
    TComponent::Create<TComponent>(owner).SetName("Second");
    delete first;
    ASSERT_EQ(owner.Components().size(), 1u);
    EXPECT_EQ(owner.FindComponent("second"), owner.Components().front());
    EXPECT_EQ(owner.FindComponent("First"), nullptr);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(Component, ReferencesAreClearedWhenTheTargetGoes)
{
    testing::TSampleWindow window;
    auto& sample = TComponent::Create<testing::TSample>(window);
    auto* buddy = &TComponent::Create<testing::TSample>(window);
    sample.SetBuddy(buddy);
    delete buddy;
    EXPECT_EQ(sample.Buddy(), nullptr);

    // Also across owners, through the free notification.
    testing::TSampleWindow otherWindow;
    auto* remote = new testing::TSample(&otherWindow);
    sample.SetBuddy(remote);
    delete remote;
    EXPECT_EQ(sample.Buddy(), nullptr);
}

TEST(Component, ASubscriberThatGoesFirstIsForgotten)
{
    testing::TSampleWindow window;
    auto& target = TComponent::Create<testing::TSample>(window);
    {
        testing::TSample watcher(nullptr);
        watcher.SetBuddy(&target);
    }
    // Destroying the target must not call the dead watcher (ASan would report it).
    delete &target;
    EXPECT_TRUE(window.Components().empty());
}

}  // namespace
}  // namespace zelvora
