#pragma once

#include "render/png/png_loading.h"

#include <QStringList>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace brindo {

// Decodes a list of files on worker threads while the caller takes the
// pictures strictly in order. At most two pictures a thread are decoded or
// being decoded and not yet given up by the caller (the last one taken
// counts until the next is taken), so memory stays bounded however long the
// list. The threads start with the first list and end with the object.
class DecodeQueue {
public:
    using Decode = std::function<LoadedPicture(const QString& nativeFile)>;

    // With no threads, each picture is decoded on the calling thread when it
    // is taken.
    DecodeQueue(int threads, Decode decode);
    DecodeQueue(const DecodeQueue&) = delete;
    DecodeQueue& operator=(const DecodeQueue&) = delete;
    ~DecodeQueue();

    // Starts decoding the files in order; what was left of an earlier list is
    // dropped.
    void start(const QStringList& nativeFiles);
    // The next picture of the list, once decoded. Only as many times as the
    // list has files.
    LoadedPicture takeNext();
    // Drops the rest of the list and waits for the decodes under way.
    void stop();

    int threads() const { return threadCount_; }

private:
    void run();
    qsizetype aheadLimit() const { return 2 * qsizetype{threadCount_} - 1; }

    const int threadCount_;
    const Decode decode_;
    std::mutex mutex_;
    std::condition_variable changed_;
    QStringList files_;
    std::vector<std::optional<LoadedPicture>> done_;
    qsizetype nextToStart_ = 0;
    qsizetype taken_ = 0;
    int running_ = 0;
    quint64 list_ = 0; // counts the lists, so that a decode of a dropped one is thrown away
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace brindo
