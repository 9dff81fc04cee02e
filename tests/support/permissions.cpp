#include "support/permissions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <dirent.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace brindo::test {

bool permissionsEnforced() {
    if (geteuid() == 0) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        std::array<__user_cap_data_struct, 2> caps{};
        if (syscall(SYS_capget, &header, caps.data()) == 0) {
            caps[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
            syscall(SYS_capset, &header, caps.data());
        }
    }
    const QTemporaryDir scratch;
    const QString locked = QDir(scratch.path()).filePath(QStringLiteral("locked"));
    QDir().mkpath(locked);
    const PermissionsTaken taken(locked);
    DIR* listing = opendir(QFile::encodeName(locked).constData());
    if (listing == nullptr) {
        return true;
    }
    closedir(listing);
    return false;
}

PermissionsTaken::PermissionsTaken(QString path, QFile::Permissions left) : path_(std::move(path)) {
    QFile::setPermissions(path_, left);
}

PermissionsTaken::~PermissionsTaken() {
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace brindo::test
