#include "files/atomic_replace.h"

#include "files/message_text.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QSaveFile>
#include <QStorageInfo>

namespace brindo {

namespace {

// Plain words for a file that cannot be created or replaced, checked in the
// order that explains the most.
QString writeProblem(const QString& nativeFile, const QSaveFile& file, qint64 bytesToWrite = 0) {
    const QFileInfo target(nativeFile);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) {
        return QObject::tr("the folder %1 does not exist")
            .arg(fitForMessage(folder.absoluteFilePath()));
    }
    if (target.isDir()) {
        return QObject::tr("that name belongs to a folder");
    }
    if (target.exists() && !target.isWritable()) {
        return QObject::tr("the file is read-only");
    }
    if (!folder.isWritable()) {
        return QObject::tr("you do not have permission to write in the folder %1")
            .arg(fitForMessage(folder.absoluteFilePath()));
    }
    if (file.error() == QFileDevice::ResourceError ||
        QStorageInfo(folder.absoluteFilePath()).bytesAvailable() < bytesToWrite) {
        return QObject::tr("the disk is full");
    }
    if (file.error() == QFileDevice::NoError) { // a write cut short, with no reason given
        return QObject::tr("only part of it could be written; the disk may be full, or the "
                           "file too large for it");
    }
    return file.errorString().toLower();
}

} // namespace

FileOutcome replaceFile(const QString& nativeFile, const QByteArray& bytes) {
    return replaceFile(nativeFile, bytes.size(), [&bytes](QByteArray& piece) {
        piece = bytes;
        return false;
    });
}

FileOutcome replaceFile(const QString& nativeFile, qint64 size, const NextPiece& nextPiece) {
    QSaveFile file(nativeFile);
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a failed write (a full disk) shows here: commit()
    // does not check the flush of a write buffer, and would put a cut-off
    // file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return {writeProblem(nativeFile, file)};
    }
    QByteArray piece;
    for (bool more = true; more;) {
        piece.resize(0); // keeps its memory for the next piece
        more = nextPiece(piece);
        if (file.write(piece) != piece.size()) {
            FileOutcome outcome{writeProblem(nativeFile, file, size)};
            file.cancelWriting();
            return outcome;
        }
    }
    if (!file.commit()) {
        return {writeProblem(nativeFile, file)};
    }
    return {};
}

} // namespace brindo
