#include "render/png/read_ahead.h"

#include <utility>

namespace brindo {

ReadAhead::ReadAhead(Load load) : load_(std::move(load)) {}

ReadAhead::~ReadAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void ReadAhead::start(const QString& path) {
    drop();
    {
        const std::lock_guard lock(mutex_);
        waiting_ = path;
        started_ = true;
    }
    if (!thread_.joinable()) {
        thread_ = std::thread(&ReadAhead::run, this);
    }
    changed_.notify_all();
}

LoadedPicture ReadAhead::take() {
    std::unique_lock lock(mutex_);
    if (!started_) {
        return {};
    }
    changed_.wait(lock, [this] { return loaded_.has_value(); });
    LoadedPicture picture = std::move(*loaded_);
    loaded_.reset();
    started_ = false;
    return picture;
}

void ReadAhead::drop() {
    static_cast<void>(take());
}

void ReadAhead::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || waiting_.has_value(); });
        if (stopping_) {
            return;
        }
        const QString path = std::move(*waiting_);
        waiting_.reset();
        lock.unlock();
        LoadedPicture picture;
        try {
            picture = load_(path);
        } catch (...) {
            picture = {}; // a failed load draws nothing, as on the calling thread
        }
        lock.lock();
        loaded_ = std::move(picture);
        changed_.notify_all();
    }
}

} // namespace brindo
