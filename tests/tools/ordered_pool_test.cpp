#include "ordered_pool.h"

#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <vector>

namespace brindo::cli {
namespace {

// Results come once each, in index order, on the calling thread, within the worker bound.
TEST(OrderedPoolTest, ResultsComeInInputOrderWithBoundedWorkers) {
    constexpr qsizetype kTasks = 40;
    std::vector<int> results(kTasks, -1);
    std::atomic<int> running = 0;
    std::atomic<int> mostRunning = 0;
    QList<qsizetype> order;
    const Qt::HANDLE caller = QThread::currentThreadId();
    bool doneOnCaller = true;
    std::vector<std::atomic<int>> busy(3); // no thread name runs two tasks at once
    std::atomic<bool> namesShared = false;
    runInOrder(
        kTasks, 3,
        [&](qsizetype index, int worker) {
            namesShared = namesShared || worker < 0 || worker >= 3 || ++busy[worker] > 1;
            mostRunning = std::max(mostRunning.load(), ++running);
            // Early tasks take longest, so later ones finish first.
            QThread::usleep(static_cast<unsigned long>((kTasks - index) % 7) * 500);
            results[static_cast<std::size_t>(index)] = static_cast<int>(index * index);
            --running;
            --busy[worker];
        },
        [&](qsizetype index) {
            doneOnCaller = doneOnCaller && QThread::currentThreadId() == caller;
            EXPECT_EQ(results[static_cast<std::size_t>(index)], index * index) << "finished";
            order.append(index);
        });
    QList<qsizetype> expected;
    for (qsizetype i = 0; i < kTasks; ++i) {
        expected.append(i);
    }
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(doneOnCaller);
    EXPECT_FALSE(namesShared);
    EXPECT_LE(mostRunning.load(), 3);
    EXPECT_GE(mostRunning.load(), 2) << "the workers run side by side";

    int calls = 0;
    runInOrder(
        0, 4, [](qsizetype, int) {}, [&calls](qsizetype) { ++calls; });
    EXPECT_EQ(calls, 0);
}

} // namespace
} // namespace brindo::cli
