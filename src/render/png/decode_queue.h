#pragma once

#include "render/png/png_loading.h"

#include <QStringList>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace brindo {

// Decodes a list of files on worker threads while the caller takes the
// pictures strictly in order. At most two pictures a thread are decoded or
// being decoded and not yet given up by the caller (the last one taken
// counts until the next is taken), so memory stays bounded however long the
// list. Between lists, the threads decode a background list. The threads
// start with the first list and end with the object.
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
    // The next picture of the list, once decoded; decoded on the calling
    // thread when no worker has begun it yet. Only as many times as the list
    // has files.
    LoadedPicture takeNext();
    // Drops the rest of the list and waits for the decodes under way.
    void stop();

    // Starts decoding files in the background, in order, while no list is
    // being taken; what was left of an earlier background list is dropped.
    // Nothing happens without threads.
    void startBackground(const QStringList& nativeFiles);
    // Whether background files are still waiting or being decoded.
    bool backgroundPending();
    // Drops the background files not yet begun, waits for those under way,
    // and hands over the decoded ones with their places in the list.
    std::vector<std::pair<qsizetype, LoadedPicture>> finishBackground();

    int threads() const { return threadCount_; }

private:
    void run();
    bool foregroundReady() const;
    bool backgroundReady() const;
    void decodeForeground(std::unique_lock<std::mutex>& lock);
    void decodeBackground(std::unique_lock<std::mutex>& lock);
    LoadedPicture decodeSafely(const QString& file) const;
    qsizetype aheadLimit() const { return 2 * qsizetype{threadCount_} - 1; }

    const int threadCount_;
    const Decode decode_;
    std::mutex mutex_;
    std::condition_variable changed_;
    QStringList files_;
    std::vector<std::optional<LoadedPicture>> done_;
    qsizetype nextToStart_ = 0;
    qsizetype taken_ = 0;
    int running_ = 0; // decodes of the list under way
    QStringList background_;
    qsizetype nextBackground_ = 0;
    int backgroundRunning_ = 0;
    std::vector<std::pair<qsizetype, LoadedPicture>> backgroundDone_;
    quint64 list_ = 0; // counts the lists, so that a decode of a dropped one is thrown away
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace brindo
