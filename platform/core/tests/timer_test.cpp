#include "platform/core/timer.h"

#include "platform/core/exception.h"
#include "platform/core/message_loop.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::core {
namespace {

class TimerTest : public ::testing::Test {
public:
    TimerTest() { ResetMessageLoop(); }
    ~TimerTest() override {
        SetExceptionHandler(nullptr);
        ResetMessageLoop();
    }

    // A handler that writes "name@time" into fired.
    TNotifyEvent Record(const std::string& name) {
        return
            [this, name](TObject*) { fired.push_back(name + "@" + std::to_string(clock.Now())); };
    }

    ManualClock clock;
    ClockOverride useClock{clock};
    std::vector<std::string> fired;
};

TEST_F(TimerTest, DefaultsToEnabledWithOneSecondAndNoHandler) {
    TTimer timer(nullptr);
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_FALSE(timer.OnTimer());
    RunFor(clock, 5000);
    EXPECT_FALSE(NextTimerDue());
}

TEST_F(TimerTest, WindowTimersAndATimerComponentFireInOrderOverTwoAndAHalfSeconds) {
    MessageWindow window([this](TMessage& m) {
        if (m.Msg == WM_TIMER)
            fired.push_back(std::to_string(m.WParam) + "@" + std::to_string(clock.Now()));
    });
    SetTimer(window.Handle(), 50, 50);
    SetTimer(window.Handle(), 300, 300);
    SetTimer(window.Handle(), 2000, 2000);
    TTimer timer(nullptr);
    timer.SetOnTimer(Record("old"));

    RunFor(clock, 1250);
    timer.SetOnTimer(Record("new")); // restarts the period: next tick at 2250
    RunFor(clock, 500);
    timer.SetEnabled(true); // already enabled: no restart
    RunFor(clock, 750);

    // What should have happened, moment by moment; at the same moment the timer set first
    // comes first, and the re-pointed component counts as set last.
    std::vector<std::string> expected;
    for (Millis t = 1; t <= 2500; ++t) {
        for (Millis period : {50, 300, 2000})
            if (t % period == 0)
                expected.push_back(std::to_string(period) + "@" + std::to_string(t));
        if (t == 1000) expected.push_back("old@1000");
        if (t == 2250) expected.push_back("new@2250");
    }
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(expected.size(), 50u + 8u + 1u + 2u);
}

// What a change made 600 ms into a running 1000 ms period does to the next tick.
TEST_F(TimerTest, ChangesWhileRunningRestartOnlyWhenSomethingChanged) {
    struct Case {
        const char* change;
        std::function<void(TTimer&, TimerTest&)> apply;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"enable again", [](TTimer& t, TimerTest&) { t.SetEnabled(true); }, {"h@1000", "h@2000"}},
        {"same interval", [](TTimer& t, TimerTest&) { t.SetInterval(1000); }, {"h@1000", "h@2000"}},
        {"new interval", [](TTimer& t, TimerTest&) { t.SetInterval(500); }, {"h@1100", "h@1600"}},
        {"new handler", [](TTimer& t, TimerTest& f) { t.SetOnTimer(f.Record("h")); }, {"h@1600"}},
        {"no handler", [](TTimer& t, TimerTest&) { t.SetOnTimer(nullptr); }, {}},
        {"interval 0", [](TTimer& t, TimerTest&) { t.SetInterval(0); }, {}},
        {"disable", [](TTimer& t, TimerTest&) { t.SetEnabled(false); }, {}},
        {"disable, enable",
         [](TTimer& t, TimerTest&) {
             t.SetEnabled(false);
             t.SetEnabled(true);
         },
         {"h@1600"}},
    };
    for (const Case& c : cases) {
        ResetMessageLoop();
        fired.clear();
        const Millis start = clock.Now();
        TTimer timer(nullptr);
        timer.SetOnTimer(Record("h"));
        RunFor(clock, 600);
        c.apply(timer, *this);
        RunFor(clock, 1400);
        // Times relative to the start of the case.
        std::vector<std::string> relative;
        for (const auto& f : fired) {
            auto at = f.find('@');
            relative.push_back(f.substr(0, at + 1) +
                               std::to_string(std::stoull(f.substr(at + 1)) - start));
        }
        EXPECT_EQ(relative, c.expected) << c.change;
        clock.Advance(10000);
    }
}

TEST_F(TimerTest, ATickNamesTheTimerAsSender) {
    TTimer timer(nullptr);
    TObject* sender = nullptr;
    timer.SetOnTimer([&](TObject* s) { sender = s; });
    RunFor(clock, 1000);
    EXPECT_EQ(sender, &timer);
}

TEST_F(TimerTest, AHandlerMayRepointOrClearTheEventWhileItRuns) {
    TTimer timer(nullptr);
    timer.SetInterval(100);
    std::string tag = "first";
    timer.SetOnTimer([&, tag](TObject*) {
        fired.push_back(tag + "@" + std::to_string(clock.Now()));
        timer.SetOnTimer([&](TObject*) {
            fired.push_back("second@" + std::to_string(clock.Now()));
            timer.SetOnTimer(nullptr);
        });
    });
    RunFor(clock, 1000);
    EXPECT_EQ(fired, (std::vector<std::string>{"first@100", "second@200"}));
}

TEST_F(TimerTest, TicksReachTheTimerInsideAModalLoop) {
    TTimer timer(nullptr);
    timer.SetInterval(100);
    timer.SetOnTimer(Record("tick"));
    MessageWindow dialog([&](TMessage& m) {
        if (m.Msg != WM_USER) return;
        RunFor(clock, 250); // the dialog's own loop
        fired.push_back("closed@" + std::to_string(clock.Now()));
    });
    PostMessage(dialog.Handle(), WM_USER, 0, 0);
    ProcessMessages();
    EXPECT_EQ(fired, (std::vector<std::string>{"tick@100", "tick@200", "closed@250"}));
}

TEST_F(TimerTest, AnExceptionFromTheHandlerGoesToTheExceptionHandlerAndTheTimerGoesOn) {
    std::vector<std::string> errors;
    SetExceptionHandler([&](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const Exception& e) {
            errors.push_back(e.Message());
        }
    });
    TTimer timer(nullptr);
    timer.SetInterval(100);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) {
        if (++ticks == 1) throw Exception("The Instrument Is Not Responding.");
    });
    RunFor(clock, 300);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(errors, (std::vector<std::string>{"The Instrument Is Not Responding."}));
}

TEST_F(TimerTest, AnOwnedTimerStopsWithItsOwner) {
    auto form = std::make_unique<TComponent>(nullptr);
    TTimer& timer = form->Own<TTimer>();
    timer.SetInterval(100);
    timer.SetOnTimer(Record("tick"));
    RunFor(clock, 150);
    form.reset();
    RunFor(clock, 1000);
    EXPECT_EQ(fired, (std::vector<std::string>{"tick@100"}));
    EXPECT_FALSE(NextTimerDue());
}

TEST_F(TimerTest, AHandlerMayFreeTheFormThatOwnsTheTimer) {
    // An intro window's timer ends by freeing the intro window, its own timer with it.
    auto intro = std::make_unique<TComponent>(nullptr);
    TTimer& timer = intro->Own<TTimer>();
    timer.SetInterval(100);
    timer.SetOnTimer([&](TObject*) {
        fired.push_back("start-up@" + std::to_string(clock.Now()));
        intro.reset();
    });
    RunFor(clock, 1000);
    EXPECT_EQ(fired, (std::vector<std::string>{"start-up@100"}));
    EXPECT_EQ(intro, nullptr);
}

} // namespace
} // namespace platform::core
