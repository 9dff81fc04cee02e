#include "catalogue/category_keywords.h"

#include "catalogue/library_layout.h"

namespace brindo {

namespace {

constexpr QLatin1String kMouth{"mouth"};
constexpr QLatin1String kEyes{"eyes"};
constexpr QLatin1String kHair{"hair"};

} // namespace

std::optional<SlotId> slotForFlatCategory(const QString& category) {
    const QString name = category.toLower();
    for (const CategoryKeyword& entry : kCategoryKeywords) {
        if (name.contains(entry.keyword)) {
            return entry.slot;
        }
    }
    return std::nullopt;
}

VariantKind variantKindForCategory(const QString& category) {
    const QString name = category.toLower();
    if (name.contains(kMouth)) {
        return VariantKind::Mouth;
    }
    if (name.contains(kEyes)) {
        return VariantKind::Eyes;
    }
    if (name.contains(kHair)) {
        return VariantKind::Hair;
    }
    return VariantKind::None;
}

std::optional<SlotId> slotForFolderCategory(const QString& category) {
    switch (variantKindForCategory(category)) {
    case VariantKind::Mouth:
        return SlotId::Mouth;
    case VariantKind::Eyes:
        return SlotId::Eyes;
    case VariantKind::Hair:
    case VariantKind::None:
        break;
    }
    return std::nullopt;
}

bool isHairCategory(const QString& category) {
    return category.toLower() == kHairCategory;
}

bool isReadyMadeCategory(const QString& category) {
    return category.toLower() == kReadyMadeCategory;
}

} // namespace brindo
