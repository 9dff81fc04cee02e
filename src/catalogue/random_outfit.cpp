#include "catalogue/random_outfit.h"

#include "catalogue/category_keywords.h"
#include "catalogue/folder_listing.h"
#include "catalogue/item_pick.h"
#include "catalogue/library_layout.h"
#include "catalogue/open_category.h"
#include "catalogue/variant_pick.h"

namespace brindo {

namespace {

bool dressesALayer(const OpenCategory& category) {
    switch (category.kind) {
    case CategoryKind::Hair:
        return true;
    case CategoryKind::Flat:
        return slotForFlatCategory(category.name).has_value();
    case CategoryKind::ItemFolders:
        return slotForFolderCategory(category.name).has_value();
    case CategoryKind::ReadyMade:
        break;
    }
    return false;
}

template <typename List> const auto& anyOf(const List& list, QRandomGenerator& random) {
    return list.at(static_cast<qsizetype>(random.bounded(static_cast<quint32>(list.size()))));
}

Outfit dressRandomly(const OpenCategory& category, Outfit outfit, QRandomGenerator& random) {
    QStringList rows = category.rows;
    if (category.kind == CategoryKind::Flat &&
        slotForFlatCategory(category.name) == SlotId::Bottom) {
        rows.removeAll(kNoneRow);
    }
    if (rows.isEmpty()) {
        return outfit;
    }
    const QString item = anyOf(rows, random);
    ItemPick pick = pickItem(category, item, std::move(outfit));
    const QStringList variants = pick.variantRows.value_or(QStringList());
    // The base image that the item puts on counts as one of its looks.
    const auto look = static_cast<int>(random.bounded(static_cast<quint32>(variants.size() + 1)));
    if (look == variants.size()) {
        return std::move(pick.outfit);
    }
    return pickVariant(category, item, look, variants.at(look), std::move(pick.outfit));
}

} // namespace

Outfit randomOutfit(const QString& libraryFolder, Outfit outfit, const RandomOutfitOptions& options,
                    QRandomGenerator& random) {
    std::optional<OpenCategory> readyMade;
    for (const QString& name : listSubfolders(libraryFolder).value_or(QStringList())) {
        if (options.keptCategories.contains(name)) {
            continue;
        }
        std::optional<OpenCategory> category = openCategory(libraryFolder, name);
        if (!category) {
            continue;
        }
        if (category->kind == CategoryKind::ReadyMade) {
            readyMade = std::move(category);
        } else if (dressesALayer(*category)) {
            outfit = dressRandomly(*category, std::move(outfit), random);
        }
    }
    // Last, since any other pick takes a ready-made outfit off again.
    if (options.allowReadyMade && readyMade && !readyMade->rows.isEmpty() &&
        random.bounded(2) == 0) {
        outfit = pickItem(*readyMade, anyOf(readyMade->rows, random), std::move(outfit)).outfit;
    }
    return outfit;
}

} // namespace brindo
