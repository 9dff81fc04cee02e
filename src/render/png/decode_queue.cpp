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
    if (nextToStart_ == index) {
        // No worker has begun it: waking one would only add its wake-up time.
        ++nextToStart_;
        ++taken_;
        const QString file = files_.at(index);
        const bool moreMayStart = foregroundReady() || backgroundReady();
        lock.unlock();
        if (moreMayStart) {
            changed_.notify_all();
        }
        return decodeSafely(file);
    }
    auto& slot = done_[static_cast<std::size_t>(index)];
    changed_.wait(lock, [&] { return slot.has_value(); });
    LoadedPicture picture = std::move(*slot);
    slot.reset();
    ++taken_;
    const bool moreMayStart = foregroundReady() || backgroundReady();
    lock.unlock();
    if (moreMayStart) {
        changed_.notify_all();
    }
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

void DecodeQueue::startBackground(const QStringList& nativeFiles) {
    if (threadCount_ == 0) {
        return;
    }
    static_cast<void>(finishBackground());
    {
        const std::lock_guard lock(mutex_);
        background_ = nativeFiles;
    }
    while (static_cast<int>(threads_.size()) < threadCount_ && !nativeFiles.isEmpty()) {
        threads_.emplace_back(&DecodeQueue::run, this);
    }
    changed_.notify_all();
}

bool DecodeQueue::backgroundPending() {
    const std::lock_guard lock(mutex_);
    return backgroundRunning_ > 0 || nextBackground_ < background_.size();
}

std::vector<std::pair<qsizetype, LoadedPicture>> DecodeQueue::finishBackground() {
    std::unique_lock lock(mutex_);
    background_.clear();
    nextBackground_ = 0;
    changed_.wait(lock, [this] { return backgroundRunning_ == 0; });
    return std::exchange(backgroundDone_, {});
}

bool DecodeQueue::foregroundReady() const {
    return nextToStart_ < files_.size() && nextToStart_ < taken_ + aheadLimit();
}

bool DecodeQueue::backgroundReady() const {
    return nextBackground_ < background_.size() && taken_ == files_.size();
}

void DecodeQueue::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || foregroundReady() || backgroundReady(); });
        if (stopping_) {
            return;
        }
        if (foregroundReady()) {
            decodeForeground(lock);
        } else {
            decodeBackground(lock);
        }
    }
}

void DecodeQueue::decodeBackground(std::unique_lock<std::mutex>& lock) {
    const qsizetype index = nextBackground_++;
    const QString file = background_.at(index);
    ++backgroundRunning_;
    lock.unlock();
    LoadedPicture picture = decodeSafely(file);
    lock.lock();
    --backgroundRunning_;
    backgroundDone_.emplace_back(index, std::move(picture));
    changed_.notify_all();
}

void DecodeQueue::decodeForeground(std::unique_lock<std::mutex>& lock) {
    const qsizetype index = nextToStart_++;
    const QString file = files_.at(index);
    const quint64 list = list_;
    ++running_;
    lock.unlock();
    LoadedPicture picture = decodeSafely(file);
    lock.lock();
    --running_;
    if (list == list_) {
        done_[static_cast<std::size_t>(index)] = std::move(picture);
    }
    changed_.notify_all();
}

LoadedPicture DecodeQueue::decodeSafely(const QString& file) const {
    try {
        return decode_(file);
    } catch (...) {
        return {}; // a failed decode draws nothing
    }
}

} // namespace brindo
