#include "catalogue/library_catalogue.h"

#include "app/outfit_state.h"
#include "catalogue/category_pick.h"
#include "catalogue/folder_listing.h"
#include "catalogue/item_pick.h"

namespace brindo {

std::optional<QList<CatalogueCategory>> listCatalogue(const QString& storedInstallFolder) {
    const auto categories = listSubfolders(storedInstallFolder);
    if (!categories) {
        return std::nullopt;
    }
    QList<CatalogueCategory> catalogue;
    for (const QString& name : *categories) {
        CatalogueCategory category{name, false, {}};
        OutfitState state;
        FolderList file1(FolderList::Kind::Files);
        const auto rows = pickCategory(state, storedInstallFolder, name, file1);
        category.opened = rows.has_value();
        for (const QString& row : rows.value_or(QStringList())) {
            // Each row is clicked on its own copy, as if it were the first pick.
            OutfitState picked = state;
            category.items.append({row, pickItem(picked, row, file1)});
        }
        catalogue.append(category);
    }
    return catalogue;
}

} // namespace brindo
