#include "app/library_watch.h"

#include <QFileInfo>
#include <QSet>

namespace brindo {

LibraryWatch::LibraryWatch(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &LibraryWatch::changed);
    const auto noteChange = [this] {
        if (!settle_.isActive()) {
            settle_.start();
        }
    };
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, noteChange);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, noteChange);
}

QStringList LibraryWatch::watched() const {
    return watcher_.directories() + watcher_.files();
}

void LibraryWatch::watch(const QStringList& paths) {
    const QSet<QString> wanted(paths.cbegin(), paths.cend());
    const QStringList current = watched();
    const QSet<QString> now(current.cbegin(), current.cend());
    const QSet<QString> gone = now - wanted;
    const QSet<QString> added = wanted - now;
    if (!gone.isEmpty()) {
        watcher_.removePaths(gone.values());
    }
    QStringList existing;
    for (const QString& path : added) {
        if (!path.isEmpty() && QFileInfo::exists(path)) {
            existing.append(path);
        }
    }
    if (!existing.isEmpty()) {
        watcher_.addPaths(existing);
    }
}

} // namespace brindo
