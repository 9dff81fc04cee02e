#include "catalogue/item_pick.h"

#include "catalogue/category_keywords.h"
#include "catalogue/folder_list_keeper.h"
#include "catalogue/hair_item.h"
#include "catalogue/item_names.h"
#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"

namespace brindo {

namespace {

std::optional<QStringList> pickHairItem(OutfitState& state, const QString& row, FolderList& file1) {
    const FolderListKeeper keeper(file1);
    const QString itemFolder = joinStored(file1.path(), row);
    if (!file1.setPath(itemFolder)) {
        return std::nullopt;
    }
    state.ReadyMadeOutfit.enabled = false;
    putOnHair(state, itemFolder, file1.count(), kHairBaseNumber);
    return hairVariantRows();
}

void pickFlatItem(OutfitState& state, const QString& row, const QString& categoryFolder) {
    state.ReadyMadeOutfit.enabled = false;
    const auto slotId = slotForFlatCategory(state.currentCategory);
    if (!slotId) {
        return;
    }
    LayerSlot& slot = state.slot(*slotId);
    if (row == kNoneRow) {
        slot.enabled = false;
    } else {
        slot.switchOn(joinStored(categoryFolder, imageFileName(row)));
    }
}

std::optional<QStringList> pickFolderItem(OutfitState& state, const QString& row,
                                          FolderList& file1) {
    const FolderListKeeper keeper(file1);
    const QString itemFolder = joinStored(file1.path(), row);
    if (!file1.setPath(itemFolder)) {
        return std::nullopt;
    }
    state.ReadyMadeOutfit.enabled = false;
    const int fileCount = file1.count();
    if (fileCount > 0) {
        if (const auto slotId = slotForFolderCategory(state.currentCategory)) {
            state.slot(*slotId).switchOn(joinStored(itemFolder, kFolderItemBaseFile));
        }
    }
    if (fileCount == 1) {
        return std::nullopt;
    }
    // The first file is the base image; the ones after it are the variants.
    QStringList variants;
    for (int index = 1; index < fileCount; ++index) {
        variants.append(listedName(file1.name(index)));
    }
    return variants;
}

} // namespace

std::optional<QStringList> pickItem(OutfitState& state, const std::optional<QString>& itemRow,
                                    FolderList& file1) {
    if (!itemRow) {
        return std::nullopt;
    }
    const QString& category = state.currentCategory;
    if (isReadyMadeCategory(category)) {
        state.ReadyMadeOutfit.switchOn(*itemRow);
        return std::nullopt;
    }
    if (isHairCategory(category)) {
        return pickHairItem(state, *itemRow, file1);
    }
    if (file1.count() > 0) {
        pickFlatItem(state, *itemRow, file1.path());
        return std::nullopt;
    }
    return pickFolderItem(state, *itemRow, file1);
}

} // namespace brindo
