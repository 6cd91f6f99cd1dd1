#include "toolkit/base/cx_controls_unit.h"
#include "toolkit/base/cx_timer.h"
#include "toolkit/base/tests/controls_unit_fixture.h"

#include "platform/core/message_loop.h"

#include <memory>

namespace toolkit::base::test {
namespace {

namespace pc = platform::core;

using TimerTest = ControlsUnitTest;

TEST_F(TimerTest, StartsEnabledWithASecondAndTicksOnlyWithAHandler) {
    TcxTimer Timer(nullptr);
    EXPECT_TRUE(Timer.Enabled());
    EXPECT_EQ(Timer.Interval(), 1000u);
    EXPECT_FALSE(Timer.TimerOn());
    EXPECT_EQ(Unit.RunningTimerCount(), 0);

    int Ticks = 0;
    pc::TObject* Sender = nullptr;
    Timer.SetOnTimer([&](pc::TObject* S) {
        ++Ticks;
        Sender = S;
    });
    EXPECT_TRUE(Timer.TimerOn());
    EXPECT_EQ(Unit.RunningTimerCount(), 1);
    RunFor(999);
    EXPECT_EQ(Ticks, 0);
    RunFor(1);
    EXPECT_EQ(Ticks, 1);
    EXPECT_EQ(Sender, &Timer);
}

TEST_F(TimerTest, AnIntervalOfZeroKeepsThePreviousInterval) {
    int Ticks = 0;
    TcxTimer Timer(nullptr);
    Timer.SetInterval(50);
    Timer.SetOnTimer([&](pc::TObject*) { ++Ticks; });
    RunFor(30);
    Timer.SetInterval(0);
    EXPECT_EQ(Timer.Interval(), 50u);
    // Ignored, so the period was not restarted either.
    RunFor(20);
    EXPECT_EQ(Ticks, 1);
    RunFor(50);
    EXPECT_EQ(Ticks, 2);
}

TEST_F(TimerTest, ANewIntervalRestartsThePeriodAndDisablingStopsIt) {
    int Ticks = 0;
    TcxTimer Timer(nullptr);
    Timer.SetOnTimer([&](pc::TObject*) { ++Ticks; });
    RunFor(900);
    Timer.SetInterval(200);
    RunFor(199);
    EXPECT_EQ(Ticks, 0);
    RunFor(1);
    EXPECT_EQ(Ticks, 1);

    Timer.SetEnabled(false);
    EXPECT_FALSE(Timer.TimerOn());
    EXPECT_EQ(Unit.RunningTimerCount(), 0);
    RunFor(1000);
    EXPECT_EQ(Ticks, 1);
    Timer.SetEnabled(true);
    RunFor(200);
    EXPECT_EQ(Ticks, 2);
}

TEST_F(TimerTest, ATickNamingATimerThatIsGoneIsIgnored) {
    int Ticks = 0;
    int TicksOfAlive = 0;
    auto Gone = std::make_unique<TcxTimer>(nullptr);
    Gone->SetOnTimer([&](pc::TObject*) { ++Ticks; });
    const auto GoneId = reinterpret_cast<pc::WPARAM>(Gone.get());
    TcxTimer Alive(nullptr);
    Alive.SetOnTimer([&](pc::TObject*) { TicksOfAlive++; });
    Gone.reset();
    EXPECT_EQ(Unit.RunningTimerCount(), 1);

    pc::SendMessage(Unit.TimerWindowHandle(), pc::WM_TIMER, GoneId, 0);
    EXPECT_EQ(Ticks, 0);
    pc::SendMessage(Unit.TimerWindowHandle(), pc::WM_TIMER, reinterpret_cast<pc::WPARAM>(&Alive),
                    0);
    EXPECT_EQ(TicksOfAlive, 1);
}

TEST_F(TimerTest, AHandlerMayFreeItsOwnTimer) {
    int Ticks = 0;
    auto Timer = std::make_unique<TcxTimer>(nullptr);
    Timer->SetInterval(10);
    Timer->SetOnTimer([&](pc::TObject*) {
        ++Ticks;
        Timer.reset();
    });
    RunFor(100);
    EXPECT_EQ(Ticks, 1);
    EXPECT_EQ(Unit.RunningTimerCount(), 0);
}

TEST_F(TimerTest, ATimerThatOutlivesItsUnitStopsWithIt) {
    int Ticks = 0;
    TcxTimer Timer(nullptr);
    {
        TcxControlsUnit Inner;
        Timer.SetInterval(10);
        Timer.SetOnTimer([&](pc::TObject*) { ++Ticks; });
        EXPECT_EQ(Inner.RunningTimerCount(), 1);
        EXPECT_EQ(Unit.RunningTimerCount(), 0);
    }
    EXPECT_FALSE(Timer.TimerOn());
    RunFor(100);
    EXPECT_EQ(Ticks, 0);
    // It starts again on the unit in force.
    Timer.SetEnabled(false);
    Timer.SetEnabled(true);
    EXPECT_EQ(Unit.RunningTimerCount(), 1);
    RunFor(10);
    EXPECT_EQ(Ticks, 1);
}

} // namespace
} // namespace toolkit::base::test
