#pragma once

#include <QString>
#include <atomic>
#include <thread>

namespace brindo::test {

// Files that are no regular files, named in place of an image or a document.
enum class NonRegularFile { NamedPipe, Socket, Device };
inline constexpr NonRegularFile kNonRegularFiles[] = {
    NonRegularFile::NamedPipe, NonRegularFile::Socket, NonRegularFile::Device};

const char* describe(NonRegularFile kind);

// Makes one at the path, and its folders (a device is a link to /dev/zero).
void makeNonRegularFile(NonRegularFile kind, const QString& path);

// While it lives, opens and closes each named pipe in `folder` or below for
// writing after `afterMs`, so that a hanging reader sees an empty file and
// its test fails on time rather than freezing.
class PipeRelease {
public:
    explicit PipeRelease(QString folder, int afterMs = 3000);
    PipeRelease(const PipeRelease&) = delete;
    PipeRelease& operator=(const PipeRelease&) = delete;
    ~PipeRelease();

private:
    QString folder_;
    std::atomic<bool> stopping_ = false;
    std::thread thread_;
};

} // namespace brindo::test
