#include "support/non_regular_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace brindo::test {

const char* describe(NonRegularFile kind) {
    const char* const names[] = {"a named pipe (FIFO)", "a socket", "a device (/dev/zero)"};
    return names[static_cast<int>(kind)];
}

void makeNonRegularFile(NonRegularFile kind, const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    const QByteArray name = QFile::encodeName(path);
    if (kind == NonRegularFile::NamedPipe) {
        ASSERT_EQ(::mkfifo(name.constData(), 0600), 0) << path.toStdString();
    } else if (kind == NonRegularFile::Device) {
        ASSERT_TRUE(QFile::link("/dev/zero", path)) << path.toStdString();
    } else {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        ASSERT_LT(name.size(), static_cast<qsizetype>(sizeof address.sun_path));
        std::memcpy(address.sun_path, name.constData(), name.size());
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(socket, 0);
        const int bound = ::bind(socket, reinterpret_cast<const sockaddr*>(&address),
                                 sizeof address); // the file stays after the socket closes
        ::close(socket);
        ASSERT_EQ(bound, 0) << path.toStdString();
    }
}

PipeRelease::PipeRelease(QString folder, int afterMs) : folder_(std::move(folder)) {
    thread_ = std::thread([this, afterMs] {
        const auto start = std::chrono::steady_clock::now();
        while (!stopping_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(afterMs)) {
                continue;
            }
            QDirIterator pipes(folder_, QDir::System | QDir::AllDirs | QDir::NoDotAndDotDot,
                               QDirIterator::Subdirectories);
            while (pipes.hasNext()) {
                struct stat status {};
                const QByteArray name = QFile::encodeName(pipes.next());
                if (::lstat(name.constData(), &status) == 0 && S_ISFIFO(status.st_mode)) {
                    // Fails at once unless a reader waits on it.
                    const int writer = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
                    if (writer >= 0) {
                        ::close(writer);
                    }
                }
            }
        }
    });
}

PipeRelease::~PipeRelease() {
    stopping_ = true;
    thread_.join();
}

} // namespace brindo::test
