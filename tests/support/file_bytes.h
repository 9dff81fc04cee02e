#pragma once

#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace brindo::test {

// The bytes of a file, or "<missing>" when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        << path.toStdString();
}

// A size in bytes from /proc/self/status ("VmRSS:", "VmHWM:", "VmPeak:"), or 0.
inline qint64 memoryBytes(const char* field) {
    for (const QByteArray& line : readFile("/proc/self/status").split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(qstrlen(field)).trimmed().split(' ').constFirst().toLongLong() * 1024;
        }
    }
    return 0;
}

} // namespace brindo::test
