#include "catalogue/open_category.h"

#include "catalogue/category_keywords.h"
#include "catalogue/folder_listing.h"
#include "catalogue/item_names.h"
#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"

namespace brindo {

namespace {

CategoryKind kindOf(const QString& name, const QStringList& files) {
    if (isReadyMadeCategory(name)) {
        return CategoryKind::ReadyMade;
    }
    if (isHairCategory(name)) {
        return CategoryKind::Hair;
    }
    return files.isEmpty() ? CategoryKind::ItemFolders : CategoryKind::Flat;
}

} // namespace

std::optional<OpenCategory> openCategory(const QString& libraryFolder, const QString& name) {
    if (!canStoreName(name)) {
        return std::nullopt; // its stored path would name another folder
    }
    const QString folder = joinStored(libraryFolder, name);
    auto files = listFiles(folder);
    if (!files) {
        return std::nullopt;
    }
    QStringList rows;
    if (!files->isEmpty()) {
        rows.append(kNoneRow);
        for (const QString& file : *files) {
            rows.append(listedName(file));
        }
    } else {
        auto subfolders = listSubfolders(folder);
        if (!subfolders) {
            return std::nullopt;
        }
        rows = std::move(*subfolders);
    }
    return OpenCategory{name, folder, kindOf(name, *files), std::move(*files), std::move(rows)};
}

CategoryProblem categoryProblem(const QString& libraryFolder, const QString& name) {
    if (!canStoreName(name)) {
        return CategoryProblem::UnstorableName;
    }
    return folderCanBeRead(joinStored(libraryFolder, name)) == FolderAccess::NoPermission
               ? CategoryProblem::NoPermission
               : CategoryProblem::Missing;
}

} // namespace brindo
