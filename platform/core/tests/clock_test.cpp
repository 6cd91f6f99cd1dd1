#include "platform/core/clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform::core {
namespace {

TEST(ManualClock, MovesOnlyWhenTold) {
    ManualClock clock(500);
    EXPECT_EQ(clock.Now(), 500u);
    clock.Advance(20);
    EXPECT_EQ(clock.Now(), 520u);
    clock.AdvanceTo(510); // never backwards
    EXPECT_EQ(clock.Now(), 520u);
    clock.Wait(30);
    EXPECT_EQ(clock.Now(), 550u);
}

TEST(ManualClock, ScheduledActionsRunInTimeOrderAtTheirOwnTime) {
    ManualClock clock;
    std::vector<std::string> ran;
    auto at = [&](Millis t, std::string name) {
        return clock.Schedule(
            t, [&clock, &ran, name] { ran.push_back(name + "@" + std::to_string(clock.Now())); });
    };
    at(30, "c");
    at(10, "a");
    at(20, "b1");
    at(20, "b2"); // same moment: in the order scheduled
    auto cancelled = at(15, "x");
    at(40, "d");
    clock.Cancel(cancelled);
    EXPECT_EQ(clock.NextAction(), Millis{10});

    clock.AdvanceTo(30);
    EXPECT_EQ(ran, (std::vector<std::string>{"a@10", "b1@20", "b2@20", "c@30"}));
    EXPECT_EQ(clock.Now(), 30u);
    EXPECT_EQ(clock.NextAction(), Millis{40});
    clock.Advance(100);
    EXPECT_EQ(ran.back(), "d@40");
    EXPECT_EQ(clock.Now(), 130u);
    EXPECT_FALSE(clock.NextAction());
}

TEST(ManualClock, WorkScheduledByAnActionOrForThePastRunsInTheSameAdvance) {
    ManualClock clock(100);
    std::vector<std::string> ran;
    clock.Schedule(50, [&] { ran.push_back("late@" + std::to_string(clock.Now())); });
    clock.Schedule(120, [&] {
        ran.push_back("first@" + std::to_string(clock.Now()));
        clock.Schedule(130, [&] { ran.push_back("second@" + std::to_string(clock.Now())); });
    });
    clock.AdvanceTo(200);
    EXPECT_EQ(ran, (std::vector<std::string>{"late@100", "first@120", "second@130"}));
}

TEST(ClockOverride, PutsAClockInForceAndRestoresThePreviousOne) {
    Clock& system = CurrentClock();
    ManualClock outer(1000), inner(2000);
    {
        ClockOverride useOuter(outer);
        EXPECT_EQ(&CurrentClock(), &outer);
        {
            ClockOverride useInner(inner);
            EXPECT_EQ(GetTickCount(), 2000u);
            Sleep(25);
            EXPECT_EQ(inner.Now(), 2025u);
        }
        EXPECT_EQ(GetTickCount(), 1000u);
    }
    EXPECT_EQ(&CurrentClock(), &system);
    EXPECT_EQ(outer.Now(), 1000u);
}

TEST(ClockOverride, TheTickCountWrapsAt32Bits) {
    ManualClock clock((Millis{1} << 32) - 30);
    ClockOverride use(clock);
    const std::uint32_t start = GetTickCount();
    EXPECT_EQ(start, 0xFFFFFFE2u);
    Sleep(50);
    EXPECT_EQ(GetTickCount(), 20u);
    // Elapsed time measured the platform's way still comes out right across the wrap.
    EXPECT_EQ(static_cast<std::uint32_t>(GetTickCount() - start), 50u);
    EXPECT_EQ(clock.Now(), (Millis{1} << 32) + 20);
}

TEST(SystemClock, NeverGoesBackwards) {
    SystemClock clock;
    Millis previous = clock.Now();
    for (int i = 0; i < 1000; ++i) {
        Millis now = clock.Now();
        ASSERT_GE(now, previous);
        previous = now;
    }
    clock.Wait(0);
}

} // namespace
} // namespace platform::core
