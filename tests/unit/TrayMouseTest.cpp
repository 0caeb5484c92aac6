#include "tray/TrayMouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace zelvora {
namespace {

constexpr unsigned kDoubleClickMs = 500;

// A timer on a clock the test moves; Start can be refused, as SetTimer can fail.
class FakeTimer : public ITrayTimer {
public:
    bool Start(unsigned intervalMs) override
    {
        running_ = !Refuse;
        interval_ = intervalMs;
        elapsed_ = 0;
        ++Starts;
        return running_;
    }
    void Stop() override { running_ = false; }
    bool Running() const override { return running_; }
    unsigned Interval() const { return interval_; }
    // Moves the clock; true each time the timer fires.
    int Advance(unsigned ms)
    {
        int ticks = 0;
        for (unsigned i = 0; i < ms && running_; ++i)
            if (++elapsed_ % interval_ == 0) ++ticks;
        return ticks;
    }

    bool Refuse = false;
    int Starts = 0;

private:
    bool running_ = false;
    unsigned interval_ = 0, elapsed_ = 0;
};

std::string ButtonName(TMouseButton button)
{
    return button == TMouseButton::mbLeft ? "left" : button == TMouseButton::mbRight ? "right" : "middle";
}

class TrayMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        mouse_.Events.OnClick = [this] { log_.push_back("click"); };
        mouse_.Events.OnMouseDown = [this](TMouseButton button, unsigned shift, TTrayPoint p) {
            log_.push_back("down " + ButtonName(button) + " " + std::to_string(shift) + " " +
                           std::to_string(p.X) + "," + std::to_string(p.Y));
        };
        mouse_.Events.OnMouseUp = [this](TMouseButton button, unsigned, TTrayPoint) {
            log_.push_back("up " + ButtonName(button));
        };
        mouse_.Actions.PopupAtPointer = [this] { log_.push_back("menu"); };
        mouse_.Actions.ClickDefaultItem = [this] { log_.push_back("default item"); };
    }
    void Send(unsigned notification, unsigned modifiers = 0, TTrayPoint p = {})
    {
        mouse_.Notify(notification, modifiers, p, kDoubleClickMs);
    }
    void Wait(unsigned ms)
    {
        for (int ticks = click_.Advance(ms); ticks > 0; --ticks) mouse_.ClickTimerTick();
    }
    void AssignDoubleClick()
    {
        mouse_.Events.OnDblClick = [this] { log_.push_back("double click"); };
    }

    FakeTimer click_, hover_;
    TTrayMouse mouse_{click_, hover_};
    std::vector<std::string> log_;
};

TEST_F(TrayMouse, WithoutADoubleClickHandlerTheReleaseClicksAtOnceAndADoubleClickAddsNothing)
{
    Send(tnLeftDown, 0, {10, 20});
    Send(tnLeftUp);
    EXPECT_EQ(log_, (std::vector<std::string>{"down left 8 10,20", "click", "up left"}));
    EXPECT_EQ(click_.Starts, 0) << "the click timer never runs";
    log_.clear();
    Send(tnLeftDown);
    Send(tnLeftUp);
    Send(tnLeftDoubleClick);  // the system's order for a double click
    Send(tnLeftUp);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "click"), 1);
}

TEST_F(TrayMouse, WithADoubleClickHandlerASingleClickWaitsForTheDoubleClickTime)
{
    AssignDoubleClick();
    Send(tnLeftDown);
    Send(tnLeftUp);
    EXPECT_EQ(click_.Interval(), kDoubleClickMs);
    Wait(kDoubleClickMs - 1);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "click"), 0);
    Wait(1);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "click"), 1);
    EXPECT_FALSE(click_.Running()) << "a one-shot";
}

TEST_F(TrayMouse, ADoubleClickRaisesOnlyTheDoubleClickAndClicksTheDefaultItem)
{
    AssignDoubleClick();
    Send(tnLeftDown);
    Send(tnLeftUp);
    Send(tnLeftDoubleClick);
    Send(tnLeftUp);
    Wait(kDoubleClickMs * 2);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "click"), 0);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "double click"), 1);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "default item"), 1);

    // The next single click is a click again.
    log_.clear();
    Send(tnLeftDown);
    Send(tnLeftUp);
    Wait(kDoubleClickMs);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "click"), 1);
}

TEST_F(TrayMouse, APressHeldPastTheDoubleClickTimeOrARefusedTimerClicksOnTheRelease)
{
    AssignDoubleClick();
    Send(tnLeftDown);
    Wait(kDoubleClickMs + 100);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "click"), 0);
    Send(tnLeftUp);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "click"), 1);

    log_.clear();
    click_.Refuse = true;
    Send(tnLeftDown);
    Send(tnLeftUp);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "click"), 1);
}

