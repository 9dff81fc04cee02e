// Pictures come in order within the thread bound; a dropped list leaves nothing behind.

#include "render/png/decode_queue.h"

#include <QStringList>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <thread>

namespace brindo {
namespace {

using namespace std::chrono_literals;

// A "file" named by a number decodes to a picture that many pixels wide.
QStringList numbered(int from, int count) {
    QStringList files;
    for (int number = from; number < from + count; ++number) {
        files.append(QString::number(number));
    }
    return files;
}

int numberOf(const LoadedPicture& picture) {
    return picture.result == LoadResult::Loaded ? picture.image.width() : -1;
}

// Decodes of random length that count how far the threads run ahead of the caller.
struct SlowDecodes {
    std::atomic<int> started{0};
    std::atomic<int> taken{0};
    std::atomic<int> mostAhead{0};
    std::atomic<int> running{0};
    std::atomic<int> mostRunning{0};

    LoadedPicture operator()(const QString& file) {
        const int ahead = ++started - taken;
        mostAhead = std::max(mostAhead.load(), ahead);
        mostRunning = std::max(mostRunning.load(), ++running);
        thread_local std::mt19937 random(std::hash<std::thread::id>()(std::this_thread::get_id()));
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        --running;
        if (file == u"13") {
            throw std::runtime_error("a decoder fault");
        }
        return {LoadResult::Loaded, QImage(file.toInt(), 1, QImage::Format_ARGB32), {}, {}};
    }
};

TEST(DecodeQueueTest, PicturesComeInOrderWithTheThreadsAtMostTwoPicturesAhead) {
    constexpr int kThreads = 3;
    SlowDecodes decodes;
    DecodeQueue queue(kThreads, [&](const QString& file) { return decodes(file); });
    for (int list = 0; list < 3; ++list) {
        decodes.started = 0;
        decodes.taken = 0;
        queue.start(numbered(1, 40));
        for (int number = 1; number <= 40; ++number) {
            ++decodes.taken; // counted from the call, so that no start is missed
            const LoadedPicture picture = queue.takeNext();
            // A decoder that throws gives a picture that draws nothing.
            EXPECT_EQ(numberOf(picture), number == 13 ? -1 : number) << "list " << list;
        }
    }
    // The caller decodes a picture no thread has begun, beside the threads.
    EXPECT_GE(decodes.mostRunning, kThreads) << "the threads decode side by side";
    EXPECT_LE(decodes.mostRunning, kThreads + 1);
    // With the picture that the caller holds, two a thread.
    EXPECT_LE(decodes.mostAhead, 2 * kThreads - 1);
    EXPECT_EQ(numberOf(queue.takeNext()), -1) << "past the end of the list: nothing";

    // A list dropped half way: the next one gets only its own pictures.
    queue.start(numbered(100, 10));
    EXPECT_EQ(numberOf(queue.takeNext()), 100);
    queue.start(numbered(200, 5));
    for (int number = 200; number < 205; ++number) {
        EXPECT_EQ(numberOf(queue.takeNext()), number);
    }
}

TEST(DecodeQueueTest, BackgroundFilesWaitForTheListAndComeBackWithTheirPlaces) {
    SlowDecodes decodes;
    DecodeQueue queue(2, [&](const QString& file) { return decodes(file); });
    queue.startBackground(numbered(50, 4));
    for (int waited = 0; queue.backgroundPending() && waited < 1000; ++waited) {
        std::this_thread::sleep_for(2ms);
    }
    auto done = queue.finishBackground();
    ASSERT_EQ(done.size(), 4U);
    for (const auto& [place, picture] : done) {
        EXPECT_EQ(numberOf(picture), 50 + place);
    }
    EXPECT_TRUE(queue.finishBackground().empty()) << "handed over once";

    // A list goes before waiting background files, which it drops when finished early.
    queue.startBackground(numbered(60, 30));
    queue.start(numbered(1, 6));
    for (int number = 1; number <= 6; ++number) {
        EXPECT_EQ(numberOf(queue.takeNext()), number);
    }
    done = queue.finishBackground();
    EXPECT_FALSE(queue.backgroundPending());
    for (const auto& [place, picture] : done) {
        EXPECT_EQ(numberOf(picture), 60 + place);
    }

    // Without threads each picture is decoded when taken, and none in the background.
    const std::thread::id caller = std::this_thread::get_id();
    DecodeQueue onCaller(0, [&](const QString& file) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        return decodes(file);
    });
    onCaller.startBackground(numbered(1, 3));
    EXPECT_FALSE(onCaller.backgroundPending());
    onCaller.start(numbered(7, 2));
    EXPECT_EQ(numberOf(onCaller.takeNext()), 7);
    EXPECT_EQ(numberOf(onCaller.takeNext()), 8);
}

} // namespace
} // namespace brindo
