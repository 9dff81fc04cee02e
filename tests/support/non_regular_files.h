#pragma once

#include <QString>
#include <atomic>
#include <thread>

namespace brindo::test {

// The files that are no regular files, which a library or a document may
// name in place of an image or a document.
enum class NonRegularFile { NamedPipe, Socket, Device };
inline constexpr NonRegularFile kNonRegularFiles[] = {
    NonRegularFile::NamedPipe, NonRegularFile::Socket, NonRegularFile::Device};

// "a named pipe (FIFO)", "a socket", "a device (/dev/zero)".
const char* describe(NonRegularFile kind);

// Makes a file that is no regular file at the path (a device is a link to /dev/zero); the
// folders are created as needed.
void makeNonRegularFile(NonRegularFile kind, const QString& path);

// While it lives, releases whatever blocks on opening or reading a named pipe
// in `folder` or below, after `afterMs`: a writer opens each pipe and closes
// it again, so that the reader sees an empty file. A test of a hang then
// fails on its time rather than freezing.
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
