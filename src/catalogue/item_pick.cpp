#include "catalogue/item_pick.h"

#include "catalogue/category_keywords.h"
#include "catalogue/folder_listing.h"
#include "catalogue/hair_item.h"
#include "catalogue/item_names.h"
#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"

namespace brindo {

namespace {

ItemPick pickHairItem(const OpenCategory& category, const QString& row, Outfit outfit) {
    const QString itemFolder = joinStored(category.folder, row);
    const auto files = listFiles(itemFolder);
    if (!files) {
        return {std::move(outfit), std::nullopt};
    }
    outfit.readyMadeOutfit.enabled = false;
    putOnHair(outfit, itemFolder, static_cast<int>(files->size()), kHairBaseNumber);
    return {std::move(outfit), hairVariantRows()};
}

ItemPick pickFlatItem(const OpenCategory& category, const QString& row, Outfit outfit) {
    outfit.readyMadeOutfit.enabled = false;
    if (const auto slotId = slotForFlatCategory(category.name)) {
        LayerSlot& slot = outfit.slot(*slotId);
        if (row == kNoneRow) {
            slot.enabled = false;
        } else {
            slot.switchOn(joinStored(category.folder, imageFileName(row)));
        }
    }
    return {std::move(outfit), std::nullopt};
}

ItemPick pickFolderItem(const OpenCategory& category, const QString& row, Outfit outfit) {
    const QString itemFolder = joinStored(category.folder, row);
    const auto files = listFiles(itemFolder);
    if (!files) {
        return {std::move(outfit), std::nullopt};
    }
    outfit.readyMadeOutfit.enabled = false;
    if (!files->isEmpty()) {
        if (const auto slotId = slotForFolderCategory(category.name)) {
            outfit.slot(*slotId).switchOn(joinStored(itemFolder, kFolderItemBaseFile));
        }
    }
    if (files->size() == 1) {
        return {std::move(outfit), std::nullopt};
    }
    // The first file is the base image; the ones after it are the variants.
    QStringList variants;
    for (qsizetype index = 1; index < files->size(); ++index) {
        variants.append(listedName(files->at(index)));
    }
    return {std::move(outfit), variants};
}

} // namespace

ItemPick pickItem(const OpenCategory& category, const QString& row, Outfit outfit) {
    switch (category.kind) {
    case CategoryKind::ReadyMade:
        outfit.readyMadeOutfit.switchOn(row);
        return {std::move(outfit), std::nullopt};
    case CategoryKind::Hair:
        return pickHairItem(category, row, std::move(outfit));
    case CategoryKind::Flat:
        return pickFlatItem(category, row, std::move(outfit));
    case CategoryKind::ItemFolders:
        break;
    }
    return pickFolderItem(category, row, std::move(outfit));
}

QStringList imagesPutOn(const Outfit& before, const Outfit& after) {
    QStringList images;
    for (const SlotInfo& info : kSlotTable) {
        const LayerSlot& slot = after.*(info.field);
        if (info.id != SlotId::ReadyMadeOutfit && slot.enabled && slot != before.*(info.field)) {
            images.append(slot.path());
        }
    }
    return images;
}

} // namespace brindo
