#include "fuzz_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace brindo::fuzz {

QString scratchPath(const QString& name) {
    // In memory where possible: every save ends with a sync to disk, which
    // would otherwise take most of the fuzzer's time.
    static const QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                          ? QStringLiteral("/dev/shm/brindo-fuzz-XXXXXX")
                                          : QString());
    return QDir(folder.path()).filePath(name);
}

QString writeInput(const QString& name, const std::uint8_t* data, std::size_t size) {
    QString file = scratchPath(name);
    writeFile(file, QByteArrayView(data, static_cast<qsizetype>(size)));
    return file;
}

void writeFile(const QString& nativeFile, QByteArrayView bytes) {
    QFile file(nativeFile);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file can be written");
    check(file.write(bytes.data(), bytes.size()) == bytes.size(), "scratch file is written whole");
}

QByteArray readFile(const QString& nativeFile) {
    QFile file(nativeFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int InputReader::number(int count) {
    constexpr int kOneByte = 256;
    unsigned value = 0;
    for (qint64 range = 1; range < count && !atEnd(); range *= kOneByte) {
        value = value * kOneByte + static_cast<unsigned char>(bytes_.at(pos_++));
    }
    return count > 0 ? static_cast<int>(value % static_cast<unsigned>(count)) : 0;
}

QString InputReader::text(int maxBytes) {
    const qsizetype length = std::min<qsizetype>(number(maxBytes + 1), bytes_.size() - pos_);
    const QByteArrayView bytes = length > 0 ? bytes_.sliced(pos_, length) : QByteArrayView();
    pos_ += std::max<qsizetype>(length, 0);
    return QString::fromUtf8(bytes);
}

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace brindo::fuzz
