#include "catalogue/library_catalogue.h"

#include "catalogue/folder_listing.h"
#include "catalogue/item_pick.h"
#include "catalogue/open_category.h"

namespace brindo {

std::optional<QList<CatalogueCategory>> listCatalogue(const QString& libraryFolder) {
    const auto names = listSubfolders(libraryFolder);
    if (!names) {
        return std::nullopt;
    }
    QList<CatalogueCategory> catalogue;
    for (const QString& name : *names) {
        CatalogueCategory category{name, false, {}};
        if (const auto open = openCategory(libraryFolder, name)) {
            category.opened = true;
            for (const QString& row : open->rows) {
                // Each row is clicked as if it were the first pick.
                category.items.append({row, pickItem(*open, row, Outfit{}).variantRows});
            }
        }
        catalogue.append(category);
    }
    return catalogue;
}

} // namespace brindo
