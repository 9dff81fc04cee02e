#include "process_limits.h"

#include <QFile>
#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace brindo::test {

namespace {

QByteArray procFile(const char* name) {
    QFile file(QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void onTimeUp(int /*signal*/) {
    constexpr char kMessage[] = "\nwatchdog: still busy after the time allowed, a hang\n";
    (void)!write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

Watchdog::Watchdog(qint64 milliseconds) {
    std::signal(SIGALRM, onTimeUp);
    constexpr qint64 kMillisecondsPerSecond = 1000;
    alarm(static_cast<unsigned>(milliseconds / kMillisecondsPerSecond + 1));
}

Watchdog::~Watchdog() {
    alarm(0);
}

qint64 residentBytes() {
    const QList<QByteArray> fields = procFile("/proc/self/statm").split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

void resetPeakResident() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) {
        clear.write("5"); // resets the peak resident size
    }
}

qint64 peakResidentBytes() {
    for (const QByteArray& line : procFile("/proc/self/status").split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').constFirst().toLongLong() * 1024;
        }
    }
    return 0;
}

} // namespace brindo::test
