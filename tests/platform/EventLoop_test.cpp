#include "platform/EventLoop.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <chrono>

namespace vantorell {
namespace {

using namespace std::chrono_literals;

TEST(EventLoop, WaitEndsWhenAnEventMakesItsConditionTrue) {
    bool flag = false;
    QTimer::singleShot(10, [&] { flag = true; });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(waitForMessages([&] { return flag; }, 5000ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4000ms);
}

TEST(EventLoop, WaitGivesUpAtItsDeadline) {
    int asked = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(waitForMessages(
        [&] {
            ++asked;
            return false;
        },
        50ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 50ms);
    // Asked at the start, when the loop went idle and at the end: no spinning.
    EXPECT_LT(asked, 20);
}

TEST(EventLoop, ConditionAlreadyTrueReturnsAtOnce) {
    EXPECT_TRUE(waitForMessages([] { return true; }, 0ms));
    EXPECT_FALSE(waitForMessages([] { return false; }, 0ms));
}

TEST(EventLoop, AMovedDeadlineIsWaitedForAndAQuitRequestIsToldApart) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    auto deadline = start + 50ms;
    // Progress that comes before the deadline moves it.
    QTimer::singleShot(30, [&] { deadline = Clock::now() + 80ms; });
    EXPECT_EQ(waitForMessagesUntil([] { return false; }, deadline), WaitEnd::Deadline);
    EXPECT_GE(Clock::now() - start, 110ms);

    WaitEnd end = WaitEnd::Done;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(20, [] { QCoreApplication::quit(); });
        end = waitForMessagesUntil([] { return false; }, Clock::now() + 10s);
    });
    QCoreApplication::exec();
    EXPECT_EQ(end, WaitEnd::Quit);
    EXPECT_LT(Clock::now() - start, 5s);
}

}  // namespace
}  // namespace vantorell
