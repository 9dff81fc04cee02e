#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

namespace brindo {

// How reading a file went.
enum class ReadStatus { Ok, Missing, NotAFile, NoPermission, TooLarge, Failed };

// A file opened for reading, or why not. Only regular files are opened: a
// named pipe, a socket, a device or a folder is refused without blocking, and
// the type is checked on the opened file itself, so that swapping the file
// between a check and the open cannot block either.
struct OpenedFile {
    ReadStatus status = ReadStatus::Missing;
    std::unique_ptr<QFile> file; // open for reading when the status is Ok
    QString problem;             // why not, as a clause ("it is not a file")

    bool ok() const { return status == ReadStatus::Ok; }
};

OpenedFile openRegularFile(const QString& nativeFile);

// A regular file read whole, or why not. A file larger than `maxBytes`
// (also one that grows past it while it is read) is TooLarge, and its bytes
// are not kept.
struct ReadFile {
    ReadStatus status = ReadStatus::Missing;
    QByteArray bytes;
    QString problem; // empty for TooLarge: the caller knows its limit

    bool ok() const { return status == ReadStatus::Ok; }
};

ReadFile readRegularFile(const QString& nativeFile, qint64 maxBytes);

} // namespace brindo
