#include "ordered_pool.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace brindo::cli {

void runInOrder(qsizetype count, int workers, const std::function<void(qsizetype, int)>& work,
                const std::function<void(qsizetype)>& done,
                const std::function<void(qsizetype)>& waiting, int tick) {
    std::mutex mutex;
    std::condition_variable finishedOne;
    std::vector<bool> finished(static_cast<std::size_t>(std::max<qsizetype>(count, 0)), false);
    qsizetype next = 0;
    qsizetype finishedCount = 0;

    const auto runTasks = [&](int worker) {
        for (;;) {
            qsizetype index = 0;
            {
                const std::lock_guard lock(mutex);
                if (next >= count) {
                    return;
                }
                index = next++;
            }
            work(index, worker);
            {
                const std::lock_guard lock(mutex);
                finished[static_cast<std::size_t>(index)] = true;
                ++finishedCount;
            }
            finishedOne.notify_one();
        }
    };
    std::vector<std::thread> threads;
    const auto threadCount =
        static_cast<int>(std::clamp<qsizetype>(workers, 1, std::max<qsizetype>(count, 1)));
    threads.reserve(static_cast<std::size_t>(threadCount));
    for (int worker = 0; worker < threadCount; ++worker) {
        threads.emplace_back(runTasks, worker);
    }

    for (qsizetype reported = 0; reported < count; ++reported) {
        std::unique_lock lock(mutex);
        while (!finished[static_cast<std::size_t>(reported)]) {
            finishedOne.wait_for(lock, std::chrono::milliseconds(tick));
            if (waiting) {
                const qsizetype soFar = finishedCount;
                lock.unlock();
                waiting(soFar);
                lock.lock();
            }
        }
        lock.unlock();
        done(reported);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
}

} // namespace brindo::cli
