#include "catalogue/category_pick.h"

#include "catalogue/item_names.h"
#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"

namespace brindo {

std::optional<QStringList> pickCategory(OutfitState& state, const QString& installFolder,
                                        const QString& category, FolderList& file1) {
    const QString folder = joinStored(installFolder, category);
    FolderList files(FolderList::Kind::Files);
    if (!files.setPath(folder)) {
        return std::nullopt;
    }
    QStringList rows;
    if (files.count() > 0) {
        rows.append(kNoneRow);
        for (const QString& name : files.names()) {
            rows.append(listedName(name));
        }
    } else {
        auto subfolders = listSubfolders(folder);
        if (!subfolders) {
            return std::nullopt;
        }
        rows = std::move(*subfolders);
    }
    state.currentCategory = category;
    file1 = std::move(files);
    return rows;
}

} // namespace brindo
