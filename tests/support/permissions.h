#pragma once

#include <QFile>
#include <QString>

namespace brindo::test {

// Makes file permissions count for this thread also when it runs as root, by
// dropping the capabilities that let root read and write anything. Returns
// whether a folder without read permission is now unreadable.
bool permissionsEnforced();

// Leaves a file or folder only the permissions given while it lives; then its
// owner may read, write and search it again.
class PermissionsTaken {
public:
    explicit PermissionsTaken(QString path, QFile::Permissions left = {});
    PermissionsTaken(const PermissionsTaken&) = delete;
    PermissionsTaken& operator=(const PermissionsTaken&) = delete;
    ~PermissionsTaken();

private:
    QString path_;
};

} // namespace brindo::test
