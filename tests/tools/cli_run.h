#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace brindo::test {

// One run of the real brindo-cli.
struct CliRun {
    int status = -1; // -1 when it did not end in time
    QByteArray out;
    QString err;
    qint64 milliseconds = 0;
};

inline CliRun cli(const QStringList& arguments, const QByteArray& input = {},
                  int timeoutMs = 120000) {
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(BRINDO_CLI), arguments);
    process.write(input);
    process.closeWriteChannel();
    const bool ended = process.waitForFinished(timeoutMs) && process.exitStatus() == 0;
    const qint64 elapsed = clock.elapsed();
    if (!ended) {
        process.kill();
        process.waitForFinished();
    }
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(),
            QString::fromLocal8Bit(process.readAllStandardError()), elapsed};
}

} // namespace brindo::test
