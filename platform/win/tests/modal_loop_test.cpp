#include "platform/win/modal_loop.h"

#include "platform/win/host_widget.h"
#include "platform/win/painting.h"
#include "platform/win/tests/win_test_support.h"
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>

namespace platform::win::test {
namespace {

using ModalLoopTest = WindowTest;

TEST_F(ModalLoopTest, EndsWhenItsWindowLosesCaptureAndDeliversWhatIsPostedMeanwhile) {
    HWND menu = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    HWND other = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(200, 0, 100, 100));
    bool running = false;
    bool postedInside = false;
    int ticksInside = 0;
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM lParam, LRESULT&) {
        if (h == menu && msg == WM_USER) postedInside = running;
        if (h == menu && msg == WM_TIMER && running) ++ticksInside;
        // A press outside the menu closes it: the capture goes.
        if (h == menu && msg == WM_LBUTTONDOWN) {
            TPoint p = LParamToPoint(lParam);
            if (p.X >= 100) ReleaseCapture();
        }
        return false;
    };
    SetCapture(menu);
    core::SetTimer(menu, 1, 30);
    clock.Schedule(clock.Now() + 10, [&] { core::PostMessage(menu, WM_USER, 0, 0); });
    clock.Schedule(clock.Now() + 100, [&] { input.Click({250, 50}); });

    const auto start = clock.Now();
    ModalLoop loop(menu);
    running = true;
    loop.Run();
    running = false;

    EXPECT_TRUE(postedInside);
    EXPECT_EQ(ticksInside, 3);
    EXPECT_EQ(clock.Now() - start, 100u);
    EXPECT_EQ(GetCapture(), NullHWnd);
    // The click went to the menu, which held the capture, not to the window under it.
    EXPECT_TRUE(Got(other, {WM_LBUTTONDOWN}).empty());
    core::KillTimer(menu, 1);
}

TEST_F(ModalLoopTest, QuitEndsItAndTheLoopSeesMessagesBeforeDispatch) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    SetFocus(wnd);
    ModalLoop loop;
    std::vector<WPARAM> keys;
    loop.OnMessage = [&](MSG& msg) {
        if (msg.message == WM_KEYDOWN) {
            keys.push_back(msg.wParam);
            if (msg.wParam == VK_ESCAPE) loop.Quit();
            return false;
        }
        return true;
    };
    clock.Schedule(clock.Now() + 5, [&] { input.Key(Qt::Key_Down); });
    clock.Schedule(clock.Now() + 10, [&] { input.Key(Qt::Key_Escape); });
    loop.Run();
    // The release of Escape is still queued; the outer loop gets it.
    PumpUntilIdle();
    EXPECT_EQ(keys, (std::vector<WPARAM>{VK_DOWN, VK_ESCAPE}));
    EXPECT_TRUE(Got(wnd, {WM_KEYDOWN}).empty());
    EXPECT_EQ(Got(wnd, {WM_KEYUP}).size(), 2u);
}

// Notes when the desktop is given a widget's pixels.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(std::function<void()> onPaint) : onPaint_(std::move(onPaint)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) onPaint_();
        return false;
    }

private:
    std::function<void()> onPaint_;
};

// A timer whose handler takes as long as its interval, as the paced transmit's does: the click
// the user made meanwhile is taken, and what the handler drew reaches the screen, before the next
// tick.
TEST_F(ModalLoopTest, InputAndPaintingWaitingAtTheDesktopComeBeforeTheNextTick) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    PumpUntilIdle();
    constexpr UINT ScreenPaint = 0;
    std::vector<UINT> order;
    int ticks = 0;
    PaintWatch watch([&] {
        if (ticks > 0) order.push_back(ScreenPaint);
    });
    HostWidgetOf(wnd)->installEventFilter(&watch);
    ModalLoop loop;
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (h != wnd) return false;
        if (msg == WM_LBUTTONDOWN || msg == WM_PAINT) order.push_back(msg);
        if (msg != WM_TIMER) return false;
        order.push_back(msg);
        if (++ticks == 1) {
            input.LeaveAtDesktop = true;
            input.Click({50, 50});
            input.LeaveAtDesktop = false;
            InvalidateRect(wnd, nullptr, false);
        }
        if (ticks == 2) loop.Quit();
        core::Sleep(50);
        return true;
    };
    core::SetTimer(wnd, 1, 50);
    loop.Run();
    core::KillTimer(wnd, 1);
    HostWidgetOf(wnd)->removeEventFilter(&watch);

    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order.front(), WM_TIMER);
    EXPECT_EQ(order.back(), WM_TIMER);
    // Between the ticks, in whatever order the desktop hands them over.
    std::vector<UINT> between(order.begin() + 1, order.end() - 1);
    std::sort(between.begin(), between.end());
    EXPECT_EQ(between, (std::vector<UINT>{ScreenPaint, WM_PAINT, WM_LBUTTONDOWN}));
}

TEST_F(ModalLoopTest, WaitingWithNothingScheduledUnderTheManualClockFailsInsteadOfHanging) {
    HWND wnd = Create(WS_POPUP | WS_VISIBLE, gdi::Bounds(0, 0, 100, 100));
    PumpUntilIdle();
    SetCapture(wnd);
    ModalLoop loop(wnd);
    EXPECT_THROW(loop.Run(), std::logic_error);
    EXPECT_EQ(ModalLoopDepth(), 0);
}

} // namespace
} // namespace platform::win::test

