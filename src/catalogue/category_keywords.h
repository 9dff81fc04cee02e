#pragma once

#include "model/outfit.h"

#include <QLatin1String>
#include <QString>
#include <array>
#include <optional>

namespace brindo {

// A category is recognised by a keyword in its name; the first keyword of the
// table found in the lower-cased name decides, so "Brothers" is an "other"
// category and "Mouth and eyes" a "mouth" one.
struct CategoryKeyword {
    QLatin1String keyword;
    SlotId slot{};
};

inline constexpr std::array<CategoryKeyword, 12> kCategoryKeywords{{
    {QLatin1String("mouth"), SlotId::Mouth},
    {QLatin1String("eyes"), SlotId::Eyes},
    {QLatin1String("backgrounds"), SlotId::Background},
    {QLatin1String("bottoms"), SlotId::Bottom},
    {QLatin1String("eyewear"), SlotId::Eyewear},
    {QLatin1String("footwear"), SlotId::Footwear},
    {QLatin1String("foregrounds"), SlotId::Foregrounds},
    {QLatin1String("friends and pets"), SlotId::FriendsAndPets},
    {QLatin1String("hats"), SlotId::Hats},
    {QLatin1String("interests"), SlotId::Interests},
    {QLatin1String("other"), SlotId::Other},
    {QLatin1String("tops"), SlotId::Tops},
}};

// The slot that the items of a flat category dress, or none.
std::optional<SlotId> slotForFlatCategory(const QString& category);

// The slot that an item folder's base image dresses: only mouth and eyes
// categories have item folders with a base image.
std::optional<SlotId> slotForFolderCategory(const QString& category);

// Which layer a variant dresses.
enum class VariantKind { None, Mouth, Eyes, Hair };
VariantKind variantKindForCategory(const QString& category);

// The two categories recognised by their whole name.
bool isHairCategory(const QString& category);
bool isReadyMadeCategory(const QString& category);

} // namespace brindo
