#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace brindo {

// Names in a folder, the way the library is browsed: hidden entries (names
// starting with a dot) are left out, and names are in ascending order ignoring
// case, ties broken by the exact name. std::nullopt when the folder cannot be
// listed (missing, not a folder, unreadable).
std::optional<QStringList> listFiles(const QString& storedFolder);
std::optional<QStringList> listSubfolders(const QString& storedFolder);

// Whether a folder can be listed, and why not.
enum class FolderAccess { Readable, Missing, NoPermission };
FolderAccess folderCanBeRead(const QString& storedFolder);

// Sorts names into listing order.
void sortForListing(QStringList& names);

} // namespace brindo
