#include "catalogue/worn_rows.h"

#include "catalogue/category_keywords.h"
#include "catalogue/item_names.h"
#include "catalogue/item_pick.h"
#include "catalogue/stored_path.h"
#include "catalogue/variant_pick.h"

namespace brindo {

namespace {

bool sameName(const QString& first, const QString& second) {
    return first.compare(second, Qt::CaseInsensitive) == 0;
}

int indexIgnoringCase(const QStringList& names, const QString& name) {
    const qsizetype exact = names.indexOf(name);
    if (exact >= 0) {
        return static_cast<int>(exact);
    }
    for (qsizetype index = 0; index < names.size(); ++index) {
        if (sameName(names.at(index), name)) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

// The last `count` components of a stored path; empty when it has fewer.
QStringList tail(const QString& storedPath, qsizetype count) {
    const QStringList parts = storedPath.split(kStoredSeparator, Qt::SkipEmptyParts);
    return parts.size() < count ? QStringList() : parts.last(count);
}

// The layer that the category's picks dress, if it can show the item.
std::optional<SlotId> categorySlot(const OpenCategory& category) {
    if (category.kind == CategoryKind::Hair) {
        return SlotId::Hair;
    }
    if (category.kind == CategoryKind::Flat) {
        return slotForFlatCategory(category.name);
    }
    switch (variantKindForCategory(category.name)) {
    case VariantKind::Mouth:
        return SlotId::Mouth;
    case VariantKind::Eyes:
        return SlotId::Eyes;
    case VariantKind::Hair:
        return SlotId::Hair;
    case VariantKind::None:
        break;
    }
    return std::nullopt;
}

// A ready-made outfit hides every layer but the eyes.
const LayerSlot* shownLayer(const Outfit& outfit, SlotId slot) {
    const LayerSlot& layer = outfit.slot(slot);
    const bool hidden = outfit.readyMadeOutfit.enabled && slot != SlotId::Eyes;
    return layer.enabled && !hidden ? &layer : nullptr;
}

WornRows wornFlatItem(const OpenCategory& category, const QString& image) {
    const QStringList place = tail(image, 2);
    if (place.isEmpty() || !sameName(place.at(0), category.name)) {
        return {};
    }
    const int file = indexIgnoringCase(category.files, place.at(1));
    // The rows are "<none>" and then the files.
    return {file < 0 ? -1 : file + 1, std::nullopt, -1};
}

// Folder items: the item is the image's folder; the variant is the row whose
// pick puts on the same file.
WornRows wornFolderItem(const OpenCategory& category, const Outfit& outfit, SlotId slot,
                        const QString& image) {
    const QStringList place = tail(image, 3);
    if (place.isEmpty() || !sameName(place.at(0), category.name)) {
        return {};
    }
    const int itemRow = indexIgnoringCase(category.rows, place.at(1));
    if (itemRow < 0) {
        return {};
    }
    const QString item = category.rows.at(itemRow);
    WornRows worn{itemRow, pickItem(category, item, outfit).variantRows, -1};
    if (!worn.variantRows) {
        return worn;
    }
    const QStringList& variants = *worn.variantRows;
    for (int index = 0; index < variants.size(); ++index) {
        const Outfit picked = pickVariant(category, item, index, variants.at(index), outfit);
        if (sameName(tail(picked.slot(slot).path(), 1).value(0), place.at(2))) {
            worn.variantRow = index;
            break;
        }
    }
    return worn;
}

} // namespace

WornRows wornRows(const OpenCategory& category, const Outfit& outfit) {
    if (category.kind == CategoryKind::ReadyMade) {
        const LayerSlot& readyMade = outfit.readyMadeOutfit;
        return {readyMade.enabled ? indexIgnoringCase(category.rows, readyMade.path()) : -1,
                std::nullopt, -1};
    }
    const std::optional<SlotId> slot = categorySlot(category);
    const LayerSlot* layer = slot ? shownLayer(outfit, *slot) : nullptr;
    if (layer == nullptr) {
        return {};
    }
    if (category.kind == CategoryKind::Flat) {
        return wornFlatItem(category, layer->path());
    }
    return wornFolderItem(category, outfit, *slot, layer->path());
}

} // namespace brindo
