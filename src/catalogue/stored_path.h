#pragma once

#include "files/file_identity.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace brindo {

// Library and document paths are kept in one stored form on every platform:
// components joined with a backslash. These functions are the only place that
// translates between that form and the file system's own paths.

inline constexpr QChar kStoredSeparator = u'\\';

// The stored form of a native absolute path ("/opt/brindo" -> "\opt\brindo").
// Only a path for which canStoreName holds comes back as it was.
QString storedFromNative(const QString& nativePath);

// Whether a native path or a name keeps its meaning in the stored form: a
// backslash in a name would split it into two.
bool canStoreName(const QString& nativePathOrName);

// Joins stored path pieces with one backslash.
QString joinStored(const QString& folder, const QString& name);

// The native path of an entry of a stored folder, right also for a name that
// cannot be stored.
QString nativeEntryPath(const QString& storedFolder, const QString& name);

// The native path for a stored one. Components that do not exist with their
// exact letter case are matched ignoring case, as on the file systems the
// library was made for. Paths that are not absolute here (a drive-letter path
// from another machine, say) map to an empty string.
QString nativePath(const QString& storedPath);

// The native file to load for a stored image path. A path that exists here is
// used as stored. Otherwise, since documents keep absolute paths from
// wherever they were saved, the same image is looked for under the
// library folder by the longest tail of the stored path's components that
// names a file there, the file name alone last. Returns an empty string when
// nothing is found. The stored path itself is never changed.
QString locateImage(const QString& storedPath, const QString& libraryFolder);

// The file that locateImage finds and the identity of the regular file there
// (none when nothing, or no regular file, is there). A file where the path
// says is found with a single look at the disk.
struct LocatedImage {
    QString nativeFile;
    std::optional<FileIdentity> identity;
};
LocatedImage locateImageFile(const QString& storedPath, const QString& libraryFolder);

// Where the image that locateImage finds lies below the library folder: its
// components from the category folder down ({"Hair", "Long", "011.png"}), as
// they are spelt on disk. Empty when it is not found or lies outside the
// library.
QStringList placeInLibrary(const QString& storedPath, const QString& libraryFolder);

} // namespace brindo
