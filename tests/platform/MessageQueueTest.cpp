#include "platform/MessageQueue.h"

#include <chrono>
#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;

TEST(MessageQueue, PostedCallsRunInOrderAndOnesPostedByThemRunOnTheNextPass)
{
    MessageQueue queue;
    std::string order;
    queue.Post([&] {
        order += "a";
        queue.Post([&] { order += "c"; });
    });
    queue.Post([&] { order += "b"; });

    EXPECT_EQ(queue.ProcessMessages(), 2u);
    EXPECT_EQ(order, "ab");
    EXPECT_EQ(queue.ProcessMessages(), 1u);
    EXPECT_EQ(order, "abc");
    EXPECT_EQ(queue.ProcessMessages(), 0u);
}

TEST(MessageQueue, TimersFireWhenDueAndNotAfterCancel)
{
    MessageQueue queue;
    std::string fired;
    queue.StartTimer(30ms, [&] { fired += "late"; });
    queue.StartTimer(0ms, [&] { fired += "now,"; });
    const auto cancelled = queue.StartTimer(10ms, [&] { fired += "cancelled,"; });
    queue.CancelTimer(cancelled);

    queue.ProcessMessages();
    EXPECT_EQ(fired, "now,");
    const auto start = std::chrono::steady_clock::now();
    while (fired == "now," && std::chrono::steady_clock::now() - start < 2s)
        queue.WaitAndProcess(1s);
    EXPECT_EQ(fired, "now,late");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms) << "the wait ends at the timer";
}

TEST(MessageQueue, APostFromAnotherThreadWakesTheWait)
{
    MessageQueue queue;
    bool ran = false;
    std::thread worker([post = queue.ThreadSafePoster(), &ran] {
        std::this_thread::sleep_for(20ms);
        post([&ran] { ran = true; });
    });
    const auto start = std::chrono::steady_clock::now();
    while (!ran && std::chrono::steady_clock::now() - start < 2s)
        queue.WaitAndProcess(5s);
    worker.join();
    EXPECT_TRUE(ran);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

TEST(MessageQueue, APosterOutlivingItsQueueIsHarmless)
{
    MessageQueue::ThreadSafePost post;
    {
        MessageQueue queue;
        post = queue.ThreadSafePoster();
    }
    post([] { FAIL() << "ran without a queue"; });
}

TEST(MessageQueue, WatchersReportReadinessAndMayRemoveThemselves)
{
    MessageQueue queue;
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    int calls = 0;
    MessageQueue::Id watcher = 0;
    watcher = queue.Watch(fds[0], POLLIN, [&](short revents) {
        EXPECT_TRUE(revents & POLLIN);
        ++calls;
        queue.Unwatch(watcher);
    });
    queue.ProcessMessages();
    EXPECT_EQ(calls, 0);

    ASSERT_EQ(::write(fds[1], "x", 1), 1);
    queue.ProcessMessages();
    queue.ProcessMessages();
    EXPECT_EQ(calls, 1);
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST(MessageQueue, AHandlerMayPumpTheQueueAgain)
{
    MessageQueue queue;
    std::string order;
    queue.Post([&] {
        order += "outer,";
        queue.Post([&] { order += "inner,"; });
        queue.ProcessMessages();
        order += "back";
    });
    queue.ProcessMessages();
    EXPECT_EQ(order, "outer,inner,back");
}
