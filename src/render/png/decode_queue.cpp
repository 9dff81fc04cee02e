#include "render/png/decode_queue.h"

#include <algorithm>
#include <utility>

namespace brindo {

DecodeQueue::DecodeQueue(int threads, Decode decode)
    : threadCount_(std::max(threads, 0)), decode_(std::move(decode)) {}

DecodeQueue::~DecodeQueue() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

void DecodeQueue::start(const QStringList& nativeFiles) {
    stop();
    {
        const std::lock_guard lock(mutex_);
        files_ = nativeFiles;
        done_.assign(static_cast<std::size_t>(nativeFiles.size()), std::nullopt);
        ++list_;
    }
    while (static_cast<int>(threads_.size()) < threadCount_ && !nativeFiles.isEmpty()) {
        threads_.emplace_back(&DecodeQueue::run, this);
    }
    changed_.notify_all();
}

LoadedPicture DecodeQueue::takeNext() {
    std::unique_lock lock(mutex_);
    const qsizetype index = taken_;
    if (index >= files_.size()) {
        return {};
    }
    if (threadCount_ == 0) {
        ++taken_;
        const QString file = files_.at(index);
        lock.unlock();
        return decode_(file);
    }
    auto& slot = done_[static_cast<std::size_t>(index)];
    changed_.wait(lock, [&] { return slot.has_value(); });
    LoadedPicture picture = std::move(*slot);
    slot.reset();
    ++taken_;
    lock.unlock();
    changed_.notify_all(); // one more may start
    return picture;
}

void DecodeQueue::stop() {
    std::unique_lock lock(mutex_);
    files_.clear();
    done_.clear();
    nextToStart_ = 0;
    taken_ = 0;
    ++list_;
    changed_.wait(lock, [this] { return running_ == 0; });
}

void DecodeQueue::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] {
            return stopping_ ||
                   (nextToStart_ < files_.size() && nextToStart_ < taken_ + aheadLimit());
        });
        if (stopping_) {
            return;
        }
        const qsizetype index = nextToStart_++;
        const QString file = files_.at(index);
        const quint64 list = list_;
        ++running_;
        lock.unlock();
        LoadedPicture picture;
        try {
            picture = decode_(file);
        } catch (...) {
            picture = {}; // a failed decode draws nothing, as on the calling thread
        }
        lock.lock();
        --running_;
        if (list == list_) {
            done_[static_cast<std::size_t>(index)] = std::move(picture);
        }
        changed_.notify_all();
    }
}

} // namespace brindo
