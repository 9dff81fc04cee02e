#include "catalogue/variant_pick.h"

#include "catalogue/category_keywords.h"
#include "catalogue/folder_list_keeper.h"
#include "catalogue/hair_item.h"
#include "catalogue/item_names.h"
#include "catalogue/stored_path.h"

namespace brindo {

void pickVariant(OutfitState& state, const QString& itemRow, int variantIndex,
                 const QString& variantRow, FolderList& file1) {
    const QString itemFolder = joinStored(file1.path(), itemRow);
    const QString variantPath = joinStored(itemFolder, imageFileName(variantRow));
    switch (variantKindForCategory(state.currentCategory)) {
    case VariantKind::Mouth:
        state.Mouth.switchOn(variantPath);
        break;
    case VariantKind::Eyes:
        state.Eyes.switchOn(variantPath);
        break;
    case VariantKind::Hair: {
        const FolderListKeeper keeper(file1);
        if (file1.setPath(itemFolder)) {
            putOnHair(state, file1.path(), file1.count(), variantNumber(variantIndex));
        }
        break;
    }
    case VariantKind::None:
        break;
    }
}

} // namespace brindo
