#include "process_limits.h"

#include <QFile>
#include <unistd.h>

namespace brindo::test {

namespace {

QByteArray procFile(const char* name) {
    QFile file(QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

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
