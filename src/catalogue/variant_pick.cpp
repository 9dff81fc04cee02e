#include "catalogue/variant_pick.h"

#include "catalogue/category_keywords.h"
#include "catalogue/folder_listing.h"
#include "catalogue/hair_item.h"
#include "catalogue/item_names.h"
#include "catalogue/stored_path.h"

namespace brindo {

Outfit pickVariant(const OpenCategory& category, const QString& itemRow, int variantIndex,
                   const QString& variantRow, Outfit outfit) {
    const QString itemFolder = joinStored(category.folder, itemRow);
    switch (variantKindForCategory(category.name)) {
    case VariantKind::Mouth:
        outfit.mouth.switchOn(joinStored(itemFolder, imageFileName(variantRow)));
        break;
    case VariantKind::Eyes:
        outfit.eyes.switchOn(joinStored(itemFolder, imageFileName(variantRow)));
        break;
    case VariantKind::Hair:
        if (const auto files = listFiles(itemFolder)) {
            putOnHair(outfit, itemFolder, static_cast<int>(files->size()),
                      variantNumber(variantIndex));
        }
        break;
    case VariantKind::None:
        break;
    }
    return outfit;
}

} // namespace brindo