namespace platform::win::test {
namespace {

// The program waits in Qt's event loop with the system clock in force. A message that another
// thread (the MIDI driver's) posts while a modal loop waits there, with no timer due and no
// input, ends the wait and is dispatched. The watchdog's rescue is how the fault shows: without
// it the loop would wait for good.
TEST_F(ModalLoopTest, APostFromAnotherThreadEndsTheWaitInQtsEventLoop) {
    core::SystemClock systemClock;
    core::ClockOverride realTime(systemClock);
    HWND wnd = Create(WS_POPUP, gdi::Bounds(0, 0, 10, 10));
    PumpUntilIdle();
    ModalLoop loop;
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (h == wnd && msg == WM_USER) loop.Quit();
        return false;
    };

    QAbstractEventDispatcher* dispatcher =
        QCoreApplication::instance()->thread()->eventDispatcher();
    ASSERT_NE(dispatcher, nullptr);
    std::promise<void> waiting;
    bool told = false;
    const auto connection =
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] {
            if (!std::exchange(told, true)) waiting.set_value();
        });
    std::thread driver([&, blocked = waiting.get_future()] {
        blocked.wait();
        core::PostMessage(wnd, WM_USER, 0, 0);
    });
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::atomic<bool> rescued = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!ended.wait_for(lock, std::chrono::seconds(20), [&] { return done; })) {
            rescued = true;
            dispatcher->wakeUp();
        }
    });

    loop.Run();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    ended.notify_one();
    driver.join();
    watchdog.join();
    QObject::disconnect(connection);
    EXPECT_TRUE(told) << "the loop never waited";
    EXPECT_FALSE(rescued) << "the post did not end the wait";
    EXPECT_EQ(Got(wnd, {WM_USER}).size(), 1u);
}

// The wake-up of posts is wired once and stays wired, so a wait that finds it wired by an earlier
// one proves nothing about its own: the test above passes whenever a tick of an earlier loop
// wired it. A loop of Qt's own (the file dialog's) takes the wake-up over and leaves it unwired;
// the first wait after it, as the first wait of the program, wires it again. The post comes from
// this thread just as Qt is about to block, so the outcome does not depend on timing: wired, the
// wait ends at once; not wired, it ends only by the rescue timer.
TEST_F(ModalLoopTest, TheFirstWaitWiresTheWakeUpOfPosts) {
    core::SystemClock systemClock;
    core::ClockOverride realTime(systemClock);
    HWND wnd = Create(WS_POPUP, gdi::Bounds(0, 0, 10, 10));
    PumpUntilIdle();
    { QtLoopDispatch qtsOwnLoop; }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    ModalLoop loop;
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (h == wnd && msg == WM_USER) loop.Quit();
        return false;
    };
    QAbstractEventDispatcher* dispatcher =
        QCoreApplication::instance()->thread()->eventDispatcher();
    ASSERT_NE(dispatcher, nullptr);
    bool posted = false;
    const auto connection =
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] {
            if (!std::exchange(posted, true)) core::PostMessage(wnd, WM_USER, 0, 0);
        });
    bool rescued = false;
    QTimer rescue;
    rescue.setSingleShot(true);
    QObject::connect(&rescue, &QTimer::timeout, [&] {
        rescued = true;
        core::PostMessage(wnd, WM_USER, 0, 0);
    });
    rescue.start(2000);

    loop.Run();
    rescue.stop();
    QObject::disconnect(connection);
    EXPECT_TRUE(posted) << "the loop never waited";
    EXPECT_FALSE(rescued) << "the post did not end the first wait";
}

} // namespace
} // namespace platform::win::test

namespace platform::win::test {
namespace {

// The file dialog runs a loop of Qt's own. Meanwhile a post from another thread is dispatched at
// once, and a window timer ticks.
TEST_F(ModalLoopTest, ALoopOfQtsOwnDispatchesPostsAndTimers) {
    core::SystemClock systemClock;
    core::ClockOverride realTime(systemClock);
    HWND wnd = Create(WS_POPUP, gdi::Bounds(0, 0, 10, 10));
    PumpUntilIdle();
    QEventLoop qtLoop;
    int ticks = 0;
    handler = [&](HWND h, UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (h == wnd && msg == WM_TIMER && ++ticks == 2) {
            core::KillTimer(wnd, 1);
            std::thread([wnd] { core::PostMessage(wnd, WM_USER, 0, 0); }).detach();
        }
        if (h == wnd && msg == WM_USER) qtLoop.quit();
        return false;
    };
    core::SetTimer(wnd, 1, 10);
    std::atomic<bool> rescued = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        rescued = true;
        qtLoop.quit();
    });
    watchdog.start(20000);
    {
        QtLoopDispatch dispatch;
        qtLoop.exec();
    }
    EXPECT_FALSE(rescued) << "the loop of Qt's own did not dispatch the queue";
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(Got(wnd, {WM_USER}).size(), 1u);
}

} // namespace
} // namespace platform::win::test
