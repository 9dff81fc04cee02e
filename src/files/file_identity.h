#pragma once

#include <QString>
#include <QtGlobal>
#include <chrono>
#include <optional>

namespace brindo {

// What tells one version of a file from another without reading it: the
// device and inode (a file replaced by rename is another inode), the size,
// and the modification and change times in nanoseconds. The change time is
// set by the system on every write, rename or change of the times, so a
// program that puts the modification time back still shows.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    // How long before the look the file last changed; negative when its
    // times lie ahead of the clock.
    std::chrono::nanoseconds age{0};

    bool sameVersion(const FileIdentity& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modifiedNs == other.modifiedNs && changedNs == other.changedNs;
    }
    bool sameFile(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
    // Whether any later change must show in the identity. File systems keep
    // times at a coarse step (a clock tick; two seconds on FAT), so a file
    // written again within that step may keep its times; a file whose last
    // change lies further back than `settleTime` cannot.
    bool settled(std::chrono::nanoseconds settleTime) const { return age >= settleTime; }
};

// The identity of the regular file at a native path, following symbolic
// links as opening it does; std::nullopt when there is no such file or it is
// not a regular file. Nothing is opened.
std::optional<FileIdentity> regularFileIdentity(const QString& nativeFile);

} // namespace brindo
