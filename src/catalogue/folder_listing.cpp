#include "catalogue/folder_listing.h"

#include "catalogue/stored_path.h"

#include <QFile>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace brindo {

namespace {

namespace fs = std::filesystem;

enum class Wanted { Files, Folders };

std::optional<QStringList> listEntries(const QString& storedFolder, Wanted wanted) {
    const QString native = nativePath(storedFolder);
    if (native.isEmpty()) {
        return std::nullopt;
    }
    const fs::path folder(QFile::encodeName(native).toStdString());
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) {
        return std::nullopt;
    }
    QStringList names;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) {
            return std::nullopt;
        }
        const QString name = QFile::decodeName(it->path().filename().native().c_str());
        if (name.startsWith(u'.')) {
            continue;
        }
        // Follows links; the kind that the listing gives saves a look at
        // every other entry.
        std::error_code statusError;
        const bool matches = wanted == Wanted::Files ? it->is_regular_file(statusError)
                                                     : it->is_directory(statusError);
        if (!statusError && matches) {
            names.append(name);
        }
    }
    sortForListing(names);
    return names;
}

} // namespace

FolderAccess folderCanBeRead(const QString& storedFolder) {
    const QString native = nativePath(storedFolder);
    if (native.isEmpty()) {
        return FolderAccess::Missing;
    }
    std::error_code error;
    const fs::directory_iterator listing(fs::path(QFile::encodeName(native).toStdString()), error);
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
        return FolderAccess::NoPermission;
    }
    return error ? FolderAccess::Missing : FolderAccess::Readable;
}

void sortForListing(QStringList& names) {
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
}

std::optional<QStringList> listFiles(const QString& storedFolder) {
    return listEntries(storedFolder, Wanted::Files);
}

std::optional<QStringList> listSubfolders(const QString& storedFolder) {
    return listEntries(storedFolder, Wanted::Folders);
}

} // namespace brindo
