#include "platform/core/message_loop.h"

#include "platform/core/exception.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace platform::core {
namespace {

// The loop is one per process: each test starts from an empty queue on a clock of its own.
class MessageLoopTest : public ::testing::Test {
protected:
    MessageLoopTest() { ResetMessageLoop(); }
    ~MessageLoopTest() override {
        SetExceptionHandler(nullptr);
        ResetMessageLoop();
    }

    ManualClock clock;
    ClockOverride useClock{clock};
};

TEST(MessageLoop, PostedMessagesReachTheirWindowInOrder) {
    ResetMessageLoop();
    std::vector<UINT> seen;
    MessageWindow window([&](TMessage& m) { seen.push_back(m.Msg); });
    PostMessage(window.Handle(), WM_USER + 1, 0, 0);
    PostMessage(window.Handle(), WM_USER + 2, 0, 0);
    ProcessMessages();
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
}

TEST_F(MessageLoopTest, MessageNumbersAreThePlatformsOwn) {
    EXPECT_EQ(WM_USER, 0x400u);
    EXPECT_EQ(WM_TIMER, 0x113u);
    EXPECT_EQ(WM_DESTROY, 0x2u);
    EXPECT_EQ(WM_QUIT, 0x12u);
}

TEST_F(MessageLoopTest, SendMessageCallsTheProcedureAtOnceAndReturnsItsResult) {
    MessageWindow window([](TMessage& m) { m.Result = static_cast<LRESULT>(m.WParam + 1); });
    EXPECT_EQ(SendMessage(window.Handle(), WM_USER, 41, 0), 42);
    EXPECT_EQ(SendMessage(NullHWnd, WM_USER, 41, 0), 0);
}

TEST_F(MessageLoopTest, ASubclassSeesEveryMessageAndPassesOnWhatItLeaves) {
    std::vector<std::string> seen;
    MessageWindow window([&](TMessage& m) { seen.push_back("base " + std::to_string(m.Msg)); });
    WNDPROC previous;
    previous = SetWindowProc(window.Handle(), [&](HWND wnd, UINT msg, WPARAM w, LPARAM l) {
        seen.push_back("sub " + std::to_string(msg));
        if (msg == WM_USER + 1) return LRESULT{7};
        return CallWindowProc(previous, wnd, msg, w, l);
    });
    EXPECT_EQ(SendMessage(window.Handle(), WM_USER + 1, 0, 0), 7);
    PostMessage(window.Handle(), WM_USER + 2, 0, 0);
    ProcessMessages();
    EXPECT_EQ(seen, (std::vector<std::string>{"sub 1025", "sub 1026", "base 1026"}));
}

TEST_F(MessageLoopTest, PostingCarriesTheParametersAndTheTickCount) {
    clock.AdvanceTo(1234);
    MSG got{};
    MessageWindow window([](TMessage&) {});
    ASSERT_TRUE(PostMessage(window.Handle(), WM_USER + 5, 17, -3));
    ASSERT_TRUE(PeekMessage(got, NullHWnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(got.hwnd, window.Handle());
    EXPECT_EQ(got.message, WM_USER + 5);
    EXPECT_EQ(got.wParam, 17u);
    EXPECT_EQ(got.lParam, -3);
    EXPECT_EQ(got.time, 1234u);
}

TEST_F(MessageLoopTest, PeekFiltersByWindowAndRange) {
    MessageWindow a([](TMessage&) {});
    MessageWindow b([](TMessage&) {});
    PostMessage(a.Handle(), WM_USER + 1, 0, 0);
    PostMessage(b.Handle(), WM_USER + 2, 0, 0);
    PostMessage(a.Handle(), WM_USER + 3, 0, 0);

    struct Case {
        HWND wnd;
        UINT first, last;
        UINT expected; // 0: nothing matches
    };
    const Case cases[] = {
        {NullHWnd, 0, 0, WM_USER + 1},
        {b.Handle(), 0, 0, WM_USER + 2},
        {a.Handle(), WM_USER + 2, WM_USER + 9, WM_USER + 3},
        {NullHWnd, WM_USER + 2, WM_USER + 2, WM_USER + 2},
        {b.Handle(), WM_USER + 3, WM_USER + 3, 0},
        {NullHWnd, WM_USER + 4, WM_USER + 9, 0},
    };
    for (const Case& c : cases) {
        MSG got{};
        bool found = PeekMessage(got, c.wnd, c.first, c.last, PM_NOREMOVE);
        EXPECT_EQ(found, c.expected != 0) << c.first;
        if (found) {
            EXPECT_EQ(got.message, c.expected);
        }
    }

    // Removing with a filter takes the matching message out of the middle and keeps the rest.
    MSG got{};
    ASSERT_TRUE(PeekMessage(got, b.Handle(), 0, 0, PM_REMOVE));
    std::vector<UINT> rest;
    while (PeekMessage(got, NullHWnd, 0, 0, PM_REMOVE))
        rest.push_back(got.message);
    EXPECT_EQ(rest, (std::vector<UINT>{WM_USER + 1, WM_USER + 3}));
}

TEST_F(MessageLoopTest, ATickIsGeneratedOnlyWhenNoPostedMessageMatches) {
    MessageWindow window([](TMessage&) {});
    SetTimer(window.Handle(), 5, 100);
    clock.AdvanceTo(100);
    PostMessage(window.Handle(), WM_USER, 0, 0);
    MSG got{};
    ASSERT_TRUE(PeekMessage(got, NullHWnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(got.message, WM_USER);
    ASSERT_TRUE(PeekMessage(got, NullHWnd, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(got.message, WM_TIMER);
    EXPECT_EQ(got.wParam, 5u);
    // Peeking without removing leaves the tick due; removing consumes it.
    ASSERT_TRUE(PeekMessage(got, NullHWnd, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_FALSE(PeekMessage(got, NullHWnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(NextTimerDue(), Millis{200});
}

TEST_F(MessageLoopTest, SettingATimerAgainReplacesItAndKillingStopsIt) {
    std::vector<std::pair<Millis, WPARAM>> ticks;
    MessageWindow window([&](TMessage& m) {
        if (m.Msg == WM_TIMER) ticks.emplace_back(clock.Now(), m.WParam);
    });
    EXPECT_EQ(SetTimer(window.Handle(), 1, 100), 1u);
    EXPECT_EQ(SetTimer(window.Handle(), 2, 0), 2u); // below the platform's minimum of 10 ms
    RunFor(clock, 50);
    EXPECT_TRUE(KillTimer(window.Handle(), 2));
    EXPECT_FALSE(KillTimer(window.Handle(), 2));
    EXPECT_EQ(ticks.size(), 5u);
    ticks.clear();

    SetTimer(window.Handle(), 1, 200); // at 50: the next tick moves to 250
    RunFor(clock, 450);
    EXPECT_EQ(ticks, (std::vector<std::pair<Millis, WPARAM>>{{250, 1}, {450, 1}}));
    EXPECT_TRUE(KillTimer(window.Handle(), 1));
    RunFor(clock, 1000);
    EXPECT_EQ(ticks.size(), 2u);
    EXPECT_FALSE(NextTimerDue());
}

TEST_F(MessageLoopTest, MessagesFromFourThreadsArriveOnceEachInTheirThreadsOrder) {
    constexpr int Threads = 4;
    constexpr int PerThread = 25000;
    std::vector<std::vector<LPARAM>> received(Threads);
    int total = 0;
    MessageWindow window([&](TMessage& m) {
        received[m.WParam].push_back(m.LParam);
        ++total;
    });
    std::atomic<int> wakeUps{0};
    SetWakeUpHandler([&] { ++wakeUps; });

    std::vector<std::thread> posters;
    for (int t = 0; t < Threads; ++t) {
        posters.emplace_back([&, t] {
            for (int i = 0; i < PerThread; ++i)
                PostMessage(window.Handle(), WM_USER, static_cast<WPARAM>(t), i);
        });
    }
    // The pump runs while the threads post.
    while (total < Threads * PerThread) {
        if (!ProcessMessages()) WaitMessage(100);
    }
    for (auto& poster : posters)
        poster.join();
    SetWakeUpHandler(nullptr);
    ProcessMessages();

    EXPECT_EQ(total, Threads * PerThread);
    EXPECT_EQ(wakeUps.load(), Threads * PerThread);
    for (int t = 0; t < Threads; ++t) {
        ASSERT_EQ(received[t].size(), static_cast<std::size_t>(PerThread)) << t;
        for (int i = 0; i < PerThread; ++i)
            ASSERT_EQ(received[t][i], i) << "thread " << t;
    }
}

TEST_F(MessageLoopTest, AnExceptionFromAHandlerGoesToTheHandlerAndThePumpGoesOn) {
    std::vector<std::string> errors;
    SetExceptionHandler([&](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const Exception& e) {
            errors.push_back(e.Message());
        } catch (...) {
            errors.push_back("other");
        }
    });
    std::vector<UINT> seen;
    MessageWindow window([&](TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_USER + 2) throw Exception("Out of Resource");
        if (m.Msg == WM_USER + 3) throw 42;
    });
    for (UINT i = 1; i <= 4; ++i)
        PostMessage(window.Handle(), WM_USER + i, 0, 0);
    EXPECT_NO_THROW(ProcessMessages());
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_USER + 4}));
    EXPECT_EQ(errors, (std::vector<std::string>{"Out of Resource", "other"}));
}

TEST_F(MessageLoopTest, ANestedLoopInsideAHandlerDeliversLaterMessagesAndTicks) {
    std::vector<std::string> seen;
    bool inModal = false;
    std::unique_ptr<MessageWindow> window;
    window = std::make_unique<MessageWindow>([&](TMessage& m) {
        std::string where = inModal ? " in modal" : "";
        if (m.Msg == WM_TIMER) {
            seen.push_back("tick " + std::to_string(clock.Now()) + where);
            return;
        }
        seen.push_back("msg " + std::to_string(m.Msg - WM_USER) + where);
        if (m.Msg == WM_USER + 1) {
            inModal = true;
            PostMessage(window->Handle(), WM_USER + 2, 0, 0);
            for (int i = 0; i < 2; ++i) {
                clock.Advance(50);
                ProcessMessages();
            }
            inModal = false;
        }
    });
    SetTimer(window->Handle(), 1, 50);
    PostMessage(window->Handle(), WM_USER + 1, 0, 0);
    ProcessMessages();
    EXPECT_EQ(seen, (std::vector<std::string>{"msg 1", "msg 2 in modal", "tick 50 in modal",
                                              "tick 100 in modal"}));
}

TEST_F(MessageLoopTest, AHandlerThatBlocksLeavesOnlyOneTickPending) {
    std::vector<Millis> ticks;
    MessageWindow window([&](TMessage& m) {
        if (m.Msg != WM_TIMER) return;
        ticks.push_back(clock.Now());
        if (ticks.size() == 1) Sleep(5000); // the manual clock moves on 5 s
    });
    SetTimer(window.Handle(), 1, 100);
    clock.AdvanceTo(100);
    ProcessMessages();
    EXPECT_EQ(clock.Now(), 5100u);
    EXPECT_EQ(ticks, (std::vector<Millis>{100}));
    // Fifty periods passed while it blocked; one tick stands for them all.
    ProcessMessages();
    ProcessMessages();
    EXPECT_EQ(ticks, (std::vector<Millis>{100, 5100}));
    RunFor(clock, 200);
    EXPECT_EQ(ticks, (std::vector<Millis>{100, 5100, 5200, 5300}));
}

TEST_F(MessageLoopTest, AHandlerSlowerThanItsTimerDoesNotKeepTheLoopBusy) {
    int ticks = 0;
    MessageWindow window([&](TMessage& m) {
        if (m.Msg != WM_TIMER) return;
        ++ticks;
        Sleep(70); // longer than the period, on every tick
    });
    SetTimer(window.Handle(), 1, 50);
    RunFor(clock, 1000);
    EXPECT_GE(clock.Now(), 1000u);
    // The handler's 70 ms set the pace: 50, 120, ... 1030 (the last one overdue at 1000).
    EXPECT_EQ(ticks, 15);
}

TEST_F(MessageLoopTest, AWindowThatIsGoneTakesItsMessagesAndTimersWithIt) {
    std::vector<std::string> seen;
    auto gone = std::make_unique<MessageWindow>(
        [&](TMessage& m) { seen.push_back("gone " + std::to_string(m.Msg)); });
    MessageWindow stays([&](TMessage& m) { seen.push_back("stays " + std::to_string(m.Msg)); });
    const HWND goneHandle = gone->Handle();
    PostMessage(goneHandle, WM_USER, 0, 0);
    PostMessage(stays.Handle(), WM_USER, 0, 0);
    PostMessage(goneHandle, WM_USER, 0, 0);
    SetTimer(goneHandle, 1, 10);
    gone.reset();

    EXPECT_FALSE(IsWindow(goneHandle));
    EXPECT_FALSE(PostMessage(goneHandle, WM_USER, 0, 0));
    EXPECT_EQ(SetTimer(goneHandle, 2, 10), 0u);
    EXPECT_EQ(SendMessage(goneHandle, WM_USER, 0, 0), 0);
    EXPECT_FALSE(NextTimerDue());
    MSG got{};
    ASSERT_TRUE(PeekMessage(got, NullHWnd, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(got.hwnd, stays.Handle());
    EXPECT_FALSE(PeekMessage(got, goneHandle, 0, 0, PM_NOREMOVE));
    RunFor(clock, 100);
    EXPECT_EQ(seen, (std::vector<std::string>{"stays 1024"}));
}

TEST_F(MessageLoopTest, HandlesAreNeverReused) {
    HWND first = AllocateHWnd([](TMessage&) {});
    DeallocateHWnd(first);
    MessageWindow next([](TMessage&) {});
    EXPECT_NE(next.Handle(), first);
    EXPECT_NE(next.Handle(), NullHWnd);
    EXPECT_FALSE(PostMessage(first, WM_USER, 0, 0));
}

TEST_F(MessageLoopTest, RunForDeliversScheduledWorkAndTicksInTimeOrder) {
    std::vector<std::string> seen;
    MessageWindow window([&](TMessage& m) {
        seen.push_back((m.Msg == WM_TIMER ? "tick " : "msg ") + std::to_string(clock.Now()));
    });
    SetTimer(window.Handle(), 1, 100);
    // A driver thread's work, standing in as scheduled actions: it posts at 150 and at 230.
    clock.Schedule(150, [&] { PostMessage(window.Handle(), WM_USER, 0, 0); });
    clock.Schedule(230, [&] { PostMessage(window.Handle(), WM_USER, 0, 0); });
    RunFor(clock, 250);
    EXPECT_EQ(seen, (std::vector<std::string>{"tick 100", "msg 150", "tick 200", "msg 230"}));
    EXPECT_EQ(clock.Now(), 250u);
}

} // namespace
} // namespace platform::core
