#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace brindo {

// One layer of the picture: whether it is drawn, and the image it shows.
// An unset path differs from an empty one only when an outfit is saved: an
// unset path leaves its key out of the document.
struct LayerSlot {
    bool enabled = false;
    std::optional<QString> imagePath;

    QString path() const { return imagePath.value_or(QString()); }
    void switchOn(const QString& newPath) {
        enabled = true;
        imagePath = newPath;
    }
    bool operator==(const LayerSlot&) const = default;
};

enum class SlotId : std::uint8_t {
    Background,
    Bottom,
    Eyes,
    Eyewear,
    Footwear,
    Foregrounds,
    FriendsAndPets,
    Hair,
    HairExtra,
    Hats,
    Interests,
    Mouth,
    Other,
    ReadyMadeOutfit,
    Tops,
};

// Everything that says what the picture shows and which document it belongs to.
// The slot fields carry the names users and documents know them by.
// NOLINTBEGIN(readability-identifier-naming)
struct OutfitState {
    QString documentPath;
    LayerSlot Background;
    LayerSlot Bottom;
    LayerSlot Eyes;
    LayerSlot Eyewear;
    LayerSlot Footwear;
    LayerSlot Foregrounds;
    LayerSlot FriendsAndPets;
    LayerSlot Hair;
    LayerSlot HairExtra;
    LayerSlot Hats;
    LayerSlot Interests;
    LayerSlot Mouth;
    LayerSlot Other;
    LayerSlot ReadyMadeOutfit;
    LayerSlot Tops;
    QString currentCategory;

    LayerSlot& slot(SlotId id);
    const LayerSlot& slot(SlotId id) const;
    bool operator==(const OutfitState&) const = default;
};
// NOLINTEND(readability-identifier-naming)

// Layered drawing order: position 1 is drawn first. The base figure and the
// figure overlay are fixed images at these positions; a slot with no position
// is not part of the layered picture.
inline constexpr int kBaseFigurePosition = 3;
inline constexpr int kFigureOverlayPosition = 8;
inline constexpr int kNotLayered = 0;

struct SlotInfo {
    SlotId id;
    LayerSlot OutfitState::*field;
    std::string_view name;
    std::string_view flagKey; // outfit document key holding "True"/"False"
    std::string_view pathKey; // outfit document key holding the image path
    int drawPosition;
};

// The fifteen slots in storage order. Code that must go over every slot
// (drawing, documents) goes over this table.
inline constexpr std::array<SlotInfo, 15> kSlotTable{{
    {SlotId::Background, &OutfitState::Background, "Background", "Background1", "Background2", 1},
    {SlotId::Bottom, &OutfitState::Bottom, "Bottom", "Bottom1", "Bottom2", 5},
    {SlotId::Eyes, &OutfitState::Eyes, "Eyes", "Eyes1", "Eyes2", 10},
    {SlotId::Eyewear, &OutfitState::Eyewear, "Eyewear", "Eyewear1", "Eyewear2", 12},
    {SlotId::Footwear, &OutfitState::Footwear, "Footwear", "Footwear1", "Footwear2", 4},
    {SlotId::Foregrounds, &OutfitState::Foregrounds, "Foregrounds", "Foregrounds1", "Foregrounds2",
     16},
    {SlotId::FriendsAndPets, &OutfitState::FriendsAndPets, "FriendsAndPets", "FreAndPets1",
     "FreAndPets2", 14},
    {SlotId::Hair, &OutfitState::Hair, "Hair", "Hair1", "Hair2", 11},
    {SlotId::HairExtra, &OutfitState::HairExtra, "HairExtra", "Hair3", "Hair4", 2},
    {SlotId::Hats, &OutfitState::Hats, "Hats", "Hats1", "Hats2", 13},
    {SlotId::Interests, &OutfitState::Interests, "Interests", "Interest1", "Interest2", 15},
    {SlotId::Mouth, &OutfitState::Mouth, "Mouth", "Mouth1", "Mouth2", 9},
    {SlotId::Other, &OutfitState::Other, "Other", "Other1", "Other2", 7},
    {SlotId::ReadyMadeOutfit, &OutfitState::ReadyMadeOutfit, "ReadyMadeOutfit", "Reout1", "Reout2",
     kNotLayered},
    {SlotId::Tops, &OutfitState::Tops, "Tops", "Tops1", "Tops2", 6},
}};

const SlotInfo& slotInfo(SlotId id);

} // namespace brindo
