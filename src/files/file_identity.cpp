#include "files/file_identity.h"

#include <QFile>
#include <algorithm>
#include <ctime>
#include <sys/stat.h>

namespace brindo {

namespace {

qint64 nanoseconds(const timespec& time) {
    return qint64{time.tv_sec} * 1'000'000'000 + time.tv_nsec;
}

} // namespace

std::optional<FileIdentity> regularFileIdentity(const QString& nativeFile) {
    if (nativeFile.isEmpty()) {
        return std::nullopt;
    }
    struct stat status {};
    if (::stat(QFile::encodeName(nativeFile).constData(), &status) != 0 ||
        !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    FileIdentity identity;
    identity.device = static_cast<quint64>(status.st_dev);
    identity.inode = static_cast<quint64>(status.st_ino);
    identity.size = static_cast<qint64>(status.st_size);
    identity.modifiedNs = nanoseconds(status.st_mtim);
    identity.changedNs = nanoseconds(status.st_ctim);
    const qint64 latest = std::max(identity.modifiedNs, identity.changedNs);
    identity.age = std::chrono::nanoseconds(nanoseconds(now) - latest);
    return identity;
}

} // namespace brindo
