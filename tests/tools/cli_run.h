#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace brindo::test {

// One run of the real brindo-cli.
struct CliRun {
    int status = -1;
    QByteArray out;
    QString err;
};

inline CliRun cli(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(BRINDO_CLI), arguments);
    process.write(input);
    process.closeWriteChannel();
    const bool ended = process.waitForFinished(120000) && process.exitStatus() == 0;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

inline QByteArray bytesOf(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace brindo::test
