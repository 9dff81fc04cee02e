#include "document/profile_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace brindo {

namespace {

QString readProblem(const QFile& file) {
    if (!QFileInfo(file).isReadable()) {
        return QObject::tr("you do not have permission to read it");
    }
    return file.errorString().toLower();
}

// Plain words for a file that cannot be created or replaced, checked in the
// order that explains the most.
QString writeProblem(const QString& nativeFile, const QSaveFile& file, qint64 bytesToWrite = 0) {
    const QFileInfo target(nativeFile);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) {
        return QObject::tr("the folder %1 does not exist")
            .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    }
    if (target.isDir()) {
        return QObject::tr("that name belongs to a folder");
    }
    if (target.exists() && !target.isWritable()) {
        return QObject::tr("the file is read-only");
    }
    if (!folder.isWritable()) {
        return QObject::tr("you do not have permission to write in the folder %1")
            .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
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

LoadedProfile loadProfileFile(const QString& nativeFile) {
    LoadedProfile loaded;
    if (!QFileInfo(nativeFile).isFile()) {
        loaded.status = QFileInfo::exists(nativeFile) ? LoadedProfile::Status::Unreadable
                                                      : LoadedProfile::Status::Missing;
        loaded.problem = QObject::tr("it is not a file");
        return loaded;
    }
    loaded.status = LoadedProfile::Status::Unreadable;
    QFile file(nativeFile);
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.problem = readProblem(file);
        return loaded;
    }
    QByteArray bytes;
    if (file.size() <= kMaxProfileFileBytes) {
        bytes = file.read(file.size());
        if (!file.atEnd()) { // it grew since it was opened
            bytes += file.read(kMaxProfileFileBytes + 1 - bytes.size());
        }
    }
    if (file.error() != QFileDevice::NoError) {
        loaded.problem = readProblem(file);
    } else if (file.size() > kMaxProfileFileBytes || bytes.size() > kMaxProfileFileBytes) {
        loaded.status = LoadedProfile::Status::NotText;
        loaded.problem =
            QObject::tr("it is far too large (over %1 MB)").arg(kMaxProfileFileBytes / kBytesPerMB);
    } else if (bytes.contains('\0')) {
        loaded.status = LoadedProfile::Status::NotText;
        loaded.problem = QObject::tr("it holds binary data, not text");
    } else {
        loaded.status = LoadedProfile::Status::Loaded;
        loaded.text = ProfileText(bytes);
    }
    return loaded;
}

FileOutcome replaceFile(const QString& nativeFile, const QByteArray& bytes) {
    QSaveFile file(nativeFile);
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a failed write (a full disk) shows here: commit()
    // does not check the flush of a write buffer, and would put a cut-off
    // file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return {writeProblem(nativeFile, file)};
    }
    if (file.write(bytes) != bytes.size()) {
        FileOutcome outcome{writeProblem(nativeFile, file, bytes.size())};
        file.cancelWriting();
        return outcome;
    }
    if (!file.commit()) {
        return {writeProblem(nativeFile, file)};
    }
    return {};
}

QString ReadProfileValue(const QString& nativeFile, const QString& section, // NOLINT
                         const QString& key) {
    const LoadedProfile loaded = loadProfileFile(nativeFile);
    return loaded.status == LoadedProfile::Status::Loaded ? loaded.text.read(section, key)
                                                          : QString();
}

FileOutcome WriteProfileValue(const QString& nativeFile, const QString& section, // NOLINT
                              const QString& key, const std::optional<QString>& value) {
    LoadedProfile loaded = loadProfileFile(nativeFile);
    if (loaded.refused()) {
        return {loaded.problem};
    }
    switch (loaded.text.write(section, key, value)) {
    case ProfileText::WriteResult::NotStorable:
        return {
            QObject::tr("the section or key name is not valid, or the value holds a line break")};
    case ProfileText::WriteResult::Unchanged:
        return {};
    case ProfileText::WriteResult::Changed:
        break;
    }
    return replaceFile(nativeFile, loaded.text.bytes());
}

} // namespace brindo
