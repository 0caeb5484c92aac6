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
