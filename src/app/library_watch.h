#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace brindo {

// Watches the library's folders and files that the window shows and tells,
// once, shortly after something in them changed: an editor's save comes as
// several events, and the window answers them all at once.
class LibraryWatch : public QObject {
    Q_OBJECT

public:
    // How long after the first event of a change it is reported.
    static constexpr int kSettleMilliseconds = 200;

    explicit LibraryWatch(QObject* parent = nullptr);

    // Watches exactly these native folders and files (those that exist);
    // a file that was replaced is watched again.
    void watch(const QStringList& paths);
    QStringList watched() const;

signals:
    void changed();

private:
    QFileSystemWatcher watcher_;
    QTimer settle_;
};

} // namespace brindo