TEST_F(TrayMouse, TheRightPressOpensTheMenuAndTheShiftSetNamesKeysAndButton)
{
    Send(tnRightDown, tsCtrl, {-300, -20});  // a monitor left of and above the primary one
    Send(tnRightUp);
    Send(tnMiddleDown, tsShift | tsAlt, {1, 2});
    Send(tnMiddleUp);
    EXPECT_EQ(log_, (std::vector<std::string>{"down right 20 -300,-20", "menu", "up right",
                                              "down middle 35 1,2", "up middle"}));
}

TEST_F(TrayMouse, LeftPopupOpensTheMenuOnTheLeftPressAndKeepsTheDefaultItemShut)
{
    mouse_.LeftPopup = true;
    AssignDoubleClick();
    Send(tnLeftDown);
    Send(tnLeftDoubleClick);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "menu"), 1);
    EXPECT_EQ(std::count(log_.begin(), log_.end(), "default item"), 0);
}

TEST_F(TrayMouse, DisabledOnlyTheBalloonNotificationsGetThrough)
{
    std::vector<std::string> balloons;
    mouse_.Events.OnBalloonHintHide = [&] { balloons.push_back("hide"); };
    mouse_.Events.OnBalloonHintTimeout = [&] { balloons.push_back("timeout"); };
    mouse_.Events.OnBalloonHintClick = [&] { balloons.push_back("click"); };
    AssignDoubleClick();
    mouse_.Enabled = false;
    for (unsigned n : std::initializer_list<unsigned>{tnMouseMove, tnLeftDown, tnLeftUp, tnLeftDoubleClick,
                                                      tnRightDown, tnRightUp, tnMiddleDown, tnMiddleUp,
                                                      tnBalloonHide, tnBalloonTimeout, tnBalloonClick, 600u})
        Send(n);
    Wait(kDoubleClickMs);
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(balloons, (std::vector<std::string>{"hide", "timeout", "click"}));
}

TEST_F(TrayMouse, EnterAndExitComeFromMovesAndTheTwentyMillisecondHoverTimer)
{
    mouse_.Events.OnMouseEnter = [this] { log_.push_back("enter"); };
    mouse_.Events.OnMouseExit = [this] { log_.push_back("exit"); };
    Send(tnMouseMove, 0, {5, 5});
    EXPECT_TRUE(log_.empty()) << "no enter without the hover timer";

    mouse_.SetWantEnterExitEvents(true);
    EXPECT_TRUE(hover_.Running());
    EXPECT_EQ(hover_.Interval(), kHoverIntervalMs);
    Send(tnMouseMove, 0, {5, 5});
    mouse_.HoverTimerTick({5, 5});
    EXPECT_EQ(log_, (std::vector<std::string>{"enter"}));
    mouse_.HoverTimerTick({6, 5});
    mouse_.HoverTimerTick({7, 5});
    EXPECT_EQ(log_, (std::vector<std::string>{"enter", "exit"}));
    Send(tnMouseMove, 0, {7, 5});
    EXPECT_EQ(log_.back(), "enter");

    mouse_.SetWantEnterExitEvents(false);
    EXPECT_FALSE(hover_.Running());
}

TEST(TrayTip, TheShellGetsAtMost127CharactersAndNoneWhenHintsAreOff)
{
    EXPECT_EQ(TrayTip("Zelvora", true), "Zelvora");
    EXPECT_EQ(TrayTip(std::string(200, 'x'), true), std::string(127, 'x'));
    EXPECT_EQ(TrayTip(std::string(127, 'y'), true).size(), 127u);
    EXPECT_EQ(TrayTip("Zelvora", false), "");
    EXPECT_EQ(TrayTip("", true), "");
}

TEST(IconIndex, StaysInsideTheListAndIsZeroWithoutOne)
{
    EXPECT_EQ(ClampIconIndex(1, 3), 1);
    EXPECT_EQ(ClampIconIndex(3, 3), 2);
    EXPECT_EQ(ClampIconIndex(99, 3), 2);
    EXPECT_EQ(ClampIconIndex(-1, 3), 0);
    EXPECT_EQ(ClampIconIndex(2, 0), 0);
    EXPECT_EQ(NextCycleIndex(0, 3), 1);
    EXPECT_EQ(NextCycleIndex(2, 3), 0);
    EXPECT_EQ(NextCycleIndex(0, 1), 0);
    EXPECT_EQ(NextCycleIndex(5, 0), 0);
}

}  // namespace
}  // namespace zelvora
