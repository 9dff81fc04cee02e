#pragma once

#include "render/png/png_loading.h"

#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace brindo {

// Loads one picture at a time on a thread of its own, so that a redraw can
// decode the next picture while it draws the current one. The thread starts
// with the first load and ends with the object.
class ReadAhead {
public:
    using Load = std::function<LoadedPicture(const QString& path)>;

    explicit ReadAhead(Load load);
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;
    ~ReadAhead();

    // Starts loading the picture at `path`. A load that was started before
    // and not taken is finished and thrown away first.
    void start(const QString& path);
    // Waits for the started load and hands its picture over.
    LoadedPicture take();
    // Finishes a started load, if any, and throws its picture away.
    void drop();

private:
    void run();

    Load load_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<QString> waiting_;      // started, not yet picked up by the thread
    std::optional<LoadedPicture> loaded_; // finished, not yet taken
    bool started_ = false;                // a load was started and not yet taken
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace brindo
