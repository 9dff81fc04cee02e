#include "files/regular_file.h"

#include <QObject>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindo {

namespace {

QString systemProblem(int error) {
    return QString::fromLocal8Bit(std::strerror(error)).toLower();
}

} // namespace

OpenedFile openRegularFile(const QString& nativeFile) {
    OpenedFile opened;
    if (nativeFile.isEmpty()) {
        opened.problem = QObject::tr("it does not exist");
        return opened;
    }
    // Non-blocking, so that opening a named pipe with no writer returns at once.
    const int descriptor = ::open(QFile::encodeName(nativeFile).constData(),
                                  O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            opened.problem = QObject::tr("it does not exist");
        } else if (error == ENXIO || error == ENODEV) { // a socket, a device with no driver
            opened.status = ReadStatus::NotAFile;
            opened.problem = QObject::tr("it is not a file");
        } else if (error == EACCES || error == EPERM) {
            opened.status = ReadStatus::NoPermission;
            opened.problem = QObject::tr("you do not have permission to read it");
        } else {
            opened.status = ReadStatus::Failed;
            opened.problem = systemProblem(error);
        }
        return opened;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        opened.status = ReadStatus::NotAFile;
        opened.problem = QObject::tr("it is not a file");
        return opened;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    opened.file = std::make_unique<QFile>();
    if (!opened.file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        opened.status = ReadStatus::Failed;
        opened.problem = opened.file->errorString().toLower();
        opened.file.reset();
        return opened;
    }
    opened.status = ReadStatus::Ok;
    return opened;
}

ReadFile readRegularFile(const QString& nativeFile, qint64 maxBytes) {
    OpenedFile opened = openRegularFile(nativeFile);
    if (!opened.ok()) {
        return {opened.status, {}, opened.problem};
    }
    QFile& file = *opened.file;
    if (file.size() > maxBytes) {
        return {ReadStatus::TooLarge, {}, {}};
    }
    QByteArray bytes = file.read(file.size());
    if (!file.atEnd()) { // it grew since it was opened
        bytes += file.read(maxBytes + 1 - bytes.size());
    }
    if (file.error() != QFileDevice::NoError) {
        return {ReadStatus::Failed, {}, file.errorString().toLower()};
    }
    if (bytes.size() > maxBytes) {
        return {ReadStatus::TooLarge, {}, {}};
    }
    return {ReadStatus::Ok, std::move(bytes), {}};
}

} // namespace brindo
